// What the label engine does with each kind of candidate at each scale: the
// layers of named points and label texts, the finishing passes' order, the
// halo, the anchored texts of landmark and fixed names, and the painter
// handing named lines, places and route labels over.
#include "control/render/label_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "control/render/colour_standard.h"
#include "control/render/label_fixed_names.h"
#include "control/render/label_landmarks.h"
#include "control/render/label_text_output.h"
#include "platform/gdi/recording_canvas.h"

namespace quelmar::render {
namespace {

// An 800 × 600 view centred on (lon, lat) whose span (miles one screen inch
// covers) is `spanMiles`.
core::ViewState ViewSpanning(double spanMiles, double lon = -87.6, double lat = 41.9) {
  core::ViewState view;
  view.View().Width = 800;
  view.View().Height = 600;
  view.ZoomWindow(lon - 1, lat + 1, lon + 1, lat - 1);
  view.SetViewScale(view.ScaleForMilesAt40(spanMiles));
  view.DeriveEdges();
  view.GotoPoint(lon, lat, 0);
  view.DeriveEdges();
  return view;
}

// Every text written, once (halo copies included in the one).
std::vector<std::string> Texts(const gdi::RecordingCanvas& canvas) {
  std::vector<std::string> texts;
  for (const gdi::DrawRecord& r : canvas.RecordsOf(gdi::DrawKind::TextOut)) {
    if (std::find(texts.begin(), texts.end(), r.text) == texts.end()) texts.push_back(r.text);
  }
  return texts;
}

class LabelEngineTest : public ::testing::Test {
 protected:
  void Begin(double span, char kind = 'M') {
    labels_.BeginPaint(ViewSpanning(span), setup_);
    labels_.BeginDrawing(kind, [](int) { return true; });
  }
  // The label passes (the fixed names of the last pass are left out).
  std::vector<std::string> Finish() {
    labels_.DrawLabelPasses(canvas_);
    return Texts(canvas_);
  }
  bool Drawn(const std::string& text) {
    const auto texts = Finish();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }

  LabelEngine labels_;
  LabelPaintSetup setup_;
  gdi::RecordingCanvas canvas_{{800, 600}};
};

TEST_F(LabelEngineTest, NamedPointsByLayerAndSpan) {
  struct Case {
    std::uint8_t code;
    const char* text;  // as stored (label text)
    double span;
    char kind;
    const char* drawn;  // nullptr: nothing
  };
  const Case cases[] = {
      {2, "IL\\ILLINOIS", 200, 'M', "IL"},
      {2, "IL\\ILLINOIS", 60, 'M', "I L L I N O I S"},
      {2, "IL\\ILLINOIS", 600, 'M', nullptr},
      {5, "?5COOK", 20, 'M', "COOK"},    // county names from span 32 down
      {5, "?5COOK", 40, 'M', nullptr},
      {5, "?5COOK", 40, 'P', "COOK"},    // ... unless the drawing is a "P" one
      {37, "LEMONT>1", 20, 'M', "LEMONT"},  // cut before ">", written with the pictogram
  };
  for (const Case& c : cases) {
    canvas_.Clear();
    Begin(c.span, c.kind);
    labels_.TextLabel(canvas_, c.code, c.text, {400, 300});
    const auto texts = Finish();
    if (c.drawn) {
      EXPECT_NE(std::find(texts.begin(), texts.end(), c.drawn), texts.end()) << c.text << " at span " << c.span;
    } else {
      EXPECT_TRUE(texts.empty()) << c.text << " at span " << c.span;
    }
  }
}

TEST_F(LabelEngineTest, PlacesFollowPopulationAndTheStreetNameSwitch) {
  Begin(60);
  labels_.NamedPoint(canvas_, 16, "LEMONT", {100, 100}, 16000);     // labelled at span 60
  labels_.NamedPoint(canvas_, 16, "ELWOOD", {300, 100}, 12000);     // needs span 50
  labels_.NamedPoint(canvas_, 16, "SPRINGFIELD", {500, 100}, -116565);  // a capital: always
  auto texts = Finish();
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (std::vector<std::string>{"Lemont", "Springfield"}));

