// Route calculations over the data tree, one thread, the whole calculation
// timed: the coarse search, the corridor, reading the highway and street
// quads, building the road network and the search. The highway network
// drawing and the archive directories stay cached between runs, as they do
// in a control. Counters: the network's nodes and edges, the bytes of the
// network and of the search's state, the nodes the search took.
// Data: the tree the README's main command builds (~/.local/share/quelmar/map,
// or $QUELMAR_DATA).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "bench/bench_data.h"
#include "control/routing/route_data.h"
#include "control/routing/route_planner.h"

namespace {

using namespace quelmar;

using bench::DataTree;
using bench::Point;

struct Trip {
  const char* name;
  core::TMapPoint from, to;
};

const Trip kTrips[] = {
    {"Chicago: Wrigley Field to Willis Tower", Point(-87.6555, 41.9471), Point(-87.6359, 41.8789)},
    {"Chicago: Lincoln Square to Hyde Park", Point(-87.6890, 41.9680), Point(-87.5960, 41.7940)},
    {"Chicago to San Francisco", Point(-87.6555, 41.9471), Point(-122.4469, 37.7700)},
    {"New York to Miami", Point(-74.0060, 40.7128), Point(-80.1918, 25.7617)},
};

void BM_Route(benchmark::State& state) {
  const Trip& trip = kTrips[state.range(0)];
  const auto type = static_cast<std::uint8_t>(state.range(1));
  routing::RouteDataCache cache;
  routing::RouteFolders folders;
  folders.Data1 = DataTree() + "/DATA1";
  folders.States0 = DataTree() + "/STATES0";
  routing::RouteRequest request;
  request.Start = trip.from;
  request.Finish = trip.to;
  request.Settings.RouteType = type;
  request.Settings.SplayTree = state.range(2) != 0;
  routing::RouteResult last;
  for (auto _ : state) {
    routing::FolderRouteData data(folders, cache);
    last = routing::CalculateRoute(request, data);
    benchmark::DoNotOptimize(last.Steps.data());
  }
  if (!last.Found()) {
    state.SkipWithError("no route (is the data tree built?)");
    return;
  }
  state.SetLabel(std::string(trip.name) + ", " +
                 std::string(routing::RouteTypeName(static_cast<routing::RouteType>(type))) +
                 (request.Settings.SplayTree ? ", splay trees" : ", binary trees"));
  state.counters["nodes"] = last.Network->NodeCount();
  state.counters["edges"] = static_cast<double>(last.Network->EdgeCount());
  state.counters["network_MB"] = last.Network->MemoryBytes() / 1e6;
  state.counters["search_MB"] = last.Search.MemoryBytes / 1e6;
  state.counters["taken"] = static_cast<double>(last.Search.NodesTaken);
  double miles = 0;
  for (const routing::RouteStep& s : last.Steps) miles += s.Length / 100.0;
  state.counters["miles"] = miles;
}

// Arguments: the trip, the route type, the node look-up (1 splay trees).
BENCHMARK(BM_Route)
    ->ArgsProduct({{0, 1}, {0, 1, 4}, {1}})
    ->Args({0, 0, 0})
    ->Args({2, 1, 1})
    ->Args({3, 1, 1})
    ->Args({2, 4, 1})
    ->Args({2, 1, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
