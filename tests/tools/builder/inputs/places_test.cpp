// The places join on a small fixture: one state with two counties, a few
// gazetteer entries and GeoNames cities that join, duplicate, stay unjoined
// or are left out.
#include "tools/quelmar-data/builder/inputs/places.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/gazetteer.h"

namespace quelmar::builder {
namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180.0;

std::string GazetteerSection(const char* code, double lon, double lat, const char* description) {
  return std::string("[fips") + code + "]\ncentroid = (" + std::to_string(lat * kDegrees) + ", " +
         std::to_string(lon * kDegrees) + ")\ndescription = " + description + "\n";
}

GeoNamesCity City(std::int64_t id, const char* name, const char* country, const char* admin, std::int64_t population,
                  double lon, double lat, const char* feature = "PPL") {
  GeoNamesCity city;
  city.Id = id;
  city.Name = name;
  city.Country = country;
  city.AdminCode = admin;
  city.Population = population;
  city.FeatureCode = feature;
  city.At = {lon, lat};
  return city;
}

Ring Box(double west, double south, double east, double north) {
  return {ToMapUnits(west, south), ToMapUnits(east, south), ToMapUnits(east, north), ToMapUnits(west, north)};
}

class PlacesFixture : public ::testing::Test {
 protected:
  PlacesFixture()
      : gazetteer_(ParseGazetteer(GazetteerSection("1714000", -87.68, 41.84, "Chicago city, IL") +
                                  GazetteerSection("1772000", -89.64, 39.79, "Springfield city, IL") +
                                  GazetteerSection("1766703", -89.93, 41.75, "St. Charles city, IL") +
                                  GazetteerSection("1799999", -88.50, 40.50, "Lonely CDP, IL"))) {
    states_.push_back({17, "IL", "Illinois", {Box(-91.5, 37.0, -87.0, 42.5)}});
    counties_.push_back({17, 31, "Cook", {Box(-88.3, 41.45, -87.0, 42.2)}});
    counties_.push_back({17, 167, "Sangamon", {Box(-90.0, 39.5, -89.2, 40.0)}});
    cities_ = {
        City(1, "Chicago", "US", "IL", 2720546, -87.65, 41.85, "PPLA2"),
        City(2, "Springfield", "US", "IL", 116565, -89.64, 39.80, "PPLA"),
        City(3, "Saint Charles", "US", "IL", 33000, -89.94, 41.76),
        City(4, "St. Charles", "US", "IL", 32000, -89.93, 41.75),          // the same place again
        City(5, "Albany Park", "US", "IL", 50000, -87.72, 41.97, "PPLX"),  // a section of Chicago
        City(6, "Tiny", "US", "IL", 999, -88.0, 41.0),
        City(7, "Lonely", "US", "IL", 1500, -88.50, 41.50),  // its namesake is 69 miles away
        City(8, "Gary", "US", "IN", 80000, -87.35, 41.60),   // a state not given
        City(9, "Toronto", "CA", "08", 2600000, -79.42, 43.70, "PPLA"),
        City(10, "Mexico City", "MX", "09", 12294193, -99.13, 19.43, "PPLC"),
        City(11, "Laval", "CA", "10", 376845, -73.69, 45.57),
        City(12, "Small Town", "CA", "08", 99999, -80.0, 44.0),
    };
  }

  GazetteerIndex gazetteer_;
  std::vector<StateArea> states_;
  std::vector<CountyArea> counties_;
  std::vector<GeoNamesCity> cities_;
};

TEST_F(PlacesFixture, JoinsMarksAndSorts) {
  PlaceCounts counts;
  const std::vector<Place> places = BuildPlaces(cities_, gazetteer_, states_, counties_, &counts);
  std::vector<std::string> names;
  for (const Place& place : places) names.push_back(place.Name + ", " + place.StateCode);
  EXPECT_EQ(names, (std::vector<std::string>{"Chicago, IL", "Springfield, IL", "St. Charles, IL", "Lonely, IL",
                                             "Toronto, ON", "Laval, QC", "Mexico City, CMX"}));
  EXPECT_EQ(counts.Joined, 3);
  EXPECT_EQ(counts.Unjoined, 1);
  EXPECT_EQ(counts.Duplicates, 1);

  const Place& chicago = places[0];
  EXPECT_EQ(chicago.At, ToMapUnits(-87.68, 41.84));  // the gazetteer's centroid, not GeoNames'
  EXPECT_EQ(chicago.Population, 2720546);
  EXPECT_EQ(chicago.StateFips, 17);
  EXPECT_EQ(chicago.CountyCode, 17031);
  EXPECT_FALSE(chicago.StateCapital);
  EXPECT_TRUE(places[1].StateCapital);
  EXPECT_EQ(places[1].CountyCode, 17167);
  EXPECT_EQ(places[2].Population, 33000);              // the larger of the two St. Charles entries
  EXPECT_EQ(places[2].CountyCode, 0);                  // in no county of the fixture
  EXPECT_EQ(places[3].At, ToMapUnits(-88.50, 41.50));  // unjoined: GeoNames' own position

  EXPECT_EQ(places[4].In, Country::Canada);
  EXPECT_EQ(places[4].StateFips, 0);
  EXPECT_EQ(places[6].In, Country::Mexico);
}

TEST_F(PlacesFixture, SameInputsGiveTheSameList) {
  const std::vector<Place> first = BuildPlaces(cities_, gazetteer_, states_, counties_);
  std::reverse(cities_.begin(), cities_.end());
  const std::vector<Place> second = BuildPlaces(cities_, gazetteer_, states_, counties_);
  ASSERT_EQ(first.size(), second.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].Name, second[i].Name);
    EXPECT_EQ(first[i].At, second[i].At);
  }
}

TEST_F(PlacesFixture, AMissingCapitalIsADataError) {
  cities_.erase(cities_.begin() + 1);  // Springfield
  try {
    BuildPlaces(cities_, gazetteer_, states_, counties_);
    FAIL() << "no error";
  } catch (const DataError& error) {
    EXPECT_NE(std::string(error.what()).find("Springfield, IL"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace quelmar::builder
