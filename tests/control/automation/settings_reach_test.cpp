// Settings reach their effect: what a host sets through the automation
// interface changes what the control loads and draws, not only what it stores.
// Each test drives a control as a host does and looks at the outcome: the
// archive a load opened, the face labels were drawn in, the bitmap a handle
// names, the paint a dialog's choices reach, and the problems a damaged tree
// reports while the rest still draws.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "control_fixture.h"
#include "control/data/archive_writer.h"
#include "control/data/drawing_writer.h"
#include "control/data/quad.h"
#include "platform/gdi/bitmap_handles.h"
#include "platform/gdi/recording_canvas.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::testing {
namespace {

namespace fs = std::filesystem;
using com::Variant;
using core::TMapPoint;

constexpr TMapPoint kChicago{-1369000, 654400};  // about 87.6° W, 41.9° N

// A drawing of one line inside `box`, of street data version `version`.
std::vector<std::uint8_t> LineIn(const data::MapBox& box, std::int16_t version) {
  data::DrawingWriter w(version);
  w.Extents(box.Left, box.Right, box.Bottom, box.Top);
  w.FeatureCode(77);
  w.Polyline(data::ObjectKind::Polyline13, data::AttributeCoding::None, data::PointCoding::Absolute, {},
             {box.Left + 1, box.Bottom + 1}, std::vector<TMapPoint>{{box.Left + 100, box.Bottom + 100}});
  w.End();
  return w.Bytes();
}

// A scratch data tree; the control's data paths point into it.
class SettingsReach : public ControlTest {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("settings-reach-" + std::to_string(::getpid()));
    fs::create_directories(root_ / "STATES0");
    fs::create_directories(root_ / "DATA1");
    ControlTest::SetUp();
    Put("Path_states0", Variant((root_ / "STATES0").string()));
    Put("Path_states1", Variant((root_ / "STATES0").string()));
    Put("Path_data1", Variant((root_ / "DATA1").string()));
  }
  void TearDown() override {
    ControlTest::TearDown();
    fs::remove_all(root_);
  }
  bool Loaded(const std::string& name) {
    const data::DrawingTable& table = control_->Model()->Drawings();
    return table.FindDrawing(name) != 0;
  }

  fs::path root_;
};

// The alternative street archives (".ZPY", version 400) are opened only
// once option 65521 asks for them.
TEST_F(SettingsReach, Option65521ChangesWhichStreetArchiveTheLoadOpens) {
  const data::Quad quad = *data::QuadAt(data::QuadGrid::Street, kChicago);
  const std::string member = data::StreetMemberName({quad, 0, 17});
  data::ArchiveWriter streets(data::ArchiveLayout::kLayerArchive);
  streets.Add(member, LineIn(*data::SubQuadBox(quad, 0), 400));
  streets.WriteFile(root_ / "STATES0" / "17.ZPY");

  const data::MapBox box = *data::SubQuadBox(quad, 0);
  const double lon = (box.Left + box.Right) / 2.0 / 15625, lat = (box.Bottom + box.Top) / 2.0 / 15625;
  Call("ZoomWindow", {Variant(lon - 0.01), Variant(lat + 0.005), Variant(lon + 0.01), Variant(lat - 0.005)});
  EXPECT_FALSE(Loaded(member)) << "the default extension is .ZP5";

  EXPECT_EQ(Get("SetOption", {Variant(65521), Variant(0)}).i4(), 0);
  Call("Redraw");
  EXPECT_TRUE(Loaded(member)) << "17.ZPY was opened";
}

// The control's Font is the label font: place and state names are drawn in its face.
TEST_F(SettingsReach, TheFontIsTheFaceLabelsAreDrawnIn) {
  gdi::Font font = Panel()->Font();
  font.face = "Liberation Serif";
  Panel()->SetFont(font);
  Call("ZoomWindow", {Variant(-91.6), Variant(42.6), Variant(-87.0), Variant(36.9)});  // Illinois
  gdi::RecordingCanvas canvas({400, 300});
  control_->Model()->Paint(canvas, Panel()->MakePaintRequest(core::OutputKind::Screen));
  int serif = 0, texts = 0;
  for (const gdi::DrawRecord& r : canvas.Records()) {
    if (r.kind != gdi::DrawKind::TextOut) continue;
    ++texts;
    serif += r.state.font.face == "Liberation Serif";
  }
  if (texts == 0) GTEST_SKIP() << "the stand-in base map has no names (the public inputs are not fetched)";
  EXPECT_GT(serif, 0) << "labels take the control's font";
}

// The shading switches are drawing switches: with Shade_State off the states
// are no longer filled.
TEST_F(SettingsReach, AShadingSwitchChangesWhatIsFilled) {
  Call("ZoomWindow", {Variant(-91.6), Variant(42.6), Variant(-87.0), Variant(36.9)});  // Illinois
  auto filledAreas = [&] {
    gdi::RecordingCanvas canvas({400, 300});
    control_->Model()->Paint(canvas, Panel()->MakePaintRequest(core::OutputKind::Screen));
    return std::count_if(canvas.Records().begin(), canvas.Records().end(), [](const gdi::DrawRecord& r) {
      return r.kind == gdi::DrawKind::Polygon && r.state.brush.style != gdi::BrushStyle::Null;
    });
  };
  const auto shaded = filledAreas();
  if (shaded == 0) GTEST_SKIP() << "the stand-in base map has no state areas (the public inputs are not fetched)";
  Put("Shade_State", Variant(false));
  EXPECT_EQ(Get("Shade_State").boolVal(), 0);
  EXPECT_LT(filledAreas(), shaded);
}

