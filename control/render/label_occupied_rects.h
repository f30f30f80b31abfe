#pragma once
// The rectangles already taken by labels in this paint, kept sorted by top,
// then left. A candidate box is compared only with the stored rectangles
// whose tops lie in a band around it: from the candidate's top less the
// tallest stored height down to its bottom, so that no overlap is missed.
#include <cstddef>
#include <span>
#include <vector>

#include "platform/gdi/gdi_types.h"

namespace quelmar::render {

class OccupiedRects {
 public:
  static constexpr std::size_t kCapacity = 1000;

  void Clear();
  // Whether `box`, inflated by `dx` on the left and right and `dy` at the top
  // and bottom, meets no stored rectangle. Two boxes meet when their centres
  // are closer than half their summed widths and half their summed heights;
  // a box with the same top-left corner as a stored one always meets it.
  bool Fits(const gdi::Rect& box, int dx = 0, int dy = 0) const;
  // Stores `box` in its sorted place; ignored once kCapacity are stored.
  void Add(const gdi::Rect& box);
  // Fits, then Add of the box itself (not inflated). False when it collides.
  bool TryTake(const gdi::Rect& box, int dx = 0, int dy = 0);

  std::span<const gdi::Rect> Rects() const { return rects_; }
  std::size_t Size() const { return rects_.size(); }

 private:
  std::vector<gdi::Rect> rects_;
  int tallest_ = 0;
};

// Whether two boxes overlap (open intervals: touching edges do not).
bool BoxesOverlap(const gdi::Rect& a, const gdi::Rect& b);

}  // namespace quelmar::render
