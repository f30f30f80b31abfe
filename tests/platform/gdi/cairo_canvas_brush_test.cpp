// Hatched and pattern brushes: 8x8 tiles repeated from the device origin,
// with hatch gaps following the background mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/cairo_canvas.h"
#include "platform/gdi/pixel_checks.h"

namespace quelmar::gdi {
namespace {

using testing::kBlack;
using testing::kBlue;
using testing::kRed;
using testing::kWhite;
using testing::Picture;

struct HatchCase {
  HatchStyle style;
  std::vector<std::string> tile;  // 8 rows of 8 pixels, '#' for the hatch colour
};

// The tile repeated to 16x8 pixels.
std::string Tiled(const std::vector<std::string>& tile) {
  std::string text;
  for (const std::string& row : tile) text += row + row + "\n";
  return text;
}

class HatchBrushTest : public ::testing::TestWithParam<HatchCase> {};

TEST_P(HatchBrushTest, RepeatsEveryEightPixelsFromTheDeviceOrigin) {
  const HatchCase& c = GetParam();
  Bitmap bitmap(16, 8);
  bitmap.Fill(kWhite);
  CairoCanvas canvas(bitmap);
  // The origin moves the logical coordinates, not the tile.
  canvas.SetWindowOrigin(Point{3, 5});
  canvas.FillRect(Rect{3, 5, 19, 13}, Brush::Hatch(c.style, kBlack));
  EXPECT_EQ(Picture(bitmap), Tiled(c.tile));
}

INSTANTIATE_TEST_SUITE_P(
    Styles, HatchBrushTest,
    ::testing::Values(
        HatchCase{HatchStyle::Horizontal,
                  {"........", "........", "........", "........", "........", "........", "........", "########"}},
        HatchCase{HatchStyle::Vertical,
                  {"....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#..."}},
        HatchCase{HatchStyle::FDiagonal,
                  {"#.......", ".#......", "..#.....", "...#....", "....#...", ".....#..", "......#.", ".......#"}},
        HatchCase{HatchStyle::BDiagonal,
                  {".......#", "......#.", ".....#..", "....#...", "...#....", "..#.....", ".#......", "#......."}},
        HatchCase{HatchStyle::Cross,
                  {"....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "########"}},
        HatchCase{HatchStyle::DiagCross,
                  {"#......#", ".#....#.", "..#..#..", "...##...", "...##...", "..#..#..", ".#....#.", "#......#"}}));

TEST(HatchBackgroundTest, GapsTakeTheBackgroundColourOnlyWhenOpaque) {
  Bitmap bitmap(8, 8);
  CairoCanvas canvas(bitmap);
  canvas.SetBkColor(kRed);
  const Brush hatch = Brush::Hatch(HatchStyle::Horizontal, kBlack);

  bitmap.Fill(kBlue);
  canvas.SetBkMode(BkMode::Transparent);
  canvas.FillRect(Rect{0, 0, 8, 8}, hatch);
  EXPECT_EQ(testing::CountPixels(bitmap, kBlack), 8);
  EXPECT_EQ(testing::CountPixels(bitmap, kBlue), 56);

  bitmap.Fill(kBlue);
  canvas.SetBkMode(BkMode::Opaque);
  canvas.FillRect(Rect{0, 0, 8, 8}, hatch);
  EXPECT_EQ(testing::CountPixels(bitmap, kBlack), 8);
  EXPECT_EQ(testing::CountPixels(bitmap, kRed), 56);
}

TEST(HatchShapeTest, ShapesFillWithTheSameTileAsFillRect) {
  Bitmap filled(16, 16), shaped(16, 16);
  filled.Fill(kWhite);
  shaped.Fill(kWhite);
  CairoCanvas fillCanvas(filled), shapeCanvas(shaped);
  const Brush hatch = Brush::Hatch(HatchStyle::DiagCross, kBlack);
  fillCanvas.FillRect(Rect{0, 0, 16, 16}, hatch);
  shapeCanvas.SetPen(Pen{PenStyle::Null, 1, kBlack});
  shapeCanvas.SetBrush(hatch);
  const Point square[] = {{0, 0}, {16, 0}, {16, 16}, {0, 16}};
  shapeCanvas.Polygon(square);
  EXPECT_EQ(Picture(shaped), Picture(filled));
}

TEST(PatternBrushTest, BitsMapToDevicePixelsWhateverTheOriginAndArea) {
  Brush brush;
  brush.style = BrushStyle::Pattern;
  brush.color = kBlack;
  brush.patternBack = kRed;
  brush.pattern = {0x80, 0x01, 0xF0, 0x0F, 0xAA, 0x55, 0x00, 0xFF};
  Bitmap bitmap(24, 20);
  bitmap.Fill(kWhite);
  CairoCanvas canvas(bitmap);
  canvas.SetWindowOrigin(Point{-7, 11});
  canvas.SetBrush(brush);
  canvas.SetPen(Pen{PenStyle::Null, 1, kBlack});
  canvas.Rectangle(Rect{-2, 14, 14, 31});  // device (5,3)-(21,20), drawn to (20,19)

  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 24; ++x) {
      const bool inside = x >= 5 && x < 20 && y >= 3 && y < 19;
      const bool bit = (brush.pattern[y % 8] & (0x80 >> (x % 8))) != 0;
      const COLORREF expected = !inside ? kWhite : bit ? kBlack : kRed;
      ASSERT_EQ(bitmap.Pixel(x, y), expected) << "at " << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace quelmar::gdi
