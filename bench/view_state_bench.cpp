// Cost of the per-vertex projection and of one fitted zoom.
#include <benchmark/benchmark.h>

#include <vector>

#include "control/core/view_state.h"

namespace {

using quelmar::core::TMapPoint;
using quelmar::core::TPixelPoint;
using quelmar::core::ViewState;

// A zig-zag polyline of 10,000 vertices across a Chicago-sized view.
std::vector<TMapPoint> Polyline() {
  std::vector<TMapPoint> points;
  points.reserve(10000);
  for (std::int32_t i = 0; i < 10000; ++i) points.push_back({-1379024 + i * 2, 640625 + (i % 50) * 300});
  return points;
}

void MapToPixelPolyline(benchmark::State& state, double rotation) {
  ViewState view;
  view.ZoomWindow(-88, 42, -87, 41);
  view.Rotate(rotation);
  const std::vector<TMapPoint> points = Polyline();
  std::vector<TPixelPoint> pixels(points.size());
  for (auto _ : state) {
    for (std::size_t i = 0; i < points.size(); ++i) pixels[i] = view.MapToPixel(points[i]);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(points.size()));
}
BENCHMARK_CAPTURE(MapToPixelPolyline, unrotated, 0.0);
BENCHMARK_CAPTURE(MapToPixelPolyline, rotated, 30.0);

void ZoomWindowOnce(benchmark::State& state) {
  ViewState view;
  for (auto _ : state) {
    view.ZoomWindow(-88, 42, -87, 41);
    benchmark::DoNotOptimize(view.View().Left);
  }
}
BENCHMARK(ZoomWindowOnce);

}  // namespace
