// The map as a user sees it: four views of the real data tree (the whole
// country, Illinois, Cook County, the Chicago Loop) rendered by the control
// and compared with reference images, allowing for small differences in
// anti-aliased text and rounding. Set QUELMAR_REGENERATE_REFERENCES=1 to
// write the references anew (and look at them before committing).
#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "control/core/control_context.h"
#include "control/render/map_model_attach.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/cairo_canvas.h"
#include "platform/gdi/recording_canvas.h"
#include "tests/control/render/label_overlap_check.h"
#include "tests/tools/builder/streets/street_test_support.h"
#include "tools/quelmar-data/builder/inputs/national_inputs.h"
#include "tools/quelmar-data/builder/output/geometry.h"
#include "tools/quelmar-data/builder/output/map_tree.h"
#include "tools/quelmar-data/builder/streets/street_samples.h"

namespace quelmar {
namespace {

namespace fs = std::filesystem;

struct ReferenceView {
  const char* name;
  double lon1, lat1, lon2, lat2;
};
constexpr ReferenceView kViews[] = {
    {"us48", -125.0, 50.0, -66.0, 24.0},
    {"illinois", -91.6, 42.6, -87.0, 36.9},
    {"cook", -88.3, 42.16, -87.5, 41.45},
    {"loop", -87.645, 41.890, -87.615, 41.872},
};

fs::path ReferenceFolder() {
  return fs::path(std::getenv("QUELMAR_TEST_SOURCE_DIR")) / "tests" / "tools" / "render" / "reference";
}

// The share of pixels whose colour differs by more than `tolerance` in any
// channel; 1 when the sizes differ or the reference cannot be read.
double DifferingShare(const gdi::Bitmap& image, const fs::path& reference, int tolerance) {
  cairo_surface_t* png = cairo_image_surface_create_from_png(reference.c_str());
  if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS || cairo_image_surface_get_width(png) != image.Width() ||
      cairo_image_surface_get_height(png) != image.Height()) {
    cairo_surface_destroy(png);
    return 1;
  }
  const unsigned char* data = cairo_image_surface_get_data(png);
  const int stride = cairo_image_surface_get_stride(png);
  std::int64_t differing = 0;
  for (int y = 0; y < image.Height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
    for (int x = 0; x < image.Width(); ++x) {
      const std::uint32_t ref = row[x];  // 0xAARRGGBB
      const gdi::COLORREF got = image.Pixel(x, y);  // 0x00BBGGRR
      const int dr = std::abs(int((ref >> 16) & 0xFF) - int(got & 0xFF));
      const int dg = std::abs(int((ref >> 8) & 0xFF) - int((got >> 8) & 0xFF));
      const int db = std::abs(int(ref & 0xFF) - int((got >> 16) & 0xFF));
      if (dr > tolerance || dg > tolerance || db > tolerance) ++differing;
    }
  }
  cairo_surface_destroy(png);
  return double(differing) / (double(image.Width()) * image.Height());
}

class ReferenceImages : public ::testing::TestWithParam<ReferenceView> {
 protected:
  static void SetUpTestSuite() {
    const char* inputs = std::getenv("QUELMAR_INPUTS");
    if (!inputs || !*inputs || !fs::exists(fs::path(inputs) / "npm" / "us-atlas")) return;
    tree_ = new fs::path(fs::temp_directory_path() / ("reference-tree-" + std::to_string(::getpid())));
    builder::NationalInputs national =
        builder::LoadNationalInputs(inputs, fs::path(std::getenv("QUELMAR_TEST_SOURCE_DIR")) / "data" / "reference");
    builder::DropEastOfAntimeridian(national);
    const auto streets =
        builder::LoadStreetSamples(builder::SampleFilesIn(builder::street_testing::StreetTestData()));
    builder::WriteMapTree(national, streets, builder::ZipCentroids::Load(fs::path(inputs) / "npm" / "zipcodes"),
                          *tree_, [](const std::string&) {});
  }
  static void TearDownTestSuite() {
    if (tree_) fs::remove_all(*tree_);
    delete tree_;
    tree_ = nullptr;
  }
  // The tree's folders as the control's data paths.
  static void UseTree(core::StartupSettings& s) {
    s.Path_states0 = s.Path_states1 = (*tree_ / "STATES0").string();
    s.Path_data1 = (*tree_ / "DATA1").string();
    s.Path_data2 = (*tree_ / "DATA2").string();
  }
  // Points the panel at the tree and shows the view, loaded and painted.
  static void ShowView(core::Ttvmap& panel, const ReferenceView& v) {
    panel.SetStartup(UseTree);
    panel.window().SetSize(800, 600);
    panel.window().Show(true);
    panel.window().Update();
    panel.view().ZoomWindow(v.lon1, v.lat1, v.lon2, v.lat2);
    panel.Redraw();
  }
  // A control with its map model, showing one view of the tree.
  struct ShownControl {
    explicit ShownControl(const ReferenceView& v) { ShowView(panel, v); }
    core::ControlContext context;
    render::MapModel& model = render::AttachMapModel(context);
    core::Ttvmap& panel = context.Panel();
  };
  static fs::path* tree_;
};
fs::path* ReferenceImages::tree_ = nullptr;

TEST_P(ReferenceImages, LookAsTheReference) {
  if (!tree_) GTEST_SKIP() << "the public inputs are not fetched (scripts/fetch-inputs)";
  const ReferenceView& v = GetParam();
  ShownControl shown(v);
  const gdi::Bitmap& image = shown.panel.window().FrontBuffer();
  const fs::path reference = ReferenceFolder() / (std::string(v.name) + ".png");
  if (const char* regenerate = std::getenv("QUELMAR_REGENERATE_REFERENCES"); regenerate && *regenerate == '1') {
    ASSERT_TRUE(image.SavePng(reference.string()));
    GTEST_SKIP() << "wrote " << reference;
  }
  EXPECT_LT(DifferingShare(image, reference, 24), 0.01) << v.name << ": compare with " << reference;
}

// The same views drawn into a recording canvas: labels are there, and no
// label text covers another.
TEST_P(ReferenceImages, LabelsDoNotOverlap) {
  if (!tree_) GTEST_SKIP() << "the public inputs are not fetched (scripts/fetch-inputs)";
  const ReferenceView& v = GetParam();
  ShownControl shown(v);
  gdi::RecordingCanvas canvas({800, 600});
  shown.model.Paint(canvas, shown.panel.MakePaintRequest(core::OutputKind::Screen));
  const render::LabelCounters& counters = shown.model.Labels().Counters();
  EXPECT_GT(counters.PointLabels + counters.StreetLabels, 5) << v.name;
  EXPECT_EQ(render::testing::OverlappingLabels(canvas), std::vector<std::string>{}) << v.name;
}

// The same views painted by a map model on its own, with no panel and no
// window: its requests are made from a view and settings alone. The pixels
// are those of the panel's map area (inside its one-pixel bevel).
TEST_P(ReferenceImages, TheModelAlonePaintsWhatThePanelShows) {
  if (!tree_) GTEST_SKIP() << "the public inputs are not fetched (scripts/fetch-inputs)";
  const ReferenceView& v = GetParam();
  ShownControl control(v);
  core::Ttvmap& panel = control.panel;
  const gdi::Bitmap& shown = panel.window().FrontBuffer();
  const int frame = panel.FrameWidth();
  const int width = shown.Width() - 2 * frame, height = shown.Height() - 2 * frame;

  core::ControlSettings settings;
  UseTree(settings.Startup);
  const core::ViewState view = panel.view();  // only the view is taken from the panel
  render::MapModel model;
  model.OpenBaseData({&settings.Startup, nullptr});
  // The panel first showed the whole country: load that view too, so that
  // both tables hold their drawings in the same order.
  core::ViewState start = view;
  start.ZoomAll();
  start.DeriveEdges();
  model.Load(core::MakeLoadRequest(start, settings, nullptr));
  model.Load(core::MakeLoadRequest(view, settings, nullptr));
  // Like the panel's screen-sized buffer, the bitmap reaches past the map
  // area, so that lines end at its edge as they do in the panel's.
  gdi::Bitmap alone(width + 64, height + 64);
  gdi::CairoCanvas canvas(alone);
  const core::PaintRequest request = core::MakePaintRequest(view, settings);
  model.FillBackground(canvas, {0, 0, width, height}, request);
  model.Paint(canvas, request);

  int differing = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) differing += alone.Pixel(x, y) != shown.Pixel(x + frame, y + frame);
  }
  EXPECT_EQ(differing, 0) << v.name;
}

INSTANTIATE_TEST_SUITE_P(Views, ReferenceImages, ::testing::ValuesIn(kViews),
                         [](const ::testing::TestParamInfo<ReferenceView>& info) { return info.param.name; });

}  // namespace
}  // namespace quelmar
