#include "control/core/scale_bar.h"

#include <gtest/gtest.h>

#include <limits>

namespace quelmar::core {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ScaleBarLength, PicksTheSeriesValueNearestOneInch) {
  struct Case {
    double unitsPerInch;
    double length;
    std::int32_t pixels;
  };
  const Case cases[] = {
      {20, 20, 96},
      {32.18688, 30, 89},  // 20 miles in km: round(96 / 32.18688 × 30)
      {7, 5, 69},          // 10 / 7 is over 1.25, so 5
      {0.9, 1, 107},       // 10 × 0.1
      {4, 5, 120},         // 5/4 and 3/4 are equally near: the first met wins
      {1500, 1000, 64},
  };
  for (const Case& c : cases) {
    const TScaleBar bar = ScaleBarLength(1.0, c.unitsPerInch, 96);
    EXPECT_DOUBLE_EQ(bar.Length, c.length) << c.unitsPerInch;
    EXPECT_EQ(bar.Pixels, c.pixels) << c.unitsPerInch;
  }
}

TEST(ScaleBarLength, IsOneInchWhenThereIsNoUsableScale) {
  struct Case {
    double scale;
    double unitsPerInch;
  };
  const Case cases[] = {
      {1e-11, 20}, {-1e-11, 20}, {kNaN, 20},  // no scale
      {1.0, 0},    {1.0, kNaN},               // no distance
      {1.0, 1e-5},                            // below every candidate
  };
  for (const Case& c : cases) {
    const TScaleBar bar = ScaleBarLength(c.scale, c.unitsPerInch, 96);
    EXPECT_EQ(bar.Pixels, 96) << c.scale << " " << c.unitsPerInch;
  }
  EXPECT_EQ(ScaleBarLength(1.0, 0, 120).Pixels, 120);
}

TEST(MagnitudeFromScaleBar, TakesTheFirstEntryBelowTheLength) {
  struct Case {
    double length;
    TxMagnitude expected;
  };
  const Case cases[] = {
      {1e9, M500_0}, {1000, M500_0}, {999.9995, M500_0} /* within 0.001 */, {999, M300_0},
      {20, M010_0},  {0.2, M000_1},  {0.05, M000_1} /* none: the last step */, {kNaN, M000_1},
  };
  for (const Case& c : cases) EXPECT_EQ(MagnitudeFromScaleBar(c.length), c.expected) << c.length;
}

TEST(NearestMagnitude, TakesTheNearestEntryAndTheFirstOnTies) {
  struct Case {
    double milesPerInch;
    TxMagnitude expected;
  };
  const Case cases[] = {
      {5000, M500_0}, {20, M010_0}, {25, M020_0} /* 30 and 20 tie */,
      {0.1, M000_1} /* the 17th entry is never chosen */, {0.12, M000_1},
  };
  for (const Case& c : cases) EXPECT_EQ(NearestMagnitude(c.milesPerInch), c.expected) << c.milesPerInch;
}

}  // namespace
}  // namespace quelmar::core
