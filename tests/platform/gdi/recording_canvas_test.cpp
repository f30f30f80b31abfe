#include "platform/gdi/recording_canvas.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/gdi/cairo_canvas.h"
#include "platform/gdi/pixel_checks.h"

namespace quelmar::gdi {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(RecordingCanvasTest, RecordsEachCallWithItsGeometry) {
  RecordingCanvas canvas(Size{640, 480});
  EXPECT_EQ(canvas.DeviceSize(), (Size{640, 480}));
  EXPECT_EQ(canvas.TargetBitmap(), nullptr);

  canvas.MoveTo(Point{1, 2});
  canvas.LineTo(Point{3, 4});
  canvas.LineTo(Point{5, 6});
  const Point line[] = {{0, 0}, {10, 10}, {20, 0}};
  canvas.Polyline(line);
  canvas.Polygon(line);
  canvas.Rectangle(Rect{1, 1, 5, 5});
  canvas.Ellipse(Rect{2, 2, 6, 6});
  canvas.FillRect(Rect{0, 0, 3, 3}, Brush::Hatch(HatchStyle::Cross, RGB(1, 2, 3)));
  canvas.TextOut(Point{7, 8}, "Elm St");
  RecordingCanvas other(Size{10, 10});
  canvas.BitBlt(Rect{0, 0, 4, 4}, other, Point{9, 9}, Rop3::SrcInvert);

  const auto& r = canvas.Records();
  ASSERT_EQ(r.size(), 10u);
  EXPECT_EQ(r[0].kind, DrawKind::MoveTo);
  EXPECT_THAT(r[1].points, ElementsAre(Point{1, 2}, Point{3, 4}));
  EXPECT_THAT(r[2].points, ElementsAre(Point{3, 4}, Point{5, 6}));
  EXPECT_THAT(r[3].points, ElementsAre(Point{0, 0}, Point{10, 10}, Point{20, 0}));
  EXPECT_EQ(r[4].kind, DrawKind::Polygon);
  EXPECT_EQ(r[5].rect, (Rect{1, 1, 5, 5}));
  EXPECT_EQ(r[6].kind, DrawKind::Ellipse);
  EXPECT_EQ(r[7].fillBrush, Brush::Hatch(HatchStyle::Cross, RGB(1, 2, 3)));
  EXPECT_EQ(r[8].text, "Elm St");
  EXPECT_THAT(r[8].points, ElementsAre(Point{7, 8}));
  EXPECT_EQ(r[9].rop3, Rop3::SrcInvert);
  EXPECT_EQ(r[9].source, &other);
  EXPECT_THAT(r[9].points, ElementsAre(Point{9, 9}));
  EXPECT_EQ(canvas.RecordsOf(DrawKind::LineTo).size(), 2u);

  canvas.Clear();
  EXPECT_TRUE(canvas.Records().empty());
}

TEST(RecordingCanvasTest, EachRecordCarriesTheStateInForce) {
  RecordingCanvas canvas(Size{100, 100});
  canvas.Rectangle(Rect{0, 0, 1, 1});
  const Pen pen{PenStyle::Dash, 1, RGB(255, 0, 0)};
  Font font{"Arial"};
  font.height = -14;
  font.escapement = 450;
  canvas.SaveState();
  canvas.SetPen(pen);
  canvas.SetBrush(Brush::Null());
  canvas.SetFont(font);
  canvas.SetTextColor(RGB(0, 0, 255));
  canvas.SetBkMode(BkMode::Transparent);
  canvas.SetBkColor(RGB(9, 9, 9));
  canvas.SetTextAlign(TA_CENTER | TA_BASELINE);
  canvas.SetRop2(Rop2::XorPen);
  canvas.SetWindowOrigin(Point{50, 60});
  canvas.IntersectClipRect(Rect{50, 60, 70, 90});
  canvas.TextOut(Point{55, 65}, "I-90");
  canvas.RestoreState(-1);
  canvas.Rectangle(Rect{0, 0, 1, 1});

  const auto& r = canvas.Records();
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].state, CanvasState{}) << "a new canvas has the default state";
  const CanvasState& s = r[1].state;
  EXPECT_EQ(s.pen, pen);
  EXPECT_EQ(s.brush, Brush::Null());
  EXPECT_EQ(s.font, font);
  EXPECT_EQ(s.textColor, RGB(0, 0, 255));
  EXPECT_EQ(s.bkMode, BkMode::Transparent);
  EXPECT_EQ(s.bkColor, RGB(9, 9, 9));
  EXPECT_EQ(s.textAlign, TA_CENTER | TA_BASELINE);
  EXPECT_EQ(s.rop2, Rop2::XorPen);
  EXPECT_EQ(s.windowOrigin, (Point{50, 60}));
  ASSERT_TRUE(s.clip.has_value());
  EXPECT_THAT(s.clip->Rects(), ElementsAre(Rect{0, 0, 20, 30})) << "clips are kept in device coordinates";
  EXPECT_EQ(s.ToDevice(r[1].points[0]), (Point{5, 5}));
  EXPECT_EQ(r[2].state, r[0].state) << "RestoreState brings the defaults back";
}

TEST(RecordingCanvasTest, MeasuresTextLikeTheCairoCanvas) {
  RecordingCanvas recorder(Size{10, 10});
  Bitmap bitmap(10, 10);
  CairoCanvas painter(bitmap);
  for (int height : {8, 12, -13, 24}) {
    Font font{"Arial"};
    font.height = height;
    recorder.SetFont(font);
    painter.SetFont(font);
    EXPECT_EQ(recorder.MeasureText("Lake Shore Dr"), painter.MeasureText("Lake Shore Dr")) << "height " << height;
  }
}

TEST(RecordingCanvasTest, ToStringNamesTheCallGeometryAndState) {
  RecordingCanvas canvas(Size{10, 10});
  canvas.SetPen(Pen{PenStyle::Solid, 2, RGB(255, 0, 0)});
  canvas.IntersectClipRect(Rect{0, 0, 5, 5});
  canvas.Rectangle(Rect{1, 2, 3, 4});
  const std::string text = canvas.Records().front().ToString();
  EXPECT_THAT(text, HasSubstr("Rectangle"));
  EXPECT_THAT(text, HasSubstr("rect=(1,2)-(3,4)"));
  EXPECT_THAT(text, HasSubstr("pen=Solid/2/$000000FF"));
  EXPECT_THAT(text, HasSubstr("clip=(0,0)-(5,5)"));
  EXPECT_EQ(::testing::PrintToString(canvas.Records().front()), text);
}

}  // namespace
}  // namespace quelmar::gdi
