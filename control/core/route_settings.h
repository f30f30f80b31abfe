#pragma once
// The settings of route search and of the directions report: the Routing
// dialog's route type and switches, the Road Options dialog's report
// settings, and the Programmer Options. The road speeds and priorities are
// RoadOptions.
#include <array>
#include <cstdint>

namespace quelmar::core {

struct RouteSettings {
  std::uint8_t RouteType = 0;   // 0 "Shortest (bias)" .. 4 "Shortest"
  double RampAngleLimit = 91;   // degrees
  double Dot = 0.5;
  std::int32_t TurnFactor = 5;  // 0..10
  double DetailRadiusMiles = 11;
  double BandWidthMiles = 25;   // set to 25 at the start of every search
  bool CoarsePass = true;       // "Tarvo Interstate"
  bool CoarseOnly = false;      // "Hmap Route ONLY"
  bool LocalRoads = true;
  bool PerVertexEdges = true;   // "Extra Shape"
  bool DistanceApproximation = true;  // "Dist. Approx."
  bool SuppressNames = false;
  bool LinkSameName = true;     // "Link Streets with Same Name."
  bool DumpRoute = false;       // "Dump Rte"
  bool ShowNet = true;          // "Show Net"
  bool SplayTree = true;        // the node look-up structure
  // Report settings.
  bool Kilometres = false;
  bool Totals = true;           // running totals, else per-leg values
  bool Degrees = false;         // direction in degrees, else compass points
  bool HoursFormat = false;
  bool AllNames = false;        // "Display Alternate Street Names."
  bool ResizeView = false;      // "Resize View to Show Route."
  std::array<bool, 10> Columns{true, true, true, true, true, true, true, true, true, true};
  friend bool operator==(const RouteSettings&, const RouteSettings&) = default;
};

}  // namespace quelmar::core
