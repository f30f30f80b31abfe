#include "control/core/coordinate_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace quelmar::core {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(DMS, FormatsEachModeFromDegrees) {
  struct Case {
    double degrees;
    TxLLMode mode;
    int decimals;
    const char* expected;
  };
  const Case cases[] = {
      {-87.5, TmHMS, 3, "- 87\xB0" "30' 00\""},
      {-87.5, TmHMS, 2, "- 87\xB0" "30' "},
      {-87.5, TmHMS, 1, "- 87\xB0 "},
      {5.0125, TmHMS, 3, "   5\xB0" "00' 45\""},  // blank-led fields become 0
      {-0.5, TmHMS, 3, "-  0\xB0" "30' 00\""},
      {123.75, TmHMS, 3, " 123\xB0" "45' 00\""},
      {-87.5, TmDEG, 3, "-87.5"},
      {0, TmDEG, 3, " 0"},
      {10, TmDEG, 3, " 10"},
      {100.25, TmDEG, 3, " 100.25"},
      {-87.5, TmBIG, 3, "-1367187.5000"},  // not rounded to a whole unit
      {-87.5, TmSMALL, 3, "- 87 30.00'"},
      {41.92, TmSMALL, 3, "  41 55.20'"},
      {41.1, TmSMALL, 3, "  41 6.00'"},  // "6.00" fills the 4-wide field
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DMS(c.degrees, c.mode, c.decimals), c.expected) << c.degrees << " mode " << c.mode;
  }
}

TEST(DMS, WritesTheDegreeSignAsOneWindows1252Byte) {
  const std::string text = DMS(-87.5, TmHMS, 3);
  ASSERT_EQ(text.size(), 12u);
  EXPECT_EQ(static_cast<unsigned char>(text[4]), 0xB0);
}

TEST(LonLatStr, RoundsToWholeUnitsAndOrdersThePair) {
  struct Case {
    double lon, lat;
    TxLLMode mode;
    TxCoord order;
    const char* expected;
  };
  const Case cases[] = {
      {-87.616, 41.92, TmDEG, CdLonlat, "-87.616, 41.92"},
      {-87.616, 41.92, TmDEG, CdLatLon, " 41.92,-87.616"},
      {-87.5, 41, TmDEG, CdLonlat, "-87.500032, 41"},  // -1,367,187.5 rounds to -1,367,188
      {-87.5, 41.92, TmBIG, CdLonlat, "-1367188.0000, 655000.0000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LonLatStr(c.lon, c.lat, c.mode, 3, c.order), c.expected) << c.lon << " " << c.lat;
  }
}

TEST(FormatCoordinate, GivesAngleBracketsForUnknownModesAndValuesWithoutUnits) {
  struct Case {
    double units;
    TxLLMode mode;
    const char* expected;
  };
  const Case cases[] = {
      {100, static_cast<TxLLMode>(7), " <>"},
      {-100, static_cast<TxLLMode>(-1), "-<>"},
      {kNaN, TmDEG, " <>"},
      {-kInf, TmHMS, "-<>"},
      {1e300, TmBIG, " <>"},
      {2147483647.0, TmDEG, " <>"},  // beyond int32 map units
  };
  for (const Case& c : cases) EXPECT_EQ(FormatCoordinate(c.units, c.mode, 3), c.expected) << c.units;
  EXPECT_EQ(LonLatStr(kNaN, 1e300, TmDEG, 3, CdLonlat), " <>, <>");
  EXPECT_EQ(DMS(-137439, TmDEG, 3), "-<>");
}

TEST(FormatFixed, IgnoresTheProcessLocale) {
  EXPECT_EQ(FormatFixed(-87.75, 1), "-87.8");
  EXPECT_EQ(FormatFixed(3, 0), "3");
  EXPECT_EQ(FormatFixed(0.5, 3), "0.500");
}

}  // namespace
}  // namespace quelmar::core
