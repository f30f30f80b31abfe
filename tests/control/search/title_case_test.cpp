#include "control/search/title_case.h"

#include <gtest/gtest.h>

#include <string>

#include "hostile_texts.h"

namespace quelmar::search {
namespace {

TEST(TitleCaseName, GivesTheDisplayFormOfStoredNames) {
  struct Case {
    std::string name;
    std::string expected;
  };
  const Case cases[] = {
      {"N MAIN ST", "N Main St"},
      {"US HWY 66", "US Hwy 66"},
      {"MCDONALD RD", "McDonald Rd"},
      {"NE 5TH ST", "NE 5th St"},
      {"O BRIEN ST", "O'Brien St"},
      {"DE KALB AVE", "De Kalb Ave"},
      {"LAKE OF THE WOODS", "Lake Of The Woods"},
      {"SR 53", "SR 53"},
      {"CR 5 (OLD US 66)", "CR 5 (Old US 66)"},
      {"ST. JOHNS", "St. Johns"},
      {"L'ANSE", "L'anse"},
      {"MCA", "McA"},
      {"north platte", "North Platte"},
      // é continues a word, É (not a letter of the rule) does not
      {"\xe9" "AB", "\xe9" "ab"},
      {"\xc9" "AB", "\xc9" "Ab"},
      // the last word is closed like the others, even at full length
      {std::string(252, 'A') + " NE", "A" + std::string(251, 'a') + " NE"},
      {"A", "A"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(TitleCaseName(c.name), c.expected) << c.name;
}

TEST(TitleCaseName, HostileTextsKeepTheirLength) {
  for (const std::string& text : testing::HostileTexts()) {
    EXPECT_EQ(TitleCaseName(text).Length(), ShortString(text).Length()) << text;
  }
}

}  // namespace
}  // namespace quelmar::search
