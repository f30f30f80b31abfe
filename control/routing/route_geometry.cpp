#include "control/routing/route_geometry.h"

#include <cmath>

namespace quelmar::routing {

double TurnAngle(core::TMapPoint from, core::TMapPoint via, core::TMapPoint to) {
  const double ax = double(via.X) - from.X, ay = double(via.Y) - from.Y;
  const double bx = double(to.X) - via.X, by = double(to.Y) - via.Y;
  if ((ax == 0 && ay == 0) || (bx == 0 && by == 0)) return 0;
  // A clockwise change of heading (negative cross product, y north) is a
  // right turn.
  const double angle = -std::atan2(ax * by - ay * bx, ax * bx + ay * by) * core::kDegreesPerRadian;
  return angle <= -180 ? 180 : angle;
}

double DirectionCosine(core::TMapPoint a, core::TMapPoint b, core::TMapPoint c, core::TMapPoint d) {
  const double ax = double(b.X) - a.X, ay = double(b.Y) - a.Y;
  const double bx = double(d.X) - c.X, by = double(d.Y) - c.Y;
  const double squares = (ax * ax + ay * ay) * (bx * bx + by * by);
  if (squares == 0) return 1;
  return (ax * bx + ay * by) / std::sqrt(squares);
}

double DirectionAngle(core::TMapPoint from, core::TMapPoint to) {
  const double angle = std::atan2(double(to.Y) - from.Y, double(to.X) - from.X) * core::kDegreesPerRadian;
  return angle < 0 ? angle + 360 : angle;
}

}  // namespace quelmar::routing
