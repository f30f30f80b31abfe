// Text: font resolution, measurement, alignment against the reference point,
// background box, escapement.
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/cairo_canvas.h"
#include "platform/gdi/font_resolver.h"
#include "platform/gdi/pixel_checks.h"
#include "platform/gdi/text_measurer.h"

namespace quelmar::gdi {
namespace {

using testing::kBlack;
using testing::kRed;
using testing::kWhite;

Rect Inflated(const Rect& r, int by) { return Rect{r.left - by, r.top - by, r.right + by, r.bottom + by}; }
bool Encloses(const Rect& outer, const Rect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

TEST(FontResolverTest, DesktopFaceNamesResolveToInstalledMetricCompatibleFamilies) {
  EXPECT_EQ(ResolveFontFamily(Font{"Arial"}), "Liberation Sans");
  EXPECT_EQ(ResolveFontFamily(Font{"Times New Roman"}), "Liberation Serif");
  EXPECT_EQ(ResolveFontFamily(Font{"Courier New"}), "Liberation Mono");
  Font bold{"Arial"};
  bold.weight = 700;
  bold.italic = true;
  EXPECT_EQ(ResolveFontFamily(bold), "Liberation Sans");
}

TEST(TextMeasurerTest, PositiveHeightIsTheCellAndNegativeTheCharacterHeight) {
  Font cell{"Arial"};
  cell.height = 20;
  const TextExtent cellExtent = TextMeasurer::Measure(cell, "Route 66");
  EXPECT_EQ(cellExtent.ascent + cellExtent.descent, 20);

  Font character = cell;
  character.height = -20;  // em of 20 pixels: the cell is taller
  const TextExtent characterExtent = TextMeasurer::Measure(character, "Route 66");
  EXPECT_GT(characterExtent.ascent + characterExtent.descent, 20);
  EXPECT_GT(characterExtent.width, cellExtent.width);
}

TEST(TextMeasurerTest, WidthGrowsWithTextAndBoldAndIsZeroForNothing) {
  const Font regular{"Arial"};
  Font bold = regular;
  bold.weight = 700;
  EXPECT_EQ(TextMeasurer::Measure(regular, "").width, 0);
  EXPECT_GT(TextMeasurer::Measure(regular, "WW").width, TextMeasurer::Measure(regular, "W").width);
  EXPECT_GT(TextMeasurer::Measure(bold, "Springfield").width, TextMeasurer::Measure(regular, "Springfield").width);
  // Metric compatibility: Liberation Sans advances like the face it stands in for.
  Font large{"Arial"};
  large.height = -100;
  EXPECT_NEAR(TextMeasurer::Measure(large, "W").width, 94, 1);
}

TEST(TextMeasurerTest, BaselineOffsetFollowsTheAlignmentFlags) {
  const TextExtent extent{40, 10, 3};
  struct Case {
    std::uint32_t align;
    Point offset;
  };
  const Case cases[] = {
      {TA_LEFT | TA_TOP, {0, 10}},      {TA_RIGHT | TA_TOP, {-40, 10}},      {TA_CENTER | TA_TOP, {-20, 10}},
      {TA_LEFT | TA_BOTTOM, {0, -3}},   {TA_RIGHT | TA_BASELINE, {-40, 0}},  {TA_CENTER | TA_BASELINE, {-20, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextMeasurer::BaselineOffset(extent, c.align), c.offset) << "align " << c.align;
  }
}

struct AlignCase {
  std::uint32_t align;
  const char* name;
};

class TextAlignTest : public ::testing::TestWithParam<AlignCase> {};

// The box the alignment puts the measured text in, for the point (60, 30).
Rect ExpectedBox(std::uint32_t align, Size size, int ascent) {
  const Point p{60, 30};
  const int left = (align & TA_CENTER) == TA_CENTER ? p.x - size.cx / 2
                   : (align & TA_CENTER) == TA_RIGHT ? p.x - size.cx
                                                     : p.x;
  const int top = (align & TA_BASELINE) == TA_BASELINE ? p.y - ascent
                  : (align & TA_BASELINE) == TA_BOTTOM ? p.y - size.cy
                                                       : p.y;
  return Rect{left, top, left + size.cx, top + size.cy};
}

TEST_P(TextAlignTest, InkLiesInsideTheMeasuredBoxAndOpaqueBackgroundFillsItExactly) {
  const std::uint32_t align = GetParam().align;
  Bitmap bitmap(120, 60);
  CairoCanvas canvas(bitmap);
  canvas.SetTextAlign(align);
  canvas.SetTextColor(kBlack);
  const std::string text = "Hwy 17";
  const Size size = canvas.MeasureText(text);
  const Rect box = ExpectedBox(align, size, TextMeasurer::Measure(canvas.State().font, text).ascent);

  bitmap.Fill(kWhite);
  canvas.SetBkMode(BkMode::Transparent);
  canvas.TextOut(Point{60, 30}, text);
  const Rect ink = testing::InkBounds(bitmap);
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_TRUE(Encloses(Inflated(box, 1), ink)) << ::testing::PrintToString(ink) << " in "
                                               << ::testing::PrintToString(box);
  EXPECT_GE(ink.Width(), size.cx - 4) << "the ink spans about the measured width";

  bitmap.Fill(kWhite);
  canvas.SetBkMode(BkMode::Opaque);
  canvas.SetBkColor(kRed);
  canvas.TextOut(Point{60, 30}, text);
  EXPECT_EQ(testing::InkBounds(bitmap), box);
  EXPECT_EQ(testing::CountPixels(bitmap, kRed) + testing::CountPixels(bitmap, kBlack), size.cx * size.cy);
}

INSTANTIATE_TEST_SUITE_P(Flags, TextAlignTest,
                         ::testing::Values(AlignCase{TA_LEFT | TA_TOP, "LeftTop"},
                                           AlignCase{TA_RIGHT | TA_TOP, "RightTop"},
                                           AlignCase{TA_CENTER | TA_TOP, "CenterTop"},
                                           AlignCase{TA_LEFT | TA_BOTTOM, "LeftBottom"},
                                           AlignCase{TA_CENTER | TA_BOTTOM, "CenterBottom"},
                                           AlignCase{TA_RIGHT | TA_BASELINE, "RightBaseline"},
                                           AlignCase{TA_CENTER | TA_BASELINE, "CenterBaseline"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextDrawTest, AntialiasedTextStaysInTheSameBox) {
  Bitmap bitmap(120, 40);
  bitmap.Fill(kWhite);
  CairoCanvas canvas(bitmap);
  canvas.SetAntialias(true);
  canvas.SetBkMode(BkMode::Transparent);
  canvas.TextOut(Point{10, 10}, "Chicago");
  const Size size = canvas.MeasureText("Chicago");
  EXPECT_TRUE(Encloses(Inflated(Rect{10, 10, 10 + size.cx, 10 + size.cy}, 1), testing::InkBounds(bitmap)));
}

TEST(TextDrawTest, EscapementOfNinetyDegreesRunsTheTextUpwards) {
  Bitmap bitmap(60, 120);
  bitmap.Fill(kWhite);
  CairoCanvas canvas(bitmap);
  Font font{"Arial"};
  font.height = 16;
  font.escapement = 900;
  canvas.SetFont(font);
  canvas.SetBkMode(BkMode::Opaque);
  canvas.SetBkColor(kRed);
  canvas.TextOut(Point{20, 100}, "Interstate");
  const Size size = canvas.MeasureText("Interstate");
  // Turned counter-clockwise about (20, 100): the box now spans x 20..36 and
  // runs up from y 100.
  EXPECT_EQ(testing::InkBounds(bitmap), (Rect{20, 100 - size.cx, 20 + size.cy, 100}));
}

TEST(TextDrawTest, WindowOriginAndClipApplyToText) {
  Bitmap bitmap(80, 30);
  bitmap.Fill(kWhite);
  CairoCanvas canvas(bitmap);
  canvas.SetWindowOrigin(Point{1000, 1000});
  canvas.IntersectClipRect(Rect{1000, 1000, 1020, 1030});
  canvas.SetBkColor(kRed);
  canvas.TextOut(Point{1005, 1005}, "Mississippi");
  const Rect ink = testing::InkBounds(bitmap);
  EXPECT_EQ(ink.left, 5);
  EXPECT_EQ(ink.top, 5);
  EXPECT_EQ(ink.right, 20) << "cut by the clip";
}

TEST(TextDrawTest, HighCodePageBytesDraw) {
  // 0xB0 is the degree sign and 0x80 the euro sign in Windows-1252; both have
  // glyphs, so something is drawn for each.
  Bitmap bitmap(40, 20);
  CairoCanvas canvas(bitmap);
  canvas.SetBkMode(BkMode::Transparent);
  for (const char* text : {"\xB0", "\x80"}) {
    bitmap.Fill(kWhite);
    canvas.TextOut(Point{2, 2}, text);
    EXPECT_GT(testing::CountPixels(bitmap, kBlack), 3) << "byte " << static_cast<int>(text[0] & 0xFF);
  }
}

}  // namespace
}  // namespace quelmar::gdi
