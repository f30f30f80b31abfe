// Host drawing: marker symbols, clipped lines in the host's pen mode,
// bubbles, the north needle and the scale bar, as the calls they make.
#include "control/items/host_drawing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "control/core/errors.h"
#include "platform/gdi/recording_canvas.h"
#include "platform/gdi/text_measurer.h"
#include "view_fixture.h"

namespace quelmar::items {
namespace {

using gdi::DrawKind;
using gdi::Point;

class HostDrawing : public ::testing::Test {
 protected:
  void SetUp() override { test::OnePixelPerUnit(view_, 1000, 1000, 400, 300); }
  static core::TMapPoint At(int px, int py) { return {1000 + px, 1300 - py}; }

  core::ViewState view_;
  gdi::RecordingCanvas canvas_{{400, 300}};
};

TEST_F(HostDrawing, ObjectsAreAWhiteOuterAndAColouredInnerShape) {
  constexpr gdi::COLORREF kColour = gdi::RGB(0, 128, 0);
  struct Case {
    std::int32_t type;
    DrawKind kind;
    std::vector<Point> outer, inner;  // polygon vertices
    gdi::Rect outerRect, innerRect;   // ellipses and rectangles
  };
  const std::vector<Case> cases = {
      {1, DrawKind::Ellipse, {}, {}, {92, 42, 109, 59}, {95, 45, 106, 56}},
      {2, DrawKind::Rectangle, {}, {}, {92, 42, 109, 59}, {95, 45, 106, 56}},
      {3, DrawKind::Polygon, {{100, 41}, {109, 50}, {100, 59}, {91, 50}}, {{100, 44}, {106, 50}, {100, 56}, {94, 50}}, {}, {}},
      {4, DrawKind::Polygon, {{91, 54}, {100, 42}, {109, 54}}, {{95, 52}, {100, 46}, {105, 52}}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    canvas_.Clear();
    DrawObject(canvas_, view_, At(100, 50), c.type, kColour);
    const auto records = canvas_.RecordsOf(c.kind);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].state.brush, gdi::Brush::Solid(0xFFFFFF));
    EXPECT_EQ(records[1].state.brush, gdi::Brush::Solid(kColour));
    EXPECT_EQ(records[1].state.pen, (gdi::Pen{gdi::PenStyle::Solid, 1, 0}));
    if (c.kind == DrawKind::Polygon) {
      EXPECT_EQ(records[0].points, c.outer);
      EXPECT_EQ(records[1].points, c.inner);
    } else {
      EXPECT_EQ(records[0].rect, c.outerRect);
      EXPECT_EQ(records[1].rect, c.innerRect);
    }
  }
}

TEST_F(HostDrawing, ArrowsPointWestEastNorthAndSouthFromTheirTip) {
  struct Case {
    std::int32_t type;
    Point tail;  // the outer shape's fourth vertex, (22, 6) turned
  };
  for (const Case c : {Case{5, {122, 56}}, Case{6, {78, 56}}, Case{7, {106, 72}}, Case{8, {106, 28}}}) {
    SCOPED_TRACE(c.type);
    canvas_.Clear();
    DrawObject(canvas_, view_, At(100, 50), c.type, 0xFF);
    const auto polygons = canvas_.RecordsOf(DrawKind::Polygon);
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_EQ(polygons[1].points[0], (Point{100, 50}));  // the inner tip is the point
    EXPECT_EQ(polygons[0].points[3], c.tail);
  }
}

TEST_F(HostDrawing, NothingForOtherTypesOrThePointZero) {
  DrawObject(canvas_, view_, At(100, 50), 9, 0);
  DrawObject(canvas_, view_, At(100, 50), 0, 0);
  DrawObject(canvas_, view_, {0, 0}, 1, 0);
  EXPECT_TRUE(canvas_.Records().empty());
}

TEST_F(HostDrawing, LinesAreClippedToTheViewAndLeaveThePenAsItWas) {
  canvas_.SetRop2(gdi::Rop2::CopyPen);
  DrawLine(canvas_, view_, At(-100, 100), At(200, 100), 3, gdi::RGB(255, 0, 0), PenModeOf(7));
  const auto lines = canvas_.RecordsOf(DrawKind::LineTo);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].points, (std::vector<Point>{{0, 100}, {200, 100}}));
  EXPECT_EQ(lines[0].state.rop2, gdi::Rop2::XorPen);
  EXPECT_EQ(lines[0].state.pen, (gdi::Pen{gdi::PenStyle::Solid, 3, gdi::RGB(255, 0, 0)}));
  canvas_.Clear();
  DrawLine(canvas_, view_, At(-100, -10), At(-50, -10), 1, 0, gdi::Rop2::CopyPen);  // wholly outside
  EXPECT_TRUE(canvas_.RecordsOf(DrawKind::LineTo).empty());
  canvas_.LineTo({1, 1});
  EXPECT_EQ(canvas_.Records().back().state.rop2, gdi::Rop2::CopyPen);
  EXPECT_THROW(PenModeOf(0), ArgumentError);
  EXPECT_THROW(PenModeOf(17), ArgumentError);
}

