// ViewState zoom, pan and centring.
#include <gtest/gtest.h>

#include "control/core/view_state.h"
#include "control/core/view_test_fixture.h"

namespace quelmar::core {
namespace {

using namespace quelmar::core::test_views;

void ExpectEdges(const TViewWindow& v, std::int32_t left, std::int32_t bottom, std::int32_t right,
                 std::int32_t top) {
  EXPECT_EQ(v.Left, left);
  EXPECT_EQ(v.Bottom, bottom);
  EXPECT_EQ(v.Right, right);
  EXPECT_EQ(v.Top, top);
}

TEST(ViewState, StartsWithTheDocumentedDefaults) {
  const ViewState state;
  const TViewWindow& v = state.View();
  EXPECT_EQ(v.Scale, 1.0);
  EXPECT_EQ(v.ScaleY, 1.0);
  EXPECT_EQ(v.Aspect, 1.0);
  EXPECT_EQ(v.Width, 250);
  EXPECT_EQ(v.Height, 165);
  EXPECT_EQ(state.PixelsPerInch(), 96);
  EXPECT_EQ(state.DistanceUnit(), 1);
  EXPECT_EQ(state.CoordDecimals(), 3);
  EXPECT_EQ(state.MapExtent().MinX, -2734375);
  EXPECT_EQ(state.MapExtent().MaxX, -750000);
  EXPECT_EQ(state.MapExtent().MinY, 15625);
  EXPECT_EQ(state.MapExtent().MaxY, 1328125);
  EXPECT_EQ(ViewState(0).PixelsPerInch(), 96);
  EXPECT_EQ(ViewState(120).PixelsPerInch(), 120);
}

TEST(ViewState, TwoViewsDoNotShareState) {
  ViewState a;
  ViewState b;
  a.ZoomAll();
  a.Rotate(45);
  EXPECT_EQ(b.View(), TViewWindow{});
  EXPECT_FALSE(b.RotationActive());
}

TEST(ZoomWindow, FitsTheRectangleWithExactEdges) {
  const ViewState state = ChicagoView();
  ExpectEdges(state.View(), kChicagoLeft, kChicagoBottom, kChicagoRight, kChicagoTop);
  EXPECT_DOUBLE_EQ(state.View().Scale, kChicagoScale);
  EXPECT_DOUBLE_EQ(state.View().ScaleY, kChicagoScale);
  EXPECT_FALSE(state.ViewOverflow());
}

TEST(ZoomWindow, RefusesCornersWithoutMapUnitsAndChangesNothing) {
  const double bad[] = {kNaN, kInf, -kInf, 1e300};
  for (double b : bad) {
    for (int corner = 0; corner < 4; ++corner) {
      ViewState state = ChicagoView();
      const TViewWindow view = state.View();
      const TViewWindow last = state.LastView();
      double c[4] = {-90, 40, -89, 41};
      c[corner] = b;
      EXPECT_FALSE(state.ZoomWindow(c[0], c[1], c[2], c[3]));
      EXPECT_EQ(state.View(), view);
      EXPECT_EQ(state.LastView(), last);
    }
  }
}

TEST(ZoomAll, ShowsTheLowerFortyEight) {
  ViewState state;
  state.ZoomAll();
  // Scale = 250 / 1,093,750 (the width decides); half height 360,937.5 ties to 360,938.
  ExpectEdges(state.View(), -2031250, 224999, -937500, 946874);
  EXPECT_DOUBLE_EQ(state.View().Scale, 250.0 / 1093750);
}

TEST(ZoomToRect, IgnoresEmptyRectanglesButStillSavesTheLastView) {
  struct Case {
    std::int32_t x1, y1, x2, y2;
    double factor;
  };
  const Case cases[] = {
      {-1300000, 600000, -1300000, 650000, 1.0},  // no width
      {-1300000, 600000, -1250000, 600000, 1.0},  // no height
      {-1300000, 600000, -1250000, 650000, 0.0},
      {-1300000, 600000, -1250000, 650000, kNaN},
      {-1300000, 600000, -1250000, 650000, kInf},
  };
  for (const Case& c : cases) {
    ViewState state = ChicagoView();
    const TViewWindow before = state.View();
    state.ZoomToRect(c.x1, c.y1, c.x2, c.y2, c.factor);
    EXPECT_EQ(state.View(), before);
    EXPECT_EQ(state.LastView(), before);
  }
}

TEST(ZoomToRect, OrdersTheCornersAndAppliesTheFactor) {
  ViewState a = ChicagoView();
  ViewState b = ChicagoView();
  a.ZoomToRect(-1375000, 640625, -1359375, 656250, 1.0);
  b.ZoomToRect(-1359375, 656250, -1375000, 640625, 1.0);
  EXPECT_EQ(a.View(), b.View());
  ExpectEdges(a.View(), kChicagoLeft, kChicagoBottom, kChicagoRight, kChicagoTop);

  // ZoomOverlay's 10 % margin: 17,188 units high shown on 165 pixels.
  ViewState overlay = ChicagoView();
  overlay.ZoomOverlay(-1375000, 640625, -1359375, 656250);
  EXPECT_DOUBLE_EQ(overlay.View().Scale, 165.0 / 17188);
}

TEST(ZoomToRect, RestoresTheViewWhenTheZoomOverflows) {
  ViewState state = ChicagoView();
  state.View().Width = 0;  // scale 0: the new window's size is 0 / 0
  const TViewWindow before = state.View();
  state.ZoomToRect(-1300000, 600000, -1250000, 650000, 1.0);
  EXPECT_TRUE(state.ViewOverflow());
  EXPECT_EQ(state.View(), before);
  EXPECT_EQ(state.LastView(), before);
}

TEST(ZoomIWindow, OfTheWholeClientKeepsTheView) {
  ViewState state = ChicagoView();
  state.ZoomIWindow(0, 0, 250, 165);
  ExpectEdges(state.View(), kChicagoLeft, kChicagoBottom, kChicagoRight, kChicagoTop);
  EXPECT_DOUBLE_EQ(state.View().Scale, kChicagoScale);
}

TEST(ZoomInOut, DoubleAndHalveTheScaleAboutTheCentre) {
  ViewState state = ChicagoView();
  state.ZoomIn();
  // w = 23,674, h = 15,625: origin moves by (5,918, 3,906), the new width is 11,837.
  EXPECT_EQ(state.View().Left, kChicagoLeft + 5918);
  EXPECT_EQ(state.View().Bottom, kChicagoBottom + 3906);
  EXPECT_DOUBLE_EQ(state.View().Scale, 250.0 / 11837);
  EXPECT_EQ(state.LastView().Left, kChicagoLeft);

  state.ZoomOut();
  EXPECT_EQ(state.View().Left, kChicagoLeft);
  EXPECT_EQ(state.View().Bottom, kChicagoBottom);
  EXPECT_DOUBLE_EQ(state.View().Scale, 250.0 / 23674);
}

TEST(ZoomInOut, LeaveTheViewWhereTheScaleIsAlreadyAtItsLimit) {
  ViewState largest = ChicagoView();
  largest.SetViewScale(1e9);  // the 10 pixels per unit cap
  largest.SetViewOrigin(-1370000, 645000);
  const TViewWindow atLargest = largest.View();
  largest.ZoomIn();
  EXPECT_EQ(largest.View(), atLargest);

  ViewState widest = ChicagoView();
  widest.SetViewScale(0);  // 127 degrees across
  widest.SetViewOrigin(-2000000, 300000);
  const TViewWindow atWidest = widest.View();
  widest.ZoomOut();
  EXPECT_EQ(widest.View(), atWidest);
}

TEST(ZoomLast, TwiceReturnsToTheFirstView) {
  ViewState state = ChicagoView();
  const TViewWindow first = state.View();
  state.ZoomWindow(-123, 38, -122, 37);
  const TViewWindow second = state.View();
  state.ZoomLast();
  EXPECT_EQ(state.View(), first);
  EXPECT_EQ(state.LastView(), second);
  state.ZoomLast();
  EXPECT_EQ(state.View(), second);
  EXPECT_EQ(state.LastView(), first);
}

TEST(ZoomPan, MovesThreeQuartersOfTheViewInTheFlaggedDirections) {
  // Steps: round(23,674 × 0.75) = 17,756 (tie to even), round(15,625 × 0.75) = 11,719.
  struct Case {
    std::int32_t flags;
    std::int32_t dLeft, dBottom;
  };
  const Case cases[] = {
      {0, 0, 0},          {1, -17756, 0},      {2, 17756, 0},       {3, 17756, 0} /* east wins */,
      {4, 0, 11719},      {8, 0, -11719},      {12, 0, -11719} /* south wins */,
      {5, -17756, 11719}, {10, 17756, -11719}, {15, 17756, -11719},
  };
  for (const Case& c : cases) {
    ViewState state = ChicagoView();
    state.ZoomPan(c.flags);
    EXPECT_EQ(state.View().Left, kChicagoLeft + c.dLeft) << c.flags;
    EXPECT_EQ(state.View().Bottom, kChicagoBottom + c.dBottom) << c.flags;
    EXPECT_EQ(state.View().Right - state.View().Left, 23674) << c.flags;
    EXPECT_EQ(state.LastView().Left, kChicagoLeft) << c.flags;
  }
}

TEST(SetViewOrigin, KeepsTheViewInsideTheMapExtent) {
  struct Case {
    std::int64_t x, y;
    std::int32_t left, bottom;
  };
  const Case cases[] = {
      {-1300000, 600000, -1300000, 600000},
      {-3000000, 0, -2734375, 15625},                       // raised to the minimum
      {-700000, 1400000, -750000 - 23674, 1328125 - 15625},  // lowered below the maximum
      {-1LL << 40, 1LL << 40, -2734375, 1328125 - 15625},   // far outside int32
  };
  for (const Case& c : cases) {
    ViewState state = ChicagoView();
    state.SetViewOrigin(c.x, c.y);
    ExpectEdges(state.View(), c.left, c.bottom, c.left + 23674, c.bottom + 15625);
  }
}

TEST(GotoPoint, CentresThePointRightOfTheRoutePanel) {
  struct Case {
    double lon, lat;
    std::int32_t panel;
    std::int32_t left, bottom;
  };
  // X = -1,367,188, Y = 648,438; offsets round(125 / s) = 11,837, round(82 / s) = 7,765,
  // and with a 100-pixel route panel round(175 / s) = 16,572.
  const Case cases[] = {
      {-87.5, 41.5, 0, -1367188 - 11837, 648438 - 7765},
      {-87.5, 41.5, 100, -1367188 - 16572, 648438 - 7765},
      {-40, 30, 0, -750000 - 23674, 468750 - 7765},  // east of 48° W: the east edge stops at 48° W
  };
  for (const Case& c : cases) {
    ViewState state = ChicagoView();
    EXPECT_TRUE(state.GotoPoint(c.lon, c.lat, c.panel));
    EXPECT_EQ(state.View().Left, c.left) << c.lon;
    EXPECT_EQ(state.View().Bottom, c.bottom) << c.lon;
    EXPECT_DOUBLE_EQ(state.View().Scale, kChicagoScale);
    EXPECT_EQ(state.LastView().Left, kChicagoLeft);
  }
  ViewState east = ChicagoView();
  east.GotoPoint(-40, 30, 0);
  EXPECT_EQ(east.View().Right, -750000);
}

TEST(GotoPoint, RefusesPointsWithoutMapUnitsAndStopsOnAZeroScale) {
  ViewState state = ChicagoView();
  const TViewWindow before = state.View();
  const TViewWindow last = state.LastView();
  EXPECT_FALSE(state.GotoPoint(kNaN, 41, 0));
  EXPECT_FALSE(state.GotoPoint(-87, 1e300, 0));
  EXPECT_EQ(state.View(), before);
  EXPECT_EQ(state.LastView(), last);

  state.View().ScaleY = 0;
  const TViewWindow flat = state.View();
  EXPECT_TRUE(state.GotoPoint(-87.5, 41.5, 0));
  EXPECT_EQ(state.View(), flat);
  EXPECT_EQ(state.LastView(), flat);
}

TEST(CenterView, CentresAClientPixel) {
  ViewState state = ChicagoView();
  // X = Left + round(125 / s) = -1,367,187; Y = Top - trunc(82 / s) = 648,485.
  state.CenterView(125, 82, 0);
  EXPECT_EQ(state.View().Left, -1367187 - 11837);
  EXPECT_EQ(state.View().Bottom, 648485 - 7765);
  EXPECT_EQ(state.LastView().Left, kChicagoLeft);

  ViewState flat = ChicagoView();
  flat.View().Scale = 0;
  const TViewWindow before = flat.View();
  flat.CenterView(10, 10, 0);
  EXPECT_EQ(flat.View(), before);
}

TEST(CenterOnResult, CentresInTheLastPaintedRectangle) {
  ViewState state = ChicagoView();
  state.View().PaintWidth = 251;
  state.View().PaintHeight = 166;
  state.CenterOnResult(-1367187, 648437);
  // RoundLimited(251 / s / 2 + 0.5) = 11,885 and RoundLimited(166 / s / 2 + 0.5) = 7,860.
  EXPECT_EQ(state.View().Left, -1367187 - 11885);
  EXPECT_EQ(state.View().Bottom, 648437 - 7860);
}

TEST(ResizeView, FillsTheNewSizeWithTheSameArea) {
  ViewState state = ChicagoView();
  state.ResizeView(500, 330);
  EXPECT_EQ(state.View().Width, 500);
  EXPECT_EQ(state.View().Height, 330);
  EXPECT_DOUBLE_EQ(state.View().Scale, 330.0 / 15625);
  ExpectEdges(state.View(), kChicagoLeft, kChicagoBottom, kChicagoRight, kChicagoTop);
}

TEST(KeepTopOnResize, MovesOnlyTheSouthEdge) {
  ViewState state = ChicagoView();
  state.KeepTopOnResize(200);
  EXPECT_EQ(state.View().Top, kChicagoTop);
  EXPECT_EQ(state.View().Bottom, kChicagoTop - 18939);  // round(200 / s)
}

}  // namespace
}  // namespace quelmar::core
