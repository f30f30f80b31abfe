#include "apps/quelmar/geocode_command.h"

#include <ostream>
#include <sstream>

#include "apps/quelmar/control_host.h"
#include "apps/quelmar/data_tree.h"
#include "control/automation/tarvo_ids.h"

namespace quelmar::app {
namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, '\t')) fields.push_back(field);
  if (!line.empty() && line.back() == '\t') fields.emplace_back();
  return fields;
}

std::string Field(const std::vector<std::string>& fields, std::size_t n) {
  return n >= 1 && n <= fields.size() ? fields[n - 1] : "";
}

// "1060 W ADDISON ST, CHICAGO, IL 60613 at -87.655360,41.947072" from a
// GeoFind line (street, place, number or range, state, ZIP code, -, point),
// or "Chicago, IL at -87.6500,41.8500" from a place line (name, state,
// longitude, latitude).
std::string Readable(const std::string& line) {
  const std::vector<std::string> f = Fields(line);
  if (f.size() == 4) return Field(f, 1) + ", " + Field(f, 2) + " at " + Field(f, 3) + "," + Field(f, 4);
  std::string text;
  const std::string number = Field(f, 3), street = Field(f, 1), place = Field(f, 2);
  if (!street.empty()) text += (number.empty() ? "" : number + " ") + street;
  if (!place.empty()) text += (text.empty() ? "" : ", ") + place;
  const std::string state = Field(f, 4), zip = Field(f, 5);
  if (!state.empty() || !zip.empty()) text += (text.empty() ? "" : ", ") + state + (zip.empty() ? "" : " " + zip);
  return text + " at " + Field(f, 7);
}

struct Hit {
  std::string text, quality;
};

}  // namespace

int GeocodeCommand(com::Activator& activator, const GeocodeOptions& options, std::ostream& out, std::ostream& err) {
  std::vector<Hit> hits;
  ControlHost* hostPointer = nullptr;
  ControlHost host(activator, HostOptions{}, [&](const std::string& name, const std::vector<com::Variant>&) {
    if (name == "Find") {
      hits.push_back({hostPointer->Call("Street", {}).value.bstr(), hostPointer->Call("MatchInfo", {}).value.bstr()});
    } else if (name == "FindPlace") {
      hits.push_back({hostPointer->Call("result", {}).value.bstr(), hostPointer->Call("MatchInfo", {}).value.bstr()});
    }
  });
  hostPointer = &host;
  std::string error;
  if (!host.Create(automation::kProgId, &error) || !UseDataTree(host, options.data, &error)) {
    err << "quelmar geocode: " << error << "\n";
    return 1;
  }
  host.PumpMessages();
  int status = 0;
  for (const std::string& address : options.addresses) {
    hits.clear();
    const CallResult result = host.Call("GeoFind", {com::Variant(address)});
    if (result.hr < 0) {
      err << "quelmar geocode: \"" << address << "\": " << result.description << "\n";
      status = 1;
      continue;
    }
    if (options.tsv) {
      for (const Hit& hit : hits) out << address << '\t' << hit.quality << '\t' << hit.text << '\n';
      if (hits.empty()) out << address << "\tnone\t0.00\t\n";
      continue;
    }
    out << address << "\n";
    if (hits.empty()) out << "  no match\n";
    for (const Hit& hit : hits) {
      const std::vector<std::string> quality = Fields(hit.quality);
      out << "  " << Field(quality, 1) << " " << Field(quality, 2) << "  " << Readable(hit.text) << "\n";
    }
  }
  return status;
}

}  // namespace quelmar::app
