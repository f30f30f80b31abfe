// Cost of the paint cycle with an empty map: a full re-render (Redraw) and a
// repaint from the off-screen buffer (Refresh), at a common window size.
#include <benchmark/benchmark.h>

#include "control/core/tv_object.h"

namespace {

using quelmar::core::Ttvmap;

Ttvmap& ShownPanel(int width, int height) {
  static Ttvmap* panel = [&] {
    auto* p = new Ttvmap;
    p->window().SetSize(width, height);
    p->window().Show(true);
    p->window().Update();
    return p;
  }();
  return *panel;
}

void BM_Redraw(benchmark::State& state) {
  Ttvmap& panel = ShownPanel(1024, 768);
  for (auto _ : state) panel.Redraw();
}
BENCHMARK(BM_Redraw)->Unit(benchmark::kMicrosecond);

void BM_Refresh(benchmark::State& state) {
  Ttvmap& panel = ShownPanel(1024, 768);
  for (auto _ : state) panel.Refresh();
}
BENCHMARK(BM_Refresh)->Unit(benchmark::kMicrosecond);

void BM_ZoomInOut(benchmark::State& state) {
  Ttvmap& panel = ShownPanel(1024, 768);
  for (auto _ : state) {
    panel.ZoomIn();
    panel.ZoomOut();
  }
}
BENCHMARK(BM_ZoomInOut)->Unit(benchmark::kMicrosecond);

}  // namespace
