// The GeoNames cities file: length-prefixed city messages with coordinates
// delta-coded across cities. Fixtures are written with protozero's writer.
#include "tools/quelmar-data/builder/inputs/geonames_cities.h"

#include <gtest/gtest.h>

#include <protozero/pbf_writer.hpp>
#include <protozero/varint.hpp>
#include <string>
#include <vector>

#include "control/core/errors.h"

namespace quelmar::builder {
namespace {

struct CityFixture {
  std::int64_t Id;
  std::string Name;
  std::string Country;
  std::string FeatureCode;
  std::string AdminCode;
  std::uint64_t Population;  // 0: field left out
  std::int64_t Lon;          // 1e-5 degree
  std::int64_t Lat;
};

// As the package's build script writes them: each message prefixed by its length.
std::string Encode(const std::vector<CityFixture>& cities, bool extraField = false) {
  std::string file;
  std::int64_t lastLon = 0;
  std::int64_t lastLat = 0;
  for (const CityFixture& city : cities) {
    std::string message;
    protozero::pbf_writer writer(message);
    writer.add_sint64(1, city.Id);
    writer.add_string(2, city.Name);
    writer.add_string(3, city.Country);
    writer.add_string(7, city.FeatureCode);
    writer.add_string(8, city.AdminCode);
    if (city.Population != 0) writer.add_uint64(9, city.Population);
    writer.add_sint64(10, city.Lon - lastLon);
    writer.add_sint64(11, city.Lat - lastLat);
    if (extraField) writer.add_string(20, "later addition");
    lastLon = city.Lon;
    lastLat = city.Lat;
    protozero::add_varint_to_buffer(&file, message.size());
    file += message;
  }
  return file;
}

const std::vector<CityFixture> kCities = {
    {4887398, "Chicago", "US", "PPLA2", "IL", 2720546, -8765005, 4185003},
    {6167865, "Toronto", "CA", "PPLA", "08", 2600000, -7941629, 4370011},
    {5454711, "Albuquerque", "US", "PPLA2", "NM", 0, -10665114, 3508400},
};

TEST(GeoNamesCities, DecodesFieldsAndRunningCoordinates) {
  const std::vector<GeoNamesCity> cities = ParseGeoNamesCities(Encode(kCities, true));
  ASSERT_EQ(cities.size(), 3u);
  EXPECT_EQ(cities[0].Id, 4887398);
  EXPECT_EQ(cities[0].Name, "Chicago");
  EXPECT_EQ(cities[0].Country, "US");
  EXPECT_EQ(cities[0].FeatureCode, "PPLA2");
  EXPECT_EQ(cities[0].AdminCode, "IL");
  EXPECT_EQ(cities[0].Population, 2720546);
  EXPECT_DOUBLE_EQ(cities[0].At.Lon, -87.65005);
  EXPECT_DOUBLE_EQ(cities[0].At.Lat, 41.85003);
  EXPECT_EQ(cities[1].AdminCode, "08");
  EXPECT_DOUBLE_EQ(cities[1].At.Lon, -79.41629);
  EXPECT_EQ(cities[2].Population, 0);
  EXPECT_DOUBLE_EQ(cities[2].At.Lat, 35.084);
  EXPECT_TRUE(ParseGeoNamesCities("").empty());
}

TEST(GeoNamesCities, TruncationAtEveryByteNeverCrashes) {
  const std::string bytes = Encode(kCities);
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    try {
      // A cut exactly between cities reads the cities before it.
      EXPECT_LT(ParseGeoNamesCities(std::string_view(bytes).substr(0, length)).size(), kCities.size());
    } catch (const DataError&) {
    }
  }
}

TEST(GeoNamesCities, DamagedMessagesAreDataErrors) {
  const std::string wrongWireType = std::string("\x02") + "\x10\x01";  // field 2 (name) as a varint
  const std::string lengthPastEnd =
      "\x05\x12\x01"
      "A";
  const std::string badTag = std::string("\x02\x00\x01", 3);  // tag 0
  const std::string overlongVarint = "\x0b\x08\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff";
  std::string overflowingLon;
  {
    protozero::pbf_writer writer(overflowingLon);
    writer.add_sint64(10, INT64_MAX);
  }
  overflowingLon = std::string(1, static_cast<char>(overflowingLon.size())) + overflowingLon;
  for (const std::string& bytes :
       {wrongWireType, lengthPastEnd, badTag, overlongVarint, overflowingLon + overflowingLon}) {
    EXPECT_THROW(ParseGeoNamesCities(bytes), DataError);
  }
}

TEST(GeoNamesCities, MissingFileIsAnIoError) {
  EXPECT_THROW(ReadGeoNamesCities("/nonexistent/quelmar/cities.pbf"), IoError);
}

}  // namespace
}  // namespace quelmar::builder
