#include "control/render/style_deferred_boundaries.h"

#include <utility>

namespace quelmar::render {

bool DeferredBoundaryList::Add(const ObjectQuery& object, std::span<const gdi::Point> points) {
  if (boundaries_.size() >= kCapacity) return false;
  boundaries_.push_back(DeferredBoundary{object, std::vector<gdi::Point>(points.begin(), points.end())});
  return true;
}

std::vector<DeferredBoundary> DeferredBoundaryList::Take() { return std::exchange(boundaries_, {}); }

}  // namespace quelmar::render
