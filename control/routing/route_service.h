#pragma once
// RouteService: one control's route: its start and finish, the option word
// of the last calculation, the route found and its directions, the route
// history; and the route's drawing on the map (the panel calls DrawRoute
// after the items and the host's drawing).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "control/core/engine_hooks.h"
#include "control/routing/directions.h"
#include "control/routing/route_files.h"
#include "control/routing/route_planner.h"

namespace quelmar::core {
class ControlContext;
}

namespace quelmar::routing {

// The option word of FindRoute and the Routing dialog.
enum RouteOption : std::int32_t {
  RT_Clear = 0,
  RT_Spots = 1,
  RT_Hatch = 2,
  RT_Zoom = 4,
  RT_Short = 16,
  RT_Fast = 32,
  RT_Direct = 48,
  RT_Hours = 64,
  RT_Km = 128,
  RT_Total = 512,
  RT_PrtMap = 1024,
  RT_PrtDir = 2048,
  RT_Quiet = 4096,     // no failure message box
  RT_Undocked = 8192,  // keep the route list out of the control
};

inline constexpr const char* kSelectStart = "Select Start Location";
inline constexpr const char* kSelectFinish = "Select Finish Location";

struct RouteEndpoint {
  core::TMapPoint Point;  // x 0: not set
  std::string Label;
  std::string Text;  // "lon,lat", six decimals
};

struct RouteLook {
  gdi::COLORREF Colour = 0;  // 0: the default route colour
  std::int32_t Highlight = 0;  // 10, 25, 50 or 100 per cent; other values: 25
  bool ShowNet = false;        // draw the searched network too
};

class RouteService final : public core::RouteMarkers {
 public:
  RouteService();

  const RouteEndpoint& StartPoint() const { return start_; }
  const RouteEndpoint& FinishPoint() const { return finish_; }
  void SetStart(core::TMapPoint point, std::string label);
  void SetFinish(core::TMapPoint point, std::string label);

  // Keeps a calculation's outcome with its option word.
  void Keep(std::int32_t options, RouteResult result, Directions directions);
  // Forgets the route (steps, network, directions); the endpoints stay.
  void Clear();
  std::int32_t Options() const { return options_; }
  const RouteResult& Result() const { return result_; }
  const Directions& LastDirections() const { return directions_; }

  std::vector<RouteHistoryEntry>& History() { return history_; }
  RouteLook& Look() { return look_; }

  // The route's points, start first.
  std::vector<core::TMapPoint> RoutePoints() const;

  core::TMapPoint Start() override;
  core::TMapPoint End() override;
  void DrawRoute(gdi::Canvas& canvas, const core::ViewState& view) override;

 private:
  RouteEndpoint start_, finish_;
  std::int32_t options_ = 0;
  RouteResult result_;
  Directions directions_;
  std::vector<RouteHistoryEntry> history_;
  RouteLook look_;
};

// The route line's width in pixels for a highlight choice.
int RouteLineWidth(std::int32_t highlight);

}  // namespace quelmar::routing
