#include "tools/quelmar-data/builder/output/geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quelmar::builder {
namespace {

double DistanceToSegment(TMapPoint p, TMapPoint a, TMapPoint b) {
  const double dx = double(b.X) - a.X, dy = double(b.Y) - a.Y;
  const double px = double(p.X) - a.X, py = double(p.Y) - a.Y;
  const double length2 = dx * dx + dy * dy;
  if (length2 == 0) return std::hypot(px, py);
  const double t = std::clamp((px * dx + py * dy) / length2, 0.0, 1.0);
  return std::hypot(px - t * dx, py - t * dy);
}

// Marks the points of line[first..last] to keep, without recursion so that
// long coastlines cannot exhaust the stack.
void MarkKept(const Line& line, double tolerance, std::vector<bool>& keep) {
  std::vector<std::pair<std::size_t, std::size_t>> spans{{0, line.size() - 1}};
  while (!spans.empty()) {
    const auto [first, last] = spans.back();
    spans.pop_back();
    double farthest = -1;
    std::size_t at = first;
    for (std::size_t i = first + 1; i < last; ++i) {
      const double d = DistanceToSegment(line[i], line[first], line[last]);
      if (d > farthest) farthest = d, at = i;
    }
    if (farthest > tolerance) {
      keep[at] = true;
      spans.emplace_back(first, at);
      spans.emplace_back(at, last);
    }
  }
}

Line WithoutRepeats(const Line& line) {
  Line out;
  out.reserve(line.size());
  for (const TMapPoint& p : line) {
    if (out.empty() || !(out.back() == p)) out.push_back(p);
  }
  return out;
}

std::int32_t RoundUnits(double v) { return static_cast<std::int32_t>(std::lround(v)); }

}  // namespace

MapBox Union(const MapBox& a, const MapBox& b) {
  return {std::min(a.Left, b.Left), std::min(a.Bottom, b.Bottom), std::max(a.Right, b.Right), std::max(a.Top, b.Top)};
}

std::optional<MapBox> BoundsOf(const std::vector<TMapPoint>& points) {
  if (points.empty()) return std::nullopt;
  MapBox box{points[0].X, points[0].Y, points[0].X, points[0].Y};
  for (const TMapPoint& p : points) {
    box.Left = std::min(box.Left, p.X);
    box.Right = std::max(box.Right, p.X);
    box.Bottom = std::min(box.Bottom, p.Y);
    box.Top = std::max(box.Top, p.Y);
  }
  return box;
}

std::optional<MapBox> BoundsOf(const std::vector<Ring>& rings) {
  std::optional<MapBox> all;
  for (const Ring& ring : rings) {
    if (const auto box = BoundsOf(ring)) all = all ? Union(*all, *box) : *box;
  }
  return all;
}

Line SimplifyLine(const Line& line, double tolerance) {
  Line points = WithoutRepeats(line);
  if (points.size() <= 2 || tolerance <= 0) return points;
  std::vector<bool> keep(points.size(), false);
  keep.front() = keep.back() = true;
  MarkKept(points, tolerance, keep);
  Line out;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (keep[i]) out.push_back(points[i]);
  }
  return out;
}

Ring SimplifyRing(const Ring& ring, double tolerance) {
  Ring points = WithoutRepeats(ring);
  if (points.size() > 1 && points.front() == points.back()) points.pop_back();
  if (points.size() < 3) return {};
  // Split the ring at its first point and the point farthest from it, so
  // that each half is a line with fixed ends.
  std::size_t far = 0;
  double farthest = -1;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const double d = std::hypot(double(points[i].X) - points[0].X, double(points[i].Y) - points[0].Y);
    if (d > farthest) farthest = d, far = i;
  }
  Line first(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(far) + 1);
  Line second(points.begin() + static_cast<std::ptrdiff_t>(far), points.end());
  second.push_back(points[0]);
  first = SimplifyLine(first, tolerance);
  second = SimplifyLine(second, tolerance);
  Ring out = first;
  out.insert(out.end(), second.begin() + 1, second.end());  // ends with points[0] again: closed
  if (out.size() < 4) return {};
  return out;
}

std::vector<Line> ClipLine(const Line& line, const MapBox& box) {
  std::vector<Line> parts;
  Line current;
  auto flush = [&] {
    Line part = WithoutRepeats(current);
    if (part.size() >= 2) parts.push_back(std::move(part));
    current.clear();
  };
  for (std::size_t i = 0; i + 1 < line.size(); ++i) {
    // Liang-Barsky on the segment line[i] -> line[i + 1].
    const double x0 = line[i].X, y0 = line[i].Y;
    const double dx = double(line[i + 1].X) - x0, dy = double(line[i + 1].Y) - y0;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - box.Left, box.Right - x0, y0 - box.Bottom, box.Top - y0};
    bool inside = true;
    for (int k = 0; k < 4 && inside; ++k) {
      if (p[k] == 0) {
        if (q[k] < 0) inside = false;
      } else {
        const double t = q[k] / p[k];
        if (p[k] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) inside = false;
      }
    }
    if (!inside) {
      flush();
      continue;
    }
    const TMapPoint a = t0 == 0 ? line[i] : TMapPoint{RoundUnits(x0 + t0 * dx), RoundUnits(y0 + t0 * dy)};
    const TMapPoint b = t1 == 1 ? line[i + 1] : TMapPoint{RoundUnits(x0 + t1 * dx), RoundUnits(y0 + t1 * dy)};
    if (!current.empty() && !(current.back() == a)) flush();
    if (current.empty()) current.push_back(a);
    current.push_back(b);
    if (t1 < 1) flush();
  }
  flush();
  return parts;
}

