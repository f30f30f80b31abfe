// Reading a drawing's roads into a network: names with their places, road
// classes, lines that are no roads, the kept-roads rule and priority 0.
#include <gtest/gtest.h>

#include "control/routing/road_loader.h"
#include "tests/control/routing/routing_fixture.h"

namespace quelmar::routing::testing {
namespace {

const std::vector<FixtureLine> kLines = {
    Road("N CLARK ST", {At(0, 0), At(0, 100), At(0, 200)}),  // three points: two pieces
    Road("", {At(0, 200), At(100, 200)}),                     // unnamed
    Road("I-94", {At(0, 0), At(300, 0)}, 77),                 // an interstate by its name
    Road("METRA", {At(0, 100), At(100, 100)}, 105),           // a railroad: no road
    Road("N BROADWAY", {At(100, 200), At(100, 300)}, 70),     // a county road
};

TEST(RoadLoader, RoadsOfADrawingWithTheirNamesAndClasses) {
  RoadNetworkBuilder builder;
  RoadRules rules;
  rules.Scale = ScaleAt(At(0, 0), true);
  const RoadCounts counts = AddRoadsOfDrawing(StreetsDrawing(kLines), rules, builder);
  EXPECT_EQ(counts.Roads, 4);
  EXPECT_EQ(counts.Pieces, 5);
  const RoadNetwork net = builder.Build();
  EXPECT_EQ(net.NodeCount(), 6u);
  std::map<std::string, int> classes;
  for (std::uint32_t n = 0; n < net.NodeCount(); ++n) {
    for (const RoadEdge& e : net.EdgesOf(n)) classes[std::string(net.Names().Text(e.Name))] = e.ClassCode();
  }
  EXPECT_EQ(classes, (std::map<std::string, int>{{"", 14},
                                                 {"N CLARK ST\tCHICAGO", 14},
                                                 {"I-94\tCHICAGO", 9},
                                                 {"N BROADWAY\tCHICAGO", 11}}));
}

TEST(RoadLoader, RulesLeaveRoadsOut) {
  struct Case {
    const char* what;
    void (*change)(RoadRules&);
    int roads;
    int pieces;
  };
  const Case cases[] = {
      {"one piece per line", [](RoadRules& r) { r.PerVertex = false; }, 4, 4},
      {"minor roads left out", [](RoadRules& r) { r.Roads.Priority[4] = 0; }, 4, 2},
      {"kept by their ends", [](RoadRules& r) { r.Keep = [](TMapPoint a, TMapPoint) { return a == At(0, 0); }; }, 2, 3},
  };
  for (const Case& c : cases) {
    RoadNetworkBuilder builder;
    RoadRules rules;
    rules.Scale = ScaleAt(At(0, 0), true);
    c.change(rules);
    const RoadCounts counts = AddRoadsOfDrawing(StreetsDrawing(kLines), rules, builder);
    EXPECT_EQ(counts.Roads, c.roads) << c.what;
    EXPECT_EQ(counts.Pieces, c.pieces) << c.what;
  }
}

TEST(RoadLoader, OneLinePieceHasTheLineLength) {
  RoadNetworkBuilder perVertex, whole;
  RoadRules rules;
  rules.Scale = ScaleAt(At(0, 0), true);
  AddRoad({At(0, 0), At(0, 100), At(100, 100)}, 14, 0, rules, perVertex);
  rules.PerVertex = false;
  AddRoad({At(0, 0), At(0, 100), At(100, 100)}, 14, 0, rules, whole);
  const RoadNetwork a = perVertex.Build(), b = whole.Build();
  EXPECT_EQ(b.EdgesOf(0)[0].Length, a.EdgesOf(0)[0].Length + a.EdgesOf(1)[1].Length);
  // The plane approximation and the great circle agree closely at this size.
  const std::int32_t plane = PieceLength(At(0, 0), At(3000, 2000), ScaleAt(At(0, 0), true));
  const std::int32_t sphere = PieceLength(At(0, 0), At(3000, 2000), ScaleAt(At(0, 0), false));
  EXPECT_NEAR(plane, sphere, sphere / 200.0);
}

}  // namespace
}  // namespace quelmar::routing::testing
