#pragma once
// Reading the roads of one drawing into a road network. The objects are
// walked in store order keeping the current street name (name references;
// cleared by group ends and blocks) and place name (the naming labels of
// minor civil divisions and places); each line on a road class becomes road
// pieces, one per pair of successive points, named street + tab + place.
#include <cstdint>
#include <functional>

#include "control/core/map_units.h"
#include "control/data/drawing.h"
#include "control/routing/road_classes.h"
#include "control/routing/road_network.h"

namespace quelmar::routing {

// How map-unit distances become miles: with Approximate, a plane scaled by
// miles per unit at one latitude; otherwise the great circle.
struct DistanceScale {
  double MilesPerX = 0;
  double MilesPerY = 0;
  bool Approximate = true;
};

// The scale around `at`: miles per map unit in x (by the cosine of the
// latitude) and in y.
DistanceScale ScaleAt(core::TMapPoint at, bool approximate);

// The length of a -> b in hundredths of a mile, rounded.
std::int32_t PieceLength(core::TMapPoint a, core::TMapPoint b, const DistanceScale& scale);

struct RoadRules {
  bool Coarse = false;      // interstates as class 8, no ramp or interstate rules later
  RoadTable Roads = RoadTableOf(core::RoadOptions{});  // a road type of priority 0 is left out
  DistanceScale Scale;
  bool PerVertex = true;     // a piece per pair of points (lines of 3..999 points)
  bool SuppressNames = false;
  // Which roads to keep, by their first and last point; empty keeps all.
  std::function<bool(core::TMapPoint first, core::TMapPoint last)> Keep;
};

struct RoadCounts {
  int Roads = 0;   // lines kept
  int Pieces = 0;  // pieces offered to the network
};

// Adds the roads of `drawing` to `network`.
RoadCounts AddRoadsOfDrawing(const data::Drawing& drawing, const RoadRules& rules, RoadNetworkBuilder& network);

// Adds one road of `points` (two or more) of class `classCode` named `name`.
int AddRoad(const std::vector<core::TMapPoint>& points, std::uint8_t classCode, std::int32_t name,
            const RoadRules& rules, RoadNetworkBuilder& network);

}  // namespace quelmar::routing