TEST_F(HostDrawing, BubblesHoldTheirLinesAboveTheirTip) {
  gdi::Font font;
  const std::string longer = "Second line, longer";
  DrawBubble(canvas_, view_, At(100, 200), "First\r\n" + longer + "\r\r", font);
  const auto polygons = canvas_.RecordsOf(DrawKind::Polygon);
  ASSERT_EQ(polygons.size(), 1u);
  const int w = gdi::TextMeasurer::Measure(font, longer).width;
  const int h = 30;  // two lines that are not empty
  EXPECT_EQ(polygons[0].points, (std::vector<Point>{{100, 200},
                                                    {110, 180},
                                                    {110, 180 - h},
                                                    {100 + w + 18, 180 - h},
                                                    {100 + w + 18, 180},
                                                    {120, 180},
                                                    {100, 200}}));
  const auto texts = canvas_.RecordsOf(DrawKind::TextOut);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].points[0], (Point{114, 180 - h + 1}));
  EXPECT_EQ(texts[1].points[0], (Point{114, 180 - h + 16}));
  EXPECT_EQ(texts[1].text, longer);
}

TEST_F(HostDrawing, TheNorthNeedleTurnsWithTheView) {
  DrawNorth(canvas_, view_, 50, 60);
  auto polygons = canvas_.RecordsOf(DrawKind::Polygon);
  ASSERT_EQ(polygons.size(), 3u);
  EXPECT_EQ(polygons[0].points.front(), (Point{50, 16}));  // (0, 44): north is up
  EXPECT_EQ(canvas_.RecordsOf(DrawKind::Ellipse).size(), 12u);
  EXPECT_EQ(canvas_.RecordsOf(DrawKind::Ellipse)[0].rect, (gdi::Rect{39, 49, 61, 71}));
  const auto texts = canvas_.RecordsOf(DrawKind::TextOut);
  ASSERT_EQ(texts.size(), 10u);
  EXPECT_EQ(texts.back().state.textColor, 0u);
  EXPECT_EQ(texts.back().points[0], (Point{50, 53}));
  canvas_.Clear();
  ASSERT_TRUE(view_.Rotate(90));
  DrawNorth(canvas_, view_, 50, 60);
  polygons = canvas_.RecordsOf(DrawKind::Polygon);
  const Point tip = polygons[0].points.front();
  EXPECT_EQ(tip.y, 60);
  EXPECT_EQ(std::abs(tip.x - 50), 44);
}

TEST_F(HostDrawing, ScaleBarTexts) {
  // 0.05 mi is 264 ft: labelled 200 ft and shortened to 200/264 of the bar.
  core::ViewState view;
  core::TViewWindow& v = view.View();
  v.Left = static_cast<std::int32_t>(-87.6 * 15625);
  v.Bottom = static_cast<std::int32_t>(41.9 * 15625);
  v.Width = 400;
  v.Height = 300;
  // The scale for miles depends on the middle latitude, which depends on the scale.
  for (int i = 0; i < 5; ++i) {
    v.Scale = view.ScaleForMiles(0.05);
    view.DeriveEdges();
  }
  const core::TScaleBar raw = view.ScaleBar();
  ASSERT_NEAR(raw.Length, 0.05, 1e-9);
  const ScalebarText feet = ScalebarOf(view);
  EXPECT_EQ(feet.Text, " 200 ft");
  EXPECT_EQ(feet.Pixels, std::lround(raw.Pixels * 200.0 / 264.0));
  ASSERT_TRUE(view.SetMapunits(Mukm));
  EXPECT_EQ(ScalebarOf(view).Text.substr(ScalebarOf(view).Text.size() - 2), " m");
  v.Scale = view.ScaleForMiles(5);
  ASSERT_TRUE(view.SetMapunits(MuMi));
  EXPECT_EQ(ScalebarOf(view).Text, " 5 mi");
}

TEST_F(HostDrawing, TheScaleBarIsAFramedHalfGreyBarWithItsTextAtTheEnd) {
  gdi::Font font;
  const ScalebarText bar = ScalebarOf(view_);
  DrawScalebar(canvas_, view_, 10, 20, font);
  const int t = gdi::TextMeasurer::Measure(font, bar.Text).AsSize().cy + 2;
  const gdi::Rect r{10, 20 + t % 2 + 1, 10 + bar.Pixels, 20 + t};
  const auto fills = canvas_.RecordsOf(DrawKind::FillRect);
  ASSERT_EQ(fills.size(), 3u);
  EXPECT_EQ(fills[0].rect, r);
  EXPECT_EQ(fills[0].fillBrush, gdi::Brush::Solid(0xFFFFFF));
  EXPECT_EQ(fills[1].fillBrush, gdi::Brush::Solid(0x808080));
  ASSERT_EQ(canvas_.RecordsOf(DrawKind::Rectangle).size(), 1u);
  EXPECT_EQ(canvas_.RecordsOf(DrawKind::Rectangle)[0].rect, r);
  const auto texts = canvas_.RecordsOf(DrawKind::TextOut);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].points[0], (Point{10 + bar.Pixels, r.top}));
  EXPECT_EQ(texts[0].state.bkMode, gdi::BkMode::Opaque);
}

}  // namespace
}  // namespace quelmar::items
