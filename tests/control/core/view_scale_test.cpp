// ViewState scale rules and the scale properties.
#include <gtest/gtest.h>

#include <cmath>

#include "control/core/view_state.h"
#include "control/core/view_test_fixture.h"

namespace quelmar::core {
namespace {

using namespace quelmar::core::test_views;

// A view centred on the equator: the middle-latitude rules use cos 0 = 1.
ViewState EquatorView(double scale) {
  ViewState state;
  TViewWindow& v = state.View();
  v.Bottom = -1000;
  v.Top = 1000;
  v.Scale = v.ScaleY = scale;
  return state;
}

TEST(ScaleForMiles, IsPixelsPerInchOverDegreesPerInch) {
  const ViewState state = EquatorView(1.0);
  // At the equator 3960 / 57.2957... miles make one degree: 96 px per degree.
  EXPECT_NEAR(state.ScaleForMiles(3960 / kDegreesPerRadian), 96 * kDegreesPerUnit, 1e-15);
  EXPECT_EQ(state.ScaleForMiles(0), 1.0);     // zero degrees per inch
  EXPECT_EQ(state.ScaleForMiles(kNaN), 1.0);  // no scale: the same fallback
}

TEST(ScaleForMilesAt40, UsesFortyDegreesAndGivesZeroWhenUndefined) {
  const ViewState state = EquatorView(1.0);
  const double k = std::cos(0.6981317007977318) * 3960;
  EXPECT_DOUBLE_EQ(state.ScaleForMilesAt40(10), 96 / (10 / k * kDegreesPerRadian) * kDegreesPerUnit);
  EXPECT_EQ(state.ScaleForMilesAt40(0), 1.0);
  EXPECT_EQ(state.ScaleForMilesAt40(kNaN), 0.0);
  EXPECT_EQ(state.ScaleForMilesAt40(1e-320), 0.0);  // 96 / tiny overflows
}

TEST(MilesAndKms, ReadMilesPerInchTruncatedToHundredths) {
  // 96 px per inch at 0.000064 px per unit: 1.5 million units = 96 degrees
  // per inch, 96 × 3960 / 57.2957... = 6635.0437 miles, 10678.0677 km.
  const ViewState state = EquatorView(0.000064);
  EXPECT_DOUBLE_EQ(state.Miles(), 6635.04);
  EXPECT_DOUBLE_EQ(state.Kms(), 10678.06);
}

TEST(SetViewScale, ClampsToTheDocumentedRange) {
  const double widest = 250 * kDegreesPerUnit / 127;
  struct Case {
    double requested;
    double expected;
  };
  const Case cases[] = {
      {0.5, 0.5}, {1e9, 10.0}, {kInf, 10.0}, {0, widest}, {-5, widest}, {kNaN, widest}, {widest / 2, widest},
  };
  for (const Case& c : cases) {
    ViewState state;
    state.View().Aspect = 2;
    state.SetViewScale(c.requested);
    EXPECT_DOUBLE_EQ(state.View().Scale, c.expected) << c.requested;
    EXPECT_DOUBLE_EQ(state.View().ScaleY, c.expected / 2) << c.requested;
  }
}

TEST(SetViewScale, CapsAtAQuarterOfAMilePerTenInchesByScreenResolution) {
  // At 60 pixels per inch 0.025 miles per inch is below 10 pixels per unit.
  ViewState coarse(60);
  coarse.SetViewScale(1e9);
  EXPECT_DOUBLE_EQ(coarse.View().Scale, coarse.ScaleForMilesAt40(0.025));
  EXPECT_LT(coarse.View().Scale, 10.0);
}

TEST(DeriveEdges, AddsHalfAUnitBeforeRounding) {
  struct Case {
    double scale;
    std::int32_t width;
    std::int32_t expectedWidthUnits;
  };
  const Case cases[] = {
      {0.3, 250, 834},     // 833.33 + 0.5
      {0.01, 250, 25000},  // 25000.5 ties to even
      {0.01, 251, 25100},
      {0.02, 253, 12650},  // 12650.5 ties to even
  };
  for (const Case& c : cases) {
    ViewState state;
    state.View().Left = -1400000;
    state.View().Scale = c.scale;
    state.View().Width = c.width;
    state.DeriveEdges();
    EXPECT_EQ(state.View().Right - state.View().Left, c.expectedWidthUnits) << c.scale;
  }
}

TEST(DeriveEdges, RecomputesScaleYAndSurvivesAZeroScale) {
  ViewState state;
  state.View().Scale = 0.5;
  ASSERT_TRUE(state.SetScreenAspect(2));
  EXPECT_EQ(state.View().ScaleY, 1.0);  // follows only at the next derivation
  state.DeriveEdges();
  EXPECT_EQ(state.View().ScaleY, 0.25);
  EXPECT_EQ(state.View().Top - state.View().Bottom, 660);

  state.View().Scale = 0;
  state.DeriveEdges();
  EXPECT_TRUE(state.ViewOverflow());
  EXPECT_EQ(state.View().Right - state.View().Left, 1);
}

TEST(ScaleProperty, ReadsRoundedToSixDecimals) {
  ViewState state;
  state.View().Scale = 1.0 / 3;
  EXPECT_EQ(state.Scale(), 0.333333);
  state.View().Scale = kChicagoScale;
  EXPECT_EQ(state.Scale(), 0.01056);
}

TEST(ScaleProperty, WriteKeepsTheSouthWestCornerAndSkipsRepeats) {
  ViewState state = ChicagoView();
  EXPECT_TRUE(state.SetScale(0.02));
  EXPECT_EQ(state.View().Scale, 0.02);
  EXPECT_EQ(state.View().Left, kChicagoLeft);
  EXPECT_EQ(state.View().Bottom, kChicagoBottom);
  EXPECT_EQ(state.LastView().Scale, kChicagoScale);
  // 0.02 px per unit at 41.5° N is 15.9 miles per inch: nearest entry 20 is M010_0.
  EXPECT_EQ(state.CachedMagnitude(), M010_0);

  EXPECT_FALSE(state.SetScale(0.02));
  // The clamped result is what is remembered: 50 becomes 10, so 10 is a repeat.
  EXPECT_TRUE(state.SetScale(50));
  EXPECT_FALSE(state.SetScale(10));
  EXPECT_TRUE(state.SetScale(50));  // 50 itself was never stored
  for (double bad : {kNaN, kInf, -kInf}) EXPECT_FALSE(state.SetScale(bad));
  EXPECT_EQ(state.View().Scale, 10.0);

  // Before any write there is no remembered value: a first write of 0 applies.
  ViewState fresh = ChicagoView();
  EXPECT_TRUE(fresh.SetScale(0));
  EXPECT_DOUBLE_EQ(fresh.View().Scale, 250 * kDegreesPerUnit / 127);
}

TEST(MagnitudeProperty, ReadsBackEveryWrittenStepInMiles) {
  for (std::int32_t m = M500_0; m <= M000_1; ++m) {
    ViewState state = ChicagoView();
    ASSERT_TRUE(state.SetMagnitude(m, true)) << m;
    EXPECT_EQ(state.Magnitude(), m);
    EXPECT_EQ(state.CachedMagnitude(), m);
  }
}

TEST(MagnitudeProperty, ReadsTheNearestKilometreStepInKilometres) {
  struct Case {
    TxMagnitude written;
    TxMagnitude read;
  };
  // 20 miles = 32.2 km: the bar is 30 km, entry 30 is M020_0;
  // 0.2 miles = 0.32 km: the bar is 0.3 km, entry 0.3 is M000_2.
  const Case cases[] = {{M010_0, M020_0}, {M000_1, M000_2}};
  for (const Case& c : cases) {
    ViewState state = ChicagoView();
    ASSERT_TRUE(state.SetMapunits(Mukm));
    ASSERT_TRUE(state.SetMagnitude(c.written, true));
    EXPECT_EQ(state.Magnitude(), c.read) << c.written;
  }
}

TEST(MagnitudeProperty, WriteIsIgnoredBeforeTheFirstPaintAndOutsideTheTable) {
  for (std::int32_t m : {-1, 16, 1000}) {
    ViewState state = ChicagoView();
    EXPECT_FALSE(state.SetMagnitude(m, true)) << m;
    EXPECT_EQ(state.View().Scale, kChicagoScale);
  }
  ViewState early = ChicagoView();
  const TViewWindow before = early.View();
  EXPECT_FALSE(early.SetMagnitude(M010_0, false));
  EXPECT_EQ(early.View(), before);
}

TEST(MagnitudeProperty, WriteKeepsTheCentreWithoutClampingToTheExtent) {
  ViewState state = ChicagoView();
  state.SetViewOrigin(-1367187, 15625);  // on the south bound of MapExtent
  const TViewWindow before = state.View();
  ASSERT_TRUE(state.SetMagnitude(M500_0, true));  // 1000 miles per inch
  const TViewWindow& v = state.View();
  EXPECT_LE(std::abs((v.Left + v.Right) / 2 - (before.Left + before.Right) / 2), 1);
  EXPECT_LE(std::abs((v.Bottom + v.Top) / 2 - (before.Bottom + before.Top) / 2), 1);
  EXPECT_LT(v.Bottom, state.MapExtent().MinY);
  EXPECT_EQ(state.LastView(), before);
}

TEST(MilesProperty, WriteSetsTheScaleAtFortyDegreesAboutTheCentre) {
  ViewState state = ChicagoView();
  ASSERT_TRUE(state.SetMiles(10.019, true));  // truncated to 10.01
  EXPECT_DOUBLE_EQ(state.View().Scale, state.ScaleForMilesAt40(10.01));
  const TViewWindow& v = state.View();
  EXPECT_LE(std::abs((v.Left + v.Right) / 2 - (kChicagoLeft + kChicagoRight) / 2), 1);
  EXPECT_EQ(state.LastView().Scale, kChicagoScale);

  ViewState kms = ChicagoView();
  ASSERT_TRUE(kms.SetKms(10.01 * 1.609344, true));
  EXPECT_DOUBLE_EQ(kms.View().Scale, state.View().Scale);
}

TEST(MilesProperty, WriteAppliesTheScaleClampsAfterwards) {
  struct Case {
    double miles;
    double expected;
  };
  const Case cases[] = {
      {1e6, 250 * kDegreesPerUnit / 127},  // wider than 127 degrees
      {0.001, 1.0},                        // truncates to 0: "no scale" gives 1.0
  };
  for (const Case& c : cases) {
    ViewState state = ChicagoView();
    ASSERT_TRUE(state.SetMiles(c.miles, true));
    EXPECT_DOUBLE_EQ(state.View().Scale, c.expected) << c.miles;
  }
}

TEST(MilesProperty, WriteIsIgnoredBeforeInitialisationAndForNonFiniteValues) {
  ViewState state = ChicagoView();
  const TViewWindow before = state.View();
  EXPECT_FALSE(state.SetMiles(10, false));
  EXPECT_FALSE(state.SetKms(10, false));
  for (double bad : {kNaN, kInf, -kInf}) {
    EXPECT_FALSE(state.SetMiles(bad, true));
    EXPECT_FALSE(state.SetKms(bad, true));
  }
  EXPECT_EQ(state.View(), before);
}

TEST(ScreenAspect, ChangesOnlyForANewPositiveFiniteValue) {
  ViewState state;
  EXPECT_FALSE(state.SetScreenAspect(1.0));
  for (double bad : {0.0, -1.0, kNaN, kInf}) EXPECT_FALSE(state.SetScreenAspect(bad)) << bad;
  EXPECT_TRUE(state.SetScreenAspect(1.25));
  EXPECT_EQ(state.ScreenAspect(), 1.25);
}

TEST(Mapunits, SetTheDistanceUnit) {
  ViewState state;
  EXPECT_TRUE(state.SetMapunits(Mukm));
  EXPECT_EQ(state.DistanceUnit(), 2);
  EXPECT_TRUE(state.SetMapunits(MuMi));
  EXPECT_EQ(state.DistanceUnit(), 1);
  EXPECT_FALSE(state.SetMapunits(static_cast<TxMapunit>(7)));
  EXPECT_EQ(state.Mapunits(), MuMi);
}

TEST(ScaleBar, UsesKilometresWhenTheDistanceUnitSaysSo) {
  ViewState state = ChicagoView();
  ASSERT_TRUE(state.SetMagnitude(M010_0, true));  // 20 miles per inch
  EXPECT_EQ(state.ScaleBar().Length, 20);
  EXPECT_EQ(state.ScaleBar().Pixels, 96);
  state.SetMapunits(Mukm);
  EXPECT_EQ(state.ScaleBar().Length, 30);
  EXPECT_EQ(state.ScaleBar().Pixels, 89);  // round(96 / 32.19 × 30)
}

}  // namespace
}  // namespace quelmar::core
