#pragma once
// Floating-point outlines for the Cairo canvas: ellipse flattening and clipping
// of paths to a guard rectangle. Cairo stores coordinates in 24.8 fixed point,
// so paths reaching millions of pixels off the device are cut down first.
#include <span>
#include <vector>

namespace quelmar::gdi {

struct PointD {
  double x = 0, y = 0;
  friend bool operator==(const PointD&, const PointD&) = default;
};
struct RectD {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(const PointD& p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};

// Liang-Barsky: the parameter range [t0, t1] of a -> b inside the rectangle
// (edges included); false when no part of the segment is inside.
bool ClipSegment(const PointD& a, const PointD& b, const RectD& r, double& t0, double& t1);

// Points around an ellipse (closed implicitly), enough that the chords stay
// within a fraction of a pixel of the curve.
std::vector<PointD> EllipsePoints(double cx, double cy, double rx, double ry);

// The part of a closed polygon inside `guard` (Sutherland-Hodgman). Even-odd
// coverage inside the guard is unchanged.
std::vector<PointD> ClipPolygonToRect(std::span<const PointD> polygon, const RectD& guard);

// The runs of a polyline inside `guard`; `closed` adds the edge back to the start.
std::vector<std::vector<PointD>> ClipPolylineToRect(std::span<const PointD> polyline, bool closed,
                                                    const RectD& guard);

// True when every point lies within `limit` of the origin on both axes.
bool WithinMagnitude(std::span<const PointD> points, double limit);

}  // namespace quelmar::gdi
