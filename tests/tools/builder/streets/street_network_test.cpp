#include "tools/quelmar-data/builder/streets/street_network.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <unordered_set>

#include "tools/builder/streets/street_test_support.h"

namespace quelmar::builder {
namespace {

using street_testing::ChicagoNetwork;
using street_testing::ComponentSizes;
using street_testing::CrossingsAwayFromVertices;
using street_testing::NodeKey;
using street_testing::SegmentsAtEnds;

StreetSegment Street(std::string name, Line points, bool bridge = false) {
  StreetSegment line;
  line.Name = std::move(name);
  line.Cfcc = "A41";
  line.Points = std::move(points);
  line.Bridge = bridge;
  return line;
}

bool HasVertex(const StreetSegment& segment, TMapPoint at) {
  return std::find(segment.Points.begin(), segment.Points.end(), at) != segment.Points.end();
}

std::size_t EndsAt(const std::vector<StreetSegment>& segments, TMapPoint at) {
  return static_cast<std::size_t>(std::count_if(segments.begin(), segments.end(), [&](const StreetSegment& s) {
    return s.Points.front() == at || s.Points.back() == at;
  }));
}

TEST(StreetNetworkTest, CrossingStreetsShareTheirCrossing) {
  const auto network = BuildStreetNetwork({Street("A ST", {{0, 0}, {100, 100}}), Street("B ST", {{0, 100}, {100, 0}})});
  ASSERT_EQ(network.size(), 4u);
  EXPECT_EQ(EndsAt(network, {50, 50}), 4u);
  EXPECT_EQ(CrossingsAwayFromVertices(network), 0u);
  EXPECT_EQ(std::count_if(network.begin(), network.end(), [](const StreetSegment& s) { return s.Name == "A ST"; }), 2);
}

TEST(StreetNetworkTest, JoinsTJunctions) {
  struct Case {
    const char* what;
    Line stem;
    TMapPoint junction;
  };
  const Case cases[] = {
      {"ending exactly on the street", {{50, 0}, {50, 60}}, {50, 0}},
      {"ending a unit short of the street", {{50, 1}, {50, 60}}, {50, 1}},
      {"ending at a unit from a vertex", {{31, 1}, {31, 60}}, {30, 0}},
      {"overshooting the street by a unit", {{70, -1}, {70, 60}}, {70, -1}},
  };
  for (const Case& c : cases) {
    const auto network =
        BuildStreetNetwork({Street("MAIN ST", {{0, 0}, {30, 0}, {100, 0}}), Street("SIDE ST", c.stem)});
    EXPECT_GE(network.size(), 3u) << c.what;
    EXPECT_GE(EndsAt(network, c.junction), 3u) << c.what;
    EXPECT_EQ(ComponentSizes(network).size(), 1u) << c.what;
  }
  // Farther than the snapping distance: not joined.
  const auto apart =
      BuildStreetNetwork({Street("MAIN ST", {{0, 0}, {100, 0}}), Street("SIDE ST", {{50, 5}, {50, 60}})});
  EXPECT_EQ(apart.size(), 2u);
}

TEST(StreetNetworkTest, BridgesAndTunnelsCrossWithoutJoining) {
  for (const bool tunnel : {false, true}) {
    StreetSegment over = Street("OVER ST", {{50, 0}, {50, 100}});
    (tunnel ? over.Tunnel : over.Bridge) = true;
    const auto network = BuildStreetNetwork({Street("UNDER ST", {{0, 50}, {100, 50}}), over});
    ASSERT_EQ(network.size(), 2u) << tunnel;
    EXPECT_FALSE(HasVertex(network[0], {50, 50}));
    EXPECT_FALSE(HasVertex(network[1], {50, 50}));
  }
  // A bridge that lands on a street is joined to it; one that only shares a
  // vertex with it on the way over is not.
  const auto landing = BuildStreetNetwork(
      {Street("UNDER ST", {{0, 50}, {50, 50}, {100, 50}}), Street("RAMP", {{50, 50}, {50, 100}}, true)});
  EXPECT_EQ(EndsAt(landing, {50, 50}), 3u);
  const auto passing = BuildStreetNetwork(
      {Street("UNDER ST", {{0, 50}, {50, 50}, {100, 50}}), Street("VIADUCT", {{0, 40}, {50, 50}, {100, 60}}, true)});
  ASSERT_EQ(passing.size(), 2u);
  EXPECT_EQ(passing[0].Points.size(), 3u);
  EXPECT_EQ(passing[1].Points.size(), 3u);
}

TEST(StreetNetworkTest, MendsLinesCutAtTileEdges) {
  // The two halves of one street end a unit apart where a tile edge cut it.
  const auto network =
      BuildStreetNetwork({Street("LONG ST", {{0, 0}, {100, 0}}), Street("LONG ST", {{101, 1}, {200, 0}})});
  ASSERT_EQ(network.size(), 1u);
  EXPECT_EQ(network[0].Points, (Line{{0, 0}, {100, 0}, {200, 0}}));
  // Different streets meeting there stay two segments, joined.
  const auto renamed =
      BuildStreetNetwork({Street("LONG ST", {{0, 0}, {100, 0}}), Street("OTHER ST", {{101, 1}, {200, 0}})});
  ASSERT_EQ(renamed.size(), 2u);
  EXPECT_EQ(EndsAt(renamed, {100, 0}), 2u);
  // The same line twice (a tile's buffer copy) is kept once.
  const auto twice = BuildStreetNetwork({Street("", {{0, 0}, {100, 0}}), Street("DUP ST", {{100, 0}, {0, 0}})});
  ASSERT_EQ(twice.size(), 1u);
  EXPECT_EQ(twice[0].Name, "DUP ST");
}

TEST(StreetNetworkTest, LabelsNameTheGeometryTheyFollow) {
  StreetSegment road = Street("", {{0, 0}, {100, 0}, {200, 0}, {300, 0}});
  road.OneWay = true;
  StreetSegment label = Street("MAIN ST", {{0, 1}, {150, 2}});
  label.Ref = "US 12";
  StreetSegment other = Street("ELM ST", {{150, 1}, {300, 1}, {400, 1}});  // on past the road
  StreetSegment ramp = Street("", {{0, 0}, {100, 3}});
  ramp.Cfcc = "A63";  // a ramp beside the label is not part of the street
  const auto network = BuildStreetNetwork({road, ramp}, {label, other});
  std::vector<std::string> names;
  for (const StreetSegment& s : network) names.push_back(s.Name + "/" + s.Ref + (s.OneWay ? "/oneway" : ""));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"/", "ELM ST/", "ELM ST//oneway", "MAIN ST/US 12/oneway"}));
}

