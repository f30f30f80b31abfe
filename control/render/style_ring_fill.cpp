#include "control/render/style_ring_fill.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quelmar::render {
namespace {

std::int64_t Along(const gdi::Point& p, RingAxis axis) { return axis == RingAxis::X ? p.x : p.y; }
std::int64_t Across(const gdi::Point& p, RingAxis axis) { return axis == RingAxis::X ? p.y : p.x; }

gdi::Point Make(RingAxis axis, std::int64_t along, std::int64_t across) {
  const auto a = static_cast<std::int32_t>(along);
  const auto b = static_cast<std::int32_t>(across);
  return axis == RingAxis::X ? gdi::Point{a, b} : gdi::Point{b, a};
}

void Append(std::vector<gdi::Point>& out, gdi::Point p) {
  if (out.empty() || !(out.back() == p)) out.push_back(p);
}

// One border: keeps the side where sign × (coordinate − border) >= 0.
std::vector<gdi::Point> ClipBorder(std::span<const gdi::Point> ring, RingAxis axis, std::int64_t border, int sign) {
  std::vector<gdi::Point> out;
  if (ring.empty()) return out;
  out.reserve(ring.size() + 4);
  auto inside = [&](const gdi::Point& p) { return sign * (Along(p, axis) - border) >= 0; };
  const gdi::Point* previous = &ring.back();
  for (const gdi::Point& current : ring) {
    const bool currentIn = inside(current);
    if (currentIn != inside(*previous)) {
      const double a0 = static_cast<double>(Along(*previous, axis));
      const double a1 = static_cast<double>(Along(current, axis));
      const double b0 = static_cast<double>(Across(*previous, axis));
      const double b1 = static_cast<double>(Across(current, axis));
      const double t = (static_cast<double>(border) - a0) / (a1 - a0);
      Append(out, Make(axis, border, std::llround(b0 + t * (b1 - b0))));
    }
    if (currentIn) Append(out, current);
    previous = &current;
  }
  return out;
}

void FillPolygon(gdi::Canvas& canvas, std::span<const gdi::Point> points) {
  if (points.size() >= 3) canvas.Polygon(points);
}

}  // namespace

std::vector<gdi::Point> ClipRing(std::span<const gdi::Point> ring, RingAxis axis, std::int64_t lo, std::int64_t hi) {
  const std::vector<gdi::Point> low = ClipBorder(ring, axis, lo, +1);
  return ClipBorder(low, axis, hi, -1);
}

std::vector<gdi::Point> ClipRingToView(std::span<const gdi::Point> ring, gdi::Size view) {
  const std::vector<gdi::Point> columns = ClipRing(ring, RingAxis::X, -1, view.cx);
  return ClipRing(columns, RingAxis::Y, -1, view.cy);
}

RingStripPlan PlanRingStrips(std::span<const gdi::Point> ring) {
  RingStripPlan plan;
  if (ring.empty()) return plan;
  std::int64_t minX = ring[0].x, maxX = ring[0].x, minY = ring[0].y, maxY = ring[0].y;
  for (const gdi::Point& p : ring) {
    minX = std::min<std::int64_t>(minX, p.x);
    maxX = std::max<std::int64_t>(maxX, p.x);
    minY = std::min<std::int64_t>(minY, p.y);
    maxY = std::max<std::int64_t>(maxY, p.y);
  }
  plan.Axis = maxX - minX >= maxY - minY ? RingAxis::X : RingAxis::Y;
  const std::int64_t minimum = plan.Axis == RingAxis::X ? minX : minY;
  const std::int64_t extent = plan.Axis == RingAxis::X ? maxX - minX : maxY - minY;
  if (extent == 0) {
    plan.Strips.push_back({minimum, minimum});
    return plan;
  }

  std::array<std::size_t, kStripBuckets + 1> buckets{};
  for (const gdi::Point& p : ring) ++buckets[(Along(p, plan.Axis) - minimum) * kStripBuckets / extent];
  const std::size_t n = ring.size();
  const std::size_t target = std::min(kStripFillPoints, n / std::max<std::size_t>(2, n / kStripFillPoints));

  std::int64_t from = minimum;
  int start = 0;
  while (start <= kStripBuckets) {
    std::size_t running = 0;
    int next = start;
    while (next <= kStripBuckets && running + buckets[next] < target) running += buckets[next++];
    const int end = std::max(next - 1, start);
    const std::int64_t to = minimum + extent * end / kStripBuckets;
    plan.Strips.push_back({from, to});
    from = to;
    start = end + 1;
  }
  return plan;
}

void FillRing(gdi::Canvas& canvas, std::span<const gdi::Point> ring, gdi::COLORREF colour, gdi::Size view) {
  const std::vector<gdi::Point> clipped = ClipRingToView(ring.first(std::min(ring.size(), kMaxRingPoints)), view);
  if (clipped.size() < 3) return;
  canvas.SetPen(gdi::Pen{gdi::PenStyle::Null, 1, colour});
  canvas.SetBrush(gdi::Brush::Solid(colour));
  if (clipped.size() < kStripFillPoints) {
    FillPolygon(canvas, clipped);
    return;
  }
  const RingStripPlan plan = PlanRingStrips(clipped);
  for (const RingStrip& strip : plan.Strips) FillPolygon(canvas, ClipRing(clipped, plan.Axis, strip.From, strip.To));
}

}  // namespace quelmar::render
