#include "tools/quelmar-data/builder/inputs/map_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "control/core/errors.h"
#include "control/core/map_units.h"

namespace quelmar::builder {
namespace {

TMapPoint Rounded(double x, double y) {
  return {static_cast<std::int32_t>(std::lround(x)), static_cast<std::int32_t>(std::lround(y))};
}

void Widen(MapBox& box, TMapPoint p) {
  box.Left = std::min(box.Left, p.X);
  box.Right = std::max(box.Right, p.X);
  box.Bottom = std::min(box.Bottom, p.Y);
  box.Top = std::max(box.Top, p.Y);
}

// Liang–Barsky: narrows [t0, t1] to the part of a→b inside the box; false when none is.
bool ClipSegment(TMapPoint a, TMapPoint b, const MapBox& box, double& t0, double& t1) {
  const double dx = static_cast<double>(b.X) - a.X;
  const double dy = static_cast<double>(b.Y) - a.Y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {static_cast<double>(a.X) - box.Left, static_cast<double>(box.Right) - a.X,
                       static_cast<double>(a.Y) - box.Bottom, static_cast<double>(box.Top) - a.Y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  return true;
}

TMapPoint Along(TMapPoint a, TMapPoint b, double t) {
  return Rounded(a.X + t * (static_cast<double>(b.X) - a.X), a.Y + t * (static_cast<double>(b.Y) - a.Y));
}

// One Sutherland–Hodgman pass: keeps the side of the line where `inside` holds.
template <typename Inside, typename Cross>
Ring ClipAgainstEdge(const Ring& ring, Inside inside, Cross cross) {
  Ring out;
  if (ring.empty()) return out;
  TMapPoint previous = ring.back();
  bool previousInside = inside(previous);
  for (const TMapPoint current : ring) {
    const bool currentInside = inside(current);
    if (currentInside != previousInside) out.push_back(cross(previous, current));
    if (currentInside) out.push_back(current);
    previous = current;
    previousInside = currentInside;
  }
  return out;
}

// x where the edge a→b crosses the horizontal line at y (a.Y != b.Y).
double CrossingX(TMapPoint a, TMapPoint b, double y) {
  return a.X + (y - a.Y) * (static_cast<double>(b.X) - a.X) / (static_cast<double>(b.Y) - a.Y);
}

}  // namespace

TMapPoint ToMapPoint(const LonLat& at, const char* what) {
  try {
    return ToMapUnits(at.Lon, at.Lat);
  } catch (const std::invalid_argument& error) {
    throw DataError(std::string(what) + ": " + error.what());
  }
}

Line ToMapLine(const LonLatLine& line, const char* what) {
  Line out;
  out.reserve(line.size());
  for (const LonLat& at : line) out.push_back(ToMapPoint(at, what));
  return out;
}

std::vector<Ring> ToMapRings(const std::vector<LonLatPolygon>& polygons, const char* what) {
  std::vector<Ring> rings;
  for (const LonLatPolygon& polygon : polygons) {
    for (const LonLatLine& ring : polygon) rings.push_back(ToMapLine(ring, what));
  }
  return rings;
}

double ApproxMiles(const LonLat& a, const LonLat& b) {
  constexpr double kMilesPerDegree = 69.09;
  const double dx = (a.Lon - b.Lon) * std::cos((a.Lat + b.Lat) / 2 * core::kRadiansPerDegree);
  const double dy = a.Lat - b.Lat;
  return std::sqrt(dx * dx + dy * dy) * kMilesPerDegree;
}

std::optional<MapBox> BoxOf(const Line& line) {
  if (line.empty()) return std::nullopt;
  MapBox box{line[0].X, line[0].Y, line[0].X, line[0].Y};
  for (const TMapPoint p : line) Widen(box, p);
  return box;
}

std::optional<MapBox> BoxOf(const std::vector<Ring>& rings) {
  std::optional<MapBox> box;
  for (const Ring& ring : rings) {
    const std::optional<MapBox> ringBox = BoxOf(ring);
    if (!ringBox) continue;
    if (!box) {
      box = ringBox;
    } else {
      Widen(*box, {ringBox->Left, ringBox->Bottom});
      Widen(*box, {ringBox->Right, ringBox->Top});
    }
  }
  return box;
}

bool PointInRing(const Ring& ring, TMapPoint at) {
  bool inside = false;
  const std::size_t n = ring.size();
  for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
    const TMapPoint a = ring[i];
    const TMapPoint b = ring[j];
    if ((a.Y > at.Y) != (b.Y > at.Y) && at.X < CrossingX(a, b, at.Y)) inside = !inside;
  }
  return inside;
}

bool PointInRings(const std::vector<Ring>& rings, TMapPoint at) {
  bool inside = false;
  for (const Ring& ring : rings) {
    if (PointInRing(ring, at)) inside = !inside;
  }
  return inside;
}

double SquaredDistanceToRings(const std::vector<Ring>& rings, TMapPoint at) {
  double best = std::numeric_limits<double>::infinity();
  for (const Ring& ring : rings) {
    const std::size_t n = ring.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
      const double ax = ring[j].X, ay = ring[j].Y;
      const double dx = ring[i].X - ax, dy = ring[i].Y - ay;
      const double length = dx * dx + dy * dy;
      double t = length > 0 ? ((at.X - ax) * dx + (at.Y - ay) * dy) / length : 0;
      t = std::clamp(t, 0.0, 1.0);
      const double ex = ax + t * dx - at.X, ey = ay + t * dy - at.Y;
      best = std::min(best, ex * ex + ey * ey);
    }
  }
  return best;
}