TEST(StreetNetworkTest, KeepsOneWayDirectionsAndOrdersOthers) {
  StreetSegment westward = Street("ONE WAY", {{100, 0}, {50, 0}});
  westward.OneWay = true;
  StreetSegment westward2 = Street("ONE WAY", {{50, 0}, {0, 0}});
  westward2.OneWay = true;
  StreetSegment against = Street("ONE WAY", {{100, 0}, {150, 0}});  // head to head at 100,0
  against.OneWay = true;
  const auto network = BuildStreetNetwork({westward2, against, westward, Street("TWO WAY", {{90, 90}, {10, 10}})});
  ASSERT_EQ(network.size(), 3u);
  for (const StreetSegment& s : network) {
    if (s.Name == "TWO WAY") {
      EXPECT_EQ(s.Points.front(), (TMapPoint{10, 10}));
    }
    if (s.Points.size() == 3) {
      EXPECT_EQ(s.Points, (Line{{100, 0}, {50, 0}, {0, 0}}));
    }
  }
}

TEST(StreetNetworkTest, SplitsLongLinesAndIsIndependentOfInputOrder) {
  Line zigzag;
  for (std::int32_t i = 0; i < 7000; ++i) zigzag.push_back({i, i % 2});
  std::vector<StreetSegment> lines = {Street("ZIGZAG", zigzag), Street("A ST", {{10, -5}, {10, 5}}),
                                      Street("B ST", {{3000, -5}, {3000, 5}})};
  NetworkOptions options;
  options.MaxPoints = 1000;
  const auto network = BuildStreetNetwork(lines, {}, options);
  for (const StreetSegment& s : network) EXPECT_LE(s.Points.size(), 1000u);
  EXPECT_EQ(ComponentSizes(network).size(), 1u);
  std::reverse(lines.begin(), lines.end());
  const auto again = BuildStreetNetwork(lines, {}, options);
  ASSERT_EQ(again.size(), network.size());
  for (std::size_t i = 0; i < network.size(); ++i) EXPECT_EQ(again[i].Points, network[i].Points) << i;
}

