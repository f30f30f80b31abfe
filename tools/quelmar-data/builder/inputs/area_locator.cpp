#include "tools/quelmar-data/builder/inputs/area_locator.h"

#include <optional>

namespace quelmar::builder {

void AreaLocator::Add(int code, int group, const std::vector<Ring>& rings) {
  const std::optional<MapBox> box = BoxOf(rings);
  if (box) areas_.push_back({code, group, *box, &rings});
}

int AreaLocator::Find(TMapPoint at, int group, std::int32_t tolerance) const {
  for (const Area& area : areas_) {
    if ((group < 0 || area.Group == group) && data::BoxContains(area.Box, at.X, at.Y) &&
        PointInRings(*area.Rings, at)) {
      return area.Code;
    }
  }
  int nearest = 0;
  double best = static_cast<double>(tolerance) * tolerance;
  for (const Area& area : areas_) {
    if (group >= 0 && area.Group != group) continue;
    const MapBox widened{area.Box.Left - tolerance, area.Box.Bottom - tolerance, area.Box.Right + tolerance,
                         area.Box.Top + tolerance};
    if (!data::BoxContains(widened, at.X, at.Y)) continue;
    const double distance = SquaredDistanceToRings(*area.Rings, at);
    if (distance < best) {
      best = distance;
      nearest = area.Code;
    }
  }
  return nearest;
}

}  // namespace quelmar::builder
