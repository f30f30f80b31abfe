// The three table lookups, warm (the tables read once and kept), on the
// tables of the data tree the README's main command builds
// (~/.local/share/quelmar/map, or $QUELMAR_DATA): a ZIP code, an exact place,
// a place list and an exchange, each a different one per iteration.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "control/search/exchange_lookup.h"
#include "control/search/place_lookup.h"
#include "control/search/search_table_files.h"
#include "control/search/zip_lookup.h"

namespace {

using namespace quelmar;

std::string SearchFolder() {
  if (const char* env = std::getenv("QUELMAR_DATA"); env && *env) return std::string(env) + "/DATA3";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.local/share/quelmar/map/DATA3";
}

search::SearchTableFiles& Tables() {
  static search::SearchTableFiles tables;
  return tables;
}

void BM_FindZip(benchmark::State& state) {
  const auto bytes = Tables().Zip.Read(SearchFolder());
  if (bytes->empty()) return state.SkipWithError("no ZIP.BIN in the data tree");
  const std::int32_t zips[] = {60613, 10001, 94103, 99501, 33101, 2134, 73301, 80202};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(search::FindZipCode(search::View(Tables().Zip.Read(SearchFolder())), zips[i++ % 8]));
  }
}
BENCHMARK(BM_FindZip);

void BM_FindCityExact(benchmark::State& state) {
  const auto bytes = Tables().Cities.Read(SearchFolder());
  if (bytes->empty()) return state.SkipWithError("no Cities.bin in the data tree");
  const search::ShortString places[] = {"Springfield, IL", "Chicago, IL", "North Platte, NE", "St. Louis, MO",
                                        "Des Moines, IA",  "San Juan, PR", "Anchorage, AK",    "Boston"};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(search::FindPlaceExact(search::View(Tables().Cities.Read(SearchFolder())), places[i++ % 8]));
  }
}
BENCHMARK(BM_FindCityExact);

void BM_FindCityList(benchmark::State& state) {
  const auto bytes = Tables().Cities.Read(SearchFolder());
  if (bytes->empty()) return state.SkipWithError("no Cities.bin in the data tree");
  const search::ShortString patterns[] = {"SPR*, IL", "NEW*, NY", "SAN*, CA", "MOUNT*, *"};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(search::FindPlaceList(search::View(Tables().Cities.Read(SearchFolder())), patterns[i++ % 4]));
  }
}
BENCHMARK(BM_FindCityList);

void BM_FindAcex(benchmark::State& state) {
  const auto bytes = Tables().Exchanges.Read(SearchFolder());
  if (bytes->empty()) return state.SkipWithError("no FON.BIN in the data tree");
  const search::PhonePrefix numbers[] = {{312, 555}, {907, 212}, {212, 555}, {415, 777}, {617, 253}, {808, 956}};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(search::FindExchanges(search::View(Tables().Exchanges.Read(SearchFolder())), numbers[i++ % 6]));
  }
}
BENCHMARK(BM_FindAcex);

}  // namespace
