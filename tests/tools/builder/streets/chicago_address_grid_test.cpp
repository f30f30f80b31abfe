#include "tools/quelmar-data/builder/streets/chicago_address_grid.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tools/builder/streets/street_test_support.h"

namespace quelmar::builder {
namespace {

using street_testing::At;
using street_testing::ChicagoNetwork;

TEST(ChicagoAddressGridTest, NumbersRealStreetsWhereTheyAre) {
  struct Case {
    const char* street;
    char direction;
    double lon, lat;
    double number;  // the street's real grid number
  };
  const Case cases[] = {
      {"Halsted St at Addison", 'W', -87.6493, 41.9470, 800},
      {"Western Ave at Addison", 'W', -87.6878, 41.9470, 2400},
      {"Pulaski Rd at Roosevelt", 'W', -87.7254, 41.8665, 4000},
      {"Cicero Ave at 47th", 'W', -87.7434, 41.8083, 4800},
      {"Michigan Ave at Monroe", 'E', -87.6245, 41.8806, 100},
      {"Chicago Ave at Halsted", 'N', -87.6479, 41.8965, 800},
      {"Fullerton Ave at Western", 'N', -87.6874, 41.9249, 2400},
      {"Addison St at Clark", 'N', -87.6565, 41.9470, 3600},
      {"Roosevelt Rd at State", 'S', -87.6269, 41.8674, 1200},
      {"Cermak Rd at State", 'S', -87.6267, 41.8530, 2200},
      {"Pershing Rd at State", 'S', -87.6263, 41.8236, 3900},
      {"63rd St at Halsted", 'S', -87.6446, 41.7797, 6300},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ChicagoGridNumber(c.direction, At(c.lon, c.lat)), c.number, 60) << c.street;
  }
  EXPECT_LT(ChicagoGridNumber('X', At(-87.65, 41.9)), 0);
}

TEST(ChicagoAddressGridTest, KnowsTheCityFromItsSuburbs) {
  EXPECT_TRUE(InChicago(At(-87.6555, 41.9470)));   // Wrigley Field
  EXPECT_TRUE(InChicago(At(-87.7600, 41.8800)));   // Austin
  EXPECT_FALSE(InChicago(At(-87.7900, 41.8850)));  // Oak Park
  EXPECT_FALSE(InChicago(At(-87.7600, 41.8450)));  // Cicero
  EXPECT_TRUE(InChicago(At(-87.7600, 41.7900)));   // Midway
}

TEST(ChicagoAddressGridTest, RoundsSegmentsOutToBlocks) {
  struct Case {
    const char* name;
    double fromLon, fromLat, toLon, toLat;
    std::int32_t low, high;
  };
  const Case cases[] = {
      {"W ADDISON ST", -87.6538, 41.9470, -87.6580, 41.9470, 1000, 1199},  // Sheffield to past Clark
      {"W ADDISON ST", -87.6538, 41.9470, -87.6550, 41.9470, 1000, 1099},  // Sheffield to mid-block
      {"N CLARK ST", -87.6565, 41.9470, -87.6565, 41.9480, 3600, 3699},
      {"S STATE ST", -87.6269, 41.8674, -87.6268, 41.8600, 1200, 1699},  // ends just past 1700
      {"E MONROE ST", -87.6270, 41.8806, -87.6250, 41.8806, 1, 99},
      {"ADDISON ST", -87.6538, 41.9470, -87.6563, 41.9470, 0, 0},    // no prefix: no grid side
      {"W MADISON ST", -87.7900, 41.8800, -87.7850, 41.8800, 0, 0},  // Oak Park
  };
  for (const Case& c : cases) {
    std::vector<StreetSegment> segments(1);
    segments[0].Name = c.name;
    segments[0].Cfcc = "A41";
    segments[0].Points = {At(c.fromLon, c.fromLat), At(c.toLon, c.toLat)};
    SetChicagoGridRanges(segments);
    EXPECT_EQ(segments[0].Low, c.low) << c.name << " " << c.fromLon;
    EXPECT_EQ(segments[0].High, c.high) << c.name << " " << c.fromLon;
  }
}

TEST(ChicagoAddressGridTest, RealAddisonStreetHolds1060WhereItIs) {
  std::vector<StreetSegment> network = ChicagoNetwork();
  SetChicagoGridRanges(network);
  const TMapPoint wrigley = At(-87.6555, 41.9470);
  bool found = false;
  for (const StreetSegment& segment : network) {
    if (segment.Name != "W ADDISON ST" || segment.Low > 1060 || segment.High < 1060) continue;
    const auto near = [&](TMapPoint p) { return std::abs(p.X - wrigley.X) < 40 && std::abs(p.Y - wrigley.Y) < 15; };
    if (near(segment.Points.front()) || near(segment.Points.back())) found = true;
  }
  EXPECT_TRUE(found);
  const auto ranged = std::count_if(network.begin(), network.end(), [](const StreetSegment& s) { return s.High > 0; });
  EXPECT_GT(ranged, 20000);
}

}  // namespace
}  // namespace quelmar::builder