  canvas_.Clear();
  labels_.Settings().ShowStreetNames = false;
  Begin(60);
  labels_.NamedPoint(canvas_, 16, "LEMONT", {100, 100}, 16000);
  EXPECT_TRUE(Finish().empty());
}

TEST_F(LabelEngineTest, LandmarksMarkersIconsAndNames) {
  // Zoomed out: a marker square in the class colour at once, no name.
  Begin(5);
  labels_.TextLabel(canvas_, 19, std::string("\x0C") + "GRANT PARK", {200, 200});
  EXPECT_EQ(canvas_.RecordsOf(gdi::DrawKind::FillRect).size(), 1u);
  EXPECT_TRUE(Finish().empty());
  // Zoomed in: the icon, and the name centred below it.
  canvas_.Clear();
  Begin(0.2);
  labels_.TextLabel(canvas_, 19, std::string("\x0C") + "GRANT PARK", {200, 200});
  EXPECT_TRUE(canvas_.RecordsOf(gdi::DrawKind::FillRect).empty());
  labels_.DrawLabelPasses(canvas_);
  EXPECT_EQ(canvas_.RecordsOf(gdi::DrawKind::BitBlt).size(), 2u);  // mask, then icon
  const auto texts = canvas_.RecordsOf(gdi::DrawKind::TextOut);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back().text, "Grant Park");
  EXPECT_GE(texts.back().points[0].y, 200 + 12);
}

TEST_F(LabelEngineTest, WaterNamesOnlyAtStreetScale) {
  Begin(5);
  labels_.TextLabel(canvas_, 23, "LAKE MICHIGAN", {200, 200});
  EXPECT_TRUE(Finish().empty());
  setup_.LandmarksLoaded = true;
  Begin(0.2);
  labels_.TextLabel(canvas_, 23, "LAKE MICHIGAN", {200, 200});
  EXPECT_TRUE(Drawn("LAKE MICHIGAN"));
}

TEST_F(LabelEngineTest, RouteShieldsNeedTheirSwitches) {
  for (const bool on : {true, false}) {
    canvas_.Clear();
    labels_.Settings().ShowRouteShields = on;
    Begin(60);
    labels_.TextLabel(canvas_, 33, "\x0F" "94", {400, 300});
    EXPECT_EQ(labels_.Counters().Candidates, 1);
    labels_.DrawLabelPasses(canvas_);
    EXPECT_EQ(labels_.Counters().ShieldGroups, on ? 1 : 0);
  }
}

TEST_F(LabelEngineTest, LabelBoxesAreFramedBeforeAnyLabel) {
  labels_.Settings().LabelBoxes = true;
  Begin(60);
  labels_.NamedPoint(canvas_, 16, "LEMONT", {100, 100}, 16000);
  labels_.DrawLabelPasses(canvas_);
  const auto& records = canvas_.Records();
  const auto firstText = std::find_if(records.begin(), records.end(),
                                      [](const gdi::DrawRecord& r) { return r.kind == gdi::DrawKind::TextOut; });
  const auto frames = std::count_if(records.begin(), firstText,
                                    [](const gdi::DrawRecord& r) { return r.kind == gdi::DrawKind::Rectangle; });
  EXPECT_EQ(frames, 2);  // the label's box and its point's box
}

// Printing in black and white: every symbol, shield and text is black or white.
TEST_F(LabelEngineTest, BlackAndWhiteUsesOnlyBlackAndWhite) {
  setup_.BlackWhite = true;
  setup_.LandmarksLoaded = true;
  Begin(0.2);
  const char* classes = "*+&$%@#!~?<>. ";
  for (int i = 0; i < 14; ++i) {
    labels_.TextLabel(canvas_, 7, std::string(1, classes[i]) + "PLACE" + std::string(1, char('A' + i)),
                      {60 + (i % 4) * 180, 60 + (i / 4) * 120});
  }
  labels_.TextLabel(canvas_, 5, "?5COOK", {700, 550});
  labels_.TextLabel(canvas_, 19, std::string("\x0C") + "GRANT PARK", {400, 560});
  labels_.TextLabel(canvas_, 33, "\x0F" "94/\x10" "41", {100, 540});
  labels_.AlongSegment("HALSTED", {300, 500}, {500, 500}, 9, 6);
  labels_.AlongSegment("RIVER", {300, 450}, {500, 450}, 23, 2);
  labels_.DrawLabelPasses(canvas_);
  labels_.DrawLastPasses(canvas_);
  const auto blackOrWhite = [](gdi::COLORREF c) { return c == kBlackColour || c == kWhiteColour; };
  ASSERT_GT(canvas_.RecordsOf(gdi::DrawKind::TextOut).size(), 10u);
  EXPECT_TRUE(canvas_.RecordsOf(gdi::DrawKind::BitBlt).empty()) << "no coloured icons";
  for (const gdi::DrawRecord& r : canvas_.Records()) {
    switch (r.kind) {
      case gdi::DrawKind::TextOut:
        EXPECT_TRUE(blackOrWhite(r.state.textColor)) << r.ToString();
        break;
      case gdi::DrawKind::Polygon:
      case gdi::DrawKind::Rectangle:
      case gdi::DrawKind::Ellipse:
        EXPECT_TRUE(blackOrWhite(r.state.pen.color) || r.state.pen.style == gdi::PenStyle::Null) << r.ToString();
        EXPECT_TRUE(blackOrWhite(r.state.brush.color) || r.state.brush.style == gdi::BrushStyle::Null) << r.ToString();
        break;
      case gdi::DrawKind::FillRect:
        EXPECT_TRUE(blackOrWhite(r.fillBrush.color)) << r.ToString();
        break;
      default:
        break;
    }
  }
}

