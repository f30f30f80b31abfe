// Geocoding real Chicago addresses with GeoFind, one thread, warm caches
// (tables and the street index read before the timing starts), with the
// street index and without it (every quad around the centre read per
// search). The addresses are a list of landmarks and, for each of 200 street
// lines spread over the Illinois archive, the line's first house number on
// its street and place. Reports the median and 99th-percentile latency and
// addresses per second. Data: the tree the README's main command builds
// (~/.local/share/quelmar/map, or $QUELMAR_DATA).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_data.h"
#include "control/data/index_cache.h"
#include "control/search/geo_find_services.h"
#include "control/search/street_archive.h"
#include "control/search/street_lines.h"

namespace {

using namespace quelmar;

using bench::DataTree;
std::vector<std::string> ChicagoAddresses() {
  std::vector<std::string> addresses = {
      "1060 W Addison St, Chicago, IL",   "875 N Michigan Ave, Chicago, IL",  "111 S Michigan Ave, Chicago, IL",
      "1901 W Madison St, Chicago, IL",   "1400 S Lake Shore Dr, Chicago, IL", "600 E Grand Ave, Chicago, IL",
      "3600 N Clark St, Chicago, IL",     "4400 N Broadway, Chicago, IL",     "50 W Washington St, Chicago, IL",
      "121 N La Salle St, Chicago, IL",   "2430 N Cannon Dr, Chicago, IL",    "1200 W Harrison St, Chicago, IL",
  };
  try {
    data::ArchiveIndexCache cache;
    const search::StreetArchive archive(DataTree() + "/STATES0/17.ZP5", cache);
    std::vector<std::string> lines;
    for (std::size_t m = 0; m < archive.MemberCount(); ++m) {
      const auto drawing = archive.ReadMember(m, 402, nullptr);
      if (!drawing) continue;
      search::WalkStreetLines(*drawing, [&](const search::StreetLine& line) {
        if (line.From > 0 && !line.Place.empty() && line.Name.find('/') == std::string_view::npos) {
          lines.push_back(std::to_string(line.From) + " " + std::string(line.Name) + ", " + std::string(line.Place) +
                          ", IL");
        }
        return search::WalkNext::Go;
      });
    }
    for (std::size_t i = 0; i < 200 && !lines.empty(); ++i) addresses.push_back(lines[i * lines.size() / 200]);
  } catch (const std::exception&) {
  }
  return addresses;
}

void BM_GeoFindChicago(benchmark::State& state) {
  static const std::vector<std::string> addresses = ChicagoAddresses();
  if (addresses.size() < 100) return state.SkipWithError("no Illinois street archive in the data tree");
  search::PlaceSearch places;
  search::StreetSearch streets;
  streets.UseIndex = state.range(0) != 0;
  search::PlaceQuery placeQuery;
  placeQuery.Folder = DataTree() + "/DATA3";
  search::StreetSources sources;
  sources.States0 = sources.States1 = DataTree() + "/STATES0";
  search::GeoFindServices services = search::MakeGeoFindServices(places, placeQuery, streets, sources);
  services.ViewCentre = {-87.65, 41.85};
  std::size_t found = 0;
  auto geocode = [&](const std::string& address) {
    return search::GeoFind(address, services, [&](const search::GeoFindHit&) { ++found; });
  };
  for (const std::string& address : addresses) geocode(address);  // warm: tables, index, page cache

  std::vector<double> micros;
  std::size_t i = 0, hits = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    hits += geocode(addresses[i++ % addresses.size()]) > 0;
    micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(micros.begin(), micros.end());
  state.counters["median_us"] = micros[micros.size() / 2];
  state.counters["p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
  state.counters["addresses_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["found_share"] = double(hits) / double(state.iterations());
}
BENCHMARK(BM_GeoFindChicago)->ArgName("index")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// Building the street index of the Illinois archive (every quad read and its
// lines kept), as the first search of a control does; its size in memory.
void BM_StreetIndexBuild(benchmark::State& state) {
  const std::string archive = DataTree() + "/STATES0/17.ZP5";
  std::size_t bytes = 0, lines = 0, names = 0;
  for (auto _ : state) {
    search::StreetSearch streets;  // a fresh engine: nothing kept
    try {
      const auto index = streets.IndexOf(archive, 402, nullptr);
      bytes = index->MemoryBytes();
      lines = index->LineCount();
      names = index->NameCount();
    } catch (const std::exception& e) {
      return state.SkipWithError(e.what());
    }
  }
  state.counters["index_MB"] = double(bytes) / (1 << 20);
  state.counters["lines"] = double(lines);
  state.counters["names"] = double(names);
}
BENCHMARK(BM_StreetIndexBuild)->Unit(benchmark::kMillisecond);

}  // namespace
