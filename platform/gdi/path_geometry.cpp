#include "platform/gdi/path_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quelmar::gdi {
namespace {

enum class Edge { Left, Right, Top, Bottom };

bool Inside(const PointD& p, Edge edge, const RectD& r) {
  switch (edge) {
    case Edge::Left: return p.x >= r.left;
    case Edge::Right: return p.x <= r.right;
    case Edge::Top: return p.y >= r.top;
    case Edge::Bottom: return p.y <= r.bottom;
  }
  return true;
}

PointD CrossEdge(const PointD& a, const PointD& b, Edge edge, const RectD& r) {
  double t = 0;
  switch (edge) {
    case Edge::Left: t = (r.left - a.x) / (b.x - a.x); break;
    case Edge::Right: t = (r.right - a.x) / (b.x - a.x); break;
    case Edge::Top: t = (r.top - a.y) / (b.y - a.y); break;
    case Edge::Bottom: t = (r.bottom - a.y) / (b.y - a.y); break;
  }
  return PointD{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

}  // namespace

bool ClipSegment(const PointD& a, const PointD& b, const RectD& r, double& t0, double& t1) {
  t0 = 0;
  t1 = 1;
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - r.left, r.right - a.x, a.y - r.top, r.bottom - a.y};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) return false;
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  return true;
}

std::vector<PointD> EllipsePoints(double cx, double cy, double rx, double ry) {
  const double radius = std::max(std::abs(rx), std::abs(ry));
  // Chord error r(1 - cos(pi/n)) stays under a tenth of a pixel.
  int segments = 8;
  while (segments < 32768 && radius * (1 - std::cos(std::numbers::pi / segments)) > 0.1) segments *= 2;
  std::vector<PointD> points;
  points.reserve(segments);
  for (int i = 0; i < segments; ++i) {
    const double angle = 2 * std::numbers::pi * i / segments;
    points.push_back(PointD{cx + rx * std::cos(angle), cy + ry * std::sin(angle)});
  }
  return points;
}

std::vector<PointD> ClipPolygonToRect(std::span<const PointD> polygon, const RectD& guard) {
  std::vector<PointD> current(polygon.begin(), polygon.end());
  for (Edge edge : {Edge::Left, Edge::Right, Edge::Top, Edge::Bottom}) {
    if (current.empty()) break;
    std::vector<PointD> next;
    next.reserve(current.size() + 4);
    for (std::size_t i = 0; i < current.size(); ++i) {
      const PointD& from = current[(i + current.size() - 1) % current.size()];
      const PointD& to = current[i];
      const bool fromIn = Inside(from, edge, guard);
      const bool toIn = Inside(to, edge, guard);
      if (toIn) {
        if (!fromIn) next.push_back(CrossEdge(from, to, edge, guard));
        next.push_back(to);
      } else if (fromIn) {
        next.push_back(CrossEdge(from, to, edge, guard));
      }
    }
    current = std::move(next);
  }
  return current;
}

std::vector<std::vector<PointD>> ClipPolylineToRect(std::span<const PointD> polyline, bool closed,
                                                    const RectD& guard) {
  std::vector<std::vector<PointD>> runs;
  const std::size_t n = polyline.size();
  if (n < 2) return runs;
  const std::size_t segments = closed ? n : n - 1;
  bool continuing = false;  // the last run ends at the current segment's start
  for (std::size_t i = 0; i < segments; ++i) {
    const PointD& a = polyline[i];
    const PointD& b = polyline[(i + 1) % n];
    double t0 = 0, t1 = 1;
    if (!ClipSegment(a, b, guard, t0, t1)) {
      continuing = false;
      continue;
    }
    const PointD start{a.x + t0 * (b.x - a.x), a.y + t0 * (b.y - a.y)};
    const PointD end{a.x + t1 * (b.x - a.x), a.y + t1 * (b.y - a.y)};
    if (!continuing || t0 > 0) runs.push_back({start});
    runs.back().push_back(end);
    continuing = t1 >= 1;
  }
  return runs;
}

bool WithinMagnitude(std::span<const PointD> points, double limit) {
  return std::all_of(points.begin(), points.end(),
                     [limit](const PointD& p) { return std::abs(p.x) <= limit && std::abs(p.y) <= limit; });
}

}  // namespace quelmar::gdi
