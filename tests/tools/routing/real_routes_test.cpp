// Routes over the real data tree (built here from the public inputs and the
// street samples): across Chicago by every route type, within San Francisco
// and Three Rivers, and across the country over the highway network. Each
// route is a continuous path whose pieces add up to its total, reads by
// real street names, and is as short as a plain Dijkstra search allows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "control/routing/directions.h"
#include "control/routing/route_data.h"
#include "control/routing/route_query.h"
#include "tests/control/routing/routing_fixture.h"
#include "tests/tools/builder/streets/street_test_support.h"
#include "tools/quelmar-data/builder/inputs/national_inputs.h"
#include "tools/quelmar-data/builder/output/geometry.h"
#include "tools/quelmar-data/builder/output/map_tree.h"
#include "tools/quelmar-data/builder/streets/street_samples.h"

namespace quelmar::builder {
namespace {

namespace fs = std::filesystem;
using routing::RouteResult;
using routing::RouteType;

core::TMapPoint Point(double lon, double lat) {
  return {static_cast<std::int32_t>(std::lround(lon * 15625)), static_cast<std::int32_t>(std::lround(lat * 15625))};
}

class RealRoutes : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const char* inputs = std::getenv("QUELMAR_INPUTS");
    if (!inputs || !*inputs || !fs::exists(fs::path(inputs) / "npm" / "us-atlas")) return;
    const fs::path source = std::getenv("QUELMAR_TEST_SOURCE_DIR");
    NationalInputs national = LoadNationalInputs(inputs, source / "data" / "reference");
    DropEastOfAntimeridian(national);
    const std::vector<StreetSample> streets = LoadStreetSamples(SampleFilesIn(street_testing::StreetTestData()));
    const ZipCentroids zips = ZipCentroids::Load(fs::path(inputs) / "npm" / "zipcodes");
    tree_ = new fs::path(fs::temp_directory_path() / ("real-routes-" + std::to_string(::getpid())));
    WriteMapTree(national, streets, zips, *tree_, [](const std::string&) {});
  }
  static void TearDownTestSuite() {
    if (tree_) fs::remove_all(*tree_);
    delete tree_;
    tree_ = nullptr;
  }
  void SetUp() override {
    if (!tree_) GTEST_SKIP() << "the public inputs are not fetched (scripts/fetch-inputs)";
  }

  RouteResult Route(core::TMapPoint from, core::TMapPoint to, RouteType type) {
    routing::RouteFolders folders;
    folders.Data1 = (*tree_ / "DATA1").string();
    folders.States0 = (*tree_ / "STATES0").string();
    routing::FolderRouteData data(folders, cache_);
    routing::RouteRequest request;
    request.Start = from;
    request.Finish = to;
    request.Settings.RouteType = static_cast<std::uint8_t>(type);
    return routing::CalculateRoute(request, data);
  }

  static std::vector<std::string> Sentences(const RouteResult& route) {
    routing::DirectionsRequest request;
    request.Steps = &route.Steps;
    request.Names = &route.Network->Names();
    std::vector<std::string> sentences;
    for (const std::string& row : routing::BuildDirections(request).Rows) {
      const std::size_t a = row.find('\t'), b = row.find('\t', a + 1), c = row.find('\t', b + 1);
      sentences.push_back(row.substr(b + 1, c - b - 1));
    }
    return sentences;
  }

  // The invariants every found route keeps, and its directions' sense.
  void ExpectSoundRoute(const RouteResult& route, const std::string& street) {
    ASSERT_TRUE(route.Found()) << routing::OutcomeText(route.Outcome);
    EXPECT_TRUE(routing::testing::IsPathOf(*route.Network, route.Steps, route.StartNode, route.FinishNode));
    const std::vector<std::string> sentences = Sentences(route);
    ASSERT_GE(sentences.size(), 2u);
    EXPECT_TRUE(sentences.front().starts_with("Starting on ")) << sentences.front();
    EXPECT_EQ(sentences.back(), "Finish");
    for (std::size_t i = 1; i + 1 < sentences.size(); ++i) {
      const std::string& s = sentences[i];
      EXPECT_TRUE(s.starts_with("Turn ") || s.starts_with("Bear onto ") || s.starts_with("Continue onto ")) << s;
      EXPECT_NE(s.find("\r\nDrive "), std::string::npos) << s;
    }
    const bool named = std::any_of(sentences.begin(), sentences.end(),
                                   [&](const std::string& s) { return s.find(street) != std::string::npos; });
    EXPECT_TRUE(named) << "no leg on " << street;
  }

  static fs::path* tree_;
  routing::RouteDataCache cache_;
};

fs::path* RealRoutes::tree_ = nullptr;

TEST_F(RealRoutes, AcrossChicagoByEveryRouteType) {
  const core::TMapPoint wrigley = Point(-87.6555, 41.9471), willis = Point(-87.6359, 41.8789);
  for (int type = 0; type < routing::kRouteTypeCount; ++type) {
    const RouteResult route = Route(wrigley, willis, static_cast<RouteType>(type));
    ExpectSoundRoute(route, "ST");
    // About five miles as the streets run, never less than the straight line.
    const double miles = routing::testing::LengthOf(route.Steps) / 100.0;
    EXPECT_GT(miles, 4.8) << type;
    EXPECT_LT(miles, 8.0) << type;
  }
  // The shortest: within 1% of the shortest path a plain Dijkstra search
  // finds under the same rules, and never shorter than the rule-free one.
  const RouteResult shortest = Route(wrigley, willis, RouteType::Shortest);
  routing::RouteQuery dijkstra(*shortest.Network);
  routing::QuerySettings plain;
  plain.Type = RouteType::Shortest;
  plain.UseEstimate = false;
  ASSERT_TRUE(dijkstra.Run(shortest.StartNode, shortest.FinishNode, plain));
  const double aStar = double(routing::testing::LengthOf(shortest.Steps));
  EXPECT_LE(aStar, 1.01 * routing::testing::LengthOf(dijkstra.Steps()));
  EXPECT_GE(aStar, routing::PlainShortestLength(*shortest.Network, shortest.StartNode, shortest.FinishNode));
}

TEST_F(RealRoutes, WithinSanFranciscoAndThreeRivers) {
  ExpectSoundRoute(Route(Point(-122.4469, 37.7700), Point(-122.4497, 37.7657), RouteType::ShortestBias), "ST");
  ExpectSoundRoute(Route(Point(-85.6330, 41.9440), Point(-85.6180, 41.9560), RouteType::Fastest), "");
}

TEST_F(RealRoutes, AcrossTheCountryOverTheHighwayNetwork) {
  struct Case {
    core::TMapPoint from, to;
    const char* highway;
    double minMiles, maxMiles;
  };
  const Case cases[] = {
      {Point(-87.6555, 41.9471), Point(-122.4469, 37.7700), "I-80", 1900, 2500},  // Chicago to San Francisco
      {Point(-74.0060, 40.7128), Point(-80.1918, 25.7617), "I-95", 1150, 1450},   // New York to Miami
  };
  for (const Case& c : cases) {
    const RouteResult route = Route(c.from, c.to, RouteType::Fastest);
    ExpectSoundRoute(route, c.highway);
    const double miles = routing::testing::LengthOf(route.Steps) / 100.0;
    EXPECT_GT(miles, c.minMiles);
    EXPECT_LT(miles, c.maxMiles);
  }
}

}  // namespace
}  // namespace quelmar::builder