TEST(StreetNetworkTest, DropsDegenerateLines) {
  const auto network =
      BuildStreetNetwork({Street("DOT", {{5, 5}, {5, 5}}), Street("EMPTY", {}), Street("OK", {{0, 0}, {9, 9}})});
  ASSERT_EQ(network.size(), 1u);
  EXPECT_EQ(network[0].Name, "OK");
}

// The real Chicago tiles: a routable network.
TEST(ChicagoNetworkTest, EveryCrossingIsASharedVertex) { EXPECT_EQ(CrossingsAwayFromVertices(ChicagoNetwork()), 0u); }

TEST(ChicagoNetworkTest, IsLargelyConnected) {
  const auto& network = ChicagoNetwork();
  const std::vector<std::size_t> sizes = ComponentSizes(network);
  const double largest = static_cast<double>(sizes.front()) / static_cast<double>(network.size());
  RecordProperty("segments", static_cast<int>(network.size()));
  RecordProperty("largest_component", static_cast<int>(sizes.front()));
  RecordProperty("components", static_cast<int>(sizes.size()));
  EXPECT_GT(largest, 0.98) << sizes.front() << " of " << network.size() << " in the largest of " << sizes.size();
  for (const StreetSegment& segment : network) {
    ASSERT_GE(segment.Points.size(), 2u);
    ASSERT_LE(segment.Points.size(), 2999u);
  }
}

TEST(ChicagoNetworkTest, WalksFromTheWestmostJunctionToTheEastmost) {
  const auto& network = ChicagoNetwork();
  const auto at = SegmentsAtEnds(network);
  // Junctions: where three or more segments meet.
  TMapPoint west{INT32_MAX, 0}, east{INT32_MIN, 0};
  for (const StreetSegment& segment : network) {
    for (TMapPoint end : {segment.Points.front(), segment.Points.back()}) {
      if (at.at(NodeKey(end)).size() < 3) continue;
      if (end.X < west.X) west = end;
      if (end.X > east.X) east = end;
    }
  }
  std::unordered_set<std::uint64_t> seen{NodeKey(west)};
  std::deque<TMapPoint> queue{west};
  while (!queue.empty() && !seen.count(NodeKey(east))) {
    const TMapPoint node = queue.front();
    queue.pop_front();
    for (std::size_t s : at.at(NodeKey(node))) {
      for (TMapPoint next : {network[s].Points.front(), network[s].Points.back()}) {
        if (seen.insert(NodeKey(next)).second) queue.push_back(next);
      }
    }
  }
  EXPECT_TRUE(seen.count(NodeKey(east))) << "reached " << seen.size() << " junctions and ends";
  EXPECT_GT(east.X - west.X, 0.2 * 15625);  // across the sample: more than 0.2 degrees
}

}  // namespace
}  // namespace quelmar::builder
