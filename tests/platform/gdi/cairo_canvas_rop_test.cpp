// Pen mix modes are bitwise operations on the pixel values, applied once per
// covered pixel.
#include <gtest/gtest.h>

#include "platform/gdi/cairo_canvas.h"
#include "platform/gdi/pixel_checks.h"

namespace quelmar::gdi {
namespace {

using testing::kBlack;
using testing::kWhite;
using testing::Picture;

// A bitmap with many different colours, so bitwise results are not
// mistaken for blending.
void PaintGradient(Bitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      bitmap.SetPixel(x, y, RGB(static_cast<std::uint8_t>(x * 17), static_cast<std::uint8_t>(y * 29),
                                static_cast<std::uint8_t>(x * y * 7 + 3)));
    }
  }
}

struct RopCase {
  Rop2 rop;
  COLORREF (*expected)(COLORREF pen, COLORREF dst);
};

class Rop2Test : public ::testing::TestWithParam<RopCase> {};

TEST_P(Rop2Test, EveryPixelOfTheShapeGetsTheBitwiseResult) {
  Bitmap bitmap(12, 10), before(12, 10);
  PaintGradient(bitmap);
  PaintGradient(before);
  CairoCanvas canvas(bitmap);
  const COLORREF pen = RGB(0x5A, 0xC3, 0x0F);
  canvas.SetRop2(GetParam().rop);
  canvas.SetPen(Pen{PenStyle::Solid, 1, pen});
  canvas.SetBrush(Brush::Solid(pen));
  canvas.Rectangle(Rect{2, 2, 9, 8});

  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool covered = x >= 2 && x < 9 && y >= 2 && y < 8;
      const COLORREF expected = covered ? GetParam().expected(pen, before.Pixel(x, y)) : before.Pixel(x, y);
      ASSERT_EQ(bitmap.Pixel(x, y), expected) << "at " << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Rop2Test,
    ::testing::Values(RopCase{Rop2::CopyPen, [](COLORREF p, COLORREF) { return p; }},
                      RopCase{Rop2::XorPen, [](COLORREF p, COLORREF d) { return p ^ d; }},
                      RopCase{Rop2::Not, [](COLORREF, COLORREF d) { return ~d & 0xFFFFFFu; }},
                      RopCase{Rop2::MaskPen, [](COLORREF p, COLORREF d) { return p & d; }},
                      RopCase{Rop2::MergePen, [](COLORREF p, COLORREF d) { return p | d; }},
                      RopCase{Rop2::NotCopyPen, [](COLORREF p, COLORREF) { return ~p & 0xFFFFFFu; }}));

TEST(XorPenTest, DrawingTwiceRestoresEveryPixel) {
  Bitmap bitmap(20, 16), before(20, 16);
  PaintGradient(bitmap);
  PaintGradient(before);
  CairoCanvas canvas(bitmap);
  canvas.SetRop2(Rop2::XorPen);
  canvas.SetBrush(Brush::Hatch(HatchStyle::DiagCross, RGB(0xF0, 0x0F, 0x33)));
  canvas.SetBkMode(BkMode::Transparent);
  const auto drawAll = [&canvas] {
    canvas.SetPen(Pen{PenStyle::Solid, 1, RGB(0xFF, 0xFF, 0xFF)});
    canvas.MoveTo(Point{0, 0});
    canvas.LineTo(Point{19, 15});  // crosses the shapes below
    canvas.SetPen(Pen{PenStyle::Dot, 1, RGB(0x80, 0x40, 0x20)});
    canvas.Rectangle(Rect{1, 1, 12, 10});
    canvas.SetPen(Pen{PenStyle::Solid, 4, RGB(0x12, 0x34, 0x56)});
    const Point zigzag[] = {{2, 14}, {8, 3}, {14, 14}, {18, 2}};
    canvas.Polyline(zigzag);
    canvas.Ellipse(Rect{6, 4, 19, 15});
  };
  drawAll();
  EXPECT_GT(testing::CountDifferences(bitmap, before), 60);
  drawAll();
  EXPECT_EQ(testing::CountDifferences(bitmap, before), 0);
}

TEST(XorPenTest, RubberBandRectangleIsInvertedOnceAndRespectsTheClip) {
  Bitmap bitmap(8, 6);
  bitmap.Fill(kWhite);
  CairoCanvas canvas(bitmap);
  canvas.SetRop2(Rop2::Not);
  canvas.SetBrush(Brush::Null());
  canvas.IntersectClipRect(Rect{0, 0, 5, 6});
  canvas.Rectangle(Rect{1, 1, 7, 5});
  EXPECT_EQ(Picture(bitmap), testing::Rows({
                                 "........",
                                 ".####...",
                                 ".#......",
                                 ".#......",
                                 ".####...",
                                 "........",
                             }));
}

TEST(XorPenTest, AntialiasedShapesStillCombineBitwise) {
  Bitmap bitmap(16, 16), before(16, 16);
  PaintGradient(bitmap);
  PaintGradient(before);
  CairoCanvas canvas(bitmap);
  canvas.SetAntialias(true);
  canvas.SetRop2(Rop2::XorPen);
  canvas.SetPen(Pen{PenStyle::Solid, 3, RGB(0xFF, 0xFF, 0xFF)});
  canvas.MoveTo(Point{1, 2});
  canvas.LineTo(Point{14, 11});
  EXPECT_GT(testing::CountDifferences(bitmap, before), 20);
  canvas.MoveTo(Point{1, 2});
  canvas.LineTo(Point{14, 11});
  EXPECT_EQ(testing::CountDifferences(bitmap, before), 0);
}

}  // namespace
}  // namespace quelmar::gdi
