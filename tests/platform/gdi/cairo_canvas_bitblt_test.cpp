// Blits between canvases: copies and bitwise combinations, cut to the
// destination clip and to the pixels the source has.
#include <gtest/gtest.h>

#include "platform/gdi/cairo_canvas.h"
#include "platform/gdi/pixel_checks.h"
#include "platform/gdi/recording_canvas.h"

namespace quelmar::gdi {
namespace {

using testing::kBlack;
using testing::kWhite;
using testing::Picture;
using testing::Rows;

// A source whose pixels name their position: RGB(x, y, 7).
COLORREF SourceColour(int x, int y) { return RGB(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7); }

class BitBltTest : public ::testing::Test {
 protected:
  BitBltTest() : source_(6, 5), dest_(8, 6), sourceCanvas_(source_), destCanvas_(dest_) {
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 6; ++x) source_.SetPixel(x, y, SourceColour(x, y));
    }
    dest_.Fill(kWhite);
  }

  // Whether dest(x, y) holds source(x + dx, y + dy).
  bool CopiedFrom(int x, int y, int dx, int dy) const {
    return dest_.Pixel(x, y) == SourceColour(x + dx, y + dy);
  }

  Bitmap source_, dest_;
  CairoCanvas sourceCanvas_, destCanvas_;
};

TEST_F(BitBltTest, SrcCopyCopiesTheRectangleFromTheSourceOrigin) {
  destCanvas_.BitBlt(Rect{1, 2, 4, 4}, sourceCanvas_, Point{2, 1}, Rop3::SrcCopy);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 1 && x < 4 && y >= 2 && y < 4;
      EXPECT_TRUE(inside ? CopiedFrom(x, y, 1, -1) : dest_.Pixel(x, y) == kWhite) << x << "," << y;
    }
  }
}

TEST_F(BitBltTest, WindowOriginsApplyOnBothSides) {
  destCanvas_.SetWindowOrigin(Point{10, 20});
  sourceCanvas_.SetWindowOrigin(Point{-3, 4});
  // Destination device (1,1)-(3,3); source device (0+3, 5-4) = (3, 1).
  destCanvas_.BitBlt(Rect{11, 21, 13, 23}, sourceCanvas_, Point{0, 5}, Rop3::SrcCopy);
  EXPECT_TRUE(CopiedFrom(1, 1, 2, 0));
  EXPECT_TRUE(CopiedFrom(2, 2, 2, 0));
  EXPECT_EQ(dest_.Pixel(3, 3), kWhite);
  EXPECT_EQ(testing::InkBounds(dest_), (Rect{1, 1, 3, 3}));
}

TEST_F(BitBltTest, SourceOutsideItsBitmapLeavesThoseDestinationPixelsAlone) {
  // Source x from -2 to 6 and y from 3 to 7: only x 0..5, y 3..4 exist.
  destCanvas_.BitBlt(Rect{0, 0, 8, 4}, sourceCanvas_, Point{-2, 3}, Rop3::SrcCopy);
  EXPECT_EQ(testing::InkBounds(dest_), (Rect{2, 0, 8, 2}));
  EXPECT_TRUE(CopiedFrom(2, 0, -2, 3));
  EXPECT_TRUE(CopiedFrom(7, 1, -2, 3));

  dest_.Fill(kWhite);
  destCanvas_.BitBlt(Rect{0, 0, 8, 6}, sourceCanvas_, Point{1000, -1000}, Rop3::SrcCopy);
  destCanvas_.BitBlt(Rect{-50, -50, -10, -10}, sourceCanvas_, Point{0, 0}, Rop3::SrcCopy);
  EXPECT_EQ(testing::CountPixels(dest_, kWhite), 48);
}

TEST_F(BitBltTest, DestinationClipAndBoundsCutTheBlit) {
  const Rect clip[] = {{0, 0, 2, 6}, {6, 0, 8, 6}};
  destCanvas_.SetClipRects(clip);
  destCanvas_.BitBlt(Rect{-1, 0, 9, 1}, sourceCanvas_, Point{0, 0}, Rop3::Whiteness);  // nothing visible changes
  destCanvas_.BitBlt(Rect{0, 0, 8, 6}, sourceCanvas_, Point{0, 0}, Rop3::Blackness);
  EXPECT_EQ(Picture(dest_), Rows({
                                "##....##",
                                "##....##",
                                "##....##",
                                "##....##",
                                "##....##",
                                "##....##",
                            }));
}

