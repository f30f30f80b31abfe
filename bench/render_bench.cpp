// The map drawn from the data tree, at 1024 x 768, for four views from the
// whole country to a few Chicago blocks: the load pass (reading the quads a
// view needs, from a table holding only the base map) and the paint pass (the
// loaded drawings into a bitmap, with and without its labels) apart, and a street-level pan (both, for a
// view moved by 64 pixels).
#include <benchmark/benchmark.h>

#include "map_fixture.h"

namespace {

using quelmar::bench::kViews;
using quelmar::core::OutputKind;

using Fixture = quelmar::bench::MapFixture;
Fixture& Shared() { return quelmar::bench::SharedMapFixture(); }

void BM_LoadPass(benchmark::State& state) {
  Fixture& f = Shared();
  f.Show(kViews[state.range(0)]);
  for (auto _ : state) {
    state.PauseTiming();
    f.KeepOnlyTheBaseMap();
    state.ResumeTiming();
    f.Load();
  }
  state.SetLabel(kViews[state.range(0)].name);
  state.counters["drawings"] = f.model->Drawings().Count();
}
BENCHMARK(BM_LoadPass)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_PaintPass(benchmark::State& state) {
  Fixture& f = Shared();
  f.Show(kViews[state.range(0)]);
  f.Load();
  for (auto _ : state) f.Paint();
  state.SetLabel(kViews[state.range(0)].name);
  state.counters["objects"] = static_cast<double>(f.model->Painter().Counters().Objects);
  const quelmar::render::LabelCounters& labels = f.model->Labels().Counters();
  state.counters["labels"] = labels.PointLabels + labels.StreetLabels + labels.LandmarkLabels;
  state.counters["shields"] = labels.ShieldGroups;
}
BENCHMARK(BM_PaintPass)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The same paint without labels: the difference to BM_PaintPass is what
// collecting, placing and drawing the labels costs.
void BM_PaintPassWithoutLabels(benchmark::State& state) {
  Fixture& f = Shared();
  f.Show(kViews[state.range(0)]);
  f.Load();
  f.model->EnableLabels(false);
  for (auto _ : state) f.Paint();
  f.model->EnableLabels(true);
  state.SetLabel(kViews[state.range(0)].name);
}
BENCHMARK(BM_PaintPassWithoutLabels)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// A street-level pan: the view moves by 64 pixels, loads what it now needs
// and is painted, as a host's pan does.
void BM_StreetPan(benchmark::State& state) {
  Fixture& f = Shared();
  f.Show(kViews[3]);
  f.Load();
  int step = 0;
  for (auto _ : state) {
    const double dx = (step++ % 2 == 0 ? 64 : -64) / f.panel.view().View().Scale;
    auto& v = f.panel.view();
    v.SetViewOrigin(static_cast<std::int64_t>(v.View().Left + dx), v.View().Bottom);
    f.Load();
    f.Paint();
  }
}
BENCHMARK(BM_StreetPan)->Unit(benchmark::kMillisecond);

}  // namespace