Ring ClipRing(const Ring& ring, const MapBox& box) {
  std::vector<std::pair<double, double>> poly;
  for (const TMapPoint& p : ring) poly.emplace_back(p.X, p.Y);
  if (poly.size() > 1 && poly.front() == poly.back()) poly.pop_back();
  // One pass per box edge: keep the side inside, adding crossings.
  for (int edge = 0; edge < 4 && !poly.empty(); ++edge) {
    auto inside = [&](const std::pair<double, double>& v) {
      switch (edge) {
        case 0: return v.first >= box.Left;
        case 1: return v.first <= box.Right;
        case 2: return v.second >= box.Bottom;
        default: return v.second <= box.Top;
      }
    };
    auto cross = [&](const std::pair<double, double>& a, const std::pair<double, double>& b) {
      const double limit = edge == 0 ? box.Left : edge == 1 ? box.Right : edge == 2 ? box.Bottom : box.Top;
      if (edge < 2) {
        const double t = (limit - a.first) / (b.first - a.first);
        return std::pair<double, double>{limit, a.second + t * (b.second - a.second)};
      }
      const double t = (limit - a.second) / (b.second - a.second);
      return std::pair<double, double>{a.first + t * (b.first - a.first), limit};
    };
    std::vector<std::pair<double, double>> out;
    for (std::size_t i = 0; i < poly.size(); ++i) {
      const auto& a = poly[(i + poly.size() - 1) % poly.size()];
      const auto& b = poly[i];
      if (inside(b)) {
        if (!inside(a)) out.push_back(cross(a, b));
        out.push_back(b);
      } else if (inside(a)) {
        out.push_back(cross(a, b));
      }
    }
    poly = std::move(out);
  }
  Ring out;
  for (const auto& [x, y] : poly) out.push_back({RoundUnits(x), RoundUnits(y)});
  out = WithoutRepeats(out);
  if (out.size() > 1 && out.front() == out.back()) out.pop_back();
  if (out.size() < 3) return {};
  out.push_back(out.front());
  return out;
}

std::vector<Line> SplitLine(const Line& line, std::size_t maxPoints) {
  std::vector<Line> pieces;
  if (line.size() <= maxPoints || maxPoints < 2) {
    pieces.push_back(line);
    return pieces;
  }
  for (std::size_t start = 0; start + 1 < line.size(); start += maxPoints - 1) {
    const std::size_t end = std::min(line.size(), start + maxPoints);
    pieces.emplace_back(line.begin() + static_cast<std::ptrdiff_t>(start), line.begin() + static_cast<std::ptrdiff_t>(end));
  }
  return pieces;
}

void DropEastOfAntimeridian(NationalInputs& inputs) {
  auto east = [](const std::vector<TMapPoint>& points) {
    return std::any_of(points.begin(), points.end(), [](const TMapPoint& p) { return p.X > 0; });
  };
  auto dropRings = [&](std::vector<Ring>& rings) { std::erase_if(rings, east); };
  dropRings(inputs.Nation);
  for (StateArea& s : inputs.States) dropRings(s.Rings);
  for (CountyArea& c : inputs.Counties) dropRings(c.Rings);
  for (WaterArea& w : inputs.Lakes) dropRings(w.Rings);
  std::erase_if(inputs.Coastline, east);
  std::erase_if(inputs.Rivers, [&](const WaterLine& w) { return east(w.Points); });
  std::erase_if(inputs.Places, [](const Place& p) { return p.At.X > 0; });
  std::erase_if(inputs.Airports, [](const Airport& a) { return a.At.X > 0; });
  std::erase_if(inputs.Landmarks, [](const Landmark& l) { return l.At.X > 0; });
}

bool InsideRings(const std::vector<Ring>& rings, TMapPoint point) {
  bool inside = false;
  for (const Ring& ring : rings) {
    const std::size_t n = ring.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
      const TMapPoint& a = ring[i];
      const TMapPoint& b = ring[j];
      if ((a.Y > point.Y) != (b.Y > point.Y)) {
        const double x = a.X + (double(point.Y) - a.Y) * (double(b.X) - a.X) / (double(b.Y) - a.Y);
        if (point.X < x) inside = !inside;
      }
    }
  }
  return inside;
}

}  // namespace quelmar::builder
