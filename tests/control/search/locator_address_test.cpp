#include "control/search/locator_address.h"

#include <gtest/gtest.h>

#include <string>

#include "hostile_texts.h"

namespace quelmar::search {
namespace {

TEST(SplitLocatorAddress, ReadsFieldsByPosition) {
  struct Case {
    std::string typed;
    LocatorAddress expected;
  };
  const Case cases[] = {
      {"123 Main St, Chicago, IL, 60614", {"123 MAIN ST", "CHICAGO", "IL", "60614"}},
      {"123 Main St, Chicago, IL 60614", {"123 MAIN ST", "CHICAGO", "IL", "60614"}},
      {"123 Main St, Chicago, IL  60614", {"123 MAIN ST", "CHICAGO", "IL", "60614"}},
      {"123 Main St, Chicago, Illinois 60614", {"123 MAIN ST", "CHICAGO", "ILLINOIS", "60614"}},
      {"123 Main St, Chicago, Massachusetts", {"123 MAIN ST", "CHICAGO", "MASSACHU", ""}},
      {"123 Main St, Chicago, 60614", {"123 MAIN ST", "CHICAGO", "60614", ""}},
      {"123 Main St, Chicago, IL 60614, 46001", {"123 MAIN ST", "CHICAGO", "IL 60614", "46001"}},
      {"Main St", {"MAIN ST", "", "", ""}},
      {", Chicago", {"", "CHICAGO", "", ""}},
      {"a, b, c, d, e, f", {"A", "B", "C", "D"}},
      {",,,,", {"", "", "", ""}},
      {"", {"", "", "", ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitLocatorAddress(c.typed), c.expected) << c.typed;
}

TEST(LocatorPlaceText, CityInTitleCaseWithItsState) {
  struct Case {
    LocatorAddress address;
    std::string expected;
  };
  const Case cases[] = {
      {{"", "NORTH PLATTE", "NE", ""}, "North Platte,NE"},
      {{"", "NORTH PLATTE", "", ""}, "North Platte"},
      {{"MAIN ST", "", "NE", "69101"}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LocatorPlaceText(c.address), c.expected) << c.expected;
}

TEST(SplitLocatorAddress, HostileTexts) {
  for (const std::string& text : testing::HostileTexts()) {
    const LocatorAddress address = SplitLocatorAddress(text);
    EXPECT_LE(address.State.Length(), 8);
    EXPECT_LE(LocatorPlaceText(address).Length(), ShortString::kMaxLength);
  }
}

}  // namespace
}  // namespace quelmar::search
