#include "control/search/closest_place.h"

#include <gtest/gtest.h>

#include <cmath>

#include "control/data/archive_writer.h"
#include "control/data/drawing_writer.h"
#include "control/data/quad.h"
#include "tests/platform/kernel/test_files.h"

namespace quelmar::search {
namespace {

using data::PlaceObject;
using data::TMapPoint;

TMapPoint At(double lon, double lat) {
  return {static_cast<std::int32_t>(std::lround(lon * 15625)), static_cast<std::int32_t>(std::lround(lat * 15625))};
}

// A city archive with one place quad around Chicago and one far away.
class ClosestPlace : public ::testing::Test {
 protected:
  void SetUp() override {
    data::ArchiveWriter archive(data::ArchiveLayout::kLayerArchive);
    const auto quad = [&](TMapPoint corner, std::vector<PlaceObject> places) {
      data::DrawingWriter drawing;
      drawing.FeatureCode(200);
      for (const PlaceObject& place : places) drawing.Place(place);
      drawing.End();
      const std::vector<std::uint8_t> bytes = drawing.Bytes();
      archive.Add(data::QuadName(*data::QuadAt(data::QuadGrid::Overview, corner)) + "98", bytes);
    };
    quad(At(-87.7, 41.9), {{17031, 2720546, At(-87.68, 41.84), 0, "CHICAGO"},
                           {17031, -4931, At(-87.88, 41.90), 0, "STONE PARK"},
                           {17031, 65000, At(-87.69, 42.05), 0, "EVANSTON"}});
    quad(At(-118.2, 34.0), {{6037, 3898747, At(-118.24, 34.05), 0, "LOS ANGELES"}});
    archive.WriteFile(folder_.path() / "Mcity.zpx");
  }

  std::string Find(double lon, double lat, double miles, std::int32_t population, int test) {
    ClosestPlaceRequest request;
    request.Lon = lon;
    request.Lat = lat;
    request.RadiusMiles = miles;
    request.Population = population;
    request.Test = test;
    request.CityFolder = folder_.path().string();
    return FindClosestPlace(request);
  }

  testing::TempDir folder_;
};

TEST_F(ClosestPlace, TakesTheNearestPlaceThatPassesThePopulationTest) {
  EXPECT_EQ(Find(-87.70, 42.00, 20, 0, 0), "Evanston\t17031\t65000\t3.4930\t-87.689984,42.049984");
  EXPECT_EQ(Find(-87.70, 42.00, 20, 100000, 1).substr(0, 8), "Chicago\t");
  // A capital's population is stored negative; it is compared by its size.
  EXPECT_EQ(Find(-87.70, 42.00, 20, 5000, -1).substr(0, 11), "Stone Park\t");
  EXPECT_EQ(Find(-87.70, 42.00, 1, 0, 0), "");       // nothing within a mile
  EXPECT_EQ(Find(-118.0, 34.0, 50, 0, 0).substr(0, 12), "Los Angeles\t");
}

TEST_F(ClosestPlace, UserPlacesComeFirstAndAMissingArchiveGivesNone) {
  ClosestPlaceRequest request;
  request.Lon = -87.70;
  request.Lat = 42.00;
  request.RadiusMiles = 20;
  request.CityFolder = folder_.path().string();
  const std::vector<PlaceObject> mine = {{17031, 10, At(-87.70, 42.001), 0, "OUR HOUSE"}};
  request.UserPlaces = mine;
  EXPECT_EQ(FindClosestPlace(request).substr(0, 10), "Our House\t");
  request.UserPlaces = {};
  request.CityFolder = (folder_.path() / "nowhere").string();
  EXPECT_EQ(FindClosestPlace(request), "");
}

}  // namespace
}  // namespace quelmar::search
