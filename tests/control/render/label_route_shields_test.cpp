#include "control/render/label_route_shields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "control/render/colour_standard.h"
#include "platform/gdi/recording_canvas.h"
#include "platform/gdi/text_measurer.h"

namespace quelmar::render {
namespace {

using gdi::Point;

// Route texts are stored with their prefixes as word codes.
const std::string kI = "\x0F";     // "I-"
const std::string kUs = "\x10";    // "US HWY "
const std::string kSr = "\x11";    // "SR "
const std::string kSrd = "\x12";   // "SRD "
const std::string kSth = "\x13";   // "STH "
const std::string kCrd = "\x14";   // "CRD "

TEST(RouteShieldClassify, KindTextAndLayerOfAPart) {
  struct Case {
    std::string part;
    std::optional<ShieldPart> shield;
  };
  const std::string z17(17, 'Z'), z18(18, 'Z'), z20(20, 'Z');
  const Case cases[] = {
      {kI + "94", ShieldPart{0, "94", 9}},
      {kUs + "41", ShieldPart{1, "41", 10}},
      {kSr + "53", ShieldPart{2, "53", 12}},
      {kSrd + "7", ShieldPart{2, "7", 12}},
      {kSth + "29", ShieldPart{2, "29", 12}},
      {kCrd + "12", ShieldPart{3, "12", 11}},
      // "SR" before "SRD" before "STH", wherever they stand.
      {kSth + "29 " + kSr + "53", ShieldPart{2, "53", 12}},
      {kSth + "29 " + kSrd + "8", ShieldPart{2, "8", 12}},
      // Six characters after the prefix, five for state routes; then trimmed.
      {kI + "94 BUSINESS", ShieldPart{0, "94 BUS", 9}},
      {kSr + "12345678", ShieldPart{2, "12345", 12}},
      {kUs + "  41  ", ShieldPart{1, "41", 10}},
      // Lettered routes keep the whole part; "C" is looked for before "A".
      {"H2", ShieldPart{10, "H2", -1}},
      {"H0", ShieldPart{10, "H0", -1}},
      {"C3", ShieldPart{11, "C3", -1}},
      {"A1A", ShieldPart{11, "A1A", -1}},
      {"CA1", std::nullopt},
      {"H 2", std::nullopt},
      {"C" + kUs + "41", ShieldPart{1, "41", 10}},
      {"MAIN ST", std::nullopt},
      {"", std::nullopt},
      // Only the first 20 characters count.
      {z17 + kI + "94", ShieldPart{0, "94", 9}},
      {z18 + kI + "94", ShieldPart{0, "9", 9}},
      {z20 + kI + "94", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<ShieldPart> got = ClassifyShieldPart(c.part);
    ASSERT_EQ(got.has_value(), c.shield.has_value()) << c.part;
    if (!got) continue;
    EXPECT_EQ(got->Kind, c.shield->Kind) << c.part;
    EXPECT_EQ(got->Text, c.shield->Text) << c.part;
    EXPECT_EQ(got->NeedsLayer, c.shield->NeedsLayer) << c.part;
  }
}

ShieldPaint Paint(int width = 400, int height = 300) {
  ShieldPaint paint;
  paint.ViewWidth = width;
  paint.ViewHeight = height;
  paint.AtMost250 = true;
  paint.LayerVisible = [](int) { return true; };
  return paint;
}

TEST(RouteShieldOffer, EachSlashPartMakesItsOwnShieldStackedDownwards) {
  RouteShields shields;
  OccupiedRects occupied;
  shields.Offer(kI + "94/" + kUs + "41", {100, 100}, Paint(), occupied);
  const std::vector<ShieldGroup>& groups = shields.Groups();
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].Text, "41");
  EXPECT_EQ(groups[0].Kind, 1);
  EXPECT_EQ(groups[0].Positions, (std::vector<Point>{{100, 122}}));
  EXPECT_EQ(groups[1].Text, "94");
  EXPECT_EQ(groups[1].Kind, 0);
  EXPECT_EQ(groups[1].Positions, (std::vector<Point>{{100, 100}}));
  EXPECT_EQ(occupied.Size(), 2u);

