// The ZIP code table of the npm package: the JSON object inside the script,
// entries that are not United States ZIP codes passed over, damaged tables
// refused; and the nearest ZIP code of a state.
#include "tools/quelmar-data/builder/zip_centroids.h"

#include <gtest/gtest.h>

#include <string>

#include "control/core/errors.h"

namespace quelmar::builder {
namespace {

TEST(ZipCentroids, ParsesTheTableOfTheScript) {
  const ZipCentroids zips = ZipCentroids::Parse(
      "exports.codes = {"
      R"("60613": {"zip": "60613", "latitude": 41.9543, "longitude": -87.6575, "city": "Chicago", "state": "IL", "country": "US"},)"
      R"("49093": {"latitude": 41.9454, "longitude": -85.6325, "city": "Three Rivers", "state": "MI", "country": "US"},)"
      R"("K1A0B1": {"latitude": 45.4, "longitude": -75.7, "city": "Ottawa", "state": "ON", "country": "CA"},)"
      R"("1234": {"latitude": 41.9, "longitude": -87.6, "state": "IL", "country": "US"},)"
      R"("60614": {"latitude": "41.92", "longitude": -87.65, "state": "IL", "country": "US"},)"
      R"("60615": {"latitude": 141.8, "longitude": -87.6, "state": "IL", "country": "US"},)"
      R"("60616": [41.8, -87.6])"
      "};\nexports.stateMap = {};\n",
      "codes.js");
  ASSERT_EQ(zips.Size(), 2u);  // in the order of their codes
  EXPECT_EQ(zips.All()[0].Zip, 49093);
  EXPECT_EQ(zips.All()[1].Zip, 60613);
  EXPECT_EQ(zips.All()[1].City, "Chicago");
  EXPECT_EQ(zips.All()[1].StateCode, "IL");
  EXPECT_EQ(zips.All()[1].At, ToMapUnits(-87.6575, 41.9543));
  EXPECT_EQ(zips.Nearest("IL", ToMapUnits(-87.66, 41.95)), 60613);
  EXPECT_EQ(zips.Nearest("MI", ToMapUnits(-87.66, 41.95)), 0);  // another state's ZIP code is not taken
}

TEST(ZipCentroids, MembersOfTheWrongTypeAreNotStrings) {
  // A country, state or city that is not a string counts as absent.
  const ZipCentroids zips = ZipCentroids::Parse(
      "exports.codes = {"
      R"("60613": {"latitude": 41.9543, "longitude": -87.6575, "city": 7, "state": ["IL"], "country": "US"},)"
      R"("60614": {"latitude": 41.92, "longitude": -87.65, "state": "IL", "country": {"code": "US"}}};)",
      "codes.js");
  ASSERT_EQ(zips.Size(), 1u);
  EXPECT_EQ(zips.All()[0].City, "");
  EXPECT_EQ(zips.All()[0].StateCode, "");
}

TEST(ZipCentroids, DamagedTablesAreDataErrors) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "no ZIP table"},
      {"exports.codes = 5;", "no ZIP table"},
      {R"(exports.codes = {"60613": {"latitude": 41.9)", "not valid JSON"},
      {R"(exports.codes = {"60613": 1} {"60614": 2};)", "not valid JSON"},
  };
  for (const auto& [text, message] : cases) {
    try {
      ZipCentroids::Parse(text, "codes.js");
      ADD_FAILURE() << "accepted " << text;
    } catch (const DataError& error) {
      EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
      EXPECT_EQ(std::string(error.what()).rfind("codes.js", 0), 0u) << error.what();
    }
  }
  EXPECT_THROW(ZipCentroids::Load("/nonexistent/quelmar/zipcodes"), IoError);
}

}  // namespace
}  // namespace quelmar::builder
