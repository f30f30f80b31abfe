#include "control/core/dirty_rects.h"

#include "control/core/rounding.h"

namespace quelmar::core {

namespace {

// Widening saturates at the int32 limits rather than wrapping.
std::int32_t Shift(std::int32_t v, std::int64_t by) {
  bool overflow = false;
  return SaturateInt32(static_cast<std::int64_t>(v) + by, overflow);
}

}  // namespace

bool DirtyRects::Add(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  if (left == right || top == bottom || rects_.size() >= kMaxRects) return false;
  rects_.push_back({Shift(left, -2), Shift(top, -2), Shift(right, 2), Shift(bottom, 2)});
  return true;
}

std::vector<TPixelRect> DirtyRects::TakeClipRects() {
  std::vector<TPixelRect> clips;
  clips.swap(rects_);
  for (TPixelRect& r : clips) {
    r.Right = Shift(r.Right, 1);
    r.Bottom = Shift(r.Bottom, 1);
  }
  return clips;
}

}  // namespace quelmar::core
