#pragma once
// The street quads a route reads its local roads from: around the start
// (and the finish), along the straight way to its nearest highway node cut
// into pieces of at most 5000 map units, every state street quad (with its
// quarters) of a state whose data cover a point of a 2500-unit grid over the
// detail box around a piece's end. Names are state archive member names.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "control/core/map_units.h"

namespace quelmar::routing {

// Adds to `names` (each once) the members for `point`, whose nearest
// highway node is `highway` (none: the point alone), with a detail box of
// half-sizes `detailX`, `detailY`.
void AddLocalQuads(core::TMapPoint point, std::optional<core::TMapPoint> highway, std::int32_t detailX,
                   std::int32_t detailY, std::vector<std::string>& names);

}  // namespace quelmar::routing
