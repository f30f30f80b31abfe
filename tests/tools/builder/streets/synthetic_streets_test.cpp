#include "tools/quelmar-data/builder/streets/synthetic_streets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "control/core/errors.h"
#include "tools/builder/streets/street_test_support.h"

namespace quelmar::builder {
namespace {

TEST(SyntheticStreetsTest, MakesALabelledGridWithRanges) {
  SyntheticStreetOptions options;
  options.CenterLon = -87.6298;
  options.CenterLat = 41.8781;
  options.StreetsEachWay = 10;
  options.StateFips = 17;
  const StreetSample sample = MakeSyntheticStreets(options);
  EXPECT_TRUE(sample.Synthetic);
  EXPECT_NE(sample.Source.find("synthetic"), std::string::npos);
  EXPECT_EQ(sample.StateFips, 17);
  ASSERT_EQ(sample.Segments.size(), 2u * 10 * 9);
  EXPECT_EQ(street_testing::ComponentSizes(sample.Segments), std::vector<std::size_t>{180});
  EXPECT_EQ(street_testing::CrossingsAwayFromVertices(sample.Segments), 0u);

  const StreetSegment& first = sample.Segments[0];
  EXPECT_EQ(first.Name, "1ST ST");
  EXPECT_EQ(first.Low, 100);
  EXPECT_EQ(first.High, 199);
  // Blocks an eighth of a mile long, the grid centred on the centre.
  const double blockMiles =
      std::abs(first.Points[1].X - first.Points[0].X) / 15625.0 * 69.17 * std::cos(41.8781 * 3.14159265358979 / 180);
  EXPECT_NEAR(blockMiles, 0.125, 0.002);
  int secondary = 0;
  for (const StreetSegment& segment : sample.Segments) secondary += segment.Cfcc == "A31";
  EXPECT_EQ(secondary, 2 * 9);  // the 8th street and the 8th avenue
  bool eleventh = false;
  for (const StreetSegment& segment : MakeSyntheticStreets({0, 0, 13, 0.1, 0}).Segments)
    eleventh |= segment.Name == "11TH AVE";
  EXPECT_TRUE(eleventh);
}

TEST(SyntheticStreetsTest, RejectsGridsThatCannotBeMade) {
  const SyntheticStreetOptions cases[] = {
      {-87.6, 41.9, 1, 0.125, 17},  {-87.6, 41.9, 1001, 0.125, 17},
      {-87.6, 41.9, 10, 0, 17},     {-87.6, 41.9, 10, std::numeric_limits<double>::quiet_NaN(), 17},
      {-87.6, 89.999, 100, 10, 17}, {std::numeric_limits<double>::infinity(), 41.9, 10, 0.125, 17},
  };
  for (const SyntheticStreetOptions& options : cases) {
    EXPECT_THROW(MakeSyntheticStreets(options), ArgumentError) << options.StreetsEachWay << " " << options.BlockMiles;
  }
}

}  // namespace
}  // namespace quelmar::builder
