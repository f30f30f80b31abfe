#include "control/render/label_street_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "control/render/colour_standard.h"
#include "platform/gdi/recording_canvas.h"

namespace quelmar::render {
namespace {

using gdi::Point;

constexpr int kLine = 12;  // the street font's line height the candidates are offered with
constexpr int kViewWidth = 640, kViewHeight = 480;

void Offer(StreetLabels& labels, std::string_view name, Point p1, Point p2, int layer = 8, int widthStep = 2) {
  labels.Offer(name, p1, p2, layer, widthStep, kLine, kViewWidth, kViewHeight);
}

const StreetLabel* Find(const StreetLabels& labels, std::string_view name) {
  for (const StreetLabel& l : labels.Labels()) {
    if (l.Name == name) return &l;
  }
  return nullptr;
}

TEST(StreetLabelOffer, OnlyCentresInsideTheViewAreUsed) {
  struct Case {
    const char* what;
    Point p1, p2;
    std::optional<Point> centre;
  };
  const Case cases[] = {
      {"inside", {100, 100}, {200, 100}, Point{150, 100}},
      {"odd sum rounds up", {100, 100}, {101, 101}, Point{101, 101}},
      {"first column", {-1, 50}, {0, 50}, Point{0, 50}},
      {"negative half rounds down, off the left", {-2, 50}, {0, 50}, std::nullopt},
      {"last column", {638, 50}, {639, 50}, Point{639, 50}},
      {"right edge", {639, 50}, {640, 50}, std::nullopt},
      {"bottom edge", {10, 479}, {10, 480}, std::nullopt},
      {"above", {10, -30}, {10, -10}, std::nullopt},
      {"ends far outside, centre inside", {-1000, 100}, {1300, 100}, Point{150, 100}},
  };
  for (const Case& c : cases) {
    StreetLabels labels;
    Offer(labels, "MAIN", c.p1, c.p2);
    if (c.centre) {
      ASSERT_EQ(labels.Labels().size(), 1u) << c.what;
      EXPECT_EQ(labels.Labels()[0].Centre, *c.centre) << c.what;
    } else {
      EXPECT_TRUE(labels.Labels().empty()) << c.what;
    }
  }
}

TEST(StreetLabelOffer, NameIsCutBeforeItsFirstSlash) {
  StreetLabels labels;
  Offer(labels, "MAIN ST/ELM AVE", {100, 100}, {200, 100});
  ASSERT_EQ(labels.Labels().size(), 1u);
  EXPECT_EQ(labels.Labels()[0].Name, "MAIN ST");
  // The cut name is the record's key: the street without its second name
  // is the same record.
  Offer(labels, "MAIN ST", {100, 100}, {300, 100});
  ASSERT_EQ(labels.Labels().size(), 1u);
  EXPECT_EQ(labels.Labels()[0].Length, 200);

  // An escaped "/" is a character of the name; a name that starts with "/" is nothing.
  Offer(labels, "AC\x7F/DC", {100, 300}, {200, 300});
  Offer(labels, "/ELM", {400, 400}, {500, 400});
  ASSERT_EQ(labels.Labels().size(), 2u);
  EXPECT_EQ(labels.Labels()[0].Name, "AC\x7F/DC");
}

TEST(StreetLabelOffer, OffsetFollowsTheWidthStep) {
  struct Case {
    int widthStep, offset;
  };
  const Case cases[] = {{0, -2}, {3, -2}, {4, -4}, {5, -5}, {6, kLine / 2}, {14, kLine / 2}, {15, -kLine}};
  for (const Case& c : cases) {
    StreetLabels labels;
    // A horizontal "MAIN": centre (150, 200), axis half-length 4 × 4 + 4.
    Offer(labels, "MAIN", {100, 200}, {200, 200}, 8, c.widthStep);
    ASSERT_EQ(labels.Labels().size(), 1u) << c.widthStep;
    const StreetLabel& l = labels.Labels()[0];
    EXPECT_EQ(l.Offset, c.offset) << c.widthStep;
    EXPECT_EQ(l.AxisStart, (Point{130, 200 + 2 * c.offset})) << c.widthStep;
    EXPECT_EQ(l.AxisEnd, (Point{170, 200 + 2 * c.offset})) << c.widthStep;
  }
}

TEST(StreetLabelAngle, WholeDegreesTurnedToRead) {
  struct Case {
    int dx, dy, degrees, readable;
  };
  const Case cases[] = {
      {100, 0, 0, 0},        {0, 100, 90, 90},     {-100, 0, 180, 0},     {0, -100, 270, 270},
      {-100, 100, 135, 315}, {-100, -100, 225, 45}, {100, -100, 315, 315}, {0, 0, 0, 0},
      {-1000, 17, 179, 359},  // 179.03 rounds to 179
      {-2, 100, 91, 271},     {-2, -100, 269, 89},  {2, -100, 271, 271},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SegmentDegrees(c.dx, c.dy), c.degrees) << c.dx << "," << c.dy;
    EXPECT_EQ(ReadableDegrees(c.degrees), c.readable) << c.dx << "," << c.dy;
  }
}

TEST(StreetLabelOffer, AxisRunsAlongTheStreetOffsetSideways) {
  struct Case {
    const char* what;
    const char* name;
    Point p1, p2;
    int widthStep;
    Point start, end;
  };
  const Case cases[] = {
      // 45 degrees, offset +6: centre (250, 150) moved by 2 × round(6 × 0.707)
      // each way; half-length 16 gives round(11.3) along each axis.
      {"rising to the right", "ELM", {300, 100}, {200, 200}, 6, {247, 169}, {269, 147}},
      {"same street drawn the other way", "ELM", {200, 200}, {300, 100}, 6, {247, 169}, {269, 147}},
      // 90 degrees, offset -2: the axis moves 4 pixels left of the street.
      {"vertical", "OAK", {150, 150}, {150, 250}, 2, {146, 216}, {146, 184}},
      // The half-length counts the written name: "N ELM" is "NORTH ELM", 9 characters.
      {"direction written out", "N ELM", {100, 200}, {200, 200}, 2, {110, 196}, {190, 196}},
  };
  for (const Case& c : cases) {
    StreetLabels labels;
    Offer(labels, c.name, c.p1, c.p2, 8, c.widthStep);
    ASSERT_EQ(labels.Labels().size(), 1u) << c.what;
    EXPECT_EQ(labels.Labels()[0].AxisStart, c.start) << c.what;
    EXPECT_EQ(labels.Labels()[0].AxisEnd, c.end) << c.what;
  }
  StreetLabels labels;
  Offer(labels, "ELM", {300, 100}, {200, 200});
  const StreetLabel& l = labels.Labels()[0];
  EXPECT_EQ(l.Dx, 100);
  EXPECT_EQ(l.Dy, 100);
  EXPECT_EQ(l.Length, 125);  // 100 + 100 / 4
}

TEST(LabelAxes, CrossingAndClearance) {
  struct Case {
    const char* what;
    Point a1, a2, b1, b2;
    bool cross;
    int clearance;
    bool tooClose;
  };
  const Case cases[] = {
      {"crossing", {0, 0}, {10, 10}, {0, 10}, {10, 0}, true, 1, true},
      {"touching end", {0, 0}, {10, 0}, {5, 0}, {5, 10}, false, 1, true},
      {"collinear overlap", {0, 0}, {10, 0}, {5, 0}, {15, 0}, false, 1, true},
      {"parallel 5 apart, clearance 6", {0, 0}, {10, 0}, {0, 5}, {10, 5}, false, 6, true},
      {"parallel 5 apart, clearance 5", {0, 0}, {10, 0}, {0, 5}, {10, 5}, false, 5, false},
      {"end 3 from the middle, clearance 4", {0, 0}, {10, 0}, {5, 3}, {5, 20}, false, 4, true},
      {"end 3 from the middle, clearance 3", {0, 0}, {10, 0}, {5, 3}, {5, 20}, false, 3, false},
      {"far apart", {0, 0}, {10, 0}, {50, 50}, {60, 70}, false, 12, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LabelAxesCross(c.a1, c.a2, c.b1, c.b2), c.cross) << c.what;
    EXPECT_EQ(LabelAxesCross(c.b1, c.b2, c.a1, c.a2), c.cross) << c.what << " (swapped)";
    EXPECT_EQ(LabelAxesTooClose(c.a1, c.a2, c.b1, c.b2, c.clearance), c.tooClose) << c.what;
  }
}

TEST(StreetLabelOffer, AxesThatCrossOrCrowdACollectedOneAreDropped) {
  // "MAIN" holds the axis (130, 196)-(170, 196).
  struct Case {
    const char* what;
    const char* name;
    Point p1, p2;
    bool kept;
  };
  const Case cases[] = {
      {"crossing street", "OAK", {150, 150}, {150, 250}, false},
      {"parallel street 8 pixels away", "ELM", {100, 208}, {200, 208}, false},
      {"parallel street 20 pixels away", "ELM", {100, 220}, {200, 220}, true},
      {"same line, 5-pixel gap", "ELM", {141, 200}, {241, 200}, false},
      {"same line, 13-pixel gap", "ELM", {149, 200}, {249, 200}, true},
      {"far away", "OAK", {400, 150}, {400, 250}, true},
  };
  for (const Case& c : cases) {
    StreetLabels labels;
    Offer(labels, "MAIN", {100, 200}, {200, 200});
    Offer(labels, c.name, c.p1, c.p2);
    EXPECT_EQ(Find(labels, c.name) != nullptr, c.kept) << c.what;
    EXPECT_NE(Find(labels, "MAIN"), nullptr) << c.what;
  }
}

TEST(StreetLabelOffer, OneRecordPerNameOnItsLongestSegment) {
  StreetLabels labels;
  Offer(labels, "MAIN", {100, 100}, {200, 140});  // length 100 + 40 / 4 = 110
  ASSERT_EQ(labels.Labels().size(), 1u);
  EXPECT_EQ(labels.Labels()[0].Length, 110);
  const Point first = labels.Labels()[0].Centre;

  Offer(labels, "MAIN", {300, 300}, {409, 300});  // 109: shorter
  Offer(labels, "MAIN", {300, 300}, {410, 300});  // 110: not longer
  ASSERT_EQ(labels.Labels().size(), 1u);
  EXPECT_EQ(labels.Labels()[0].Centre, first);

  Offer(labels, "MAIN", {300, 300}, {411, 300});
  ASSERT_EQ(labels.Labels().size(), 1u);
  EXPECT_EQ(labels.Labels()[0].Centre, (Point{356, 300}));
  EXPECT_EQ(labels.Labels()[0].Length, 111);

  // Its own old axis (336..376 at y 296) does not stand in the way of a
  // longer segment over it ...
  Offer(labels, "MAIN", {300, 300}, {420, 300});
  EXPECT_EQ(labels.Labels()[0].Centre, (Point{360, 300}));
  // ... another street's does.
  Offer(labels, "OAK", {100, 400}, {200, 400});
  Offer(labels, "MAIN", {150, 300}, {150, 500});
  EXPECT_EQ(Find(labels, "MAIN")->Centre, (Point{360, 300}));
  EXPECT_NE(Find(labels, "OAK"), nullptr);
}

TEST(StreetLabelOffer, NamesKeptInOrderUpToTheCapacity) {
  // 1001 names of 5 characters (axes 48 pixels long) on a grid that keeps
  // every axis clear of the others, offered in descending name order.
  constexpr int kColumns = 50;
  constexpr int kWidth = 3100, kHeight = 500;
  const auto name = [](int i) {
    char text[8];
    std::snprintf(text, sizeof text, "X%04d", i);
    return std::string(text);
  };
  const auto position = [](int i) { return Point{30 + 60 * (i % kColumns), 10 + 20 * (i / kColumns)}; };
  StreetLabels labels;
  for (int i = 1000; i >= 0; --i) {
    const Point p = position(i);
    labels.Offer(name(i), {p.x - 5, p.y}, {p.x + 5, p.y}, 8, 2, kLine, kWidth, kHeight);
  }
  ASSERT_EQ(labels.Labels().size(), StreetLabels::kCapacity);
  EXPECT_EQ(labels.Labels().front().Name, "X0001");  // the last offered found the list full
  EXPECT_TRUE(std::is_sorted(labels.Labels().begin(), labels.Labels().end(),
                             [](const StreetLabel& a, const StreetLabel& b) { return a.Name < b.Name; }));

  // A full list still takes a longer segment of a name it holds.
  const Point p = position(500);
  labels.Offer(name(500), {p.x - 8, p.y}, {p.x + 8, p.y}, 8, 2, kLine, kWidth, kHeight);
  EXPECT_EQ(Find(labels, "X0500")->Length, 16);
}

// --- drawing ---

struct Drawn {
  std::vector<gdi::DrawRecord> texts;
  bool emptied = false;
};

Drawn DrawAll(StreetLabels& labels, const StreetLabelPaint& paint, const LabelSettings& settings = {}) {
  gdi::RecordingCanvas canvas({kViewWidth, kViewHeight});
  const LabelFonts fonts = MakeLabelFonts(settings, 1, false);
  labels.Draw(canvas, settings, fonts, paint);
  Drawn d{canvas.RecordsOf(gdi::DrawKind::TextOut), labels.Labels().empty()};
  // Drawing leaves the canvas as it found it.
  EXPECT_EQ(canvas.State().textAlign, gdi::CanvasState{}.textAlign);
  EXPECT_EQ(canvas.State().bkMode, gdi::CanvasState{}.bkMode);
  return d;
}

TEST(StreetLabelDraw, NamesUnpackedWithStreetTypesHiddenUnlessShown) {
  struct Case {
    const char* what;
    std::string stored;
    bool showSuffixes;
    const char* text;
  };
  const Case cases[] = {
      {"type hidden", "ELM\x01", false, "ELM"},
      {"type shown", "ELM\x01", true, "ELM ST"},
      {"\" HWY\" always kept", "LINCOLN\x19", false, "LINCOLN HWY"},
      {"interstate prefix code always kept", "LOOP \x0F", false, "LOOP I-"},
      {"too short to lose its type", "AB\x01", false, "AB ST"},
      {"direction written out", "N MAIN\x01", false, "NORTH MAIN"},
      {"second name cut", "MAIN ST/ELM AVE", true, "MAIN ST"},
  };
  for (const Case& c : cases) {
    StreetLabels labels;
    Offer(labels, c.stored, {100, 200}, {200, 200});
    LabelSettings settings;
    settings.HideSuffixes = c.showSuffixes ? 0 : 1;
    const Drawn d = DrawAll(labels, {}, settings);
    ASSERT_EQ(d.texts.size(), 1u) << c.what;
    EXPECT_EQ(d.texts[0].text, c.text) << c.what;
  }
}

TEST(StreetLabelDraw, ColourByLayer) {
  struct Case {
    int layer;
    bool blackWhite, zoomedStyle;
    gdi::COLORREF colour;
  };
  const Case cases[] = {
      {8, false, false, kBlackColour},        {9, false, false, StdColor(kMaroon)},
      {10, false, false, StdColor(kMaroon)},  {10, false, true, kBlackColour},
      {23, false, false, StdColor(kNavy)},    {23, false, true, StdColor(kNavy)},
      {9, true, false, kBlackColour},         {23, true, false, kBlackColour},
  };
  for (const Case& c : cases) {
    StreetLabels labels;
    Offer(labels, "MAIN", {100, 200}, {200, 200}, c.layer);
    StreetLabelPaint paint;
    paint.BlackWhite = c.blackWhite;
    paint.ZoomedStreetStyle = c.zoomedStyle;
    const Drawn d = DrawAll(labels, paint);
    ASSERT_EQ(d.texts.size(), 1u) << c.layer;
    EXPECT_EQ(d.texts[0].state.textColor, c.colour) << "layer " << c.layer << " bw " << c.blackWhite;
  }
}

TEST(StreetLabelDraw, WrittenAlongTheStreetNeverUpsideDown) {
  struct Case {
    const char* what;
    const char* name;
    Point p1, p2;
    int widthStep;
    bool rotated;
    double rotation;
    int escapement;
    Point origin;
  };
  const Case cases[] = {
      // Centre (150, 200), offset -2: the baseline 2 pixels above the street.
      {"horizontal; 0 becomes 1", "MAIN", {100, 200}, {200, 200}, 2, false, 0, 1, {150, 198}},
      {"45 degrees, offset +6", "ELM", {300, 100}, {200, 200}, 6, false, 0, 450, {254, 154}},
      {"vertical", "OAK", {150, 150}, {150, 250}, 2, false, 0, 900, {148, 200}},
      {"rotation read only when rotated", "MAIN", {100, 200}, {200, 200}, 2, false, 100, 1, {150, 198}},
      {"rotated 100: turned over", "MAIN", {100, 200}, {200, 200}, 2, true, 100, 1800, {150, 202}},
      {"rotated -100: turned over", "MAIN", {100, 200}, {200, 200}, 2, true, -100, 1800, {150, 202}},
      {"45 rotated 30 still reads", "ELM", {300, 100}, {200, 200}, 6, true, 30, 450, {254, 154}},
      {"45 rotated 50: turned over", "ELM", {300, 100}, {200, 200}, 6, true, 50, 2250, {246, 146}},
      {"45 rotated 300 reads", "ELM", {300, 100}, {200, 200}, 6, true, 300, 450, {254, 154}},
  };
  for (const Case& c : cases) {
    StreetLabels labels;
    Offer(labels, c.name, c.p1, c.p2, 8, c.widthStep);
    StreetLabelPaint paint;
    paint.Rotated = c.rotated;
    paint.RotationDegrees = c.rotation;
    const Drawn d = DrawAll(labels, paint);
    ASSERT_EQ(d.texts.size(), 1u) << c.what;
    const gdi::DrawRecord& r = d.texts[0];
    EXPECT_EQ(r.state.font.escapement, c.escapement) << c.what;
    EXPECT_EQ(r.points[0], c.origin) << c.what;
    EXPECT_EQ(r.state.font.height, -9) << c.what;  // text size 9 at factor 5, character height
    EXPECT_EQ(r.state.font.face, "Arial") << c.what;
    EXPECT_EQ(r.state.textAlign, gdi::TA_CENTER | gdi::TA_BASELINE) << c.what;
    EXPECT_EQ(r.state.bkMode, gdi::BkMode::Transparent) << c.what;
  }
}

TEST(StreetLabelDraw, InNameOrderThenEmptied) {
  StreetLabels labels;
  Offer(labels, "OAK", {100, 100}, {200, 100});
  Offer(labels, "ELM", {100, 200}, {200, 200});
  Offer(labels, "MAIN", {100, 300}, {200, 300});
  const Drawn d = DrawAll(labels, {});
  ASSERT_EQ(d.texts.size(), 3u);
  EXPECT_EQ(d.texts[0].text, "ELM");
  EXPECT_EQ(d.texts[1].text, "MAIN");
  EXPECT_EQ(d.texts[2].text, "OAK");
  EXPECT_TRUE(d.emptied);
}

TEST(StreetLabelDraw, LineHeightComesFromTheStreetFont) {
  LabelSettings settings;
  const int normal = StreetNameLineHeight(settings, MakeLabelFonts(settings, 1, false));
  settings.SizeFactor = 10;
  const int doubled = StreetNameLineHeight(settings, MakeLabelFonts(settings, 1, false));
  EXPECT_GT(normal, 9);
  EXPECT_GT(doubled, normal + 6);
}

}  // namespace
}  // namespace quelmar::render
