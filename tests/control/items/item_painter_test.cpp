// Drawing items and finding them: where symbols and labels go, what is
// skipped, the rectangles kept, and which item a pixel hits.
#include "control/items/item_painter.h"

#include <gtest/gtest.h>

#include "platform/gdi/recording_canvas.h"
#include "platform/gdi/text_measurer.h"
#include "symbol_fixtures.h"
#include "view_fixture.h"

namespace quelmar::items {
namespace {

using core::TPixelRect;
using gdi::DrawKind;

class Painter : public ::testing::Test {
 protected:
  void SetUp() override { test::OnePixelPerUnit(view_, 0, 0, 400, 300); }
  TMapItem& Add(ItemId id, int px, int py) {
    store_.Set(id, px, 300 - py, view_, [](const TPixelRect&) {});
    return *store_.Find(id);
  }
  std::vector<gdi::DrawRecord> Paint(std::span<const TPixelRect> only = {}) {
    gdi::RecordingCanvas canvas({400, 300});
    ItemPaint paint;
    paint.View = &view_;
    paint.Only = only;
    PaintItems(canvas, store_, paint);
    return canvas.Records();
  }
  std::shared_ptr<const Symbol> Square(int w, int h) {
    auto picture = test::Picture(w, h, [](int, int) { return gdi::RGB(1, 2, 3); });
    return Symbol::FromBitmap(*picture);
  }

  core::ViewState view_;
  ItemStore store_;
};

TEST_F(Painter, ASymbolIsCentredOnItsPointAndDrawnThroughItsMask) {
  Add(1, 100, 100).Bitmap = Square(9, 7);
  const auto records = Paint();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].kind, DrawKind::BitBlt);
  EXPECT_EQ(records[0].rop3, gdi::Rop3::SrcAnd);
  EXPECT_EQ(records[1].rop3, gdi::Rop3::SrcPaint);
  EXPECT_EQ(records[0].rect, (gdi::Rect{95, 96, 104, 103}));
  EXPECT_EQ(store_.Find(1)->Bounds, (TPixelRect{95, 96, 104, 103}));
}

TEST_F(Painter, LabelsSitInAWhiteBoxAboveTheSymbolOrOnThePoint) {
  const gdi::Font font = ItemLabelFont(14);
  const gdi::Size text = gdi::TextMeasurer::Measure(font, "Truck").AsSize();
  const int hw = text.cx / 2 + 2, hh = text.cy / 2 + 2;
  TMapItem& plain = Add(1, 100, 100);
  plain.Label = "Truck";
  TMapItem& marked = Add(2, 300, 200);
  marked.Label = "Truck";
  marked.Bitmap = Square(10, 10);
  const auto records = Paint();
  std::vector<gdi::DrawRecord> boxes, texts;
  for (const auto& r : records) {
    if (r.kind == DrawKind::Rectangle) boxes.push_back(r);
    if (r.kind == DrawKind::TextOut) texts.push_back(r);
  }
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].rect, (gdi::Rect{100 - hw, 100 - hh + 1, 100 + hw, 100 + hh}));
  EXPECT_EQ(boxes[0].state.brush, gdi::Brush::Solid(0xFFFFFF));
  EXPECT_EQ(boxes[0].state.pen.color, 0u);
  const int up = (10 / 2 + 1) + hh + 1;
  EXPECT_EQ(boxes[1].rect, (gdi::Rect{300 - hw, 200 - hh - up + 1, 300 + hw, 200 + hh - up}));
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].points[0], (gdi::Point{100, 100 - hh + 3}));
  EXPECT_EQ(texts[0].state.textAlign, gdi::TA_CENTER | gdi::TA_TOP);
  EXPECT_EQ(texts[0].state.font.height, 14);
  // Both label rectangles are covered by the kept rectangles, the symbol too.
  EXPECT_EQ(store_.Find(1)->Bounds, (TPixelRect{100 - hw, 100 - hh, 100 + hw, 100 + hh}));
  EXPECT_EQ(store_.Find(2)->Bounds.Bottom, 200 - 6 + 10);
  EXPECT_EQ(store_.Find(2)->Bounds.Top, 200 - hh - up);
}

TEST_F(Painter, HiddenItemsAndItemsOutsideTheViewAreNotDrawn) {
  Add(1, 100, 100).Bitmap = Square(4, 4);
  Add(2, 500, 100).Bitmap = Square(4, 4);  // east of the view
  TMapItem& hidden = Add(3, 50, 50);
  hidden.Bitmap = Square(4, 4);
  hidden.Visible = false;
  EXPECT_EQ(Paint().size(), 2u);
}

TEST_F(Painter, ARepaintOfSomeRectanglesDrawsOnlyTheItemsTouchingThem) {
  Add(1, 100, 100).Bitmap = Square(4, 4);
  Add(2, 200, 100).Bitmap = Square(4, 4);
  Paint();
  const TPixelRect around2[] = {{190, 90, 210, 110}};
  const auto records = Paint(around2);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].rect.left, 197);
}

TEST_F(Painter, TurnedSymbolsAreDrawnInTheirTurnedRectangleFromThenOn) {
  TMapItem& item = Add(1, 100, 100);
  item.Bitmap = Square(20, 8);
  item.Angle = 90;
  auto records = Paint();
  EXPECT_EQ(records[0].rect, (gdi::Rect{95, 89, 103, 109}));
  EXPECT_TRUE(store_.Find(1)->Rotated);
  store_.Find(1)->Angle = 0;
  records = Paint();  // upright again, still through the turning path
  EXPECT_EQ(records[0].rect, (gdi::Rect{89, 95, 109, 103}));
  EXPECT_NE(records[0].source, &store_.Find(1)->Bitmap->Upright().MaskCanvas);
}

TEST_F(Painter, TheHitIsTheSmallestIdentifierNotTheItemOnTop) {
  Add(9, 100, 100).Bitmap = Square(10, 10);
  Add(4, 103, 102).Bitmap = Square(10, 10);
  store_.ToFront(9);
  const gdi::Font font = ItemLabelFont(14);
  EXPECT_EQ(HitItem(store_, view_, font, {100, 100}), 4);
  EXPECT_EQ(HitItem(store_, view_, font, {95, 95}), 9);
  EXPECT_EQ(HitItem(store_, view_, font, {200, 200}), std::nullopt);
  store_.Find(4)->Visible = false;
  EXPECT_EQ(HitItem(store_, view_, font, {100, 100}), 9);
  // A label is hit where it is drawn: above the symbol.
  TMapItem& labelled = Add(20, 300, 200);
  labelled.Label = "Depot";
  labelled.Bitmap = Square(10, 10);
  EXPECT_EQ(HitItem(store_, view_, font, {300, 185}), 20);
}

}  // namespace
}  // namespace quelmar::items
