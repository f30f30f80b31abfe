// Street search and GeoFind on the real Chicago streets, with the ZIP code
// and place tables built from the real public inputs: an address on its
// block, an intersection at its corner, the ZIP-only and city-only
// fall-backs, and the street index agreeing with reading the quads.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "control/search/geo_find_services.h"
#include "control/search/house_number.h"
#include "control/search/result_line.h"
#include "tests/tools/builder/streets/street_test_support.h"
#include "tools/quelmar-data/builder/inputs/gazetteer.h"
#include "tools/quelmar-data/builder/inputs/gazetteer_index.h"
#include "tools/quelmar-data/builder/inputs/search_points.h"
#include "tools/quelmar-data/builder/output/search_tables.h"
#include "tools/quelmar-data/builder/output/street_archives.h"
#include "tools/quelmar-data/builder/streets/street_samples.h"
#include "tools/quelmar-data/builder/zip_centroids.h"

namespace quelmar::builder {
namespace {

namespace fs = std::filesystem;

// West Addison Street between Clark Street and Sheffield Avenue.
constexpr double kClarkLon = -87.6568, kSheffieldLon = -87.6536, kAddisonLat = 41.9471;

class RealGeocode : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const char* inputs = std::getenv("QUELMAR_INPUTS");
    if (!inputs || !*inputs || !fs::exists(fs::path(inputs) / "npm" / "zipcodes")) return;
    folder_ = new fs::path(fs::temp_directory_path() / ("real-geocode-" + std::to_string(::getpid())));
    fs::create_directories(*folder_ / "DATA3");
    const ZipCentroids zips = ZipCentroids::Load(fs::path(inputs) / "npm" / "zipcodes");
    const GazetteerIndex gazetteer(
        ReadGazetteer(fs::path(inputs) / "deb" / "weather-util-data" / "usr" / "share" / "weather-util" / "places.gz"));
    WriteSearchTables({GazetteerPlaceNames(gazetteer), {}}, zips, *folder_ / "DATA3");
    std::vector<StreetSample> samples = LoadStreetSamples(SampleFilesIn(street_testing::StreetTestData()));
    std::erase_if(samples, [](const StreetSample& s) { return s.StateFips != 17; });
    WriteStreetArchives(samples, NationalInputs{}, zips, *folder_, [](const std::string&) {});
  }
  static void TearDownTestSuite() {
    if (folder_) fs::remove_all(*folder_);
    delete folder_;
    folder_ = nullptr;
  }
  void SetUp() override {
    if (!folder_) GTEST_SKIP() << "the public inputs are not fetched (scripts/fetch-inputs)";
    placeQuery_.Folder = (*folder_ / "DATA3").string();
    sources_.States0 = folder_->string();
  }

  std::vector<std::string> Streets(const search::StreetQuery& query, bool index = true) {
    streets_.UseIndex = index;
    std::vector<std::string> lines;
    streets_.SearchStreets(query, sources_, [&](const search::StreetReport& r) { lines.push_back(r.Line); });
    return lines;
  }
  std::vector<search::GeoFindHit> Geocode(const std::string& address, int* count = nullptr) {
    search::GeoFindServices services = search::MakeGeoFindServices(places_, placeQuery_, streets_, sources_);
    services.ViewCentre = {-87.65, 41.85};
    std::vector<search::GeoFindHit> hits;
    const int n = search::GeoFind(address, services, [&](const search::GeoFindHit& hit) { hits.push_back(hit); });
    if (count) *count = n;
    return hits;
  }
  static search::StreetQuery Query(std::string street, std::int32_t key, std::string cross = "?") {
    search::StreetQuery q;
    q.Street = street;
    q.Cross = cross;
    q.HouseKey = key;
    q.RadiusMiles = 2;
    q.CentreLon = -87.6555;
    q.CentreLat = kAddisonLat;
    q.State = "IL";
    return q;
  }
  static double Field(const std::string& line, int n) { return std::stod(search::ResultField(line, n).Str()); }

  static fs::path* folder_;
  search::PlaceSearch places_;
  search::StreetSearch streets_;
  search::PlaceQuery placeQuery_;
  search::StreetSources sources_;
};
fs::path* RealGeocode::folder_ = nullptr;

TEST_F(RealGeocode, FindStrPutsTheNumberOnItsBlock) {
  bool onBlock = false;
  for (const std::string& line : Streets(Query("W ADDISON ST", 1060))) {
    if (!search::ParseAddressRange(search::ResultField(line, 3)).Contains(1060)) continue;
    onBlock = true;
    EXPECT_GT(Field(line, 6), kClarkLon) << line;
    EXPECT_LT(Field(line, 6), kSheffieldLon) << line;
    EXPECT_NEAR(Field(line, 7), kAddisonLat, 0.001) << line;
  }
  EXPECT_TRUE(onBlock);
}

TEST_F(RealGeocode, GeoFindPutsTheAddressOnItsBlock) {
  for (const char* address : {"1060 W Addison St, Chicago, IL", "1060 W Addison St, Chicago, IL 60613",
                              "1060 west addison street, chicago, il"}) {
    const auto hits = Geocode(address);
    ASSERT_FALSE(hits.empty()) << address;
    for (const auto& hit : hits) {
      EXPECT_EQ(hit.Quality.Precision, search::MatchPrecision::House) << hit.Line;
      EXPECT_EQ(search::ResultField(hit.Line, 3), search::ShortString("1060")) << hit.Line;
      const std::string point = search::ResultField(hit.Line, 7).Str();
      const double lon = std::stod(point.substr(0, point.find(',')));
      EXPECT_GT(lon, kClarkLon) << hit.Line;
      EXPECT_LT(lon, kSheffieldLon) << hit.Line;
    }
  }
}

TEST_F(RealGeocode, ClarkAndAddisonMeetAtTheirCorner) {
  const auto lines = Streets(Query("N CLARK ST", 0, "W ADDISON"));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(lines[0].starts_with("*N Clark St and W Addison St\tChicago\tN/A\tIL\t")) << lines[0];
  EXPECT_NEAR(Field(lines[0], 6), -87.6566, 0.0008);
  EXPECT_NEAR(Field(lines[0], 7), kAddisonLat, 0.0008);
}

TEST_F(RealGeocode, AZipCodeOrACityAloneFallsBackToItsPoint) {
  int count = 0;
  auto hits = Geocode("60613", &count);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(hits[0].Quality.Precision, search::MatchPrecision::Zip);
  EXPECT_TRUE(hits[0].Line.starts_with("\tCHICAGO\t\tIL\t60613\t\t-87.6")) << hits[0].Line;
  hits = Geocode("Chicago, IL", &count);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(hits[0].Quality.Precision, search::MatchPrecision::City);
  EXPECT_TRUE(hits[0].Line.starts_with("\tCHICAGO\t\tIL\t\t\t-87.")) << hits[0].Line;
}

TEST_F(RealGeocode, TheIndexAgreesWithReadingTheQuads) {
  for (const search::StreetQuery& q :
       {Query("W ADDISON ST", 1060), Query("N CLARK ST", 0, "W ADDISON"), Query("MICHIGAN", 875), Query("ST", 0),
        Query("LAKE SHORE", 1400, "?")}) {
    EXPECT_EQ(Streets(q, true), Streets(q, false)) << q.Street;
  }
  search::StreetQuery everywhere = Query("N BROADWAY", 4400);
  everywhere.RadiusMiles = 0;
  EXPECT_EQ(Streets(everywhere, true), Streets(everywhere, false));
}

}  // namespace
}  // namespace quelmar::builder
