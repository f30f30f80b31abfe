#include "control/render/style_ring_fill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/gdi/recording_canvas.h"

namespace quelmar::render {
namespace {

using gdi::Point;
using gdi::RGB;

std::vector<Point> Square(int x0, int y0, int x1, int y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}}; }

// A closed ring of n points around (cx, cy).
std::vector<Point> Circle(int n, double cx, double cy, double r) {
  std::vector<Point> ring;
  for (int i = 0; i < n; ++i) {
    const double a = 2 * std::numbers::pi * i / n;
    ring.push_back({static_cast<int>(std::lround(cx + r * std::cos(a))), static_cast<int>(std::lround(cy + r * std::sin(a)))});
  }
  return ring;
}

TEST(ClipRing, ToTheWidenedView) {
  struct Case {
    const char* what;
    std::vector<Point> ring;
    std::vector<Point> expected;
  };
  const Case cases[] = {
      {"inside", Square(0, 0, 10, 10), Square(0, 0, 10, 10)},
      {"over the right edge", Square(50, 10, 150, 20), {{50, 10}, {100, 10}, {100, 20}, {50, 20}, {50, 10}}},
      {"over the top-left corner", Square(-20, -20, 10, 10), {{-1, -1}, {10, -1}, {10, 10}, {-1, 10}}},
      {"outside", Square(200, 200, 300, 300), {}},
      {"diagonal edge, rounded crossing", {{-5, 0}, {5, 5}, {5, 0}}, {{-1, 0}, {-1, 2}, {5, 5}, {5, 0}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ClipRingToView(c.ring, gdi::Size{100, 80}), c.expected) << c.what;
}

TEST(PlanRingStrips, StripsCoverTheRingAndAlwaysAdvance) {
  const std::vector<Point> rings[] = {
      Circle(2000, 500, 300, 250),
      Circle(3300, 100, 900, 800),
      // Most vertices in one bucket: that bucket is a strip of its own.
      [] {
        std::vector<Point> r = Circle(800, 400, 400, 300);
        for (int i = 0; i < 1200; ++i) r.push_back({100, 400 + (i % 5)});
        return r;
      }(),
  };
  for (const std::vector<Point>& ring : rings) {
    const RingStripPlan plan = PlanRingStrips(ring);
    ASSERT_FALSE(plan.Strips.empty());
    std::int64_t lo = INT64_MAX, hi = INT64_MIN;
    for (const Point& p : ring) {
      const std::int64_t v = plan.Axis == RingAxis::X ? p.x : p.y;
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
    EXPECT_EQ(plan.Strips.front().From, lo);
    EXPECT_EQ(plan.Strips.back().To, hi);
    for (std::size_t i = 1; i < plan.Strips.size(); ++i) {
      EXPECT_EQ(plan.Strips[i].From, plan.Strips[i - 1].To) << "strips follow one another";
      EXPECT_GE(plan.Strips[i].To, plan.Strips[i].From);
    }
    EXPECT_LE(plan.Strips.size(), static_cast<std::size_t>(kStripBuckets + 1));
    EXPECT_GT(plan.Strips.size(), 1u);
  }
  const std::vector<Point> flat = {{5, 5}, {5, 5}, {5, 5}};
  EXPECT_EQ(PlanRingStrips(flat).Strips.size(), 1u);
  EXPECT_TRUE(PlanRingStrips({}).Strips.empty());
}

TEST(FillRing, SmallRingsAtOnceLargeOnesInStrips) {
  gdi::RecordingCanvas canvas(gdi::Size{1000, 1000});
  FillRing(canvas, Square(10, 10, 20, 20), RGB(1, 2, 3), canvas.DeviceSize());
  std::vector<gdi::DrawRecord> polygons = canvas.RecordsOf(gdi::DrawKind::Polygon);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].state.pen.style, gdi::PenStyle::Null) << "no outline";
  EXPECT_EQ(polygons[0].state.brush, gdi::Brush::Solid(RGB(1, 2, 3)));

  canvas.Clear();
  FillRing(canvas, Circle(2000, 500, 500, 400), RGB(4, 5, 6), canvas.DeviceSize());
  polygons = canvas.RecordsOf(gdi::DrawKind::Polygon);
  EXPECT_GT(polygons.size(), 1u);
  for (const gdi::DrawRecord& strip : polygons) EXPECT_LT(strip.points.size(), 2 * kStripFillPoints);

  // Only the first 3,300 points count: the far point after them is never used.
  canvas.Clear();
  std::vector<Point> ring = Circle(3300, 300, 300, 100);
  ring.push_back({900, 900});
  FillRing(canvas, ring, RGB(7, 8, 9), canvas.DeviceSize());
  for (const gdi::DrawRecord& strip : canvas.RecordsOf(gdi::DrawKind::Polygon)) {
    for (const Point& p : strip.points) EXPECT_LE(p.x, 400);
  }

  canvas.Clear();
  FillRing(canvas, Square(2000, 2000, 3000, 3000), RGB(1, 1, 1), canvas.DeviceSize());
  FillRing(canvas, std::vector<Point>{{1, 1}, {5, 5}}, RGB(1, 1, 1), canvas.DeviceSize());
  EXPECT_TRUE(canvas.RecordsOf(gdi::DrawKind::Polygon).empty());
}

}  // namespace
}  // namespace quelmar::render