// Option 61153 hands out the base buffer as a bitmap handle holding the map.
TEST_F(SettingsReach, Option61153NamesTheBaseBufferWithTheMapInIt) {
  Put("Color", Variant(std::int32_t{0x123456}));
  Call("Redraw");
  const std::int32_t handle = Get("SetOption", {Variant(0), Variant(61153)}).i4();
  ASSERT_NE(handle, 0);
  const gdi::Bitmap* bitmap = gdi::BitmapFromHandle(handle);
  ASSERT_EQ(bitmap, Panel()->BaseBuffer());
  EXPECT_EQ(Get("SetOption", {Variant(0), Variant(61153)}).i4(), handle) << "the handle stays the same";
  bool background = false;
  for (int x = 0; x < 390 && !background; ++x) background = bitmap->Pixel(x, 2) == 0x123456;
  EXPECT_TRUE(background) << "the buffer holds the map drawn on the control's colour";
}

// What the display and layer dialogs keep is what the next load and paint are asked for.
TEST_F(SettingsReach, DialogChoicesReachTheLoadAndThePaint) {
  ui::SetDialogRunner([](ui::DialogModel& d) {
    if (d.Find("&Grid")) {
      d.Field("&Grid").checked = true;
      d.Field("Show Street &Names").checked = false;
      d.Field("Show Su&ffixes (i.e St, Ave)").checked = true;
      d.Field("Show Route &Shields").checked = false;
      d.Field("Show USA &Underlay").checked = true;
      d.Field("Show User &Overlay").checked = false;
      d.Field("&3) Deg.Frac").checked = true;
      d.Field("&1) Deg: Min: Sec").checked = false;
      d.Field("&Text Size:").text = "12";
      d.Field("&Street Detail:").text = "10";
      d.Press("&OK");
    } else if (d.Find("&Airports and Heliports")) {
      d.Field("&Airports and Heliports").checked = false;
      d.Press("&Ok");
    }
  });
  EXPECT_EQ(Call("ExecMethod", {Variant("DISPLAY")}).hr, com::S_OK);
  EXPECT_EQ(Call("ExecMethod", {Variant("LAYER")}).hr, com::S_OK);
  ui::SetDialogRunner({});

  const core::PaintRequest paint = Panel()->MakePaintRequest(core::OutputKind::Screen);
  EXPECT_TRUE(paint.Layers.Grid);
  EXPECT_FALSE(paint.Layers.Overlay);
  EXPECT_EQ(paint.Labels.ShowStreetNames, 0);
  EXPECT_TRUE(core::ShowsSuffixes(paint.Labels));
  EXPECT_FALSE(paint.Labels.ShowRouteShields);
  EXPECT_EQ(paint.Labels.TextSize, 12);
  EXPECT_TRUE(paint.Underlay.Underlay());
  EXPECT_EQ(Panel()->options().LLmode, TmDEG);
  EXPECT_FALSE(Panel()->MakeLoadRequest().Layers.Load_Air) << "the layer dialog's airports";
  EXPECT_EQ(Get("Load_Air").boolVal(), 0);
  Call("Redraw");
  EXPECT_EQ(control_->Model()->Rules().DetailMiles, 10) << "street quads now load below a span of 10 miles";
}

// A damaged member is reported (trace log and count) and the rest of the map still loads.
TEST_F(SettingsReach, ADamagedMemberIsReportedAndTheRestStillLoads) {
  const fs::path log = root_ / "trace.txt";
  Panel()->traceLog().SetPath(log.string());
  const data::Quad east = *data::QuadAt(data::QuadGrid::Overview, kChicago);
  const data::Quad west = *data::QuadAt(data::QuadGrid::Overview, {kChicago.X - 5 * 15625, kChicago.Y});
  std::vector<std::uint8_t> damaged = LineIn(*data::QuadBox(east), 400);
  damaged.resize(damaged.size() / 2);  // cut in the middle of a record
  data::ArchiveWriter states(data::ArchiveLayout::kLayerArchive);
  states.Add(data::QuadName(east) + "95", damaged);
  states.Add(data::QuadName(west) + "95", LineIn(*data::QuadBox(west), 400));
  states.WriteFile(root_ / "DATA1" / "mstate.zpx");

  EXPECT_EQ(Get("SetOption", {Variant(65535), Variant(1)}).i4(), 0);  // the trace log on
  EXPECT_EQ(Get("SetOption", {Variant(0), Variant(61154)}).i4(), 0);
  const double border = data::QuadBox(east)->Left / 15625.0;  // between the two quads
  Call("ZoomWindow", {Variant(border - 1.2), Variant(42.5), Variant(border + 1.2), Variant(40.7)});

  EXPECT_TRUE(Loaded(data::QuadName(west) + "95")) << "the sound member is drawn";
  EXPECT_EQ(Get("SetOption", {Variant(0), Variant(61154)}).i4(), 1);
  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("mstate.zpx " + data::QuadName(east) + "95: "), std::string::npos) << text.str();

  Get("SetOption", {Variant(61154), Variant(0)});
  EXPECT_EQ(Get("SetOption", {Variant(0), Variant(61154)}).i4(), 0) << "a write starts the count again";
}

}  // namespace
}  // namespace quelmar::testing
