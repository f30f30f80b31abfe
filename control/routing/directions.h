#pragma once
// The directions of a found route: the route list's rows (nine tab-separated
// fields: leg, class, sentence, name, time, distance, speed, direction,
// position), one turn sentence per manoeuvre, and the totals. Legs join the
// successive steps of one road name (or are single steps without linking).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "control/core/route_settings.h"
#include "control/routing/road_classes.h"
#include "control/routing/road_network.h"
#include "control/routing/route_query.h"

namespace quelmar::routing {

struct DirectionsRequest {
  const std::vector<RouteStep>* Steps = nullptr;  // start first; empty: no route
  const RouteNames* Names = nullptr;
  RoadTable Roads = RoadTableOf(core::RoadOptions{});
  core::RouteSettings Settings;
  core::TMapPoint Start;   // the points as chosen (the first and last rows' positions);
  core::TMapPoint Finish;  // (0, 0): the route's own ends
  // Called with each row as it is made (start, legs, finish), and with each
  // manoeuvre's text: name, position, verb, side, distance, seconds (tabs).
  std::function<void(const std::string& row)> OnRow;
  std::function<void(const std::string& manoeuvre)> OnManoeuvre;
};

struct Directions {
  std::vector<std::string> Rows;  // the route list
  double TotalMiles = 0;
  double TotalSeconds = 0;
  std::string DistanceText;  // "12.3 miles" / "19.8 km"
  std::string TimeText;      // TotalTimeText
  std::string Status;        // "Total:" + distance + ", " + time
  std::string MilesLabel;    // "Total Miles:" value
  std::string TimeLabel;     // "Drive Time:" value
  bool Found = false;
};

// The failure list when there is no route.
std::vector<std::string> FailureRows(const RoadTable& roads);

Directions BuildDirections(const DirectionsRequest& request);

// Drive time of `lengthHundredths` on a road of `speed` mph, in seconds.
inline double DriveSeconds(std::int64_t lengthHundredths, std::int32_t speed) {
  return double(lengthHundredths) * 36.0 / speed;
}

// The route list's header: ten sections "#", "T", "Directions", "Name",
// "Time", "Mile" or "Km", "Mph" or "Kph", "Dir", "Position", "." with their
// widths in pixels, 0 for a column whose report box is off.
struct RouteListColumn {
  std::string Title;
  int Width = 0;
  friend bool operator==(const RouteListColumn&, const RouteListColumn&) = default;
};
std::vector<RouteListColumn> RouteListHeader(const core::RouteSettings& settings);

// "lon,lat" with six decimals.
std::string PositionText(core::TMapPoint point);

}  // namespace quelmar::routing
