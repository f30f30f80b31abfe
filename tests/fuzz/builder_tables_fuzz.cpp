// The builder's text tables, of any bytes: the first byte chooses the table,
// the rest is its text. Each table is parsed, then taken as far as the
// builder takes it (joined to a small gazetteer and ZIP table where it is
// joined to them).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/airports_csv.h"
#include "tools/quelmar-data/builder/inputs/gazetteer.h"
#include "tools/quelmar-data/builder/inputs/gazetteer_index.h"
#include "tools/quelmar-data/builder/inputs/highway_table.h"
#include "tools/quelmar-data/builder/inputs/phone_prefixes.h"
#include "tools/quelmar-data/builder/inputs/place_names.h"
#include "tools/quelmar-data/builder/inputs/region_codes.h"
#include "tools/quelmar-data/builder/inputs/search_points.h"
#include "tools/quelmar-data/builder/zip_centroids.h"

namespace {

using namespace quelmar::builder;

const GazetteerIndex& Gazetteer() {
  static const GazetteerIndex index(ParseGazetteer(
      "[fips1714000]\ncentroid = (0.7306929, -1.5297542)\ndescription = Chicago city, IL\n"
      "[fips1738570]\ncentroid = (0.7291, -1.5356)\ndescription = Joliet city, IL\n"
      "[fips2651900]\ncentroid = (0.7345, -1.4954)\ndescription = Kalamazoo city, MI\n"
      "[fips2500138715]\ncentroid = (0.7275, -1.2324)\ndescription = Wareham town, MA\n"));
  return index;
}

const ZipCentroids& Zips() {
  static const ZipCentroids zips = ZipCentroids::Parse(
      R"(exports.codes = {"60613":{"latitude":41.9543,"longitude":-87.6575,"city":"Chicago","state":"IL","country":"US"},)"
      R"("49001":{"latitude":42.2737,"longitude":-85.5877,"city":"Kalamazoo","state":"MI","country":"US"}};)",
      "fuzz zips");
  return zips;
}

void Airports(std::string_view text) { (void)ParseAirports(text); }

void Highways(std::string_view text) {
  const std::vector<HighwayStop> stops = ParseHighwayTable(text);
  for (const HighwayStop& stop : stops) (void)RouteWithoutPiece(stop.Route);
  (void)JoinHighways(stops, Gazetteer());
}

void GazetteerText(std::string_view text) {
  const GazetteerIndex index(ParseGazetteer(text));
  for (const GazetteerEntry& entry : index.Entries()) {
    (void)index.DisplayName(entry);
    for (const std::string& name : CommonNames(entry)) (void)index.Find(entry.StateCode, name);
  }
  (void)GazetteerPlaceNames(index);
}

void PhonePrefixes(std::string_view text) {
  (void)ExchangePointsOf(ParsePhonePrefixes(text), Gazetteer(), Zips());
}

void ZipTable(std::string_view text) {
  const ZipCentroids zips = ZipCentroids::Parse(text, "fuzz");
  for (const ZipCentroid& zip : zips.All()) (void)zips.Nearest(zip.StateCode, zip.At);
  (void)ZipPointsOf(zips);
}

// Names as every source writes them: UTF-8, combining marks, Latin-1.
void Names(std::string_view text) {
  (void)NameKey(text);
  (void)AsciiName(text);
  (void)CanadianProvinceCode(text);
  (void)MexicanStateCode(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  static void (*const kTables[])(std::string_view) = {Airports, Highways, GazetteerText, PhonePrefixes, ZipTable, Names};
  try {
    kTables[data[0] % (sizeof kTables / sizeof kTables[0])](text);
  } catch (const quelmar::Error&) {
    // Refused cleanly.
  }
  return 0;
}
