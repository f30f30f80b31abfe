// GeoFind with stand-in lookups and street search: the centres it searches
// around, the filters on city, street and house number, and the fall-backs
// to a ZIP code's or a city's point and to the place lookup.
#include "control/search/geo_find.h"

#include <gtest/gtest.h>

#include "control/core/errors.h"

namespace quelmar::search {
namespace {

// W Addison St in two ranges in Chicago and one in Elmhurst.
const std::vector<std::string> kAddisonLines = {
    "W Addison St\tChicago\t1000 - 1098\tIL\t60613\t-87.655104\t41.947072\t0.5",
    "W Addison St\tChicago\t1100 - 1198\tIL\t60613\t-87.657664\t41.947072\t0.6",
    "W Addison St\tElmhurst\t1000 - 1098\tIL\t60126\t-87.938048\t41.920000\t9.9",
};

class GeoFindTest : public ::testing::Test {
 protected:
  GeoFindTest() {
    services_.ZipLine = [](std::int32_t zip) -> ShortString {
      if (zip == 60613) return "60613\tChicago\tIL\t0\t-87.6575\t41.9543";
      return "";
    };
    services_.PlaceLine = [](const ShortString& query) -> ShortString {
      if (query == ShortString("Chicago,IL") || query == ShortString("Chicago,")) return "Chicago\tIL\t-87.6500\t41.8500";
      if (query.StartsWith("St Louis")) return "St. Louis\tMO\t-90.1978\t38.6273";
      return "";
    };
    services_.PlaceLines = [this](const ShortString& query) {
      placeQueries_.push_back(query.Str());
      std::vector<ShortString> lines;
      if (query.StartsWith("CHICAGO")) lines = {"Chicago\tIL\t-87.6500\t41.8500", "Chicago Heights\tIL\t-87.6350\t41.5061"};
      if (query.StartsWith("ST LOUIS")) lines = {"St. Louis\tMO\t-90.1978\t38.6273"};
      return lines;
    };
    services_.ReportPlaces = [this](const ShortString& query, const MatchQuality& quality) {
      EXPECT_EQ(quality.Precision, MatchPrecision::City);
      reportedPlaces_.push_back(query.Str());
    };
    services_.Streets = [this](const StreetQuery& query, const std::function<void(const StreetReport&)>& report) {
      searched_.push_back(query);
      for (const std::string& line : streetLines_) report({line, nullptr});
    };
    services_.ViewCentre = {-100, 40};
  }

  std::vector<GeoFindHit> Find(const std::string& address, int expected) {
    std::vector<GeoFindHit> hits;
    EXPECT_EQ(GeoFind(address, services_, [&](const GeoFindHit& hit) { hits.push_back(hit); }), expected) << address;
    return hits;
  }

  GeoFindServices services_;
  std::vector<std::string> streetLines_;
  std::vector<StreetQuery> searched_;
  std::vector<std::string> placeQueries_, reportedPlaces_;
};

TEST_F(GeoFindTest, TheHitWhoseRangeHoldsTheNumberIsReportedAlone) {
  streetLines_ = kAddisonLines;
  const auto hits = Find("1060 W Addison St, Chicago, IL", 1);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].Line, "W ADDISON ST\tCHICAGO\t1060\tIL\t60613\t\t-87.655104,41.947072");
  EXPECT_EQ(hits[0].Quality.Precision, MatchPrecision::House);
  EXPECT_DOUBLE_EQ(hits[0].Quality.Score, 1.0);
  // The places of the city are the centres (the first of two within a
  // degree), searched with the default radius of 10 miles.
  EXPECT_EQ(placeQueries_, std::vector<std::string>{"CHICAGO*,IL"});
  ASSERT_EQ(searched_.size(), 1u);
  EXPECT_EQ(searched_[0].Street, ShortString("W ADDISON ST"));
  EXPECT_EQ(searched_[0].HouseKey, 1060);
  EXPECT_EQ(searched_[0].RadiusMiles, 10);
  EXPECT_NEAR(searched_[0].CentreLat, 41.85, 1e-9);
}

TEST_F(GeoFindTest, WithoutANumberInRangeEveryLineOfTheCityIsReported) {
  streetLines_ = kAddisonLines;
  const auto hits = Find("9999 W Addison St, Chicago, IL|5", 2);
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_EQ(hits[0].Quality.Precision, MatchPrecision::Street);
  EXPECT_LT(hits[0].Quality.Score, 1.0);
  EXPECT_EQ(searched_.at(0).RadiusMiles, 5);
}

TEST_F(GeoFindTest, AZipCodeIsTheCentreAndTheFallBack) {
  const auto hits = Find("1060 W Nowhere St, 60613", 1);
  ASSERT_EQ(searched_.size(), 1u);
  EXPECT_EQ(searched_[0].State, "IL");
  EXPECT_DOUBLE_EQ(searched_[0].CentreLon, -87.6575);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].Line, "\tCHICAGO\t\tIL\t60613\t\t-87.657500,41.954300");
  EXPECT_EQ(hits[0].Quality.Precision, MatchPrecision::Zip);
  // A ZIP code alone: no street search, the ZIP code's point.
  searched_.clear();
  EXPECT_EQ(Find("60613", 1)[0].Quality.Precision, MatchPrecision::Zip);
  EXPECT_TRUE(searched_.empty());
}

TEST_F(GeoFindTest, ACityAloneFallsBackToItsPointOrItsPlaces) {
  const auto hits = Find("Chicago, IL", 1);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].Line, "\tCHICAGO\t\tIL\t\t\t-87.650000,41.850000");
  EXPECT_EQ(hits[0].Quality.Precision, MatchPrecision::City);
  EXPECT_TRUE(searched_.empty());
  // No state: the name is a place only of another state, so the place
  // lookup reports the places of that name instead.
  EXPECT_TRUE(Find("Chicago", -1).empty());
  EXPECT_EQ(reportedPlaces_, std::vector<std::string>{"CHICAGO,"});
}

TEST_F(GeoFindTest, EmptyAndBadInput) {
  EXPECT_TRUE(Find("", 0).empty());
  EXPECT_TRUE(Find("  ,  , ", 0).empty());
  EXPECT_TRUE(Find("Main St", 0).empty());  // no city, no ZIP code: nowhere to look
  for (const char* bad : {"Chicago, IL|abc", "Chicago, IL|-1", "Chicago, IL|1e9"}) {
    EXPECT_THROW(GeoFind(bad, services_, [](const GeoFindHit&) {}), ArgumentError) << bad;
  }
}

TEST_F(GeoFindTest, SaintCitiesCompareInTheirSaintForms) {
  streetLines_ = {"Market St\tSt. Louis\t100 - 198\tMO\t63101\t-90.19\t38.62\t0.1"};
  const auto hits = Find("150 Market St, St Louis, MO", 1);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].Line, "MARKET ST\tST. LOUIS\t150\tMO\t63101\t\t-90.19,38.62");
  EXPECT_EQ(placeQueries_.front(), "ST LOUIS*,MO");
}

TEST(SearchCentres, NearCentresAddNothingAndAtMostFiveAreKept) {
  std::vector<SearchCentre> centres;
  AddSearchCentre(centres, {-87, 41});
  AddSearchCentre(centres, {-87.5, 41});
  EXPECT_EQ(centres.size(), 1u);
  EXPECT_DOUBLE_EQ(centres[0].Lon, -87);
  for (int i = 1; i <= 6; ++i) AddSearchCentre(centres, {-87.0 + 2 * i, 41});
  EXPECT_EQ(centres.size(), kMaxSearchCentres);
}

}  // namespace
}  // namespace quelmar::search
