#pragma once
// Filling a ring: its first 3,300 points, clipped to the view widened by one
// pixel, filled with a solid brush and no outline. A ring of 750 points or
// more is filled in strips across the longer side of its bounding box, each
// holding about 750 vertices, to keep every polygon the device fills small.
#include <cstddef>
#include <span>
#include <vector>

#include "platform/gdi/canvas.h"

namespace quelmar::render {

inline constexpr std::size_t kMaxRingPoints = 3300;
inline constexpr std::size_t kStripFillPoints = 750;
inline constexpr int kStripBuckets = 500;  // buckets 0..500

enum class RingAxis { X, Y };

// The ring cut to lo <= coordinate <= hi along `axis`: each border walks the
// ring's edges, keeps the points inside and inserts the rounded crossing
// point where an edge crosses it; a point equal to the one before it is dropped.
std::vector<gdi::Point> ClipRing(std::span<const gdi::Point> ring, RingAxis axis, std::int64_t lo, std::int64_t hi);

// The ring cut to x in -1..width and y in -1..height.
std::vector<gdi::Point> ClipRingToView(std::span<const gdi::Point> ring, gdi::Size view);

struct RingStrip {
  std::int64_t From = 0;  // coordinates along the axis, both borders included
  std::int64_t To = 0;
  friend bool operator==(const RingStrip&, const RingStrip&) = default;
};

struct RingStripPlan {
  RingAxis Axis = RingAxis::X;
  std::vector<RingStrip> Strips;
};

// The strips of a ring: its vertices are counted in 501 buckets along the
// longer side of its box; a strip takes consecutive buckets while their count
// stays below the target min(750, n div max(2, n div 750)). A bucket that
// alone reaches the target forms a strip of its own, so the strips always
// advance. A ring with no extent gets one strip.
RingStripPlan PlanRingStrips(std::span<const gdi::Point> ring);

// Fills the ring as described at the top. `view` is the size of the area
// drawn into. Rings left with fewer than 3 points draw nothing.
void FillRing(gdi::Canvas& canvas, std::span<const gdi::Point> ring, gdi::COLORREF colour, gdi::Size view);

}  // namespace quelmar::render
