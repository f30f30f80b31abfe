#pragma once
// Directions and turns between map points, as the route search and the
// directions read them (map units taken as a plane, y north).
#include "control/core/map_units.h"

namespace quelmar::routing {

// The signed turn in degrees from travelling `from` -> `via` to travelling
// `via` -> `to`: positive to the right, in (-180, 180]; 0 when either leg
// has no length.
double TurnAngle(core::TMapPoint from, core::TMapPoint via, core::TMapPoint to);

// The cosine of the angle between the directions a -> b and c -> d; 1 when
// either has no length.
double DirectionCosine(core::TMapPoint a, core::TMapPoint b, core::TMapPoint c, core::TMapPoint d);

// The angle of the vector from -> to: east 0, counter-clockwise, 0 .. 360.
double DirectionAngle(core::TMapPoint from, core::TMapPoint to);

}  // namespace quelmar::routing