TEST_F(BitBltTest, OverlappingBlitWithinOneBitmapReadsThePixelsAsTheyWere) {
  for (int shift : {1, -1}) {
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 6; ++x) source_.SetPixel(x, y, SourceColour(x, y));
    }
    sourceCanvas_.BitBlt(Rect{1, 1, 5, 4}, sourceCanvas_, Point{1 + shift, 1 + shift}, Rop3::SrcCopy);
    for (int y = 1; y < 4; ++y) {
      for (int x = 1; x < 5; ++x) {
        ASSERT_EQ(source_.Pixel(x, y), SourceColour(x + shift, y + shift)) << "shift " << shift << " at " << x
                                                                           << "," << y;
      }
    }
  }
}

struct Rop3Case {
  Rop3 rop;
  COLORREF (*expected)(COLORREF src, COLORREF dst);
};

class BitBltRopTest : public ::testing::TestWithParam<Rop3Case> {};

TEST_P(BitBltRopTest, CombinesSourceAndDestinationBitwise) {
  Bitmap src(4, 1), dst(4, 1);
  const COLORREF srcColours[] = {RGB(0xF0, 0x0F, 0x55), RGB(0, 0, 0), RGB(255, 255, 255), RGB(0x12, 0x34, 0x56)};
  const COLORREF dstColours[] = {RGB(0x3C, 0xC3, 0xAA), RGB(1, 2, 3), RGB(0x80, 0x00, 0x7F), RGB(0x65, 0x43, 0x21)};
  for (int x = 0; x < 4; ++x) {
    src.SetPixel(x, 0, srcColours[x]);
    dst.SetPixel(x, 0, dstColours[x]);
  }
  CairoCanvas srcCanvas(src), dstCanvas(dst);
  dstCanvas.BitBlt(Rect{0, 0, 4, 1}, srcCanvas, Point{0, 0}, GetParam().rop);
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(dst.Pixel(x, 0), GetParam().expected(srcColours[x], dstColours[x]) & 0xFFFFFFu) << "pixel " << x;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, BitBltRopTest,
    ::testing::Values(Rop3Case{Rop3::SrcCopy, [](COLORREF s, COLORREF) { return s; }},
                      Rop3Case{Rop3::SrcAnd, [](COLORREF s, COLORREF d) { return s & d; }},
                      Rop3Case{Rop3::SrcPaint, [](COLORREF s, COLORREF d) { return s | d; }},
                      Rop3Case{Rop3::SrcInvert, [](COLORREF s, COLORREF d) { return s ^ d; }},
                      Rop3Case{Rop3::DstInvert, [](COLORREF, COLORREF d) { return ~d; }},
                      Rop3Case{Rop3::Blackness, [](COLORREF, COLORREF) { return COLORREF{0}; }},
                      Rop3Case{Rop3::Whiteness, [](COLORREF, COLORREF) { return COLORREF{0xFFFFFF}; }}));

TEST_F(BitBltTest, SourceWithoutPixelsCopiesNothingButDestinationOnlyOpsStillWork) {
  RecordingCanvas recorder(Size{6, 5});
  destCanvas_.BitBlt(Rect{0, 0, 8, 6}, recorder, Point{0, 0}, Rop3::SrcCopy);
  EXPECT_EQ(testing::CountPixels(dest_, kWhite), 48);
  destCanvas_.BitBlt(Rect{0, 0, 2, 1}, recorder, Point{0, 0}, Rop3::DstInvert);
  EXPECT_EQ(testing::CountPixels(dest_, kBlack), 2);
  destCanvas_.BitBlt(Rect{0, 0, 8, 6}, sourceCanvas_, Point{0, 0}, static_cast<Rop3>(0x00123456));  // unknown
  EXPECT_EQ(testing::CountPixels(dest_, kBlack), 2);
}

}  // namespace
}  // namespace quelmar::gdi
