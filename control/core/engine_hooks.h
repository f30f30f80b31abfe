#pragma once
// The paint-phase interface of the map panel: what it asks of the subsystems
// that load, draw and decorate the map, at each step of its paint cycle.
// Each service starts as the plain behaviour of an empty map (nothing to
// load, no layers, no overlays, no items, no route) and is replaced by its
// subsystem's implementation when that subsystem attaches. Every call gets
// what it needs in its request; no service reads the panel.
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "control/core/dirty_rects.h"
#include "control/core/map_requests.h"
#include "control/core/map_units.h"
#include "control/core/view_state.h"
#include "control/core/view_window.h"
#include "platform/gdi/canvas.h"

namespace quelmar::core {

// A rectangle in map units (used for overlay and underlay extents).
struct MapRect {
  std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The base data INIT opens: the built-in base map, then the user place and
// street files "Autoload.cty" and "Autoload.str" of the working folder.
class BaseDataService {
 public:
  virtual ~BaseDataService() = default;
  virtual void OpenBaseData(const BaseDataRequest& /*request*/) {}
};

// The pieces of INIT that belong to other subsystems.
class StartupService {
 public:
  virtual ~StartupService() = default;
  // The palette of the control (created at INIT).
  virtual void CreatePalette() {}
  // Loads the configuration file (when AutoConfig is on).
  virtual void LoadConfiguration(const std::string& /*path*/) {}
  // Saves the configuration file (when AutoConfig is on, as the panel goes
  // after INIT ran, and after a design-time change). Never throws.
  virtual void SaveConfiguration(const std::string& /*path*/) noexcept {}
  // Applies the layer colour scheme once the configuration is read.
  virtual void ApplyColourScheme() {}
  // The configuration's start window, when it holds one.
  virtual std::optional<MapRect> StartWindow() { return std::nullopt; }
};

class ViewLoader {
 public:
  virtual ~ViewLoader() = default;
  // Loads the layers and tiles the view needs before a re-rendering paint.
  virtual void LoadView(const LoadRequest& /*request*/) {}
};

class MapDrawer {
 public:
  virtual ~MapDrawer() = default;
  // Draws all map layers of the loaded data for the request's view and output.
  virtual void DrawMap(gdi::Canvas& /*canvas*/, const PaintRequest& /*request*/) {}
};

class BackgroundFiller {
 public:
  virtual ~BackgroundFiller() = default;
  // Fills the rectangle with the request's background colour (the map model
  // adds its texture and the underlay images).
  virtual void FillBackground(gdi::Canvas& canvas, const gdi::Rect& rect, const PaintRequest& request) {
    canvas.FillRect(rect, gdi::Brush::Solid(request.Background));
  }
};

class OverlayService {
 public:
  virtual ~OverlayService() = default;
  virtual void DrawOverlays(gdi::Canvas& /*canvas*/) {}
  // Bounding box of all overlay drawings; nullopt when there are none.
  virtual std::optional<MapRect> OverlayBounds() { return std::nullopt; }
};

class UnderlayService {
 public:
  virtual ~UnderlayService() = default;
  // Corner coordinates of the loaded underlay image; nullopt when none is loaded.
  virtual std::optional<MapRect> UnderlayBounds() { return std::nullopt; }
};

// What the host's items are drawn over: the view the map below them was
// drawn for, where to, and, for a repaint of the host's dirty rectangles only,
// those rectangles (the rest of the picture is not shown).
struct ItemPaintRequest {
  const ViewState* View = nullptr;  // never null
  OutputKind Output = OutputKind::Screen;
  std::span<const TPixelRect> Only;
};

class ItemDrawer {
 public:
  virtual ~ItemDrawer() = default;
  virtual void DrawItems(gdi::Canvas& /*canvas*/, const ItemPaintRequest& /*request*/) {}
};

class RouteMarkers {
 public:
  virtual ~RouteMarkers() = default;
  // Route start and end in map units; (0, 0) means not set.
  virtual TMapPoint Start() { return {}; }
  virtual TMapPoint End() { return {}; }
  // Draws the route (its line, its end spots) over the map of `view`.
  virtual void DrawRoute(gdi::Canvas& /*canvas*/, const ViewState& /*view*/) {}
};

struct EngineHooks {
  std::unique_ptr<BaseDataService> baseData = std::make_unique<BaseDataService>();
  std::unique_ptr<StartupService> startup = std::make_unique<StartupService>();
  std::unique_ptr<ViewLoader> loader = std::make_unique<ViewLoader>();
  std::unique_ptr<MapDrawer> mapDrawer = std::make_unique<MapDrawer>();
  std::unique_ptr<BackgroundFiller> background = std::make_unique<BackgroundFiller>();
  std::unique_ptr<OverlayService> overlays = std::make_unique<OverlayService>();
  std::unique_ptr<UnderlayService> underlay = std::make_unique<UnderlayService>();
  std::unique_ptr<ItemDrawer> items = std::make_unique<ItemDrawer>();
  std::unique_ptr<RouteMarkers> route = std::make_unique<RouteMarkers>();
};

}  // namespace quelmar::core
