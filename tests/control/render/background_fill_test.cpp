// The map background: a plain fill for any colour but black, and for black the
// grey dotted texture tiled from the rectangle's top-left corner.
#include "control/render/background_fill.h"

#include <gtest/gtest.h>

#include "control/render/background_texture.h"
#include "platform/gdi/cairo_canvas.h"
#include "platform/gdi/recording_canvas.h"

namespace quelmar::render {
namespace {

TEST(BackgroundFill, ColourFillsTheRectangle) {
  gdi::RecordingCanvas canvas({300, 200});
  std::minstd_rand random;
  FillMapBackground(canvas, {5, 6, 200, 100}, gdi::RGB(0xFF, 0xFF, 0xAF), random);
  ASSERT_EQ(canvas.Records().size(), 1u);
  const gdi::DrawRecord& fill = canvas.Records()[0];
  EXPECT_EQ(fill.kind, gdi::DrawKind::FillRect);
  EXPECT_EQ(fill.rect, (gdi::Rect{5, 6, 200, 100}));
  EXPECT_EQ(fill.fillBrush, gdi::Brush::Solid(gdi::RGB(0xFF, 0xFF, 0xAF)));
}

TEST(BackgroundFill, BlackTilesTheTextureFromTheTopLeftCorner) {
  gdi::RecordingCanvas canvas({300, 200});
  std::minstd_rand random;
  FillMapBackground(canvas, {10, 20, 170, 120}, 0, random);
  const auto blits = canvas.RecordsOf(gdi::DrawKind::BitBlt);
  ASSERT_EQ(blits.size(), 6u);  // 3 tiles across (75, 75, 10), 2 down (75, 25)
  EXPECT_EQ(blits[0].rect, (gdi::Rect{10, 20, 85, 95}));
  EXPECT_EQ(blits[2].rect, (gdi::Rect{160, 20, 170, 95}));
  EXPECT_EQ(blits[5].rect, (gdi::Rect{160, 95, 170, 120}));
  for (const auto& blit : blits) EXPECT_EQ(blit.points, (std::vector<gdi::Point>{{0, 0}}));
}

TEST(BackgroundTexture, GreyTileWithLitDots) {
  gdi::Bitmap tile(kBackgroundTileSize, kBackgroundTileSize);
  std::minstd_rand random;
  PaintBackgroundTexture(tile, random);
  int dots = 0;
  for (int y = 0; y < kBackgroundTileSize; ++y) {
    for (int x = 0; x < kBackgroundTileSize; ++x) {
      const gdi::COLORREF c = tile.Pixel(x, y);
      if (x == 74 || y == 74) {
        // Dots and their lights stay within the first 74 columns and rows.
        EXPECT_EQ(c, kBackgroundTileColor) << x << "," << y;
        continue;
      }
      ASSERT_TRUE(c == kBackgroundTileColor || c == kBackgroundDotColor || c == kBackgroundDotLight) << x << "," << y;
      if (c == kBackgroundDotColor) ++dots;
    }
  }
  // 1,369 dots, some landing on others or lit over by the dot below.
  EXPECT_GT(dots, 700);
  EXPECT_LE(dots, kBackgroundDots);
}

TEST(BackgroundTexture, MadeAfreshForEachFill) {
  gdi::Bitmap target(150, 75);
  gdi::CairoCanvas canvas(target);
  std::minstd_rand random;
  FillMapBackground(canvas, {0, 0, 75, 75}, 0, random);
  FillMapBackground(canvas, {75, 0, 150, 75}, 0, random);
  int differing = 0;
  for (int y = 0; y < 75; ++y) {
    for (int x = 0; x < 75; ++x) differing += target.Pixel(x, y) != target.Pixel(x + 75, y);
  }
  EXPECT_GT(differing, 100);
}

}  // namespace
}  // namespace quelmar::render
