#include "control/render/label_occupied_rects.h"

#include <algorithm>
#include <cstdint>

namespace quelmar::render {
namespace {

bool SortsBefore(const gdi::Rect& a, const gdi::Rect& b) {
  return a.top != b.top ? a.top < b.top : a.left < b.left;
}

}  // namespace

bool BoxesOverlap(const gdi::Rect& a, const gdi::Rect& b) {
  // Centres closer than half the summed sizes, in doubled units to stay exact.
  const std::int64_t dx = std::int64_t{a.left} + a.right - b.left - b.right;
  const std::int64_t dy = std::int64_t{a.top} + a.bottom - b.top - b.bottom;
  const std::int64_t sumW = std::int64_t{a.right} - a.left + b.right - b.left;
  const std::int64_t sumH = std::int64_t{a.bottom} - a.top + b.bottom - b.top;
  return (dx < 0 ? -dx : dx) < sumW && (dy < 0 ? -dy : dy) < sumH;
}

void OccupiedRects::Clear() {
  rects_.clear();
  tallest_ = 0;
}

bool OccupiedRects::Fits(const gdi::Rect& box, int dx, int dy) const {
  if (rects_.empty()) return true;
  const gdi::Rect test{box.left - dx, box.top - dy, box.right + dx, box.bottom + dy};
  // Only rectangles whose tops lie between the test box's top less the
  // tallest stored height and its bottom can meet it.
  const gdi::Rect from{INT32_MIN, test.top - tallest_, 0, 0};
  auto it = std::lower_bound(rects_.begin(), rects_.end(), from, SortsBefore);
  for (; it != rects_.end() && it->top <= test.bottom; ++it) {
    if ((it->top == test.top && it->left == test.left) || BoxesOverlap(*it, test)) return false;
  }
  return true;
}

void OccupiedRects::Add(const gdi::Rect& box) {
  if (rects_.size() >= kCapacity) return;
  rects_.insert(std::upper_bound(rects_.begin(), rects_.end(), box, SortsBefore), box);
  tallest_ = std::max(tallest_, box.Height());
}

bool OccupiedRects::TryTake(const gdi::Rect& box, int dx, int dy) {
  if (!Fits(box, dx, dy)) return false;
  Add(box);
  return true;
}

}  // namespace quelmar::render
