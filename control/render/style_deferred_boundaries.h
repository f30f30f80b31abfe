#pragma once
// Deferred boundaries: during a full map paint, state, county and MCD
// boundaries are kept (with a copy of their points) instead of drawn, and
// drawn after every drawing in the order they came, so that boundaries lie
// on top of everything else.
#include <cstddef>
#include <span>
#include <vector>

#include "control/render/style_object.h"

namespace quelmar::render {

struct DeferredBoundary {
  ObjectQuery Object;
  std::vector<gdi::Point> Points;
};

class DeferredBoundaryList {
 public:
  static constexpr std::size_t kCapacity = 1000;

  // Keeps the boundary; false when the list is full (the caller then draws
  // it at once).
  bool Add(const ObjectQuery& object, std::span<const gdi::Point> points);

  // The kept boundaries in insertion order; the list is emptied.
  std::vector<DeferredBoundary> Take();

  void Clear() { boundaries_.clear(); }
  std::size_t Size() const { return boundaries_.size(); }

 private:
  std::vector<DeferredBoundary> boundaries_;
};

}  // namespace quelmar::render