  // A part that names no shield takes no place in the stack.
  RouteShields other;
  OccupiedRects free;
  other.Offer("MAIN/" + kI + "94", {100, 100}, Paint(), free);
  ASSERT_EQ(other.Groups().size(), 1u);
  EXPECT_EQ(other.Groups()[0].Positions, (std::vector<Point>{{100, 100}}));
}

TEST(RouteShieldOffer, KeptTwelvePixelsInsideTheViewAndOnlyAtSmallSpans) {
  struct Case {
    const char* what;
    std::string text;
    Point p;
    bool atMost250;
    int shields;
  };
  const Case cases[] = {
      {"top-left limit", kI + "94", {12, 12}, true, 1},
      {"bottom-right limit", kI + "94", {388, 288}, true, 1},
      {"too near the left", kI + "94", {11, 100}, true, 0},
      {"too near the top", kI + "94", {100, 11}, true, 0},
      {"too near the right", kI + "94", {389, 100}, true, 0},
      {"too near the bottom", kI + "94", {100, 289}, true, 0},
      {"span above 250", kI + "94", {200, 150}, false, 0},
      {"second of a stack past the bottom", kI + "94/" + kUs + "41", {100, 270}, true, 1},
  };
  for (const Case& c : cases) {
    RouteShields shields;
    OccupiedRects occupied;
    ShieldPaint paint = Paint(400, 300);
    paint.AtMost250 = c.atMost250;
    shields.Offer(c.text, c.p, paint, occupied);
    EXPECT_EQ(shields.Groups().size(), static_cast<std::size_t>(c.shields)) << c.what;
    EXPECT_EQ(occupied.Size(), static_cast<std::size_t>(c.shields)) << c.what;
  }
}

TEST(RouteShieldOffer, RouteLayerMustBeVisibleAndNumberShort) {
  struct Case {
    const char* what;
    std::string text;
    int hiddenLayer;  // -2: every layer hidden
    bool drawingKindP;
    bool placed;
  };
  const Case cases[] = {
      {"interstate, layer 9 hidden", kI + "94", 9, false, false},
      {"interstate in a \"P\" drawing", kI + "94", 9, true, true},
      {"interstate, another layer hidden", kI + "94", 10, false, true},
      {"US highway, layer 10 hidden", kUs + "41", 10, true, false},
      {"state route, layer 12 hidden", kSr + "53", 12, false, false},
      {"county road, layer 11 hidden", kCrd + "7", 11, false, false},
      {"lettered plate needs no layer", "C3", -2, false, true},
      {"four characters", kI + "9999", -1, false, true},
      {"five characters", kI + "99999", -1, false, false},
      {"no number", kI + "   ", -1, false, false},
      {"no route", "MAIN ST", -1, false, false},
  };
  for (const Case& c : cases) {
    RouteShields shields;
    OccupiedRects occupied;
    ShieldPaint paint = Paint();
    const int hidden = c.hiddenLayer;
    paint.LayerVisible = [hidden](int layer) { return hidden != -2 && layer != hidden; };
    paint.DrawingKindP = c.drawingKindP;
    shields.Offer(c.text, {100, 100}, paint, occupied);
    EXPECT_EQ(!shields.Groups().empty(), c.placed) << c.what;
  }
}

TEST(RouteShieldOffer, BoxMustBeFreeWithAOnePixelMargin) {
  struct Case {
    const char* what;
    std::optional<gdi::Rect> taken;
    bool placed;
  };
  const Case cases[] = {
      {"free", std::nullopt, true},
      {"on the position", gdi::Rect{95, 95, 105, 105}, false},
      {"touching the box", gdi::Rect{110, 90, 120, 110}, false},
      {"one pixel clear", gdi::Rect{111, 90, 121, 110}, true},
  };
  for (const Case& c : cases) {
    RouteShields shields;
    OccupiedRects occupied;
    if (c.taken) occupied.Add(*c.taken);
    shields.Offer(kI + "94", {100, 100}, Paint(), occupied);
    EXPECT_EQ(!shields.Groups().empty(), c.placed) << c.what;
    const bool holdsBox = std::find(occupied.Rects().begin(), occupied.Rects().end(), gdi::Rect{90, 90, 110, 110}) !=
                          occupied.Rects().end();
    EXPECT_EQ(holdsBox, c.placed) << c.what;
  }
  // A second route at the same point finds the first one's box taken.
  RouteShields shields;
  OccupiedRects occupied;
  shields.Offer(kI + "94", {100, 100}, Paint(), occupied);
  shields.Offer(kUs + "41", {100, 100}, Paint(), occupied);
  EXPECT_EQ(shields.Groups().size(), 1u);
}

TEST(RouteShieldOffer, GroupedByNumberAndKindWithinCapacities) {
  RouteShields shields;
  OccupiedRects occupied;
  for (const Point p : {Point{50, 50}, Point{150, 50}, Point{250, 50}}) shields.Offer(kI + "94", p, Paint(), occupied);
  shields.Offer(kUs + "94", {50, 150}, Paint(), occupied);
  ASSERT_EQ(shields.Groups().size(), 2u);
  EXPECT_EQ(shields.Groups()[0].Kind, 0);
  EXPECT_EQ(shields.Groups()[0].Positions.size(), 3u);
  EXPECT_EQ(shields.Groups()[1].Kind, 1);

  // Groups: a hundredth number is dropped and takes no box.
  const auto grid = [](int i) { return Point{20 + 30 * (i % 12), 20 + 30 * (i / 12)}; };
  const ShieldPaint big = Paint(400, 400);
  RouteShields many;
  OccupiedRects manyBoxes;
  for (int i = 0; i < 100; ++i) many.Offer(kCrd + std::to_string(i + 1), grid(i), big, manyBoxes);
  EXPECT_EQ(many.Groups().size(), RouteShields::kGroupCapacity);
  EXPECT_EQ(manyBoxes.Size(), RouteShields::kGroupCapacity);

  // Positions: a group keeps 50.
  RouteShields repeated;
  OccupiedRects repeatedBoxes;
  for (int i = 0; i < 51; ++i) repeated.Offer(kCrd + "7", grid(i), big, repeatedBoxes);
  ASSERT_EQ(repeated.Groups().size(), 1u);
  EXPECT_EQ(repeated.Groups()[0].Positions.size(), RouteShields::kPositionCapacity);
  EXPECT_EQ(repeatedBoxes.Size(), RouteShields::kPositionCapacity);
}

// --- drawing ---

const LabelFonts& Fonts() {
  static const LabelFonts fonts = MakeLabelFonts(LabelSettings{}, 1, false);
  return fonts;
}

TEST(RouteShieldText, LettersAndDigitsOnly) {
  struct Case {
    std::string text, shown;
  };
  const Case cases[] = {
      {"94", "94"},       {"9-4", "9 4"},  {"94 -", "94"},           {"--", ""},
      {" 41", " 41"},     {"\xE9" "1", " 1"}, {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKL"},
      {"ABCDEFGHIJK-MN", "ABCDEFGHIJK"},
  };
  for (const Case& c : cases) EXPECT_EQ(ShieldDisplayText(c.text), c.shown) << c.text;
}

TEST(RouteShieldDraw, TextWrittenCentredInTheKindsColour) {
  struct Case {
    int kind;
    const char* text;
    bool blackWhite;
    std::optional<std::string> written;
    gdi::COLORREF colour;
  };
  const Case cases[] = {
      {0, "94", false, "94", kWhiteColour},
      {0, "94", true, "94", kBlackColour},
      {1, "41", false, "41", kBlackColour},
      {2, "53", false, "53", kBlackColour},
      {3, "7", false, "7", kBlackColour},
      {10, "H201", false, "01", kBlackColour},
      {11, "A1A", false, "A", kBlackColour},
      {10, "H2", false, std::nullopt, 0},  // the plate alone
  };
  const Point centre{200, 150};
  for (const Case& c : cases) {
    gdi::RecordingCanvas canvas({400, 300});
    DrawRouteShield(canvas, c.kind, c.text, centre, Fonts(), c.blackWhite);
    const std::vector<gdi::DrawRecord> texts = canvas.RecordsOf(gdi::DrawKind::TextOut);
    EXPECT_GT(canvas.Records().size(), texts.size()) << c.kind << " " << c.text << ": a shape";
    if (!c.written) {
      EXPECT_TRUE(texts.empty()) << c.kind << " " << c.text;
      continue;
    }
    ASSERT_EQ(texts.size(), 1u) << c.kind << " " << c.text;
    const gdi::DrawRecord& r = texts[0];
    EXPECT_EQ(r.text, *c.written) << c.kind;
    EXPECT_EQ(r.state.textColor, c.colour) << c.kind;
    EXPECT_EQ(r.state.font, Fonts().Shield) << c.kind;
    EXPECT_EQ(r.state.textAlign, gdi::TA_CENTER | gdi::TA_BASELINE) << c.kind;
    EXPECT_EQ(r.state.bkMode, gdi::BkMode::Transparent) << c.kind;
    EXPECT_EQ(r.points[0].x, centre.x) << c.kind;
  }
}

TEST(RouteShieldDraw, BoxSizedToTheText) {
  // A county road is a plain rectangle: w by h - 4, centred on the position.
  for (const char* text : {"7", "1234"}) {
    gdi::RecordingCanvas canvas({400, 300});
    DrawRouteShield(canvas, 3, text, {200, 150}, Fonts(), false);
    const std::vector<gdi::DrawRecord> rects = canvas.RecordsOf(gdi::DrawKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u) << text;
    const gdi::TextExtent extent = gdi::TextMeasurer::Measure(Fonts().Shield, text);
    const int h = (extent.ascent + extent.descent) * 3 / 2;
    const int w = std::max(h, gdi::TextMeasurer::Measure(Fonts().Shield, std::string(text) + "X").width);
    EXPECT_EQ(rects[0].rect, (gdi::Rect{200 - w / 2, 150 - h / 2 + 2, 200 - w / 2 + w, 150 - h / 2 + h - 2})) << text;
  }
  // The interstate number sits lower, below the red crown.
  gdi::RecordingCanvas county({400, 300}), interstate({400, 300});
  DrawRouteShield(county, 3, "94", {200, 150}, Fonts(), false);
  DrawRouteShield(interstate, 0, "94", {200, 150}, Fonts(), false);
  EXPECT_GT(interstate.RecordsOf(gdi::DrawKind::TextOut)[0].points[0].y,
            county.RecordsOf(gdi::DrawKind::TextOut)[0].points[0].y);
  // Nothing at all for a text without letters or digits.
  gdi::RecordingCanvas empty({400, 300});
  DrawRouteShield(empty, 0, "--", {200, 150}, Fonts(), false);
  EXPECT_TRUE(empty.Records().empty());
}

TEST(RouteShieldDraw, SameNumberRepeatedOnlyBeyond200Pixels) {
  struct Case {
    const char* what;
    std::vector<Point> offered;
    std::vector<Point> drawn;
  };
  const Case cases[] = {
      {"along a road, in any order",
       {{300, 50}, {20, 50}, {430, 50}, {120, 50}, {221, 50}},
       {{20, 50}, {221, 50}, {430, 50}}},
      {"exactly 200 is too near", {{20, 50}, {220, 50}}, {{20, 50}}},
      {"Manhattan distance", {{20, 50}, {150, 121}}, {{20, 50}, {150, 121}}},
      {"Manhattan distance, 200", {{20, 50}, {150, 120}}, {{20, 50}}},
      {"near an earlier shield though far from the last", {{20, 20}, {20, 300}, {21, 60}}, {{20, 20}, {20, 300}}},
  };
  for (const Case& c : cases) {
    RouteShields shields;
    OccupiedRects occupied;
    for (const Point p : c.offered) shields.Offer(kI + "94", p, Paint(1000, 1000), occupied);
    ASSERT_EQ(shields.Groups().size(), 1u) << c.what;
    ASSERT_EQ(shields.Groups()[0].Positions.size(), c.offered.size()) << c.what;

    gdi::RecordingCanvas canvas({1000, 1000});
    shields.Draw(canvas, Fonts(), false);
    gdi::RecordingCanvas expected({1000, 1000});
    for (const Point p : c.drawn) DrawRouteShield(expected, 0, "94", p, Fonts(), false);
    std::vector<Point> got, want;
    for (const gdi::DrawRecord& r : canvas.RecordsOf(gdi::DrawKind::TextOut)) got.push_back(r.points[0]);
    for (const gdi::DrawRecord& r : expected.RecordsOf(gdi::DrawKind::TextOut)) want.push_back(r.points[0]);
    EXPECT_EQ(got, want) << c.what;
    EXPECT_TRUE(shields.Groups().empty()) << c.what;
    EXPECT_EQ(canvas.State().textAlign, gdi::CanvasState{}.textAlign) << c.what << ": state restored";
  }
}

TEST(RouteShieldDraw, GroupWithoutLettersOrDigitsDrawsNothing) {
  RouteShields shields;
  OccupiedRects occupied;
  shields.Offer(kI + "--", {100, 100}, Paint(), occupied);
  ASSERT_EQ(shields.Groups().size(), 1u);
  gdi::RecordingCanvas canvas({400, 300});
  shields.Draw(canvas, Fonts(), false);
  EXPECT_TRUE(canvas.Records().empty());
}

}  // namespace
}  // namespace quelmar::render
