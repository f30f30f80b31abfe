// The road network: node look-up by both structures, how pieces become
// edges, and the ramp and interstate rules at junctions.
#include <gtest/gtest.h>

#include "control/routing/road_classes.h"
#include "control/routing/road_network.h"
#include "tests/control/routing/routing_fixture.h"

namespace quelmar::routing::testing {
namespace {

TEST(NodeIndex, BothStructuresNumberTheSameNodes) {
  // Points that share index bits, negative coordinates and repeats.
  const std::vector<TMapPoint> points = {{-1369531, 654687}, {-1369531, 654688}, {-1369275, 654687}, {0, 0},
                                         {-1369531, 654687}, {256, 256},         {-256, -256},       {0, 0},
                                         {64, 64},           {-1369275, 654687}, {2147483647, -2147483647}};
  for (bool splay : {true, false}) {
    RoadNetworkBuilder builder(splay);
    std::vector<std::uint32_t> numbers;
    for (const TMapPoint& p : points) numbers.push_back(builder.NodeAt(p));
    EXPECT_EQ(numbers, (std::vector<std::uint32_t>{0, 1, 2, 3, 0, 4, 5, 3, 6, 2, 7})) << splay;
    for (std::size_t i = 0; i < points.size(); ++i) EXPECT_EQ(builder.FindNode(points[i]), numbers[i]);
    EXPECT_EQ(builder.FindNode({5, 5}), kNoNode);
  }
}

TEST(NodeIndex, ManyNodesStayFindable) {
  for (bool splay : {true, false}) {
    RoadNetworkBuilder builder(splay);
    for (std::int32_t i = 0; i < 3000; ++i) builder.NodeAt(At((i * 7919) % 997, (i * 104729) % 991));
    for (std::int32_t i = 0; i < 3000; ++i) {
      const TMapPoint p = At((i * 7919) % 997, (i * 104729) % 991);
      ASSERT_NE(builder.FindNode(p), kNoNode);
      EXPECT_EQ(builder.Point(builder.FindNode(p)), p);
    }
  }
}

TEST(RoadNetworkBuilder, PiecesBecomeEdgesAtBothEnds) {
  RoadNetworkBuilder b;
  b.AddPiece(At(0, 0), At(0, 0), 14, 0, 5);     // a point joined to itself: nothing
  b.AddPiece(At(0, 0), At(10, 0), 14, 0, 0);    // a short piece keeps length 1
  b.AddPiece(At(0, 0), At(10, 0), 14, 0, 0);    // the same again: no second edge
  b.AddPiece(At(0, 0), At(0, 10), 9, 0, 7);     // an interstate goes in front
  b.AddPiece(At(0, 0), At(-10, 0), 11, 0, 3);
  const RoadNetwork n = b.Build();
  ASSERT_EQ(n.NodeCount(), 4u);
  const auto edges = n.EdgesOf(0);
  ASSERT_EQ(edges.size(), 3u);
  EXPECT_EQ(edges[0].ClassCode(), 9);
  EXPECT_EQ(edges[1].ClassCode(), 14);
  EXPECT_EQ(edges[1].Length, 1);
  EXPECT_EQ(edges[2].ClassCode(), 11);
  EXPECT_EQ(n.EdgesOf(1).size(), 1u);
  EXPECT_EQ(n.NearestNode(At(9, 1)), 1u);
  EXPECT_EQ(n.SnapToNode(At(8, 2), 3), 1u);
  EXPECT_EQ(n.SnapToNode(At(6, 0), 3), kNoNode);
}

// An interstate running north through J, with an exit ramp leaving to the
// north-east and an entry ramp coming in from the south-east.
struct Interchange {
  TMapPoint south = At(0, -100), junction = At(0, 0), north = At(0, 100);
  TMapPoint exitEnd = At(30, 100), entryStart = At(30, -100);
  RoadNetworkBuilder builder;
  Interchange() {
    builder.AddPiece(south, junction, kInterstateClass, 0, 44);
    builder.AddPiece(junction, north, kInterstateClass, 0, 44);
    builder.AddPiece(junction, exitEnd, kRampClass, 0, 46);
    builder.AddPiece(entryStart, junction, kRampClass, 0, 46);
  }
  bool Open(TMapPoint from, TMapPoint to) const {
    for (const RoadEdge& e : builder.EdgesOf(builder.FindNode(from))) {
      if (e.Target == builder.FindNode(to)) return e.Open();
    }
    ADD_FAILURE() << "no such edge";
    return false;
  }
};

TEST(RampRule, RampsBecomeOneWayByTheirGeometry) {
  Interchange x;
  EXPECT_EQ(x.builder.ApplyRampRule(91), 2);
  EXPECT_TRUE(x.Open(x.junction, x.exitEnd));     // off the interstate to the right
  EXPECT_FALSE(x.Open(x.exitEnd, x.junction));    // not back up the exit
  EXPECT_TRUE(x.Open(x.entryStart, x.junction));  // onto the interstate with a right bend
  EXPECT_FALSE(x.Open(x.junction, x.entryStart));  // not out by the entry
}

TEST(InterstateRule, CrossingRoadsPassOverWithoutAJunction) {
  for (bool occupied : {false, true}) {
    RoadNetworkBuilder b;
    b.AddPiece(At(0, -100), At(0, 0), kInterstateClass, 0, 44);
    b.AddPiece(At(0, 0), At(0, 100), kInterstateClass, 0, 44);
    b.AddPiece(At(-100, 0), At(0, 0), 14, 0, 33);
    b.AddPiece(At(0, 0), At(100, 0), 14, 0, 33);
    // A node of some other road where the crossing's node would go.
    if (occupied) b.AddPiece(At(2, 2), At(2, 50), 14, 0, 20);
    const std::uint32_t before = b.NodeCount();
    EXPECT_EQ(b.ApplyInterstateRule(), 1);
    ASSERT_EQ(b.NodeCount(), before + 1);
    const std::uint32_t crossing = before;
    EXPECT_EQ(b.Point(crossing), occupied ? At(3, 3) : At(2, 2));
    for (const RoadEdge& e : b.EdgesOf(b.FindNode(At(0, 0)))) EXPECT_EQ(e.ClassCode(), kInterstateClass);
    ASSERT_EQ(b.EdgesOf(crossing).size(), 2u);
    for (TMapPoint end : {At(-100, 0), At(100, 0)}) {
      ASSERT_EQ(b.EdgesOf(b.FindNode(end)).size(), 1u);
      EXPECT_EQ(b.EdgesOf(b.FindNode(end))[0].Target, crossing);
    }
    if (occupied) {
      EXPECT_EQ(b.EdgesOf(b.FindNode(At(2, 2))).size(), 1u);  // untouched
    }
  }
}

TEST(RouteNames, NumberedInOrderOfEntry) {
  RouteNames names;
  EXPECT_EQ(names.Enter("N CLARK ST\tCHICAGO"), 1);
  EXPECT_EQ(names.Enter("W ADDISON ST\tCHICAGO"), 2);
  EXPECT_EQ(names.Enter("N CLARK ST\tCHICAGO"), 1);
  EXPECT_EQ(names.Text(2), "W ADDISON ST\tCHICAGO");
  EXPECT_EQ(names.Text(0), "");
  EXPECT_EQ(names.Text(3), "");
}

TEST(RoadClasses, ClassesAndTypesOfFeatureCodes) {
  struct Case {
    std::uint8_t code;
    const char* name;
    bool coarse;
    std::uint8_t cls;
    int type;
  };
  const Case cases[] = {
      {51, "I-90", false, 9, 1},  {51, "I-90", true, 8, 1},     {60, "US HWY 41", false, 10, 2},
      {70, "", false, 11, 3},     {77, "N CLARK ST", false, 14, 4}, {77, "I-55 RAMP", false, 9, 1},
      {93, "", false, 93, 6},     {93, "I-94", false, 93, 6},   {14, "", false, 14, 4},
      {105, "", false, 0, 7},     {200, "", false, 0, 7},       {5, "", false, 0, 7},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RoadClassOf(c.code, c.name, c.coarse), c.cls) << int(c.code) << " " << c.name;
    if (c.cls) {
      EXPECT_EQ(RoadTypeOf(c.cls), c.type) << int(c.code);
    }
  }
  core::RoadOptions options;
  options.speed[4] = 0;
  options.speed[1] = -5;
  const RoadTable table = RoadTableOf(options);
  EXPECT_EQ(table.Speed[4], 1);  // never a speed that divides by zero
  EXPECT_EQ(table.Speed[1], 1);
  EXPECT_EQ(table.Speed[7], 5);
  EXPECT_EQ(table.TopSpeed(), 55);
}

}  // namespace
}  // namespace quelmar::routing::testing
