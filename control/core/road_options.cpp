#include "control/core/road_options.h"

#include <algorithm>

namespace quelmar::core {

void RoadOption(RoadOptions& o, std::int32_t n, std::int32_t v) {
  if (n < 0) return;
  const std::int32_t roadClass = n & 15;
  const std::int32_t group = n / 16;
  const bool isClass = roadClass >= 1 && roadClass <= 6;
  switch (group) {
    case 0:
      if (isClass) o.speed[roadClass] = v;
      break;
    case 1:
      if (isClass) o.priority[roadClass] = std::clamp(v, 0, 5);
      break;
    case 2:
      if (isClass) o.third[roadClass] = v;
      break;
    case 3:
      if (roadClass == 0) o.routeLineColour = v;
      if (roadClass == 1) o.routeHighlight = v;
      break;
    default:
      break;
  }
}

}  // namespace quelmar::core
