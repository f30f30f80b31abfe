// Cost of crossing the automation boundary: a property read through the
// interface slot and the same read by late binding (Invoke), and reads and
// calls by member name (GetIDsOfNames, then Invoke), as script hosts and the
// host library under the Python package make them.
#include <benchmark/benchmark.h>

#include "control/automation/ttarvo.h"
#include "platform/com/dispatch_call.h"

namespace {

using namespace quelmar;

automation::TTarvo& Control() {
  static com::ServerLifetime lifetime;
  static automation::TTarvo* control = new automation::TTarvo(lifetime);
  return *control;
}

void BM_PropertyThroughSlot(benchmark::State& state) {
  automation::ITarvo& control = Control();
  double value = 0;
  for (auto _ : state) {
    control.get_LonLeft(&value);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_PropertyThroughSlot);

void BM_PropertyThroughInvoke(benchmark::State& state) {
  automation::ITarvo& control = Control();
  com::DISPPARAMS none;
  for (auto _ : state) {
    com::Variant result;
    control.Invoke(18, com::GUID{}, 0, com::DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_PropertyThroughInvoke);

void BM_MethodThroughInvoke(benchmark::State& state) {
  automation::ITarvo& control = Control();
  std::vector<com::Variant> args = {com::Variant(42.0), com::Variant(-87.0), com::Variant(41.0), com::Variant(-88.0)};
  com::DISPPARAMS params;
  params.rgvarg = args.data();
  params.cArgs = 4;
  for (auto _ : state) {
    com::Variant result;
    control.Invoke(74, com::GUID{}, 0, com::DISPATCH_METHOD, &params, &result, nullptr, nullptr);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_MethodThroughInvoke);

void BM_PropertyByName(benchmark::State& state) {
  automation::TTarvo& control = Control();
  for (auto _ : state) {
    com::DispatchCall call =
        com::InvokeByName(&control, "LonLeft", com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET, {});
    benchmark::DoNotOptimize(call);
  }
}
BENCHMARK(BM_PropertyByName);

void BM_MethodByName(benchmark::State& state) {
  automation::TTarvo& control = Control();
  const std::vector<com::Variant> args = {com::Variant(-87), com::Variant(41), com::Variant(-87), com::Variant(42)};
  for (auto _ : state) {
    com::DispatchCall call =
        com::InvokeByName(&control, "Distance", com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET, args);
    benchmark::DoNotOptimize(call);
  }
}
BENCHMARK(BM_MethodByName);

}  // namespace