TEST(LabelTextOutput, HaloAndAnchoredLines) {
  gdi::RecordingCanvas canvas({400, 400});
  WriteLabelLine(canvas, {50, 50}, "Name", kBlackColour, true);
  auto texts = canvas.RecordsOf(gdi::DrawKind::TextOut);
  ASSERT_EQ(texts.size(), 9u);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(texts[static_cast<std::size_t>(i)].state.textColor, kWhiteColour);
  EXPECT_EQ(texts[8].state.textColor, kBlackColour);
  EXPECT_EQ(texts[8].points[0], (gdi::Point{50, 50}));
  canvas.Clear();
  WriteLabelLine(canvas, {50, 50}, "Sea", kWhiteColour, true);  // white text: no halo
  EXPECT_EQ(canvas.RecordsOf(gdi::DrawKind::TextOut).size(), 1u);

  // An anchored text gives way line by line to what is already placed.
  OccupiedRects occupied;
  canvas.Clear();
  const gdi::Font font{"Arial", -9, 400, false, 0};
  EXPECT_EQ(WriteAnchoredText(canvas, {200, 100}, "Upper\rLower", font, kBlackColour, false, occupied), 2);
  EXPECT_EQ(WriteAnchoredText(canvas, {200, 100}, "Upper\rLower", font, kBlackColour, false, occupied), 0);
  EXPECT_EQ(WriteAnchoredText(canvas, {200, 300}, "Left", font, kBlackColour, false, occupied, AnchorAlign::LeftFrom),
            1);
  EXPECT_EQ(canvas.RecordsOf(gdi::DrawKind::TextOut).back().points[0].x, 200);
}

TEST(FixedNames, ShownBySpanAndPlace) {
  const auto drawn = [](double span, double lon, double lat) {
    LabelEngine labels;
    labels.BeginPaint(ViewSpanning(span, lon, lat), {});
    gdi::RecordingCanvas canvas({800, 600});
    labels.DrawLastPasses(canvas);
    return Texts(canvas);
  };
  const auto has = [](const std::vector<std::string>& texts, const char* text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  };
  EXPECT_TRUE(has(drawn(600, -100, 38), "U N I T E D   S T A T E S"));
  EXPECT_FALSE(has(drawn(400, -100, 38), "U N I T E D   S T A T E S"));
  EXPECT_TRUE(has(drawn(60, -70, 41), "Cape Cod"));
  EXPECT_FALSE(has(drawn(150, -70, 41), "Cape Cod"));
  EXPECT_FALSE(has(drawn(60, -100, 38), "Cape Cod"));  // outside the view
}

TEST(FixedNames, SeaNamesStandOutFromTheSea) {
  EXPECT_EQ(SeaNameColour(gdi::RGB(0x00, 0x00, 0x80), false), kWhiteColour);   // a dark sea
  EXPECT_EQ(SeaNameColour(gdi::RGB(0xFF, 0xFF, 0xAF), false), StdColor(kNavy));  // the light default
  EXPECT_EQ(SeaNameColour(gdi::RGB(0x00, 0x00, 0x80), true), kBlackColour);
}

TEST(LandmarkDescriptions, TableOf48) {
  EXPECT_EQ(LandmarkDescription(1), "Landmark");
  EXPECT_EQ(LandmarkDescription(14), "Hospital");
  EXPECT_EQ(LandmarkDescription(48), "P.O.Box ZIPCode");
  EXPECT_EQ(LandmarkDescription(0), "");
  EXPECT_EQ(LandmarkDescription(49), "");
}

}  // namespace
}  // namespace quelmar::render
