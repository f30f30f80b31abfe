#include "control/search/city_name.h"

#include <gtest/gtest.h>

#include <string>

#include "hostile_texts.h"

namespace quelmar::search {
namespace {

struct TextCase {
  std::string text;
  std::string expected;
};

TEST(ExpandDirectionals, WritesOutAbbreviatedDirections) {
  const TextCase cases[] = {
      {"N. PLATTE", "NORTH PLATTE"},
      {"E ST LOUIS", "EAST ST LOUIS"},
      {"no platte", "NORTH PLATTE"},
      {"SO SIOUX CITY", "SOUTH SIOUX CITY"},
      {"NO.PLATTE", "NORTH PLATTE"},
      {"NO. PLATTE", "NORTH PLATTE"},
      {"SO.ORANGE", "SOUTH ORANGE"},
      {"W.HARTFORD", "WEST HARTFORD"},
      {"S  MAIN", "SOUTH MAIN"},
      {"LAKE N. SHORE", "LAKE NORTH SHORE"},
      {"LAKE N.", "LAKE NORTH"},
      {"N ", "NORTH"},
      {"N.", "NORTH"},
      // abbreviations that merely end in one of the letters stay
      {"CHICAGO HTS.", "CHICAGO HTS."},
      {"PORT ST. LUCIE", "PORT ST. LUCIE"},
      // whole words and plain names stay
      {"NORTH PLATTE", "NORTH PLATTE"},
      {"NORTHBROOK", "NORTHBROOK"},
      {"NEW YORK", "NEW YORK"},
      {"NOME", "NOME"},
      {"N", "N"},
      {"", ""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(ExpandDirectionals(c.text), c.expected) << c.text;
}

TEST(CanonicalDirectional, ComparesTheWholeArgument) {
  const TextCase cases[] = {
      {"N. ", "N."}, {"N ", "N."},  {"NORTH ", "N."}, {"S. ", "S."},     {"S ", "S."},
      {"SOUTH ", "S."}, {"E. ", "E."}, {"E ", "E."},    {"EAST ", "E."},   {"W. ", "W."},
      {"W ", "W."},  {"WEST ", "W."}, {"N", "N"},      {"NORTH", "NORTH"}, {"N.", "N."},
      {"NORTHS ", "NORTHS "}, {"n ", "n "}, {"NEW ", "NEW "}, {"", ""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(CanonicalDirectional(c.text), c.expected) << c.text;
}

TEST(CityDirectionalPrefix, GivesTheSameFormForEverySpelling) {
  const TextCase cases[] = {
      {"N PLATTE", "NORTH PLATTE"},   {"N. PLATTE", "NORTH PLATTE"}, {"NORTH PLATTE", "NORTH PLATTE"},
      {"N.PLATTE", "NORTH PLATTE"},   {"W.HARTFORD", "WEST HARTFORD"}, {"SOUTH BEND", "SOUTH BEND"},
      {"NEW YORK", "NEW YORK"},       {"CHICAGO", "CHICAGO"},          {"", ""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(CityDirectionalPrefix(c.text), c.expected) << c.text;
}

TEST(SaintForm, ReadsStAsSaintAndDropsCity) {
  const TextCase cases[] = {
      {"ST. PAUL", "SAINT PAUL"},    {"ST PAUL", "SAINT PAUL"},   {"st paul", "SAINT PAUL"},
      {"SAINT PAUL", "SAINT PAUL"},  {"KANSAS CITY", "KANSAS "},  {"ST LOUIS CITY", "SAINT LOUIS "},
      {"STANTON", "STANTON"},        {"ST", "ST"},                {"", ""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(SaintForm(c.text), c.expected) << c.text;
}

TEST(CityComparisons, ContainsAndWordContains) {
  struct Case {
    std::string a;
    std::string b;
    bool cityContains;
    bool wordContains;
  };
  const Case cases[] = {
      {"ST PAUL", "SAINT PAUL PARK", true, false},
      {"ST. PAUL", "SAINT PAUL", true, false},
      {"SAINT PAUL", "SAINT PAUL", true, true},
      {"PAUL", "SAINT PAUL", true, true},
      {"AUL", "SAINT PAUL", true, false},
      {"SAINT", "SAINT PAUL", true, true},
      {"PAUL PARK", "SAINT PAUL", false, false},
      {"KANSAS CITY", "KANSAS CITY", true, true},
      {"KANSAS CITY", "KANSAS", false, false},
      {"paul", "SAINT PAUL", true, false},  // only CityContains upper-cases
      {"MINNEAPOLIS", "ST PAUL", false, false},
      {"", "ST PAUL", false, true},  // an empty text occurs nowhere, but begins every word
      {"PAUL", std::string(250, 'A') + " PAUL", true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CityContains(c.a, c.b), c.cityContains) << c.a << " / " << c.b;
    EXPECT_EQ(WordContains(c.a, c.b), c.wordContains) << c.a << " / " << c.b;
  }
}

TEST(CityNames, HostileTextsStayShortStrings) {
  for (const std::string& text : testing::HostileTexts()) {
    EXPECT_LE(ExpandDirectionals(text).Length(), ShortString::kMaxLength);
    EXPECT_LE(CityDirectionalPrefix(text).Length(), ShortString::kMaxLength);
    EXPECT_LE(SaintForm(text).Length(), ShortString::kMaxLength);
    CityContains(text, text);
    WordContains(text, text);
  }
}

}  // namespace
}  // namespace quelmar::search
