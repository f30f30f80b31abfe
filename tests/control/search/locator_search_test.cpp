// The Locator's searches with stand-in lookups: the rows of each tab, how a
// row is drawn and what choosing it gives.
#include "control/search/locator_search.h"

#include <gtest/gtest.h>

namespace quelmar::search {
namespace {

class LocatorSearchTest : public ::testing::Test {
 protected:
  LocatorSearchTest() {
    services_.ZipLine = [](std::int32_t zip) -> ShortString {
      return zip == 60613 ? "60613\tChicago\tIL\t7\t-87.6575\t41.9543" : "";
    };
    services_.PlaceLines = [this](const ShortString& query) {
      placeQueries_.push_back(query.Str());
      return std::vector<ShortString>{"N Chicago:Lake\tIL\t-87.8500\t42.3200", "Chicago\tIL\t-87.6500\t41.8500"};
    };
    services_.Streets = [this](const StreetQuery& query, const std::function<void(const StreetReport&)>& report) {
      searched_.push_back(query);
      for (const char* line : {"W Addison St\tChicago\t1100 - 1198\tIL\t60613\t-87.6576\t41.9470\t0.5",
                               "W Addison St\tChicago\t1000 - 1098\tIL\t60613\t-87.6551\t41.9470\t0.4",
                               "W Addison St\tChicago\t1000 - 1098\tIL\t60613\t-87.6552\t41.9471\t0.4",
                               "W Addison St\tElmhurst\t1000 - 1098\tIL\t60126\t-87.9380\t41.9200\t9.9"}) {
        report({line, nullptr});
      }
    };
    services_.ZipPatternLines = [](const ShortString& pattern) {
      return pattern == ShortString("6061?") ? std::vector<std::string>{"60613\tChicago\tIL\t7\t-87.6575\t41.9543"}
                                             : std::vector<std::string>{};
    };
    services_.ExchangeLines = [this](const std::string& prefix) {
      exchanges_.push_back(prefix);
      return std::vector<std::string>{"312555\tChicago\tIL\t60601\t-87.6298\t41.8781"};
    };
    services_.ViewCentre = {-100, 40};
  }

  LocatorServices services_;
  std::vector<StreetQuery> searched_;
  std::vector<std::string> placeQueries_, exchanges_;
};

TEST_F(LocatorSearchTest, TheAddressTabKeepsTheRowsHoldingTheNumberOnce) {
  const auto rows = LocatorAddressRows("1060 W Addison St, Chicago, IL", "", services_);
  // Sorted; two rows equal in street, place, number and state are one.
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], "W ADDISON ST\tCHICAGO\t1060\tIL\t60613\t\t-87.6551,41.9470");
  EXPECT_EQ(LocatorRowText(rows[0]), "1060 W Addison St, Chicago, IL 60613");
  EXPECT_EQ(LocatorResult(rows[0], false), "1060\tW ADDISON ST\tCHICAGO\tIL\t60613\t\t-87.6551,41.9470");
  // The view's centre and each place found are the centres, 16 miles around.
  ASSERT_EQ(searched_.size(), 2u);
  EXPECT_EQ(searched_[0].CentreLon, -100);
  EXPECT_EQ(searched_[0].RadiusMiles, 16);
  EXPECT_EQ(searched_[0].Cross, ShortString("?"));
  EXPECT_EQ(placeQueries_, std::vector<std::string>{"CHICAGO*,IL"});
}

TEST_F(LocatorSearchTest, AZipCodeIsTheOnlyCentreAndAStateAloneSearchesItWhole) {
  LocatorAddressRows("1060 W Addison St, , IL, 60613", "Clark", services_);
  ASSERT_EQ(searched_.size(), 1u);
  EXPECT_DOUBLE_EQ(searched_[0].CentreLon, -87.6575);
  EXPECT_EQ(searched_[0].Cross, ShortString("CLARK"));
  searched_.clear();
  LocatorAddressRows("1060 W Addison St, , IL", "", services_);
  EXPECT_EQ(searched_.at(0).RadiusMiles, 0);
}

TEST_F(LocatorSearchTest, PlaceZipPhoneAndCoordinateRows) {
  const auto places = LocatorPlaceRows("chicago,il", services_);
  EXPECT_EQ(placeQueries_, std::vector<std::string>{"Chicago*,IL"});
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[0], "\tNorth Chicago\t\tIL\t\t\t-87.8500,42.3200");
  LocatorPlaceRows("Springfield", services_);
  EXPECT_EQ(placeQueries_.back(), "Springfield*,*");

  const auto zips = LocatorZipRows("6061?", services_);
  ASSERT_EQ(zips.size(), 1u);
  EXPECT_EQ(zips[0], "\tChicago\t\tIL\t7\t60613\t-87.6575,41.9543");
  EXPECT_EQ(LocatorResult(zips[0], true), "\t\tChicago\tIL\t60613\t7\t-87.6575,41.9543");

  const auto phones = LocatorPhoneRows("( 312 )  555-1212", services_);
  EXPECT_EQ(exchanges_, std::vector<std::string>{"312555"});
  ASSERT_EQ(phones.size(), 1u);
  EXPECT_EQ(phones[0], "\tChicago\t\tIL\t60601\t(312) 555\t-87.6298,41.8781");
  EXPECT_EQ(LocatorRowText(phones[0]), "(312) 555 - Chicago, IL 60601");

  EXPECT_EQ(LocatorLonLatRow("-87.65, 41.85", false), "\t-87.6500, 41.8500\t\t\t\t\t-87.6500, 41.8500");
  EXPECT_EQ(LocatorLonLatRow("41.85, -87.65", true), "\t-87.6500, 41.8500\t\t\t\t\t-87.6500, 41.8500");
  EXPECT_EQ(LocatorLonLatRow("41.85", false), std::nullopt);
  EXPECT_EQ(LocatorLonLatRow("400, 41", false), std::nullopt);
}

}  // namespace
}  // namespace quelmar::search
