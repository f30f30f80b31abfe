// ViewState conversions between degrees, map units and client pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "control/core/view_state.h"
#include "control/core/view_test_fixture.h"

namespace quelmar::core {
namespace {

using test_views::kInf;
using test_views::kNaN;
using test_views::PlacedView;

constexpr std::int32_t kLeft = -1400000;
constexpr std::int32_t kBottom = 600000;
constexpr std::int32_t kRight = -1375000;
constexpr std::int32_t kTop = 616500;

TEST(MapToPixel, MeasuresFromTheNorthWestCorner) {
  const ViewState state = PlacedView();
  ASSERT_EQ(state.View().Right, kRight);
  ASSERT_EQ(state.View().Top, kTop);
  struct Case {
    std::int32_t x, y;
    TPixelPoint expected;
  };
  const Case cases[] = {
      {kLeft, kTop, {0, 0}},
      {kRight, kBottom, {250, 165}},
      {kLeft + 150, kTop - 50, {2, 0}},  // 1.5 and 0.5: ties to even
      {kLeft + 250, kTop, {2, 0}},       // 2.5
      {kLeft - 100, kTop + 100, {-1, -1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(state.MapToPixel(c.x, c.y), c.expected) << c.x << "," << c.y;
    EXPECT_EQ(state.MapToPixel(TMapPoint{c.x, c.y}), c.expected);
  }
}

TEST(MapToPixel, FallsBackToPixelOneOneWhenTheResultDoesNotFit) {
  ViewState state = PlacedView(10.0);
  EXPECT_EQ(state.MapToPixel(std::numeric_limits<std::int32_t>::max(), kTop), (TPixelPoint{1, 1}));
  state.View().Scale = kNaN;
  EXPECT_EQ(state.MapToPixel(kLeft, kTop), (TPixelPoint{1, 1}));
}

// A 1000 × 1000 unit square shown on 100 × 100 pixels, rotated.
ViewState RotatedSquare(double degrees) {
  ViewState state;
  TViewWindow& v = state.View();
  v.Left = 0;
  v.Bottom = 0;
  v.Right = 1000;
  v.Top = 1000;
  v.Scale = v.ScaleY = 0.1;
  v.Width = v.Height = 100;
  EXPECT_TRUE(state.Rotate(degrees));
  return state;
}

TEST(MapToPixel, RotatesClockwiseAboutTheViewCentre) {
  const ViewState state = RotatedSquare(90);
  ASSERT_TRUE(state.RotationActive());
  EXPECT_EQ(state.MapToPixel(0, 1000), (TPixelPoint{100, 0}));     // north-west corner
  EXPECT_EQ(state.MapToPixel(1000, 1000), (TPixelPoint{100, 100}));  // north-east corner
  EXPECT_EQ(state.MapToPixel(500, 500), (TPixelPoint{50, 50}));     // centre stays
}

TEST(Rotate, IsActiveOnlyWhenTheAngleRoundsToANonZeroWholeDegree) {
  struct Case {
    double degrees;
    bool active;
  };
  const Case cases[] = {{0, false}, {0.4, false}, {0.5, false} /* tie to even: 0 */, {-0.6, true}, {1.5, true},
                        {360, true}};
  for (const Case& c : cases) {
    ViewState state;
    ASSERT_TRUE(state.Rotate(c.degrees));
    EXPECT_EQ(state.RotationActive(), c.active) << c.degrees;
  }
  // An inactive rotation does not move pixels even though the angle is stored.
  const ViewState slight = RotatedSquare(0.4);
  EXPECT_EQ(slight.MapToPixel(0, 1000), (TPixelPoint{0, 0}));
}

TEST(Rotate, RefusesNonFiniteAnglesAndKeepsTheOldOne) {
  ViewState state;
  ASSERT_TRUE(state.Rotate(30));
  EXPECT_FALSE(state.Rotate(kNaN));
  EXPECT_FALSE(state.Rotate(kInf));
  EXPECT_DOUBLE_EQ(state.RotationAngle(), 30 * kRadiansPerDegree);
  EXPECT_TRUE(state.RotationActive());
}

TEST(UnrotateMousePixel, UndoesTheRotationAboutTheClientCentre) {
  const ViewState state = RotatedSquare(90);
  // The north-west corner is drawn at (100, 0); clicking there means pixel (0, 0).
  EXPECT_EQ(state.UnrotateMousePixel({100, 0}), (TPixelPoint{0, 0}));
  EXPECT_EQ(state.UnrotateMousePixel({50, 50}), (TPixelPoint{50, 50}));
  EXPECT_EQ(RotatedSquare(0).UnrotateMousePixel({7, 9}), (TPixelPoint{7, 9}));
  const TLonLat nw = state.CursorLonLat({100, 0});
  EXPECT_DOUBLE_EQ(nw.Lon, 0.0);
  EXPECT_DOUBLE_EQ(nw.Lat, 1000 * kDegreesPerUnit);
}

TEST(PixelToMap, RoundsXButTruncatesY) {
  ViewState state = PlacedView(0.3);
  const std::int32_t left = state.View().Left;
  const std::int32_t top = state.View().Top;
  EXPECT_EQ(state.PixelToMapX(1), left + 3);  // 3.33
  EXPECT_EQ(state.PixelToMapX(2), left + 7);  // 6.67 rounds up
  EXPECT_EQ(state.PixelToMapY(1), top - 3);
  EXPECT_EQ(state.PixelToMapY(2), top - 6);  // 6.67 truncates
}

TEST(PixelToMap, FallsBackToZeroForXAndOneForY) {
  ViewState state = PlacedView();
  state.View().Scale = 0;
  state.View().ScaleY = 0;
  EXPECT_EQ(state.PixelToMapX(5), 0);  // 5 / 0 = inf
  EXPECT_EQ(state.PixelToMapX(0), 0);  // 0 / 0 = NaN
  EXPECT_EQ(state.PixelToMapY(5), 1);
  EXPECT_EQ(state.PixelToMapY(0), 1);

  ViewState edge = PlacedView(1.0);
  edge.View().Left = std::numeric_limits<std::int32_t>::max() - 10;
  edge.View().Top = std::numeric_limits<std::int32_t>::min() + 10;
  EXPECT_EQ(edge.PixelToMapX(100), 0);  // the sum leaves int32
  EXPECT_EQ(edge.PixelToMapY(100), 1);
}

TEST(IntConversions, ConvertDegreesToPixelsAndBack) {
  const ViewState state = PlacedView();
  EXPECT_EQ(state.Lon2Int(kLeft * kDegreesPerUnit), 0);
  EXPECT_EQ(state.Lon2Int(kRight * kDegreesPerUnit), 250);
  EXPECT_EQ(state.Lat2Int(kBottom * kDegreesPerUnit), 165);
  EXPECT_EQ(state.Lat2Int(kTop * kDegreesPerUnit), 0);
  EXPECT_DOUBLE_EQ(state.Int2Lon(0), kLeft * kDegreesPerUnit);
  EXPECT_DOUBLE_EQ(state.Int2Lon(250), kRight * kDegreesPerUnit);
  EXPECT_DOUBLE_EQ(state.Int2Lat(0), kTop * kDegreesPerUnit);
  // 40,000 pixels east: only the low 16 bits come back, sign-extended.
  EXPECT_EQ(state.Lon2Int(166.4), -25536);
}

TEST(IntConversions, LatitudeRoundTripCanMoveByOnePixel) {
  // Lat2Int measures up from Bottom and rounds; PixelToMapY measures down from
  // Top and truncates. Here Top = Bottom + round(165 / 0.6 + 0.5) = Bottom + 276.
  ViewState state = PlacedView(0.6);
  ASSERT_EQ(state.View().Top - state.View().Bottom, 276);
  EXPECT_EQ(state.Lat2Int(state.Int2Lat(10)), 9);
  for (std::int32_t py = 0; py < 165; ++py) {
    EXPECT_LE(std::abs(state.Lat2Int(state.Int2Lat(py)) - py), 1) << py;
  }
}

TEST(IntConversions, GiveOneForValuesWithoutAPixel) {
  const ViewState state = PlacedView();
  for (double bad : {kNaN, kInf, -kInf, 1e300}) {
    EXPECT_EQ(state.Lon2Int(bad), 1) << bad;
    EXPECT_EQ(state.Lat2Int(bad), 1) << bad;
  }
}

TEST(LL2Int, PacksXHighAndYLow) {
  const ViewState state = PlacedView();
  const double lonLeft = state.LonLeft();
  const double latTop = state.LatTop();
  EXPECT_EQ(state.LL2Int(lonLeft, latTop), 0);
  EXPECT_EQ(state.LL2Int(lonLeft, state.LatBottom()), 165);
  EXPECT_EQ(state.LL2Int(state.LonRight(), latTop), 250 << 16);
  // 40,000 pixels east of the view: x keeps its low 16 bits (0x9C40).
  EXPECT_EQ(state.LL2Int(166.4, latTop), static_cast<std::int32_t>(0x9C400000u));
  // 100 units west of the corner is pixel x = -1: all ones in the high half.
  EXPECT_EQ(state.LL2Int((kLeft - 100) * kDegreesPerUnit, latTop), static_cast<std::int32_t>(0xFFFF0000u));
}

TEST(LL2Int, FollowsTheRotation) {
  const ViewState state = RotatedSquare(90);
  EXPECT_EQ(state.LL2Int(0, 1000 * kDegreesPerUnit), 100 << 16);
}

TEST(LL2Int, GivesPackedPixelOneOneForDegreesWithoutMapUnits) {
  const ViewState state = PlacedView();
  for (double bad : {kNaN, kInf, 1e300, 200000.0}) {
    EXPECT_EQ(state.LL2Int(bad, 40), 0x00010001) << bad;
    EXPECT_EQ(state.LL2Int(-87, bad), 0x00010001) << bad;
  }
}

TEST(CursorLonLat, DoesNotRoundToWholeMapUnits) {
  const ViewState state = PlacedView(0.03);
  const TLonLat at = state.CursorLonLat({1, 2});
  EXPECT_DOUBLE_EQ(at.Lon, (1 / 0.03 + kLeft) * kDegreesPerUnit);
  EXPECT_DOUBLE_EQ(at.Lat, (state.View().Top - 2 / 0.03) * kDegreesPerUnit);
  EXPECT_NE(at.Lon, state.Int2Lon(1));  // Int2Lon rounds to a whole unit
}

TEST(EdgesInDegrees, AreTheEdgesTimesTheUnitSize) {
  const ViewState state = PlacedView();
  EXPECT_DOUBLE_EQ(state.LonLeft(), -89.6);
  EXPECT_DOUBLE_EQ(state.LonRight(), -88.0);
  EXPECT_DOUBLE_EQ(state.LatBottom(), 38.4);
  EXPECT_DOUBLE_EQ(state.LatTop(), 39.456);
}

}  // namespace
}  // namespace quelmar::core
