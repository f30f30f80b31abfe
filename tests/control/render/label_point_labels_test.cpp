// Point labels: the side they go to, the rectangles they take, the texts
// labelled once, and how they are drawn; then a crowded paint through the
// label engine that must leave no two label texts overlapping.
#include "control/render/label_point_labels.h"

#include <gtest/gtest.h>

#include "control/render/colour_standard.h"
#include "control/render/label_engine.h"
#include "platform/gdi/recording_canvas.h"
#include "platform/gdi/text_measurer.h"
#include "tests/control/render/label_overlap_check.h"

namespace quelmar::render {
namespace {

class PointLabelsTest : public ::testing::Test {
 protected:
  PointLabelsTest() {
    fonts_ = MakeLabelFonts(LabelSettings{}, 1, false);
    paint_.Scales.Span = 10;
    paint_.Scales.Below500 = paint_.Scales.Below100 = paint_.Scales.Below50 = true;
  }
  int ZeroWidth(const gdi::Font& font) const { return gdi::TextMeasurer::Measure(font, "0").width; }

  LabelFonts fonts_;
  PointLabelPaint paint_;
  OccupiedRects occupied_;
  PointLabels labels_;
};

TEST_F(PointLabelsTest, SideFollowsTheFirstLetter) {
  // "A" (65) is odd: first to the right; "B" (66) is even: only to the left.
  ASSERT_TRUE(labels_.Place("%AURORA", {100, 100}, fonts_, paint_, occupied_));
  ASSERT_TRUE(labels_.Place("%BATAVIA", {400, 100}, fonts_, paint_, occupied_));
  const int m = ZeroWidth(fonts_.Bold);
  const PointLabel& aurora = labels_.Labels()[0].At.x == 100 ? labels_.Labels()[0] : labels_.Labels()[1];
  const PointLabel& batavia = labels_.Labels()[0].At.x == 400 ? labels_.Labels()[0] : labels_.Labels()[1];
  EXPECT_EQ(aurora.Text, "%Aurora");
  EXPECT_EQ(aurora.Box.left, 100 + m);
  EXPECT_EQ(batavia.Box.right, 400 - m);
  // The point's own 9 × 9 box is taken too.
  EXPECT_FALSE(occupied_.Fits({100 - 4, 100 - 4, 100 + 5, 100 + 5}));
}

TEST_F(PointLabelsTest, GoesLeftWhenTheRightIsTaken) {
  occupied_.Add({110, 0, 400, 200});
  ASSERT_TRUE(labels_.Place("%AURORA", {100, 100}, fonts_, paint_, occupied_));
  EXPECT_LT(labels_.Labels()[0].Box.right, 100);
  // An even name with its left side taken is not placed at all.
  occupied_.Add({0, 300, 90, 400});
  EXPECT_FALSE(labels_.Place("%BATAVIA", {100, 350}, fonts_, paint_, occupied_));
}

TEST_F(PointLabelsTest, EachTextOncePerPaintAndCapacity) {
  EXPECT_TRUE(labels_.Place("!SPRINGFIELD", {100, 100}, fonts_, paint_, occupied_));
  EXPECT_FALSE(labels_.Place("%SPRINGFIELD", {700, 700}, fonts_, paint_, occupied_));
  labels_.Clear();
  occupied_.Clear();
  int placed = 0;
  for (int i = 0; i < 400; ++i) {
    placed += labels_.Place("." + std::to_string(i), {(i % 20) * 400, (i / 20) * 100}, fonts_, paint_, occupied_);
  }
  EXPECT_EQ(placed, 300);
}

TEST_F(PointLabelsTest, CentredAndTwoLineLabels) {
  ASSERT_TRUE(labels_.Place("?I L L I N O I S", {300, 300}, fonts_, paint_, occupied_));
  const PointLabel& state = labels_.Labels()[0];
  EXPECT_EQ(state.Box.top, 300);
  EXPECT_NEAR((state.Box.left + state.Box.right) / 2.0, 300, 1);
  ASSERT_TRUE(labels_.Place("!ELK GROVE VILLAGE", {300, 500}, fonts_, paint_, occupied_));
  EXPECT_EQ(labels_.Labels()[1].Text, "!Elk Grove\rVillage");
}

TEST_F(PointLabelsTest, DrawingSymbolsColoursAndHalo) {
  ASSERT_TRUE(labels_.Place("+CHICAGO", {100, 100}, fonts_, paint_, occupied_));
  ASSERT_TRUE(labels_.Place("?5COOK", {400, 400}, fonts_, paint_, occupied_));
  gdi::RecordingCanvas canvas({800, 800});
  labels_.Draw(canvas, fonts_, paint_);
  EXPECT_TRUE(labels_.Labels().empty());
  // Chicago: a circle symbol; both names with eight white halo copies.
  EXPECT_EQ(canvas.RecordsOf(gdi::DrawKind::Ellipse).size(), 1u);
  int chicago = 0, cook = 0;
  for (const gdi::DrawRecord& r : canvas.RecordsOf(gdi::DrawKind::TextOut)) {
    if (r.text == "Chicago") {
      ++chicago;
      if (r.state.textColor != kWhiteColour) {
        EXPECT_EQ(r.state.textColor, kBlackColour);
      }
    }
    if (r.text == "COOK") {  // the county colour digit is not written
      ++cook;
      if (r.state.textColor != kWhiteColour) {
        EXPECT_EQ(r.state.textColor, StdColor(2));
      }
    }
  }
  EXPECT_EQ(chicago, 9);
  EXPECT_EQ(cook, 9);
}

// A crowded view: places on a dense grid, crossing streets and repeated
// route shields. Whatever is placed, no two texts overlap.
TEST(LabelEngine, CrowdedPaintLeavesNoOverlap) {
  core::ViewState view;
  view.View().Width = 800;
  view.View().Height = 600;
  view.ZoomWindow(-88, 42, -87.97, 41.9775);  // under two miles across: street names due
  LabelEngine labels;
  labels.BeginPaint(view, {});
  labels.BeginDrawing('M', [](int) { return true; });
  gdi::RecordingCanvas canvas({800, 600});
  const char* names[] = {"AURORA", "BATAVIA", "ELGIN", "GENEVA", "WHEATON", "NAPERVILLE", "LISLE", "JOLIET"};
  int n = 0;
  for (int y = 20; y < 600; y += 23) {
    for (int x = 10; x < 800; x += 37, ++n) {
      labels.NamedPoint(canvas, 16, std::string(names[n % 8]) + std::to_string(n), {x, y}, 20000 + n);
    }
  }
  for (int i = 0; i < 40; ++i) {
    labels.AlongSegment("MAIN " + std::to_string(i), {i * 20, 0}, {800 - i * 20, 600}, 14, 2);
    labels.AlongSegment("CROSS " + std::to_string(i), {0, i * 15}, {800, 600 - i * 15}, 14, 2);
    labels.TextLabel(canvas, 33, "\x0F" + std::to_string(90 + i % 3), {30 + i * 19, 300});
  }
  labels.DrawLabelPasses(canvas);
  labels.DrawLastPasses(canvas);
  EXPECT_GT(labels.Counters().PointLabels, 10);
  EXPECT_GT(labels.Counters().StreetLabels, 0);
  EXPECT_EQ(testing::OverlappingLabels(canvas), std::vector<std::string>{});
}

}  // namespace
}  // namespace quelmar::render
