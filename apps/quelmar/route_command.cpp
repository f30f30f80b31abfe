#include "apps/quelmar/route_command.h"

#include <charconv>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <vector>

#include "apps/quelmar/control_host.h"
#include "apps/quelmar/data_tree.h"
#include "control/automation/tarvo_ids.h"

namespace quelmar::app {
namespace {

constexpr int kSpots = 1, kHatch = 2, kTotals = 512, kKilometres = 128, kHours = 64, kQuiet = 4096,
              kUndocked = 8192;

bool ParsePoint(const std::string& text, double& lon, double& lat) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  const char* begin = text.data();
  const auto a = std::from_chars(begin, begin + comma, lon);
  const auto b = std::from_chars(begin + comma + 1, begin + text.size(), lat);
  return a.ec == std::errc() && a.ptr == begin + comma && b.ec == std::errc() && b.ptr == begin + text.size();
}

std::vector<std::string> Fields(const std::string& row) {
  std::vector<std::string> fields;
  std::size_t at = 0;
  for (;;) {
    const std::size_t tab = row.find('\t', at);
    fields.push_back(row.substr(at, tab == std::string::npos ? std::string::npos : tab - at));
    if (tab == std::string::npos) break;
    at = tab + 1;
  }
  fields.resize(9);
  return fields;
}

// "a\r\nb" as "a / b", for one-line output.
std::string OneLine(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, " / ");
  return text;
}

long SecondsOf(const std::string& clock) {
  long h = 0, m = 0, s = 0;
  const int n = std::sscanf(clock.c_str(), "%ld:%ld:%ld", &h, &m, &s);
  return n == 3 ? h * 3600 + m * 60 + s : n == 2 ? h * 3600 + m * 60 : 0;
}

}  // namespace

int RouteTypeBits(const std::string& type) {
  if (type == "shortest-bias" || type == "0") return 0;
  if (type == "shortest" || type == "4") return 16;
  if (type == "fastest" || type == "1") return 32;
  if (type == "least-turns" || type == "2") return 48;
  return -1;
}

int RouteCommand(com::Activator& activator, const RouteOptions& options, std::ostream& out, std::ostream& err) {
  double lon1 = 0, lat1 = 0, lon2 = 0, lat2 = 0;
  if (!ParsePoint(options.from, lon1, lat1) || !ParsePoint(options.to, lon2, lat2)) {
    err << "quelmar route: the start and finish must be LON,LAT in degrees\n";
    return 2;
  }
  const int typeBits = RouteTypeBits(options.type);
  if (typeBits < 0) {
    err << "quelmar route: --type must be shortest-bias, fastest, least-turns or shortest, not \"" << options.type
        << "\"\n";
    return 2;
  }
  std::vector<std::string> rows, manoeuvres;
  ControlHost* hostPointer = nullptr;
  ControlHost host(activator, HostOptions{}, [&](const std::string& name, const std::vector<com::Variant>& args) {
    if (name == "FindRte") rows.push_back(hostPointer->Call("result", {}).value.bstr());
    if (name == "FindDir" && !args.empty()) manoeuvres.push_back(args[0].bstr());
  });
  hostPointer = &host;
  std::string error;
  if (!host.Create(automation::kProgId, &error) || !UseDataTree(host, options.data, &error)) {
    err << "quelmar route: " << error << "\n";
    return 1;
  }
  host.PumpMessages();
  int flag = kSpots | kHatch | kTotals | kQuiet | kUndocked | typeBits;
  if (options.km) flag |= kKilometres;
  if (options.hours) flag |= kHours;
  const CallResult result = host.Call("FindRoute", {com::Variant(lon1), com::Variant(lat1), com::Variant(lon2),
                                                    com::Variant(lat2), com::Variant(std::int32_t{flag})});
  if (result.hr < 0) {
    err << "quelmar route: " << result.description << "\n";
    return 1;
  }
  if (rows.empty() || Fields(rows.back())[2] != "Finish") {
    err << "quelmar route: no route: " << (rows.empty() ? "nothing was found" : OneLine(Fields(rows.front())[2]))
        << "\n";
    return 1;
  }
  const std::vector<std::string> finish = Fields(rows.back());
  const std::string unit = options.km ? "km" : "miles";
  if (options.tsv) {
    for (const std::string& row : rows) out << OneLine(row) << "\n";
    const double distance = std::strtod(finish[5].c_str(), nullptr) / (options.km ? 1.609344 : 1);
    char total[64];
    std::snprintf(total, sizeof total, "TOTAL\t%.2f\t%ld", distance, SecondsOf(finish[4]));
    out << total << "\n";
    return 0;
  }
  out << "Start   " << Fields(rows.front())[8] << "\n";
  for (const std::string& row : rows) {
    const std::vector<std::string> f = Fields(row);
    if (f[2] == "Start" || f[2] == "Finish") continue;
    const std::string sentence = f[2];
    const std::size_t split = sentence.find("\r\n");
    out << (f[0].size() < 2 ? " " : "") << f[0] << ". " << sentence.substr(0, split) << "\n";
    if (split != std::string::npos) out << "    " << sentence.substr(split + 2) << "\n";
  }
  out << "Finish  " << finish[8] << "\n";
  out << "Total:  " << finish[5] << " " << unit << ", " << finish[4] << "\n";
  return 0;
}

}  // namespace quelmar::app
