#include "platform/gdi/cosmetic_line.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace quelmar::gdi {
namespace {

// On/off lengths in pixels of the cosmetic pen styles.
constexpr std::array<int, 2> kDash = {18, 6};
constexpr std::array<int, 2> kDot = {3, 3};
constexpr std::array<int, 4> kDashDot = {9, 6, 3, 6};
constexpr std::array<int, 6> kDashDotDot = {9, 3, 3, 3, 3, 3};

std::span<const int> PatternOf(PenStyle style) {
  switch (style) {
    case PenStyle::Dash: return kDash;
    case PenStyle::Dot: return kDot;
    case PenStyle::DashDot: return kDashDot;
    case PenStyle::DashDotDot: return kDashDotDot;
    default: return {};
  }
}

// First index in [lo, hi] where the monotone predicate (false ... true)
// holds; hi + 1 when it never does.
template <typename Pred>
std::int64_t FirstTrue(std::int64_t lo, std::int64_t hi, Pred pred) {
  std::int64_t end = hi + 1;
  while (lo < end) {
    const std::int64_t mid = lo + (end - lo) / 2;
    if (pred(mid)) {
      end = mid;
    } else {
      lo = mid + 1;
    }
  }
  return end;
}

}  // namespace

DashCursor::DashCursor(PenStyle style) : pattern_(PatternOf(style)) {
  for (int length : pattern_) period_ += length;
}

bool DashCursor::IsOn(std::int64_t step) const {
  if (pattern_.empty()) return true;
  std::int64_t phase = (position_ + step) % period_;
  for (std::size_t k = 0; k < pattern_.size(); ++k) {
    if (phase < pattern_[k]) return k % 2 == 0;
    phase -= pattern_[k];
  }
  return true;
}

namespace detail {

// Pixel i of the segment sits at step i along the major axis and at i*minor/major
// (rounded to nearest) along the minor one — Bresenham's pixels in closed form,
// which lets the visible range be found directly instead of walked to.
SegmentWalk PlanSegment(PixelPoint a, PixelPoint b, const Rect& bounds) {
  SegmentWalk w{};
  const std::int64_t dx = b.x - a.x;
  const std::int64_t dy = b.y - a.y;
  w.x0 = a.x;
  w.y0 = a.y;
  w.sx = dx < 0 ? -1 : 1;
  w.sy = dy < 0 ? -1 : 1;
  w.xMajor = std::llabs(dx) >= std::llabs(dy);
  w.major = w.xMajor ? std::llabs(dx) : std::llabs(dy);
  w.minor = w.xMajor ? std::llabs(dy) : std::llabs(dx);
  w.first = 0;
  w.last = w.major - 1;  // the last point is not drawn
  if (bounds.IsEmpty() || w.last < 0) {
    w.last = -1;
    return w;
  }

  // The major axis limits the range by simple arithmetic ...
  const std::int64_t majorStart = w.xMajor ? w.x0 : w.y0;
  const std::int64_t majorSign = w.xMajor ? w.sx : w.sy;
  const std::int64_t majorLo = w.xMajor ? bounds.left : bounds.top;
  const std::int64_t majorHi = (w.xMajor ? bounds.right : bounds.bottom) - 1;
  if (majorSign > 0) {
    w.first = std::max(w.first, majorLo - majorStart);
    w.last = std::min(w.last, majorHi - majorStart);
  } else {
    w.first = std::max(w.first, majorStart - majorHi);
    w.last = std::min(w.last, majorStart - majorLo);
  }
  if (w.first > w.last) return w;

  // ... and the minor axis, which moves monotonically, by binary search.
  const std::int64_t minorLo = w.xMajor ? bounds.top : bounds.left;
  const std::int64_t minorHi = (w.xMajor ? bounds.bottom : bounds.right) - 1;
  auto minorAt = [&w](std::int64_t i) { return w.xMajor ? w.Y(i) : w.X(i); };
  const std::int64_t minorSign = w.xMajor ? w.sy : w.sx;
  const std::int64_t lo = w.first;
  const std::int64_t hi = w.last;
  if (minorSign > 0) {
    w.first = FirstTrue(lo, hi, [&](std::int64_t i) { return minorAt(i) >= minorLo; });
    w.last = FirstTrue(lo, hi, [&](std::int64_t i) { return minorAt(i) > minorHi; }) - 1;
  } else {
    w.first = FirstTrue(lo, hi, [&](std::int64_t i) { return minorAt(i) <= minorHi; });
    w.last = FirstTrue(lo, hi, [&](std::int64_t i) { return minorAt(i) < minorLo; }) - 1;
  }
  return w;
}

}  // namespace detail
}  // namespace quelmar::gdi
