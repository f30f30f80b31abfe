#pragma once
// One route calculation from a start to a finish point: a coarse search over
// the built-in highway network, the highway quads of its corridor, the local
// roads within the detail radius of both ends, the ramp and interstate
// rules, then the search over the whole network. It reads its roads through
// RouteData and its settings from the request; it touches no panel, so a
// server thread can run one with its own data.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/core/road_options.h"
#include "control/core/route_settings.h"
#include "control/data/drawing.h"
#include "control/routing/road_network.h"
#include "control/routing/route_query.h"

namespace quelmar::routing {

// A road of the user road file.
struct UserRoad {
  std::vector<core::TMapPoint> Points;
  std::string Name;
  std::uint8_t Class = 14;
  friend bool operator==(const UserRoad&, const UserRoad&) = default;
};

// Where a calculation reads roads. Drawings are shared and never change.
class RouteData {
 public:
  virtual ~RouteData() = default;
  // The built-in highway network; null when there is none.
  virtual const data::Drawing* HighwayNetwork() = 0;
  // Whether the highway quad archive exists.
  virtual bool HasHighwayQuads() = 0;
  // A member of the highway quad archive, or of a state street archive (the
  // member name holds the state); null when it does not exist.
  virtual std::shared_ptr<const data::Drawing> HighwayQuad(const std::string& member) = 0;
  virtual std::shared_ptr<const data::Drawing> StreetQuad(const std::string& member) = 0;
  virtual std::vector<UserRoad> UserRoads() = 0;
};

enum class RouteOutcome {
  Found,
  Cleared,       // option word 0
  Alaska,        // an end above 50 degrees north: "Unable to Route in Alaska!"
  NotSet,        // start or finish not chosen: "No Route!"
  NoNodes,       // no road near an end: "Unable to Complete Path!"
  NotReached,    // the search ran out of roads: "Failure."
};

struct RouteRequest {
  core::TMapPoint Start;
  core::TMapPoint Finish;
  std::int32_t Options = 3;  // the option word; 0 clears
  core::RouteSettings Settings;
  core::RoadOptions Roads;
  // Status texts ("Loading...", "Searching...", ...) with their detail.
  std::function<void(const std::string& status, const std::string& detail)> Status;
  std::function<void(std::string_view line)> Trace;  // the search trace; empty: none
};

struct RouteResult {
  RouteOutcome Outcome = RouteOutcome::NotReached;
  std::vector<RouteStep> Steps;  // start first
  std::uint32_t StartNode = kNoNode;
  std::uint32_t FinishNode = kNoNode;
  std::vector<core::TMapPoint> CoarseRoute;
  double EstimatedMiles = 0;
  double ElapsedMs = 0;
  std::shared_ptr<const RoadNetwork> Network;  // the network searched (null when none was built)
  SearchStats Search;
  std::vector<std::string> Report;  // the statistics lines of the calculation
  bool Found() const { return Outcome == RouteOutcome::Found; }
};

inline constexpr std::int32_t kAlaskaLatitude = 781250;  // 50 degrees north, map units

RouteResult CalculateRoute(const RouteRequest& request, RouteData& data);

// The message or status text of an outcome ("" for Found and Cleared).
std::string OutcomeText(RouteOutcome outcome);

}  // namespace quelmar::routing
