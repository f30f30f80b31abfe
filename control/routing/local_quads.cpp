#include "control/routing/local_quads.h"

#include <algorithm>
#include <cstdlib>

#include "control/data/quad.h"
#include "control/data/state_table.h"

namespace quelmar::routing {
namespace {

constexpr std::int64_t kLongestPiece = 5000;
constexpr int kDeepestSplit = 10;
constexpr std::int32_t kGridStep = 2500;

void PieceEnds(core::TMapPoint a, core::TMapPoint b, int depth, std::vector<core::TMapPoint>& ends) {
  const std::int64_t span = std::llabs(std::int64_t{b.X} - a.X) + std::llabs(std::int64_t{b.Y} - a.Y);
  if (span > kLongestPiece && depth < kDeepestSplit) {
    const core::TMapPoint mid{static_cast<std::int32_t>((std::int64_t{a.X} + b.X) / 2),
                              static_cast<std::int32_t>((std::int64_t{a.Y} + b.Y) / 2)};
    PieceEnds(a, mid, depth + 1, ends);
    PieceEnds(mid, b, depth + 1, ends);
    return;
  }
  ends.push_back(b);
}

void AddName(std::string name, std::vector<std::string>& names) {
  if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
}

}  // namespace

void AddLocalQuads(core::TMapPoint point, std::optional<core::TMapPoint> highway, std::int32_t detailX,
                   std::int32_t detailY, std::vector<std::string>& names) {
  std::vector<core::TMapPoint> ends{point};
  if (highway) PieceEnds(point, *highway, 0, ends);
  for (const core::TMapPoint end : ends) {
    const std::int64_t x1 = std::int64_t{end.X} - detailX, x2 = std::int64_t{end.X} + detailX;
    const std::int64_t y1 = std::int64_t{end.Y} - detailY, y2 = std::int64_t{end.Y} + detailY;
    // The grid's last row and column lie on the box's far edges, so that
    // every quad the box meets is visited.
    for (std::int64_t gx = x1;; gx += kGridStep) {
      const std::int64_t x = std::min(gx, x2);
      for (std::int64_t gy = y1;; gy += kGridStep) {
        const std::int64_t y = std::min(gy, y2);
        const core::TMapPoint at{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
        const auto quad = data::QuadAt(data::QuadGrid::Street, at);
        for (int state = 1; quad && state <= data::kLastStreetStateSlot; ++state) {
          if (!data::InStateBox(state, at.X, at.Y)) continue;
          for (int sub = 0; sub <= 4; ++sub) AddName(data::StreetMemberName({*quad, sub, state}), names);
        }
        if (y >= y2) break;
      }
      if (x >= x2) break;
    }
  }
}

}  // namespace quelmar::routing
