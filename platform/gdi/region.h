#pragma once
// Region: a union of rectangles kept as disjoint rectangles sorted top to
// bottom, then left to right. Clip regions and invalid regions use it; being
// disjoint matters for raster operations that must touch a pixel only once.
#include <span>
#include <vector>

#include "platform/gdi/gdi_types.h"

namespace quelmar::gdi {

class Region {
 public:
  Region() = default;  // empty
  explicit Region(const Rect& rect);
  static Region FromRects(std::span<const Rect> rects);  // their union

  bool IsEmpty() const { return rects_.empty(); }
  const std::vector<Rect>& Rects() const { return rects_; }
  Rect Bounds() const;
  bool Contains(int x, int y) const;

  Region Intersect(const Rect& rect) const;
  Region Intersect(const Region& other) const;
  Region Union(const Rect& rect) const;
  Region Offset(int dx, int dy) const;

  friend bool operator==(const Region&, const Region&) = default;

 private:
  std::vector<Rect> rects_;
};

// The overlap of two rectangles; empty (all zero) when they do not overlap.
Rect IntersectRects(const Rect& a, const Rect& b);
Rect OffsetRect(const Rect& rect, int dx, int dy);

}  // namespace quelmar::gdi
