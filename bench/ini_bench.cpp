// Parsing INI text (MAP.INI, the class registry, the configuration file):
// a file of many sections, and one section of many keys, each of which the
// parser looks up before adding it.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/kernel/ini_file.h"

namespace {

std::string ManySections(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) text += "[Section" + std::to_string(i) + "]\nKey=" + std::to_string(i) + "\n";
  return text;
}

std::string ManyKeys(int n) {
  std::string text = "[Keys]\n";
  for (int i = 0; i < n; ++i) text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
  return text;
}

void BM_IniManySections(benchmark::State& state) {
  const std::string text = ManySections(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    quelmar::kernel::IniFile ini;
    ini.Parse(text);
    benchmark::DoNotOptimize(ini);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_IniManySections)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_IniManyKeys(benchmark::State& state) {
  const std::string text = ManyKeys(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    quelmar::kernel::IniFile ini;
    ini.Parse(text);
    benchmark::DoNotOptimize(ini);
  }
}
BENCHMARK(BM_IniManyKeys)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
