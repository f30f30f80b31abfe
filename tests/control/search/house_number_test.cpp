#include "control/search/house_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "hostile_texts.h"

namespace quelmar::search {
namespace {

TEST(HouseNumberKey, PlainAndGridNumbers) {
  struct Case {
    std::string text;
    std::int32_t key;
  };
  const Case cases[] = {
      {"1200", 1200},
      {"12 34", 1234},
      {"0", 0},
      {"400000", 400000},
      {"50W201", 13250201},      // L = 4, P = 3, D = 50201
      {"N123", 400123},          // L = 1, P = 1
      {"1N", 800001},            // L = 1, P = 2
      {"5S", 4800005},           // L = 2, P = 2
      {"E5", 8400005},           // L = 3, P = 1
      {"12A", -2799988},         // L = 0: a negative key
      {"1-2", -3199988},
      {std::string(200, '0') + "W1", 92400001},  // L = 4, P = 201
      // no number at all
      {"", 0},
      {"   ", 0},
      {"W", 0},
      {"ABC", 0},
      // outside what a key can hold
      {"2147483647", 2147483647},
      {"2147483648", 0},
      {std::string(255, '9'), 0},
      {"N56W24790", 0},          // D = 5624790
      {"N400000", 0},
      {"N399999", 799999},
  };
  for (const Case& c : cases) EXPECT_EQ(HouseNumberKey(c.text), c.key) << c.text;
}

TEST(HouseNumberText, WritesKeysBack) {
  struct Case {
    std::int32_t key;
    std::string text;
  };
  const Case cases[] = {
      {13250201, "50W201"},
      {400123, "N123"},
      {400001, "N1"},
      {800001, "1N"},
      {4800005, "5S"},
      {8400005, "E5"},
      {1200, "1200"},
      {400000, "400000"},
      {0, "0"},
      {-2799988, "-2799988"},
      // letter places beyond "NSEW" have no grid form
      {92400001, "92400001"},
      {16000000, "16000000"},
      {std::numeric_limits<std::int32_t>::max(), "2147483647"},
      {std::numeric_limits<std::int32_t>::min(), "-2147483648"},
  };
  for (const Case& c : cases) EXPECT_EQ(HouseNumberText(c.key), c.text) << c.key;
}

TEST(HouseNumberText, TypedNumbersReadBackUnchanged) {
  for (const char* typed : {"50W201", "N123", "1N", "5S", "E5", "12E3", "1200", "399999"}) {
    EXPECT_EQ(HouseNumberText(HouseNumberKey(typed)), typed);
  }
}

TEST(AddressRange, ParsesAndContains) {
  struct Case {
    std::string text;
    AddressRange range;
  };
  const Case cases[] = {
      {"100-198", {100, 198}},
      {" 100 - 198 ", {100, 198}},
      {"150", {150, 150}},
      {"50W201-50W299", {13250201, 13250299}},
      {"", {0, -1}},
      {"   ", {0, -1}},
      {"-", {0, 0}},
      {"100-", {100, 0}},
      {"-198", {0, 198}},
      {"1-2-3", {1, -3199977}},  // everything after the first "-" is the high number
  };
  for (const Case& c : cases) EXPECT_EQ(ParseAddressRange(c.text), c.range) << c.text;

  const AddressRange block = ParseAddressRange("100-198");
  EXPECT_TRUE(block.Contains(150));
  EXPECT_TRUE(block.Contains(100));
  EXPECT_TRUE(block.Contains(198));
  EXPECT_FALSE(block.Contains(200));
  EXPECT_FALSE(block.Contains(99));
  EXPECT_FALSE(block.Contains(HouseNumberKey("12A")));
  const AddressRange empty = ParseAddressRange("");
  for (std::int32_t key : {0, -1, 1, 150}) EXPECT_FALSE(empty.Contains(key)) << key;
  EXPECT_FALSE(ParseAddressRange("-").Contains(0));
}

TEST(ExtractHouseNumber, SplitsTheNumberFromTheStreet) {
  struct Case {
    std::string street;
    HouseNumberAndStreet expected;
  };
  const Case cases[] = {
      {"#25 OAK DR", {25, "OAK DR"}},
      {"123 N. Main Street", {123, "N MAIN ST"}},
      {"50W201 MAIN ST", {13250201, "MAIN ST"}},
      {"12A MAIN ST", {-2799988, "MAIN ST"}},
      {"123", {123, ""}},
      // ordinal street names keep their first word
      {"42ND ST", {0, "42ND ST"}},
      {"42nd st", {0, "42ND ST"}},
      {"1ST AVE", {0, "1ST AVE"}},
      {"3RD ST", {0, "3RD ST"}},
      {"4TH STREET", {0, "4TH ST"}},
      // no usable number: the street stays whole
      {"MAIN ST", {0, "MAIN ST"}},
      {"0 MAIN ST", {0, "0 MAIN ST"}},
      {"#", {0, "#"}},
      {"99999999999 MAIN ST", {0, "99999999999 MAIN ST"}},
      {" 12 MAIN", {0, " 12 MAIN"}},
      {"", {0, ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(ExtractHouseNumber(c.street), c.expected) << c.street;
}

TEST(HouseNumbers, HostileTextsGiveKeysThatReadBack) {
  for (const std::string& text : testing::HostileTexts()) {
    const std::int32_t key = HouseNumberKey(text);
    EXPECT_LE(HouseNumberText(key).Length(), 11) << text;
    ParseAddressRange(text);
    EXPECT_LE(ExtractHouseNumber(text).Street.Length(), ShortString::kMaxLength);
  }
}

}  // namespace
}  // namespace quelmar::search
