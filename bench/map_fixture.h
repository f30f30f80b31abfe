#pragma once
// A control's context with its map model over the data tree, at 1024 x 768,
// for the benchmarks that load and paint real views. The tree is
// $QUELMAR_DATA, else the one the README's main command built
// (~/.local/share/quelmar/map).
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "control/core/control_context.h"
#include "control/render/map_model_attach.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/cairo_canvas.h"
#include "platform/kernel/ini_file.h"

namespace quelmar::bench {

using quelmar::core::ControlContext;
using quelmar::core::OutputKind;
using quelmar::core::StartupSettings;
using quelmar::render::MapModel;

struct NamedView {
  const char* name;
  double lon1, lat1, lon2, lat2;
};
// From the whole country to a few Chicago blocks.
inline constexpr NamedView kViews[] = {
    {"us48", -125.0, 50.0, -66.0, 24.0},
    {"illinois", -91.6, 42.6, -87.0, 36.9},
    {"cook", -88.3, 42.16, -87.5, 41.45},
    {"loop", -87.645, 41.890, -87.615, 41.872},
};

inline std::filesystem::path TreeFolder() {
  if (const char* env = std::getenv("QUELMAR_DATA"); env && *env) return env;
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home ? home : ".") / ".local" / "share" / "quelmar" / "map";
}

// A control's context with its map model; the panel only builds the requests.
struct MapFixture {
  ControlContext context;
  quelmar::core::Ttvmap& panel = context.Panel();
  MapModel* model = &quelmar::render::AttachMapModel(context);
  quelmar::gdi::Bitmap bitmap{1024, 768};
  quelmar::gdi::CairoCanvas canvas{bitmap};

  MapFixture() {
    const std::filesystem::path tree = TreeFolder();
    quelmar::kernel::IniFile ini;
    if (!ini.Load(tree / "MAP.INI")) {
      std::cerr << "no data tree at " << tree << " (run scripts/main, or set QUELMAR_DATA)\n";
      std::exit(1);
    }
    auto folder = [&](const char* key) { return (tree / ini.GetOr("Application Interface", key, "")).string(); };
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

// One for the whole benchmark program, never destroyed.
inline MapFixture& SharedMapFixture() {
  static MapFixture* fixture = new MapFixture;
  return *fixture;
}

}  // namespace quelmar::bench
