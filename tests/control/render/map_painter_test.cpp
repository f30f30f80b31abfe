// The paint pass over drawings read from files: order, culling and what
// reaches the styles.
#include "control/render/map_painter.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "control/data/drawing_writer.h"
#include "platform/gdi/recording_canvas.h"

namespace quelmar::render {
namespace {

namespace fs = std::filesystem;

class MapPainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("map-painter-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
    state_.View().Width = 1000;
    state_.View().Height = 1000;
    state_.ZoomWindow(-88, 42, -87, 41);
    rules_.ForMiles = [&](double miles) { return state_.ScaleForMilesAt40(miles); };
    rules_.StreetThreshold = rules_.Miles(2);
    const core::TViewWindow& v = state_.View();
    // The base map: a ring in the view (state interior) and a line far away.
    data::DrawingWriter base(400);
    base.Extents(v.Left - 500000, v.Right + 500000, v.Bottom - 500000, v.Top + 500000);
    base.FeatureCode(2);
    base.Polyline(data::ObjectKind::Polyline13, data::AttributeCoding::Long, data::PointCoding::Absolute, {17, 0, 0},
                  {v.Left + 100, v.Bottom + 100},
                  std::vector<TMapPoint>{{v.Left + 5000, v.Bottom + 100}, {v.Left + 5000, v.Bottom + 5000},
                                         {v.Left + 100, v.Bottom + 100}});
    base.FeatureCode(28);
    base.Polyline(data::ObjectKind::Polyline13, data::AttributeCoding::None, data::PointCoding::Absolute, {},
                  {v.Left - 400000, v.Bottom - 400000},
                  std::vector<TMapPoint>{{v.Left - 390000, v.Bottom - 390000}});
    Load("BASE.DCM", base);
    // A state quad ("M...95") with one county-coloured line in the view.
    data::DrawingWriter state(400);
    state.Extents(v.Left, v.Right, v.Bottom, v.Top);
    state.FeatureCode(1);
    state.Polyline(data::ObjectKind::Polyline14, data::AttributeCoding::None, data::PointCoding::Absolute, {},
                   {v.Left + 10, v.Bottom + 10}, std::vector<TMapPoint>{{v.Left + 20, v.Bottom + 20}});
    Load("M1A2B95", state);
  }
  void TearDown() override { fs::remove_all(folder_); }

  void Load(const std::string& name, data::DrawingWriter& writer) {
    writer.End();
    std::ofstream out(folder_ / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(writer.Bytes().data()), static_cast<std::streamsize>(writer.Bytes().size()));
    out.close();
    data::LoadContext context;
    context.DataFolder = folder_.string();
    context.Rules = &rules_;
    ASSERT_NE(table_.LoadDrawing(0, name, "", false, context), 0);
  }

  fs::path folder_;
  core::ViewState state_;
  data::ScaleRules rules_;
  data::DrawingTable table_;
  StyleEngine styles_;
};

TEST_F(MapPainterTest, PaintsDueDrawingsAndCullsWhatLiesOutside) {
  const TMapPoint ringCorner{state_.View().Left + 100, state_.View().Bottom + 100};
  // Ten degrees across: the base map's states and highways show; the state
  // quad is not due yet.
  state_.ZoomWindow(-92.5, 46.5, -82.5, 36.5);
  MapPainter painter(table_, styles_);
  gdi::RecordingCanvas canvas({1000, 1000});
  painter.PaintMap(canvas, state_, rules_, {});
  EXPECT_EQ(painter.Counters().Drawings, 1);
  EXPECT_EQ(painter.Counters().Culled, 1) << "the far interstate";
  EXPECT_EQ(painter.Counters().Objects, 1);
  // The state ring is shaded: a polygon at exactly the pixels the view gives.
  const core::TPixelPoint corner = state_.MapToPixel(ringCorner);
  bool shaded = false;
  for (const gdi::DrawRecord& r : canvas.Records()) {
    if (r.kind == gdi::DrawKind::Polygon && !r.points.empty() && r.points[0] == gdi::Point{corner.X, corner.Y}) {
      shaded = true;
    }
  }
  EXPECT_TRUE(shaded);
}

TEST_F(MapPainterTest, TheStateQuadIsDueCloserInUnlessSwitchedOff) {
  MapPainter painter(table_, styles_);
  gdi::RecordingCanvas canvas({1000, 1000});
  painter.PaintMap(canvas, state_, rules_, {});
  EXPECT_EQ(painter.Counters().Drawings, 2);
  data::LoadSwitches switches;
  switches.State = false;
  painter.PaintMap(canvas, state_, rules_, switches);
  EXPECT_EQ(painter.Counters().Drawings, 1);
}

TEST_F(MapPainterTest, TheBaseMapStaysFirstWhateverItsPriority) {
  MapPainter painter(table_, styles_);
  const std::vector<int> order = painter.PaintOrder();
  ASSERT_EQ(order.size(), 2u);
  EXPECT_EQ(order[0], 1);
}

// Named lines, places and label texts reach the labels: the line's name is
// the last NameRef's until a group mark ends it.
TEST_F(MapPainterTest, HandsNamesPlacesAndLabelTextsToTheLabels) {
  state_.ZoomWindow(-87.64, 41.89, -87.62, 41.875);  // a mile across: street names are due
  const core::TViewWindow& v = state_.View();
  const std::int32_t midY = (v.Top + v.Bottom) / 2, x0 = v.Left + 20, x1 = v.Right - 20;
  data::DrawingWriter streets(402);
  streets.Extents(v.Left, v.Right, v.Bottom, v.Top);
  streets.FeatureCode(78);  // a street (layer 14)
  streets.NameString("MADISON");
  streets.NameRef(streets.Objects() - streets.SectionBase());
  streets.Polyline(data::ObjectKind::Polyline13, data::AttributeCoding::None, data::PointCoding::Absolute, {},
                   {x0, midY}, std::vector<TMapPoint>{{(x0 + x1) / 2, midY}, {x1, midY}});
  streets.GroupMark();  // the unnamed line after it gets no label
  streets.Polyline(data::ObjectKind::Polyline13, data::AttributeCoding::None, data::PointCoding::Absolute, {},
                   {x0, midY - 50}, std::vector<TMapPoint>{{x1, midY - 50}});
  streets.FeatureCode(16);
  data::PlaceObject place;
  place.Name = "LOOP";
  place.Population = 30000;
  place.Point = {(x0 + x1) / 2, midY + 60};
  streets.Place(place);
  place.Name = "FAR AWAY";
  place.Point = {v.Left - 100000, midY};
  streets.Place(place);
  Load("Y1A2B3C", streets);

  LabelEngine labels;
  MapPainter painter(table_, styles_);
  painter.SetLabels(&labels);
  gdi::RecordingCanvas canvas({1000, 1000});
  painter.PaintMap(canvas, state_, rules_, {});
  EXPECT_EQ(labels.Counters().StreetLabels, 1);
  EXPECT_EQ(labels.Counters().PointLabels, 1) << "the place outside the view is not offered";
  std::vector<std::string> texts;
  const int namedY = state_.MapToPixel({x0, midY}).Y;
  for (const gdi::DrawRecord& r : canvas.RecordsOf(gdi::DrawKind::TextOut)) {
    texts.push_back(r.text);
    // Written on the named line, not on the longer unnamed one below it.
    if (r.text == "MADISON") {
      EXPECT_NEAR(r.points[0].y, namedY, 10);
    }
  }
  EXPECT_NE(std::find(texts.begin(), texts.end(), "MADISON"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Loop"), texts.end());
}

}  // namespace
}  // namespace quelmar::render
