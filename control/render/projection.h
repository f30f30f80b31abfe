#pragma once
// Map units to pixels for one paint, and the cutting of lines and rings to
// the box whose pixels stay within ±32,000, so that no coordinate handed to
// the canvas overflows. Lines and rings are clipped, not their vertices
// clamped: clamping one end of a long segment would change its slope, and
// deep zooms would draw long edges and fills in the wrong place.
#include <span>
#include <vector>

#include "control/core/view_state.h"
#include "control/data/map_box.h"
#include "platform/gdi/gdi_types.h"

namespace quelmar::render {

using core::TMapPoint;

class Projection {
 public:
  static constexpr double kPixelLimit = 32000;

  explicit Projection(const core::ViewState& view);

  gdi::Point Project(double x, double y) const;
  gdi::Point Project(TMapPoint p) const { return Project(p.X, p.Y); }

  // The culling rectangle: the view, or with the map rotated the square
  // around its centre of half-side 0.8 × the larger of width and height.
  const data::MapBox& Cull() const { return cull_; }
  // Map units whose pixels lie within ±32,000 (the clamp box).
  const data::MapBox& Limit() const { return limit_; }

  // The pixels of `points` cut to the limit box: one run per piece inside it.
  void ProjectLine(std::span<const TMapPoint> points, std::vector<std::vector<gdi::Point>>& pieces) const;
  // The pixels of a ring's corners cut to the limit box, without repeating
  // the first at the end (empty when nothing is inside).
  void ProjectRing(std::span<const TMapPoint> ring, std::vector<gdi::Point>& out) const;

 private:
  double left_, top_, scale_, scaleY_;
  bool rotated_;
  double cos_, sin_, cx_, cy_;
  data::MapBox cull_, limit_;
};

}  // namespace quelmar::render
