// The A* search: the route types' choices, the ends of the search, the
// move rules at interchanges, and the search measured against plain
// Dijkstra searches on random street grids.
#include <gtest/gtest.h>

#include <random>

#include "control/routing/road_classes.h"
#include "control/routing/road_loader.h"
#include "control/routing/route_query.h"
#include "tests/control/routing/routing_fixture.h"

namespace quelmar::routing::testing {
namespace {

QuerySettings SettingsFor(RouteType type, bool estimate = true) {
  QuerySettings s;
  s.Type = type;
  const DistanceScale scale = ScaleAt(At(0, 0), true);
  s.MilesPerX = scale.MilesPerX;
  s.MilesPerY = scale.MilesPerY;
  s.UseEstimate = estimate;
  return s;
}

std::int32_t Length(TMapPoint a, TMapPoint b) { return PieceLength(a, b, ScaleAt(At(0, 0), true)); }

void Piece(RoadNetworkBuilder& b, TMapPoint a, TMapPoint c, std::uint8_t cls) { b.AddPiece(a, c, cls, 0, Length(a, c)); }

// Two ways from west to east of the same length: a street straight across,
// and a major highway over a bend of the same length.
struct TwoWays {
  TMapPoint west = At(0, 0), east = At(400, 0), bend = At(200, 150);
  RoadNetwork network;
  TwoWays() {
    RoadNetworkBuilder b;
    Piece(b, west, At(200, 0), 14);
    Piece(b, At(200, 0), east, 14);
    const std::int32_t half = Length(west, At(200, 0));
    b.AddPiece(west, bend, 10, 0, half);
    b.AddPiece(bend, east, 10, 0, half);
    b.AddPiece(west, At(0, -300), 14, 0, Length(west, At(0, -300)));
    network = b.Build();
  }
  bool ViaBend(const RouteQuery& q) const {
    for (const RouteStep& s : q.Steps()) {
      if (s.Point == bend) return true;
    }
    return false;
  }
};

TEST(RouteQuery, RouteTypesChooseTheirRoads) {
  TwoWays w;
  const std::uint32_t from = w.network.NearestNode(w.west), to = w.network.NearestNode(w.east);
  struct Case {
    RouteType type;
    bool viaHighway;
  };
  // Equal lengths: the types that weigh speed or importance take the
  // highway. (User Defined costs less than the straight distance on fast
  // roads, so its estimate can end the search before the highway is seen.)
  for (const Case c : {Case{RouteType::Fastest, true}, Case{RouteType::ShortestBias, true},
                       Case{RouteType::LeastTurns, true}}) {
    RouteQuery q(w.network);
    ASSERT_TRUE(q.Run(from, to, SettingsFor(c.type)));
    EXPECT_EQ(w.ViaBend(q), c.viaHighway) << static_cast<int>(c.type);
    EXPECT_TRUE(IsPathOf(w.network, q.Steps(), from, to));
  }
}

TEST(RouteQuery, EndsOfTheSearch) {
  TwoWays w;
  RouteQuery q(w.network);
  const std::uint32_t west = w.network.NearestNode(w.west);
  // Start and finish on one node: an empty route, found.
  ASSERT_TRUE(q.Run(west, west, SettingsFor(RouteType::Shortest)));
  ASSERT_EQ(q.Steps().size(), 1u);
  EXPECT_EQ(q.Steps()[0].Length, 0);
  EXPECT_EQ(q.Cost(), 0);
  // A node of another network part: not reached, no steps.
  RoadNetworkBuilder b;
  Piece(b, At(0, 0), At(100, 0), 14);
  Piece(b, At(500, 0), At(600, 0), 14);
  const RoadNetwork parts = b.Build();
  RouteQuery apart(parts);
  EXPECT_FALSE(apart.Run(0, 2, SettingsFor(RouteType::Shortest)));
  EXPECT_TRUE(apart.Steps().empty());
  EXPECT_FALSE(apart.Run(0, 99, SettingsFor(RouteType::Shortest)));  // no such node
}

TEST(RouteQuery, InterchangesAreEnteredAndLeftByTheirRamps) {
  // An interstate north through J, an exit ramp to a street at its end, and
  // a street crossing the interstate at J without a ramp.
  RoadNetworkBuilder b;
  const TMapPoint s = At(0, -300), j = At(0, 0), n = At(0, 300), exitEnd = At(60, 250), townEast = At(300, 250);
  Piece(b, s, j, kInterstateClass);
  Piece(b, j, n, kInterstateClass);
  Piece(b, j, exitEnd, kRampClass);
  Piece(b, exitEnd, townEast, 14);
  Piece(b, At(-300, 0), j, 14);
  Piece(b, j, At(300, 0), 14);
  b.ApplyRampRule(91);
  b.ApplyInterstateRule();
  const RoadNetwork net = b.Build();
  RouteQuery q(net);
  const QuerySettings shortest = SettingsFor(RouteType::Shortest);
  // Northbound off the interstate by the exit: found.
  ASSERT_TRUE(q.Run(net.NearestNode(s), net.NearestNode(townEast), shortest));
  EXPECT_TRUE(IsPathOf(net, q.Steps(), net.NearestNode(s), net.NearestNode(townEast)));
  // Up the exit the wrong way, and from the crossing street onto the
  // interstate: no way.
  EXPECT_FALSE(q.Run(net.NearestNode(townEast), net.NearestNode(s), shortest));
  EXPECT_FALSE(q.Run(net.NearestNode(At(-300, 0)), net.NearestNode(n), shortest));
  // The crossing street still goes across.
  EXPECT_TRUE(q.Run(net.NearestNode(At(-300, 0)), net.NearestNode(At(300, 0)), shortest));
}

// A street grid with random gaps and random detours: the search with its
// estimate finds routes as short as a Dijkstra search without one, under
// the same rules, and as short as the plain shortest path.
TEST(RouteQuery, AsShortAsDijkstraOnRandomGrids) {
  for (unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> gap(0, 5), stretch(0, 40);
    RoadNetworkBuilder b;
    const int size = 12;
    for (int i = 0; i < size; ++i) {
      for (int k = 0; k < size; ++k) {
        const TMapPoint here = At(i * 100, k * 100);
        for (const TMapPoint next : {At((i + 1) * 100, k * 100), At(i * 100, (k + 1) * 100)}) {
          if (i + 1 == size && next.X != here.X) continue;
          if (k + 1 == size && next.Y != here.Y) continue;
          if (gap(random) == 0) continue;
          // A length at least the straight one, as a curved street has.
          b.AddPiece(here, next, gap(random) < 2 ? 11 : 14, 0, Length(here, next) + stretch(random));
        }
      }
    }
    const RoadNetwork net = b.Build();
    const std::uint32_t from = net.NearestNode(At(0, 0)), to = net.NearestNode(At(1100, 1100));
    RouteQuery aStar(net), dijkstra(net);
    const bool found = aStar.Run(from, to, SettingsFor(RouteType::Shortest));
    ASSERT_EQ(found, dijkstra.Run(from, to, SettingsFor(RouteType::Shortest, false))) << seed;
    if (!found) continue;
    EXPECT_TRUE(IsPathOf(net, aStar.Steps(), from, to));
    EXPECT_EQ(LengthOf(aStar.Steps()), LengthOf(dijkstra.Steps())) << seed;
    EXPECT_EQ(LengthOf(aStar.Steps()), PlainShortestLength(net, from, to)) << seed;
    EXPECT_EQ(aStar.Cost(), LengthOf(aStar.Steps()));
    EXPECT_LE(aStar.Stats().NodesTaken, dijkstra.Stats().NodesTaken);
  }
}

TEST(RouteQuery, TraceNamesEveryNodeTakenAndEveryEdgeTried) {
  TwoWays w;
  std::vector<std::string> lines;
  SearchObserver observer;
  observer.Trace = [&](std::string_view line) { lines.emplace_back(line); };
  RouteQuery q(w.network);
  ASSERT_TRUE(q.Run(w.network.NearestNode(w.west), w.network.NearestNode(w.east), SettingsFor(RouteType::Shortest),
                    observer));
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(lines[0].starts_with("  C:")) << lines[0];
  EXPECT_NE(lines[0].find(" Ak:"), std::string::npos);
  EXPECT_NE(lines[0].find(" Pr:"), std::string::npos);
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("P:  "); }));
}

}  // namespace
}  // namespace quelmar::routing::testing
