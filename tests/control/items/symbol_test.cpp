// Symbols: pictures turned to 8 bits, strips of picture and mask, the
// transparent bottom-left colour, and turned pictures.
#include "control/items/symbol.h"

#include <gtest/gtest.h>

#include "control/core/errors.h"
#include "control/items/symbol_rotation.h"
#include "symbol_fixtures.h"

namespace quelmar::items {
namespace {

constexpr gdi::COLORREF kRed = gdi::RGB(255, 0, 0), kBlue = gdi::RGB(0, 0, 255), kWhite = 0xFFFFFF;

TEST(Symbol, KeepsUpTo256ColoursExactly) {
  auto picture = test::Picture(16, 16, [](int x, int y) { return gdi::RGB(static_cast<std::uint8_t>(x * 16 + y), 7, 9); });
  const auto symbol = Symbol::FromBitmap(*picture);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) ASSERT_EQ(symbol->Colour(x, y), picture->Pixel(x, y)) << x << "," << y;
  }
}

TEST(Symbol, MoreColoursGoToTheNearestOfTheCube) {
  auto picture = test::Picture(32, 32, [](int x, int y) { return gdi::RGB(static_cast<std::uint8_t>(x * 8), static_cast<std::uint8_t>(y * 8), 250); });
  const auto symbol = Symbol::FromBitmap(*picture);
  EXPECT_EQ(symbol->Colour(0, 0), gdi::RGB(0, 0, 255));
  EXPECT_EQ(symbol->Colour(31, 31), gdi::RGB(255, 255, 255));
  EXPECT_EQ(symbol->Colour(16, 0), gdi::RGB(153, 0, 255));  // 128 lies nearest 153 of 0, 51, 102, 153, ...
}

TEST(Symbol, RefusesSizesItCannotDraw) {
  EXPECT_THROW(Symbol(0, 5, {}, {}), ArgumentError);
  EXPECT_THROW(Symbol(kMaxSymbolSide + 1, 1, {}, std::vector<std::uint8_t>(kMaxSymbolSide + 1)), ArgumentError);
  EXPECT_THROW(Symbol(2, 2, {}, std::vector<std::uint8_t>(3)), ArgumentError);
}

TEST(Symbol, ASingleImageIsTransparentInItsBottomLeftColour) {
  auto picture = test::Picture(5, 4, [](int x, int y) { return x == 2 && y == 1 ? kRed : kWhite; });
  const auto symbol = Symbol::FromBitmap(*picture);
  EXPECT_FALSE(symbol->IsStrip());
  EXPECT_EQ(symbol->DrawnWidth(), 5);
  const SymbolImage& image = symbol->Upright();
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      const bool shows = x == 2 && y == 1;
      EXPECT_EQ(symbol->Opaque(x, y), shows);
      EXPECT_EQ(image.Mask.Pixel(x, y), shows ? 0u : kWhite);
      EXPECT_EQ(image.Picture.Pixel(x, y), shows ? kRed : 0u);
    }
  }
}

TEST(Symbol, FortyByTwentyIsATwentySquarePictureWithItsMask) {
  // Left half blue; right half the mask, black (shows) on the left column only.
  auto picture = test::Picture(40, 20, [](int x, int) { return x < 20 ? kBlue : (x == 20 ? 0 : kWhite); });
  const auto symbol = Symbol::FromBitmap(*picture);
  EXPECT_TRUE(symbol->IsStrip());
  EXPECT_EQ(symbol->DrawnWidth(), 20);
  EXPECT_EQ(symbol->Height(), 20);
  const SymbolImage& image = symbol->Upright();
  EXPECT_EQ(image.Picture.Width(), 20);
  EXPECT_TRUE(symbol->Opaque(0, 5));
  EXPECT_FALSE(symbol->Opaque(1, 5));
  EXPECT_EQ(image.Picture.Pixel(0, 5), kBlue);
  EXPECT_EQ(image.Mask.Pixel(1, 5), kWhite);
}

TEST(SymbolRotation, AQuarterTurnMovesEachPixelClockwiseAboutTheCentre) {
  // 6 x 4: white background (the bottom-left colour), a red top-left pixel and a blue top-right.
  auto picture = test::Picture(6, 4, [](int x, int y) { return y == 0 && x == 0 ? kRed : y == 0 && x == 5 ? kBlue : kWhite; });
  const auto symbol = Symbol::FromBitmap(*picture);
  const auto turned = RotateSymbol(*symbol, 90);
  ASSERT_EQ(turned->Picture.Width(), 4);
  ASSERT_EQ(turned->Picture.Height(), 6);
  // Turned clockwise, the top-left goes to the top-right and the top-right to the bottom-right.
  EXPECT_EQ(turned->Picture.Pixel(3, 0), kRed);
  EXPECT_EQ(turned->Picture.Pixel(3, 5), kBlue);
  int shown = 0;
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 4; ++x) shown += turned->Mask.Pixel(x, y) == 0;
  }
  EXPECT_EQ(shown, 2);  // the white background stays transparent
}

TEST(SymbolRotation, OutsideTheTurnedPictureIsTransparent) {
  auto picture = test::Picture(21, 21, [](int x, int y) { return x == 0 && y == 20 ? kWhite : kRed; });
  const auto turned = RotateSymbol(*Symbol::FromBitmap(*picture), 45);
  const int side = turned->Picture.Width();
  EXPECT_EQ(side, 30);  // 21 × √2 rounded up
  EXPECT_EQ(turned->Mask.Pixel(0, 0), kWhite);  // the corners lie outside the diamond
  EXPECT_EQ(turned->Mask.Pixel(side - 1, side - 1), kWhite);
  EXPECT_EQ(turned->Mask.Pixel(side / 2, side / 2), 0u);
  EXPECT_EQ(turned->Picture.Pixel(side / 2, side / 2), kRed);
}

TEST(SymbolRotation, BoundsOfTurnedRectangles) {
  struct Case {
    double degrees;
    core::TPixelRect expected;
  };
  const core::TPixelRect r{10, 20, 30, 30};  // 20 x 10
  for (const Case& c : {Case{0, {10, 20, 30, 30}}, Case{90, {15, 15, 25, 35}}, Case{180, {10, 20, 30, 30}},
                        Case{-90, {15, 15, 25, 35}}, Case{360 + 90, {15, 15, 25, 35}}}) {
    SCOPED_TRACE(c.degrees);
    EXPECT_EQ(RotatedBounds(r, c.degrees), c.expected);
  }
}

}  // namespace
}  // namespace quelmar::items
