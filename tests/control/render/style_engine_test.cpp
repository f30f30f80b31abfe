#include "control/render/style_engine.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/gdi/recording_canvas.h"

namespace quelmar::render {
namespace {

using gdi::DrawKind;
using gdi::Point;

core::ViewState ViewAtSpan(double miles) {
  core::ViewState view;
  view.View().Scale = view.ScaleForMilesAt40(miles);
  return view;
}

DrawingStyleInputs Kind(char letter) {
  DrawingStyleInputs drawing;
  drawing.KindLetter = letter;
  return drawing;
}

const std::vector<Point> kLineA = {{0, 0}, {50, 0}};
const std::vector<Point> kLineB = {{0, 10}, {50, 10}};
const std::vector<Point> kLineC = {{0, 20}, {50, 20}};
const std::vector<Point> kRing = {{0, 0}, {40, 0}, {40, 40}, {0, 0}};
constexpr gdi::Size kView{100, 100};

TEST(StyleEngine, ShadingSwitchesAndTheirSuspensionDuringAPaint) {
  StyleEngine styles;
  PaintSetup statesOff, underlay, printed;
  statesOff.Shading.State = false;
  underlay.UnderlayShown = true;
  printed.DeviceOutput = printed.PrintWithoutShading = true;
  struct Case {
    const char* what;
    PaintSetup setup;
    bool filled;
  };
  const Case cases[] = {
      {"plain paint", {}, true},
      {"state shading off", statesOff, false},
      {"underlay shown", underlay, false},
      {"printed without shading", printed, false},
  };
  for (const Case& c : cases) {
    styles.BeginPaint(ViewAtSpan(30), c.setup);
    EXPECT_EQ(styles.ActiveShading(), c.setup.UnderlayShown || c.setup.PrintWithoutShading ? ShadingSwitches::AllOff()
                                                                                         : c.setup.Shading)
        << c.what;
    styles.PrepareDrawing(Kind('P'));
    EXPECT_EQ(styles.StyleObject({2, 0, 17, true}, kRing).Fill.has_value(), c.filled) << c.what;
    styles.EndPaint();
  }
}

TEST(StyleEngine, FinishingPassesDrawCasedLinesThenBoundaries) {
  StyleEngine styles;
  gdi::RecordingCanvas canvas(kView);
  styles.BeginPaint(ViewAtSpan(0.05), {});
  styles.PrepareDrawing(Kind('Y'));
  styles.DrawObject(canvas, {9, 51, 0, false}, kLineA, kView);
  styles.DrawObject(canvas, {13, 41, 0, false}, kLineB, kView);
  styles.PrepareDrawing(Kind('M'));
  styles.DrawObject(canvas, {5, 5, 0, false}, kLineC, kView);
  // So far only the county's halo, drawn at once beneath the kept boundary.
  std::vector<gdi::DrawRecord> lines = canvas.RecordsOf(DrawKind::Polyline);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].state.pen, (gdi::Pen{gdi::PenStyle::Solid, 5, StdColor(kYellow)}));

  canvas.Clear();
  styles.DrawFinishingPasses(canvas, kView);
  lines = canvas.RecordsOf(DrawKind::Polyline);
  ASSERT_EQ(lines.size(), 5u);
  // Outer passes by descending layer, then the inner passes, then the boundary.
  EXPECT_EQ(lines[0].points, kLineB);
  EXPECT_EQ(lines[0].state.pen, (gdi::Pen{gdi::PenStyle::Solid, 14, kBlackColour}));
  EXPECT_EQ(lines[1].points, kLineA);
  EXPECT_EQ(lines[1].state.pen, (gdi::Pen{gdi::PenStyle::Solid, 16, kBlackColour}));
  EXPECT_EQ(lines[2].state.pen, (gdi::Pen{gdi::PenStyle::Solid, 12, kWhiteColour}));
  EXPECT_EQ(lines[3].state.pen, (gdi::Pen{gdi::PenStyle::Solid, 14, StdColor(kRed)}));
  EXPECT_EQ(lines[4].points, kLineC);
  EXPECT_EQ(lines[4].state.pen, (gdi::Pen{gdi::PenStyle::Dash, 1, StdColor(kGrey)}));
  EXPECT_EQ(lines[4].state.bkMode, gdi::BkMode::Transparent);

  // Both lists are empty afterwards.
  canvas.Clear();
  styles.DrawFinishingPasses(canvas, kView);
  EXPECT_TRUE(canvas.Records().empty());
  styles.EndPaint();
}

