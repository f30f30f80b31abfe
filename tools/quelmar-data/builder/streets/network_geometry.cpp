#include "tools/quelmar-data/builder/streets/network_geometry.h"

#include <algorithm>
#include <cmath>

namespace quelmar::builder {

namespace {

std::int64_t Cross(std::int64_t ux, std::int64_t uy, std::int64_t vx, std::int64_t vy) { return ux * vy - uy * vx; }

bool BoxesMeet(TMapPoint a, TMapPoint b, TMapPoint c, TMapPoint d) {
  return std::max(a.X, b.X) >= std::min(c.X, d.X) && std::max(c.X, d.X) >= std::min(a.X, b.X) &&
         std::max(a.Y, b.Y) >= std::min(c.Y, d.Y) && std::max(c.Y, d.Y) >= std::min(a.Y, b.Y);
}

TMapPoint Rounded(double x, double y) {
  return {static_cast<std::int32_t>(std::lround(x)), static_cast<std::int32_t>(std::lround(y))};
}

}  // namespace

int Orientation(TMapPoint a, TMapPoint b, TMapPoint c) {
  const std::int64_t turn =
      Cross(std::int64_t{b.X} - a.X, std::int64_t{b.Y} - a.Y, std::int64_t{c.X} - a.X, std::int64_t{c.Y} - a.Y);
  return (turn > 0) - (turn < 0);
}

bool StrictlyInside(TMapPoint a, TMapPoint b, TMapPoint p) {
  if (p == a || p == b) return false;
  return p.X >= std::min(a.X, b.X) && p.X <= std::max(a.X, b.X) && p.Y >= std::min(a.Y, b.Y) &&
         p.Y <= std::max(a.Y, b.Y);
}

double SquaredDistanceToSegment(double px, double py, TMapPoint a, TMapPoint b) {
  const double dx = static_cast<double>(b.X) - a.X;
  const double dy = static_cast<double>(b.Y) - a.Y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((px - a.X) * dx + (py - a.Y) * dy) / length2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = a.X + t * dx - px;
  const double ey = a.Y + t * dy - py;
  return ex * ex + ey * ey;
}

SegmentSplits SplitsWhereSegmentsMeet(TMapPoint a, TMapPoint b, TMapPoint c, TMapPoint d) {
  SegmentSplits splits;
  if (!BoxesMeet(a, b, c, d)) return splits;
  const int o1 = Orientation(a, b, c);
  const int o2 = Orientation(a, b, d);
  const int o3 = Orientation(c, d, a);
  const int o4 = Orientation(c, d, b);
  if (o1 * o2 < 0 && o3 * o4 < 0) {
    const double rx = static_cast<double>(b.X) - a.X, ry = static_cast<double>(b.Y) - a.Y;
    const double sx = static_cast<double>(d.X) - c.X, sy = static_cast<double>(d.Y) - c.Y;
    const double t =
        ((static_cast<double>(c.X) - a.X) * sy - (static_cast<double>(c.Y) - a.Y) * sx) / (rx * sy - ry * sx);
    const TMapPoint at = Rounded(a.X + t * rx, a.Y + t * ry);
    if (!(at == a) && !(at == b)) splits.OnFirst.push_back(at);
    if (!(at == c) && !(at == d)) splits.OnSecond.push_back(at);
    return splits;
  }
  if (o1 == 0 && StrictlyInside(a, b, c)) splits.OnFirst.push_back(c);
  if (o2 == 0 && StrictlyInside(a, b, d)) splits.OnFirst.push_back(d);
  if (o3 == 0 && StrictlyInside(c, d, a)) splits.OnSecond.push_back(a);
  if (o4 == 0 && StrictlyInside(c, d, b)) splits.OnSecond.push_back(b);
  return splits;
}

bool SegmentsCrossAwayFromShared(TMapPoint a, TMapPoint b, TMapPoint c, TMapPoint d) {
  if (!BoxesMeet(a, b, c, d)) return false;
  const int o1 = Orientation(a, b, c);
  const int o2 = Orientation(a, b, d);
  const int o3 = Orientation(c, d, a);
  const int o4 = Orientation(c, d, b);
  if (o1 * o2 < 0 && o3 * o4 < 0) return true;
  return (o1 == 0 && StrictlyInside(a, b, c)) || (o2 == 0 && StrictlyInside(a, b, d)) ||
         (o3 == 0 && StrictlyInside(c, d, a)) || (o4 == 0 && StrictlyInside(c, d, b));
}

std::int64_t SegmentGrid::CellOf(std::int32_t value) const {
  const std::int64_t v = value;
  return v >= 0 ? v / cell_ : -((-v + cell_ - 1) / cell_);
}

std::uint64_t SegmentGrid::KeyOf(std::int64_t cellX, std::int64_t cellY) {
  return (static_cast<std::uint64_t>(cellX + (std::int64_t{1} << 31)) << 32) |
         static_cast<std::uint64_t>(cellY + (std::int64_t{1} << 31));
}

void SegmentGrid::Add(std::uint32_t id, TMapPoint a, TMapPoint b) {
  const std::int64_t x0 = CellOf(std::min(a.X, b.X)), x1 = CellOf(std::max(a.X, b.X));
  const std::int64_t y0 = CellOf(std::min(a.Y, b.Y)), y1 = CellOf(std::max(a.Y, b.Y));
  constexpr std::int64_t kMaxBoxCells = 256;
  if ((x1 - x0 + 1) * (y1 - y0 + 1) <= kMaxBoxCells) {
    for (std::int64_t x = x0; x <= x1; ++x) {
      for (std::int64_t y = y0; y <= y1; ++y) cells_[KeyOf(x, y)].push_back(id);
    }
    return;
  }
  // A long diagonal: only the cells along it (sampled every half cell, with
  // their neighbours so that no cell the segment passes through is missed).
  const double dx = static_cast<double>(b.X) - a.X, dy = static_cast<double>(b.Y) - a.Y;
  const auto steps = static_cast<std::int64_t>(std::ceil(std::hypot(dx, dy) / (cell_ / 2.0)));
  std::uint64_t lastKey = 0;
  bool first = true;
  for (std::int64_t step = 0; step <= steps; ++step) {
    const double t = static_cast<double>(step) / static_cast<double>(steps);
    const std::int64_t cx = CellOf(static_cast<std::int32_t>(std::lround(a.X + t * dx)));
    const std::int64_t cy = CellOf(static_cast<std::int32_t>(std::lround(a.Y + t * dy)));
    if (!first && KeyOf(cx, cy) == lastKey) continue;
    first = false;
    lastKey = KeyOf(cx, cy);
    for (std::int64_t x = cx - 1; x <= cx + 1; ++x) {
      for (std::int64_t y = cy - 1; y <= cy + 1; ++y) {
        std::vector<std::uint32_t>& ids = cells_[KeyOf(x, y)];
        if (ids.empty() || ids.back() != id) ids.push_back(id);
      }
    }
  }
}

void SegmentGrid::Near(TMapPoint p, std::int32_t radius, std::vector<std::uint32_t>& ids) const {
  ids.clear();
  const std::int64_t x0 =
      CellOf(static_cast<std::int32_t>(std::max<std::int64_t>(INT32_MIN, std::int64_t{p.X} - radius)));
  const std::int64_t x1 =
      CellOf(static_cast<std::int32_t>(std::min<std::int64_t>(INT32_MAX, std::int64_t{p.X} + radius)));
  const std::int64_t y0 =
      CellOf(static_cast<std::int32_t>(std::max<std::int64_t>(INT32_MIN, std::int64_t{p.Y} - radius)));
  const std::int64_t y1 =
      CellOf(static_cast<std::int32_t>(std::min<std::int64_t>(INT32_MAX, std::int64_t{p.Y} + radius)));
  for (std::int64_t x = x0; x <= x1; ++x) {
    for (std::int64_t y = y0; y <= y1; ++y) {
      const auto found = cells_.find(KeyOf(x, y));
      if (found != cells_.end()) ids.insert(ids.end(), found->second.begin(), found->second.end());
    }
  }
}

}  // namespace quelmar::builder
