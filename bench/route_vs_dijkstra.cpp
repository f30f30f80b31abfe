// Side by side on the same road networks: the route search (A* with its
// straight-line estimate), a Dijkstra search under the same turn rules and
// costs (no estimate), and a plain Dijkstra over the open edges without any
// rule. For every trip and route type it prints the search times; for
// "Shortest" the length of each side and the ratios (the goal: equal; the
// estimate may cost at most 1%).
//   route_vs_dijkstra [DATA_TREE]   (default ~/.local/share/quelmar/map, or $QUELMAR_DATA)
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_data.h"
#include "control/routing/road_loader.h"
#include "control/routing/route_data.h"
#include "control/routing/route_planner.h"
#include "control/routing/route_query.h"

namespace {

using namespace quelmar;
using Clock = std::chrono::steady_clock;

using bench::Point;

double Ms(Clock::time_point since) { return std::chrono::duration<double, std::milli>(Clock::now() - since).count(); }

struct Trip {
  const char* name;
  core::TMapPoint from, to;
};

std::int64_t Length(const std::vector<routing::RouteStep>& steps) {
  std::int64_t length = 0;
  for (const routing::RouteStep& s : steps) length += s.Length;
  return length;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string tree = argc > 1 ? argv[1] : quelmar::bench::DataTree();
  const Trip trips[] = {
      {"Chicago, Wrigley Field - Willis Tower", Point(-87.6555, 41.9471), Point(-87.6359, 41.8789)},
      {"Chicago, Lincoln Square - Hyde Park", Point(-87.6890, 41.9680), Point(-87.5960, 41.7940)},
      {"San Francisco, Haight - Cole Valley", Point(-122.4469, 37.7700), Point(-122.4497, 37.7657)},
      {"Three Rivers MI", Point(-85.6330, 41.9440), Point(-85.6180, 41.9560)},
      {"Chicago - San Francisco", Point(-87.6555, 41.9471), Point(-122.4469, 37.7700)},
      {"New York - Miami", Point(-74.0060, 40.7128), Point(-80.1918, 25.7617)},
  };
  routing::RouteDataCache cache;
  routing::RouteFolders folders;
  folders.Data1 = tree + "/DATA1";
  folders.States0 = tree + "/STATES0";
  std::printf("%-40s %-16s %8s %10s %10s %10s %9s %9s %9s %9s\n", "trip", "type", "nodes", "A* ms", "rules ms",
              "plain ms", "A* mi", "rules mi", "plain mi", "A*/rules");
  int failures = 0;
  for (const Trip& trip : trips) {
    for (int type = 0; type < routing::kRouteTypeCount; ++type) {
      routing::FolderRouteData data(folders, cache);
      routing::RouteRequest request;
      request.Start = trip.from;
      request.Finish = trip.to;
      request.Settings.RouteType = static_cast<std::uint8_t>(type);
      const routing::RouteResult result = routing::CalculateRoute(request, data);
      if (!result.Network || result.StartNode == routing::kNoNode) {
        std::printf("%-40s %-16s no network\n", trip.name, std::string(routing::RouteTypeName(
                                                               static_cast<routing::RouteType>(type))).c_str());
        ++failures;
        continue;
      }
      const routing::RoadNetwork& net = *result.Network;
      routing::QuerySettings settings;
      settings.Type = static_cast<routing::RouteType>(type);
      // The estimate's scale as the calculation takes it: at the ends' midpoint.
      const routing::DistanceScale scale =
          routing::ScaleAt({(trip.from.X + trip.to.X) / 2, (trip.from.Y + trip.to.Y) / 2}, true);
      settings.MilesPerX = scale.MilesPerX;
      settings.MilesPerY = scale.MilesPerY;
      routing::RouteQuery aStar(net), rules(net);
      Clock::time_point t = Clock::now();
      const bool found = aStar.Run(result.StartNode, result.FinishNode, settings);
      const double aStarMs = Ms(t);
      routing::QuerySettings noEstimate = settings;
      noEstimate.UseEstimate = false;
      t = Clock::now();
      rules.Run(result.StartNode, result.FinishNode, noEstimate);
      const double rulesMs = Ms(t);
      t = Clock::now();
      const std::int64_t plain = routing::PlainShortestLength(net, result.StartNode, result.FinishNode);
      const double plainMs = Ms(t);
      const std::string name(routing::RouteTypeName(settings.Type));
      if (!found) {
        std::printf("%-40s %-16s no route\n", trip.name, name.c_str());
        ++failures;
        continue;
      }
      const double a = Length(aStar.Steps()) / 100.0, r = Length(rules.Steps()) / 100.0, p = plain / 100.0;
      if (settings.Type == routing::RouteType::Shortest) {
        std::printf("%-40s %-16s %8u %10.2f %10.2f %10.2f %9.2f %9.2f %9.2f %9.4f\n", trip.name, name.c_str(),
                    net.NodeCount(), aStarMs, rulesMs, plainMs, a, r, p, r > 0 ? a / r : 0.0);
      } else {
        std::printf("%-40s %-16s %8u %10.2f %10.2f %10.2f %9.2f %9.2f %9s %9s\n", trip.name, name.c_str(),
                    net.NodeCount(), aStarMs, rulesMs, plainMs, a, r, "", "");
      }
    }
  }
  return failures == 0 ? 0 : 1;
}
