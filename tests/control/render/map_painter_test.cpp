// The paint pass over drawings read from files: order, culling and what
// reaches the styles.
#include "control/render/map_painter.h"

#include <gtest/gtest.h>
#include <unistd.h>

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

}  // namespace
}  // namespace quelmar::render
