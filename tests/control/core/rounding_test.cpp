#include "control/core/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "control/core/map_units.h"

namespace quelmar::core {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();

TEST(RoundLimited, RoundsTiesToEvenAndFallsBackToOneOnOverflow) {
  struct Case {
    double v;
    std::int32_t expected;
    bool overflow;
  };
  const Case cases[] = {
      {0.5, 0, false},          {1.5, 2, false},         {2.5, 2, false},
      {-2.5, -2, false},        {-1.6, -2, false},       {2147483646.4, 2147483646, false},
      {-2147483646.4, -2147483646, false},
      {2147483647.0, 1, true},  {-2147483647.0, 1, true}, {1e300, 1, true},
      {kInf, 1, true},          {-kInf, 1, true},         {kNaN, 1, true},
  };
  for (const Case& c : cases) {
    bool overflow = false;
    EXPECT_EQ(RoundLimited(c.v, overflow), c.expected) << c.v;
    EXPECT_EQ(overflow, c.overflow) << c.v;
  }
}

TEST(RoundLimited, NeverClearsAnEarlierOverflow) {
  bool overflow = true;
  EXPECT_EQ(RoundLimited(3.0, overflow), 3);
  EXPECT_TRUE(overflow);
}

TEST(RoundPixelClamped, ClampsBySignInsteadOfFallingBack) {
  struct Case {
    double v;
    std::int32_t expected;
  };
  const Case cases[] = {{2.5, 2},   {-3.5, -4},    {3e9, 2147483647}, {-3e9, -2147483647},
                        {kInf, 2147483647}, {-kInf, -2147483647}, {kNaN, 0}};
  for (const Case& c : cases) EXPECT_EQ(RoundPixelClamped(c.v), c.expected) << c.v;
}

TEST(CheckedConversions, AcceptExactlyTheRepresentableResults) {
  EXPECT_EQ(CheckedRound(2147483647.4), kMax32);
  EXPECT_EQ(CheckedRound(2147483647.6), std::nullopt);
  EXPECT_EQ(CheckedRound(-2147483648.4), kMin32);
  EXPECT_EQ(CheckedRound(-2147483648.6), std::nullopt);
  EXPECT_EQ(CheckedRound(kNaN), std::nullopt);
  EXPECT_EQ(CheckedRound(-kInf), std::nullopt);

  EXPECT_EQ(CheckedTrunc(-2.9), -2);
  EXPECT_EQ(CheckedTrunc(2147483647.9), kMax32);
  EXPECT_EQ(CheckedTrunc(2147483648.0), std::nullopt);
  EXPECT_EQ(CheckedTrunc(kNaN), std::nullopt);

  EXPECT_EQ(CheckedRound64(4e9), 4000000000LL);
  EXPECT_EQ(CheckedRound64(-9.2e18), -9200000000000000000LL);
  EXPECT_EQ(CheckedRound64(9.3e18), std::nullopt);
  EXPECT_EQ(CheckedRound64(kInf), std::nullopt);
}

TEST(IntegerHelpers, HalveTowardZeroSaturateAndKeepLow16Bits) {
  EXPECT_EQ(Div2(7), 3);
  EXPECT_EQ(Div2(-7), -3);
  EXPECT_EQ(Div4(-7), -1);
  EXPECT_EQ(Div4(-3), 0);

  bool overflow = false;
  EXPECT_EQ(SaturateInt32(-5, overflow), -5);
  EXPECT_FALSE(overflow);
  EXPECT_EQ(SaturateInt32(1LL << 40, overflow), kMax32);
  EXPECT_TRUE(overflow);
  overflow = false;
  EXPECT_EQ(SaturateInt32(-(1LL << 40), overflow), kMin32);
  EXPECT_TRUE(overflow);

  EXPECT_EQ(Low16(40000), -25536);
  EXPECT_EQ(Low16(65536), 0);
  EXPECT_EQ(Low16(-1), -1);
  EXPECT_EQ(Low16(0x12345), 0x2345);
}

TEST(DegreesToUnits, RoundsToWholeUnitsAndFlagsWhatDoesNotFit) {
  struct Case {
    double degrees;
    std::int32_t expected;
    bool overflow;
  };
  const Case cases[] = {
      {-87.5, -1367188, false},  // -1367187.5 rounds to the even unit
      {-87.616, -1369000, false},
      {41.92, 655000, false},
      {137438.95, 2147483594, false},
      {137439.0, 1, true},  // 2,147,484,375 units
      {1e300, 1, true},
      {kNaN, 1, true},
      {-kInf, 1, true},
  };
  for (const Case& c : cases) {
    bool overflow = false;
    EXPECT_EQ(DegreesToUnits(c.degrees, overflow), c.expected) << c.degrees;
    EXPECT_EQ(overflow, c.overflow) << c.degrees;
  }
  EXPECT_DOUBLE_EQ(UnitsToDegrees(-1369000), -87.616);
}

}  // namespace
}  // namespace quelmar::core
