// The map drawn from the data tree, at 1024 x 768, for four views from the
// whole country to a few Chicago blocks: the load pass (reading the quads a
// view needs, from a table holding only the base map) and the paint pass (the
// loaded drawings into a bitmap, with and without its labels) apart, and a street-level pan (both, for a
// view moved by 64 pixels). The tree is $QUELMAR_DATA, else the one the
// README's main command built (~/.local/share/quelmar/map).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "control/core/control_context.h"
#include "control/render/map_model_attach.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/cairo_canvas.h"
#include "platform/kernel/ini_file.h"

namespace {

namespace fs = std::filesystem;
using quelmar::core::ControlContext;
using quelmar::core::OutputKind;
using quelmar::core::StartupSettings;
using quelmar::render::MapModel;

struct NamedView {
  const char* name;
  double lon1, lat1, lon2, lat2;
};
constexpr NamedView kViews[] = {
    {"us48", -125.0, 50.0, -66.0, 24.0},
    {"illinois", -91.6, 42.6, -87.0, 36.9},
    {"cook", -88.3, 42.16, -87.5, 41.45},
    {"loop", -87.645, 41.890, -87.615, 41.872},
};

fs::path TreeFolder() {
  if (const char* env = std::getenv("QUELMAR_DATA"); env && *env) return env;
  const char* home = std::getenv("HOME");
  return fs::path(home ? home : ".") / ".local" / "share" / "quelmar" / "map";
}

// A control's context with its map model; the panel only builds the requests.
struct Fixture {
  ControlContext context;
  quelmar::core::Ttvmap& panel = context.Panel();
  MapModel* model = &quelmar::render::AttachMapModel(context);
  quelmar::gdi::Bitmap bitmap{1024, 768};
  quelmar::gdi::CairoCanvas canvas{bitmap};

  Fixture() {
    const fs::path tree = TreeFolder();
    quelmar::kernel::IniFile ini;
    if (!ini.Load(tree / "MAP.INI")) {
      std::cerr << "no data tree at " << tree << " (run scripts/main, or set QUELMAR_DATA)\n";
      std::exit(1);
    }
    auto folder = [&](const char* key) {
      return (tree / ini.GetOr("Application Interface", key, "")).string();
    };
    panel.SetPath(&StartupSettings::Path_states0, folder("StatesPath"));
    panel.SetPath(&StartupSettings::Path_states1, folder("StatesPath"));
    panel.SetPath(&StartupSettings::Path_data1, folder("Data1Path"));
    panel.SetPath(&StartupSettings::Path_data2, folder("Data2Path"));
    panel.window().SetSize(1024, 768);
    panel.window().Show(true);
    panel.window().Update();  // the first paint runs INIT: the base map is loaded
  }

  void Show(const NamedView& v) {
    panel.view().ZoomWindow(v.lon1, v.lat1, v.lon2, v.lat2);
    panel.view().DeriveEdges();
  }
  void KeepOnlyTheBaseMap() {
    while (model->Drawings().Count() > 1) model->Drawings().UnloadDrawing(model->Drawings().Count());
  }
  void Load() { model->Load(panel.MakeLoadRequest()); }
  void Paint() { model->Paint(canvas, panel.MakePaintRequest(OutputKind::Screen)); }
};

Fixture& Shared() {
  static Fixture* fixture = new Fixture;
  return *fixture;
}

void BM_LoadPass(benchmark::State& state) {
  Fixture& f = Shared();
  f.Show(kViews[state.range(0)]);
  for (auto _ : state) {
    state.PauseTiming();
    f.KeepOnlyTheBaseMap();
    state.ResumeTiming();
    f.Load();
  }
  state.SetLabel(kViews[state.range(0)].name);
  state.counters["drawings"] = f.model->Drawings().Count();
}
BENCHMARK(BM_LoadPass)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_PaintPass(benchmark::State& state) {
  Fixture& f = Shared();
  f.Show(kViews[state.range(0)]);
  f.Load();
  for (auto _ : state) f.Paint();
  state.SetLabel(kViews[state.range(0)].name);
  state.counters["objects"] = static_cast<double>(f.model->Painter().Counters().Objects);
  const quelmar::render::LabelCounters& labels = f.model->Labels().Counters();
  state.counters["labels"] = labels.PointLabels + labels.StreetLabels + labels.LandmarkLabels;
  state.counters["shields"] = labels.ShieldGroups;
}
BENCHMARK(BM_PaintPass)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The same paint without labels: the difference to BM_PaintPass is what
// collecting, placing and drawing the labels costs.
void BM_PaintPassWithoutLabels(benchmark::State& state) {
  Fixture& f = Shared();
  f.Show(kViews[state.range(0)]);
  f.Load();
  f.model->EnableLabels(false);
  for (auto _ : state) f.Paint();
  f.model->EnableLabels(true);
  state.SetLabel(kViews[state.range(0)].name);
}
BENCHMARK(BM_PaintPassWithoutLabels)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// A street-level pan: the view moves by 64 pixels, loads what it now needs
// and is painted, as a host's pan does.
void BM_StreetPan(benchmark::State& state) {
  Fixture& f = Shared();
  f.Show(kViews[3]);
  f.Load();
  int step = 0;
  for (auto _ : state) {
    const double dx = (step++ % 2 == 0 ? 64 : -64) / f.panel.view().View().Scale;
    auto& v = f.panel.view();
    v.SetViewOrigin(static_cast<std::int64_t>(v.View().Left + dx), v.View().Bottom);
    f.Load();
    f.Paint();
  }
}
BENCHMARK(BM_StreetPan)->Unit(benchmark::kMillisecond);

}  // namespace
