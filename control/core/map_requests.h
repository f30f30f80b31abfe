#pragma once
// What a caller hands the map model to load or paint one view. The panel
// builds these from its view and the settings store; a printer, an image
// export or a map server builds its own. The model reads nothing else: no
// panel, no window, no settings store.
#include <cstdint>
#include <string>

#include "control/core/control_settings.h"
#include "control/core/map_folders.h"
#include "control/core/problem_reporter.h"
#include "control/core/view_state.h"
#include "platform/gdi/gdi_types.h"

namespace quelmar::core {

// Where the map is going: the screen, a host's device context (DirectDraw),
// a printer page, or an off-screen bitmap of the screen's look (image
// export). Devices and printers get the smaller label fonts and larger icons
// of device output; a bitmap has the screen's pixels.
enum class OutputKind { Screen, Device, Printer, Bitmap };

// INIT: the base map and what the start-up reads with it.
struct BaseDataRequest {
  const StartupSettings* Startup = nullptr;  // never null
  ProblemReporter* Problems = nullptr;       // may be null: problems are dropped
};

// The load pass for one view.
struct LoadRequest {
  const ViewState* View = nullptr;  // never null; its size and edges are derived
  MapFolders Folders;
  std::string StreetExtension = ".ZP5";  // the dot and three letters of the street archives
  std::int32_t StreetVersion = 402;      // the street data version the archives must carry
  LayerOptions Layers;
  ProblemReporter* Problems = nullptr;  // may be null: problems are dropped
};

// The paint pass for one view, background first.
struct PaintRequest {
  const ViewState* View = nullptr;  // never null; the map area is its paint size
  OutputKind Output = OutputKind::Screen;
  LayerOptions Layers;
  gdi::COLORREF Background = Appearance::kDefaultColor;
  LabelSettings Labels;        // with the label face taken from the panel's font
  UnderlaySettings Underlay;   // whether and how underlay images are drawn
  // A printed map: black and white when the Printer dialog asks so, and,
  // with its shading box off, no area shaded (the switches stay as they are).
  bool Monochrome = false;
  bool WithoutShading = false;
};

// The fonts and labels of a paint as the panel's settings give them: the
// control's Font face (at most 30 characters) is the label face.
LabelSettings PaintLabels(const ControlSettings& settings);

// The request of a screen paint (or any other output kind) for `view` from
// the settings as they are now.
PaintRequest MakePaintRequest(const ViewState& view, const ControlSettings& settings,
                              OutputKind output = OutputKind::Screen);
LoadRequest MakeLoadRequest(const ViewState& view, const ControlSettings& settings, ProblemReporter* problems);

}  // namespace quelmar::core
