#pragma once
// One-pixel ("cosmetic") lines: the pixels a line steps through from its first
// point up to, not including, its last, with the dash styles of cosmetic pens.
#include <cstdint>
#include <span>

#include "platform/gdi/gdi_types.h"

namespace quelmar::gdi {

// Walks a pen style's on/off pattern; the position carries over from one
// segment to the next so a dashed polyline keeps its rhythm at the corners.
class DashCursor {
 public:
  explicit DashCursor(PenStyle style);
  bool IsOn(std::int64_t step) const;  // step counted from the current position
  void Advance(std::int64_t steps) { position_ += steps; }
  bool IsSolid() const { return pattern_.empty(); }
  // Lengths in pixels of on, off, on, off, ... ; empty for solid pens.
  std::span<const int> Pattern() const { return pattern_; }

 private:
  std::span<const int> pattern_;
  int period_ = 0;
  std::int64_t position_ = 0;
};

// A pixel position that may lie far outside 32-bit range once a window
// origin is subtracted.
struct PixelPoint {
  std::int64_t x = 0, y = 0;
};

// Calls plot(x, y, on) for every pixel of the segment a -> b that lies inside
// `bounds` (device coordinates), excluding b. `on` is false in the gaps of a
// dashed style. Pixels outside `bounds` are skipped without being visited, so
// a segment with far-away ends costs only its visible part.
template <typename Plot>
void RasterizeSegment(PixelPoint a, PixelPoint b, const Rect& bounds, const DashCursor& dashes, Plot&& plot);

// ---- implementation ----

namespace detail {

struct SegmentWalk {
  bool xMajor;
  std::int64_t x0, y0, sx, sy, major, minor;  // major >= minor >= 0
  std::int64_t first, last;                    // visible step range, empty when first > last

  // 128-bit: the product of two 34-bit distances does not fit 64 bits.
  std::int64_t MinorOffset(std::int64_t i) const {
    if (major == 0) return 0;
    const __int128 numerator = static_cast<__int128>(2 * i) * minor + major;
    return static_cast<std::int64_t>(numerator / (2 * major));
  }
  std::int64_t X(std::int64_t i) const { return xMajor ? x0 + sx * i : x0 + sx * MinorOffset(i); }
  std::int64_t Y(std::int64_t i) const { return xMajor ? y0 + sy * MinorOffset(i) : y0 + sy * i; }
};

SegmentWalk PlanSegment(PixelPoint a, PixelPoint b, const Rect& bounds);

}  // namespace detail

template <typename Plot>
void RasterizeSegment(PixelPoint a, PixelPoint b, const Rect& bounds, const DashCursor& dashes, Plot&& plot) {
  const detail::SegmentWalk walk = detail::PlanSegment(a, b, bounds);
  for (std::int64_t i = walk.first; i <= walk.last; ++i) {
    plot(static_cast<int>(walk.X(i)), static_cast<int>(walk.Y(i)), dashes.IsOn(i));
  }
}

}  // namespace quelmar::gdi