std::vector<Line> ClipLineToBox(const Line& line, const MapBox& box) {
  std::vector<Line> pieces;
  Line current;
  const auto finish = [&] {
    if (current.size() >= 2) pieces.push_back(std::move(current));
    current.clear();
  };
  for (std::size_t i = 1; i < line.size(); ++i) {
    const TMapPoint a = line[i - 1];
    const TMapPoint b = line[i];
    double t0 = 0;
    double t1 = 1;
    if (!ClipSegment(a, b, box, t0, t1)) {
      finish();
      continue;
    }
    const TMapPoint start = t0 > 0 ? Along(a, b, t0) : a;
    const TMapPoint end = t1 < 1 ? Along(a, b, t1) : b;
    if (!current.empty() && current.back() != start) finish();
    if (current.empty()) current.push_back(start);
    if (current.back() != end) current.push_back(end);
    if (t1 < 1) finish();
  }
  finish();
  return pieces;
}

Ring ClipRingToBox(const Ring& ring, const MapBox& box) {
  const auto crossX = [](std::int32_t x) {
    return [x](TMapPoint a, TMapPoint b) {
      const double t = (static_cast<double>(x) - a.X) / (static_cast<double>(b.X) - a.X);
      return TMapPoint{x, static_cast<std::int32_t>(std::lround(a.Y + t * (static_cast<double>(b.Y) - a.Y)))};
    };
  };
  const auto crossY = [](std::int32_t y) {
    return [y](TMapPoint a, TMapPoint b) {
      const double t = (static_cast<double>(y) - a.Y) / (static_cast<double>(b.Y) - a.Y);
      return TMapPoint{static_cast<std::int32_t>(std::lround(a.X + t * (static_cast<double>(b.X) - a.X))), y};
    };
  };
  Ring out = ClipAgainstEdge(
      ring, [&](TMapPoint p) { return p.X >= box.Left; }, crossX(box.Left));
  out = ClipAgainstEdge(
      out, [&](TMapPoint p) { return p.X <= box.Right; }, crossX(box.Right));
  out = ClipAgainstEdge(
      out, [&](TMapPoint p) { return p.Y >= box.Bottom; }, crossY(box.Bottom));
  out = ClipAgainstEdge(
      out, [&](TMapPoint p) { return p.Y <= box.Top; }, crossY(box.Top));
  // Drop repeated points the crossings may have made.
  out.erase(std::unique(out.begin(), out.end()), out.end());
  if (out.size() < 3) out.clear();
  return out;
}

std::optional<TMapPoint> InteriorPoint(const std::vector<Ring>& rings) {
  const std::optional<MapBox> box = BoxOf(rings);
  if (!box) return std::nullopt;
  // Try scan lines across the box, the middle one first, and keep the widest inside stretch.
  constexpr int kLines = 16;
  std::optional<TMapPoint> best;
  double bestWidth = -1;
  // An area narrower than a map unit has no whole point inside: it takes the middle of its widest stretch.
  std::optional<TMapPoint> fallback;
  double fallbackWidth = 0;
  for (int k = 0; k < kLines; ++k) {
    const int step = (k % 2 == 0) ? k / 2 : -(k + 1) / 2;  // 0, -1, 1, -2, 2, ... around the middle
    const double fraction = 0.5 + (static_cast<double>(step) + 0.25) / kLines;
    const double y = std::floor(box->Bottom + fraction * (static_cast<double>(box->Top) - box->Bottom)) + 0.5;
    std::vector<double> crossings;
    for (const Ring& ring : rings) {
      const std::size_t n = ring.size();
      for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        if ((ring[i].Y > y) != (ring[j].Y > y)) crossings.push_back(CrossingX(ring[j], ring[i], y));
      }
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const double width = crossings[i + 1] - crossings[i];
      if (width <= bestWidth) continue;
      const TMapPoint candidate = Rounded((crossings[i] + crossings[i + 1]) / 2, y);
      if (!PointInRings(rings, candidate)) {
        if (width > fallbackWidth) {
          fallbackWidth = width;
          fallback = candidate;
        }
        continue;
      }
      bestWidth = width;
      best = candidate;
    }
  }
  return best ? best : fallback;
}

}  // namespace quelmar::builder