TEST(StyleEngine, FullQueuesDrawAtOnce) {
  StyleEngine styles;
  styles.BeginPaint(ViewAtSpan(1), {});
  styles.PrepareDrawing(Kind('Y'));
  for (std::size_t i = 0; i < CasedLineQueue::kCapacity; ++i) {
    ASSERT_EQ(styles.StyleObject({9, 51, 0, false}, kLineA).Disposition, StyleDisposition::Queue);
  }
  const ObjectStyle atOnce = styles.StyleObject({9, 51, 0, false}, kLineA);
  EXPECT_EQ(atOnce.Disposition, StyleDisposition::Draw);
  ASSERT_EQ(atOnce.Strokes.Size(), 2u);
  EXPECT_EQ(atOnce.Strokes[0].Pen, (gdi::Pen{gdi::PenStyle::Solid, 4, kBlackColour}));
  EXPECT_EQ(atOnce.Strokes[1].Pen, (gdi::Pen{gdi::PenStyle::Solid, 2, StdColor(kRed)}));

  for (std::size_t i = 0; i < DeferredBoundaryList::kCapacity; ++i) {
    ASSERT_EQ(styles.StyleObject({6, 6, 0, false}, kLineC).Disposition, StyleDisposition::Defer);
  }
  const ObjectStyle boundary = styles.StyleObject({6, 6, 0, false}, kLineC);
  EXPECT_EQ(boundary.Disposition, StyleDisposition::Draw);
  ASSERT_EQ(boundary.Strokes.Size(), 2u) << "the halo, then the boundary itself";
  EXPECT_EQ(boundary.Strokes[0].Pen.width, 5);
  EXPECT_EQ(boundary.Strokes[1].Pen, (gdi::Pen{gdi::PenStyle::Dash, 1, StdColor(kRed)}));
  styles.EndPaint();
}

TEST(StyleEngine, OneDrawingOnItsOwnDrawsBoundariesAtOnce) {
  StyleEngine styles;
  PaintSetup single;
  single.FullPaint = false;
  styles.BeginPaint(ViewAtSpan(1), single);
  styles.PrepareDrawing(Kind('M'));
  EXPECT_EQ(styles.StyleObject({1, 1, 0, false}, kLineA).Disposition, StyleDisposition::Draw);
  EXPECT_EQ(styles.StyleObject({6, 6, 0, false}, kLineA).Disposition, StyleDisposition::Draw);
  styles.EndPaint();
}

TEST(StyleEngine, EndPaintRestoresTablesAndDropsUnusedAreaColours) {
  StyleEngine styles;
  const LayerStyleTable before = styles.Styles();
  const ScaleVisibility visibleBefore = styles.Visibility();
  styles.AreaColours().PaletteEntryFor(12345);  // left from an earlier paint

  styles.BeginPaint(ViewAtSpan(300), {});
  styles.PrepareDrawing(Kind('Y'));
  EXPECT_FALSE(styles.LayerDrawn(9));
  EXPECT_NE(styles.Styles(), before);
  styles.StyleObject({8, 0, 501, true}, kRing);
  styles.EndPaint();

  EXPECT_EQ(styles.Styles(), before);
  EXPECT_EQ(styles.Visibility(), visibleBefore);
  EXPECT_EQ(styles.AreaColours().Size(), 1u);
  EXPECT_EQ(styles.AreaColours().ColourNumberOf(12345), 0);
  EXPECT_THROW(styles.PrepareDrawing(Kind('Y')), std::logic_error);
}

TEST(StyleEngine, TrailsUnderlayAndBlackWhiteOutput) {
  StyleEngine styles;
  styles.UserLayers().SetTrailsVisible(false);
  styles.BeginPaint(ViewAtSpan(1), {});
  styles.PrepareDrawing(Kind('Y'));
  for (std::uint8_t code : {86, 87, 88, 89}) EXPECT_FALSE(styles.FeatureDrawn(code)) << int(code);
  for (std::uint8_t code : {85, 90, 41}) EXPECT_TRUE(styles.FeatureDrawn(code)) << int(code);
  EXPECT_TRUE(styles.FeatureDrawn(7));
  styles.EndPaint();

  styles.NoteUnderlayDrawn();
  styles.BlackWhite().SetOn(true);
  PaintSetup printing;
  printing.DeviceOutput = true;
  styles.BeginPaint(ViewAtSpan(1), printing);
  styles.PrepareDrawing(Kind('Y'));
  EXPECT_FALSE(styles.FeatureDrawn(7));
  EXPECT_FALSE(styles.LayerDrawn(19));
  EXPECT_TRUE(styles.BlackWhiteOutput());
  EXPECT_EQ(styles.Styles()[28].ColorWord, 0);
  styles.EndPaint();

  styles.BeginPaint(ViewAtSpan(1), {});
  EXPECT_FALSE(styles.BlackWhiteOutput()) << "on screen the switch greys fills only";
  styles.EndPaint();
}

TEST(StyleEngine, ColourOptionsAndPalette) {
  StyleEngine styles;
  EXPECT_EQ(styles.TvPalette(), 0);
  styles.RebuildPalette();
  const std::int32_t handle = styles.TvPalette();
  EXPECT_NE(handle, 0);
  EXPECT_EQ(styles.ColourOption(0, 0), 0);
  EXPECT_NE(styles.TvPalette(), handle);

  EXPECT_EQ(styles.ColourOption(40, 0x00FF00), 0);
  EXPECT_EQ(styles.Colours().StateEntry(9), 0x00FF00u);
  EXPECT_EQ(styles.ColourOption(0, 40), 0x00FF00);
  EXPECT_FALSE(styles.ColourOption(1, 5)) << "the background colour is the control's";
  EXPECT_EQ(styles.ColourOption(0, -1), 0);
  EXPECT_EQ(styles.Colours(), ShadeColours());
}

}  // namespace
}  // namespace quelmar::render
