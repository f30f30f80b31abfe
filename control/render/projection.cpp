#include "control/render/projection.h"

#include <algorithm>
#include <cmath>

namespace quelmar::render {
namespace {

std::int32_t ClampToInt(double v) {
  return static_cast<std::int32_t>(std::clamp(v, -2147483000.0, 2147483000.0));
}

struct RealPoint {
  double x, y;
};

}  // namespace

Projection::Projection(const core::ViewState& state) {
  const core::TViewWindow& v = state.View();
  left_ = v.Left;
  top_ = v.Top;
  scale_ = v.Scale > 0 ? v.Scale : 1;
  scaleY_ = v.ScaleY > 0 ? v.ScaleY : 1;
  rotated_ = state.RotationActive();
  cos_ = state.RotationCos();
  sin_ = state.RotationSin();
  cx_ = std::floor((double(v.Right) - v.Left) / 2);
  cy_ = std::floor((double(v.Top) - v.Bottom) / 2);
  cull_ = {v.Left, v.Bottom, v.Right, v.Top};
  if (rotated_) {
    const double half = 0.8 * std::max(double(v.Right) - v.Left, double(v.Top) - v.Bottom);
    const double mx = (double(v.Left) + v.Right) / 2, my = (double(v.Bottom) + v.Top) / 2;
    cull_ = {ClampToInt(mx - half), ClampToInt(my - half), ClampToInt(mx + half), ClampToInt(my + half)};
  }
  const double spanX = kPixelLimit / scale_, spanY = kPixelLimit / scaleY_;
  limit_ = {ClampToInt(v.Left - spanX), ClampToInt(v.Bottom - spanY), ClampToInt(v.Left + spanX),
            ClampToInt(v.Bottom + spanY)};
  if (rotated_) {
    // Rotation turns about the view's centre: keep the limit square around it.
    const double half = std::min(spanX, spanY) / 2;
    const double mx = (double(v.Left) + v.Right) / 2, my = (double(v.Bottom) + v.Top) / 2;
    limit_ = {ClampToInt(mx - half), ClampToInt(my - half), ClampToInt(mx + half), ClampToInt(my + half)};
  }
}

gdi::Point Projection::Project(double x, double y) const {
  double dx = x - left_;
  double dy = top_ - y;
  if (rotated_) {
    const double rx = (dx - cx_) * cos_ - (dy - cy_) * sin_ + cx_;
    const double ry = (dy - cy_) * cos_ + (dx - cx_) * sin_ + cy_;
    dx = rx;
    dy = ry;
  }
  return {static_cast<int>(std::lround(std::clamp(dx * scale_, -1e9, 1e9))),
          static_cast<int>(std::lround(std::clamp(dy * scaleY_, -1e9, 1e9)))};
}

void Projection::ProjectLine(std::span<const TMapPoint> points, std::vector<std::vector<gdi::Point>>& pieces) const {
  pieces.clear();
  const data::MapBox& b = limit_;
  std::vector<gdi::Point>* current = nullptr;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const double x0 = points[i].X, y0 = points[i].Y;
    const double dx = double(points[i + 1].X) - x0, dy = double(points[i + 1].Y) - y0;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - b.Left, b.Right - x0, y0 - b.Bottom, b.Top - y0};
    bool inside = true;
    for (int k = 0; k < 4 && inside; ++k) {
      if (p[k] == 0) {
        inside = q[k] >= 0;
      } else {
        const double t = q[k] / p[k];
        if (p[k] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        inside = t0 <= t1;
      }
    }
    if (!inside) {
      current = nullptr;
      continue;
    }
    if (!current || t0 > 0) {
      pieces.emplace_back();
      current = &pieces.back();
      current->push_back(Project(x0 + t0 * dx, y0 + t0 * dy));
    }
    current->push_back(Project(x0 + t1 * dx, y0 + t1 * dy));
    if (t1 < 1) current = nullptr;
  }
}

void Projection::ProjectRing(std::span<const TMapPoint> ring, std::vector<gdi::Point>& out) const {
  out.clear();
  const data::MapBox& b = limit_;
  // Fast path: the whole ring inside the limit box.
  const bool allInside = std::all_of(ring.begin(), ring.end(), [&](const TMapPoint& p) {
    return p.X >= b.Left && p.X <= b.Right && p.Y >= b.Bottom && p.Y <= b.Top;
  });
  const std::size_t corners = ring.size() > 1 && ring.front() == ring.back() ? ring.size() - 1 : ring.size();
  if (allInside) {
    for (std::size_t i = 0; i < corners; ++i) out.push_back(Project(ring[i]));
    return;
  }
  std::vector<RealPoint> poly;
  poly.reserve(ring.size());
  for (std::size_t i = 0; i < corners; ++i) poly.push_back({double(ring[i].X), double(ring[i].Y)});
  for (int edge = 0; edge < 4 && !poly.empty(); ++edge) {
    auto inside = [&](const RealPoint& v) {
      switch (edge) {
        case 0: return v.x >= b.Left;
        case 1: return v.x <= b.Right;
        case 2: return v.y >= b.Bottom;
        default: return v.y <= b.Top;
      }
    };
    auto cross = [&](const RealPoint& a, const RealPoint& c) {
      if (edge < 2) {
        const double limit = edge == 0 ? b.Left : b.Right;
        return RealPoint{limit, a.y + (limit - a.x) / (c.x - a.x) * (c.y - a.y)};
      }
      const double limit = edge == 2 ? b.Bottom : b.Top;
      return RealPoint{a.x + (limit - a.y) / (c.y - a.y) * (c.x - a.x), limit};
    };
    std::vector<RealPoint> next;
    next.reserve(poly.size() + 4);
    for (std::size_t i = 0; i < poly.size(); ++i) {
      const RealPoint& a = poly[(i + poly.size() - 1) % poly.size()];
      const RealPoint& c = poly[i];
      if (inside(c)) {
        if (!inside(a)) next.push_back(cross(a, c));
        next.push_back(c);
      } else if (inside(a)) {
        next.push_back(cross(a, c));
      }
    }
    poly = std::move(next);
  }
  for (const RealPoint& p : poly) out.push_back(Project(p.x, p.y));
}

}  // namespace quelmar::render
