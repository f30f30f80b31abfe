// libFuzzer target: any bytes as a user road file and as a route history:
// parsed within bounds and in linear time; the user roads join a road
// network, and the history written out reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "control/routing/road_loader.h"
#include "control/routing/route_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar::routing;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const UserRoadFile roads = ParseUserRoads(text);
  RoadNetworkBuilder builder;
  RoadRules rules;
  rules.Scale = ScaleAt({-1369531, 654687}, true);
  std::size_t points = 0;
  for (const UserRoad& road : roads.Roads) {
    points += road.Points.size();
    if (points > 100000) break;
    AddRoad(road.Points, road.Class, builder.EnterName(road.Name + '\t'), rules, builder);
  }
  (void)builder.Build();
  const auto history = ParseRouteHistory(text);
  if (ParseRouteHistory(RouteHistoryText(history)) != history) std::abort();
  return 0;
}
