// A whole calculation over fixture data: the refusals before any search,
// routes from local streets alone, routes joined through the highway
// network and its corridor's quads, and user roads.
#include <gtest/gtest.h>

#include <algorithm>

#include "control/data/archive_catalogue.h"
#include "control/data/quad.h"
#include "control/routing/corridor.h"
#include "control/routing/local_quads.h"
#include "control/routing/route_planner.h"
#include "tests/control/routing/routing_fixture.h"

namespace quelmar::routing::testing {
namespace {

// A small street grid around At(0, 0): three east-west and three
// north-south streets, 100 units apart.
std::vector<FixtureLine> Grid(std::int32_t east, std::int32_t north) {
  std::vector<FixtureLine> lines;
  for (int i = 0; i < 3; ++i) {
    lines.push_back(Road("W " + std::to_string(i + 1) + " ST",
                         {At(east, north + i * 100), At(east + 100, north + i * 100), At(east + 200, north + i * 100)}));
    lines.push_back(Road("N " + std::string(1, char('A' + i)) + " AVE",
                         {At(east + i * 100, north), At(east + i * 100, north + 100), At(east + i * 100, north + 200)}));
  }
  return lines;
}

RouteRequest Request(TMapPoint from, TMapPoint to) {
  RouteRequest r;
  r.Start = from;
  r.Finish = to;
  r.Settings.RouteType = static_cast<std::uint8_t>(RouteType::Shortest);
  return r;
}

std::vector<std::string> NamesOf(const RouteResult& result) {
  std::vector<std::string> names;
  for (const RouteStep& s : result.Steps) {
    const std::string name(result.Network->Names().Text(s.Name));
    if (s.Name && (names.empty() || names.back() != name)) names.push_back(name);
  }
  return names;
}

TEST(CalculateRoute, RefusesBeforeSearching) {
  FixtureRouteData data;
  data.AddStreets(Grid(0, 0));
  struct Case {
    TMapPoint from, to;
    std::int32_t options;
    RouteOutcome outcome;
  };
  const Case cases[] = {
      {At(0, 0), {At(0, 0).X, 781251}, 3, RouteOutcome::Alaska},
      {At(0, 0), At(200, 200), 0, RouteOutcome::Cleared},
      {{0, 654687}, At(200, 200), 3, RouteOutcome::NotSet},
  };
  for (const Case& c : cases) {
    RouteRequest request = Request(c.from, c.to);
    request.Options = c.options;
    EXPECT_EQ(CalculateRoute(request, data).Outcome, c.outcome);
  }
  EXPECT_TRUE(data.StreetsAsked.empty());
  EXPECT_EQ(OutcomeText(RouteOutcome::Alaska), "Unable to Route in Alaska!");
  FixtureRouteData empty;
  EXPECT_EQ(CalculateRoute(Request(At(0, 0), At(200, 200)), empty).Outcome, RouteOutcome::NoNodes);
}

TEST(CalculateRoute, WithinOneTownFromItsStreetsAlone) {
  FixtureRouteData data;
  data.AddStreets(Grid(0, 0));
  const RouteResult result = CalculateRoute(Request(At(2, 1), At(198, 203)), data);
  ASSERT_TRUE(result.Found());
  EXPECT_TRUE(IsPathOf(*result.Network, result.Steps, result.StartNode, result.FinishNode));
  EXPECT_EQ(result.Network->Point(result.StartNode), At(0, 0));
  EXPECT_EQ(result.Network->Point(result.FinishNode), At(200, 200));
  // Any staircase is shortest; its length is the grid's two sides.
  EXPECT_NEAR(LengthOf(result.Steps), 66 + 88, 4);
  EXPECT_EQ(result.Report.back(), "Success.");
  EXPECT_TRUE(std::find(data.StreetsAsked.begin(), data.StreetsAsked.end(),
                        search::testing::StreetMemberAt(At(0, 0), 0, 17)) != data.StreetsAsked.end());
}

TEST(CalculateRoute, MinorRoadsOfPriorityZeroAreNeverDriven) {
  FixtureRouteData data;
  std::vector<FixtureLine> lines = Grid(0, 0);
  lines[0].Code = 70;  // W 1 ST is a county road
  data.AddStreets(lines);
  RouteRequest request = Request(At(0, 0), At(200, 0));
  request.Roads.priority[4] = 0;
  const RouteResult result = CalculateRoute(request, data);
  ASSERT_TRUE(result.Found());
  for (const RouteStep& s : result.Steps) EXPECT_NE(s.Class, 14);
  // A finish only minor roads reach is moved to the nearest road there is.
  request.Finish = At(200, 200);
  const RouteResult moved = CalculateRoute(request, data);
  ASSERT_TRUE(moved.Found());
  EXPECT_EQ(moved.Network->Point(moved.FinishNode), At(200, 0));
}

// Two towns 0.4 degrees apart joined only by an interstate that passes
// near both; the network runs between them and its quads hold the same road.
struct TwoTowns {
  FixtureRouteData data;
  TMapPoint west = At(0, 0), east = At(6000, 0);
  TwoTowns() {
    data.AddStreets(Grid(0, 0));
    data.AddStreets(Grid(6000, 0));
    const std::vector<FixtureLine> interstate = {Road("I-88", {At(-3000, 300), At(3000, 320), At(9000, 300)}, 51)};
    data.Network = StreetsDrawing(interstate, "");
    for (const TMapPoint p : interstate[0].Points) {
      const auto quad = data::QuadAt(data::QuadGrid::Network, p);
      data.Highways[data::LayerMemberName(data::LayerArchiveOf(data::Layer::Network), *quad)] =
          std::make_shared<const data::Drawing>(StreetsDrawing(interstate, ""));
    }
  }
};

TEST(CalculateRoute, BetweenTownsOverTheHighwayNetwork) {
  TwoTowns towns;
  const RouteResult result = CalculateRoute(Request(towns.west, towns.east), towns.data);
  ASSERT_TRUE(result.Found()) << OutcomeText(result.Outcome);
  EXPECT_TRUE(IsPathOf(*result.Network, result.Steps, result.StartNode, result.FinishNode));
  const std::vector<std::string> names = NamesOf(result);
  EXPECT_TRUE(std::find(names.begin(), names.end(), "I-88\t") != names.end());
  EXPECT_EQ(names.front().substr(0, 2), "N ");  // from a street of the west town
  EXPECT_FALSE(towns.data.HighwaysAsked.empty());
  EXPECT_GE(result.CoarseRoute.size(), 2u);
  EXPECT_GT(result.EstimatedMiles, 10);
}

TEST(CalculateRoute, CoarseRouteOnlyStaysOnTheNetwork) {
  TwoTowns towns;
  RouteRequest request = Request(towns.west, towns.east);
  request.Settings.CoarseOnly = true;
  const RouteResult result = CalculateRoute(request, towns.data);
  EXPECT_TRUE(towns.data.StreetsAsked.empty());
  EXPECT_TRUE(towns.data.HighwaysAsked.empty());
  ASSERT_TRUE(result.Found());
  for (const RouteStep& s : result.Steps) EXPECT_TRUE(s.Class == 0 || s.Class == kCoarseInterstateClass);
}

TEST(CalculateRoute, UserRoadsJoinTheNetwork) {
  FixtureRouteData data;
  std::vector<FixtureLine> towns = Grid(0, 0);
  for (const FixtureLine& line : Grid(1000, 0)) towns.push_back(line);
  data.AddStreets(towns);
  EXPECT_EQ(CalculateRoute(Request(At(0, 0), At(1200, 0)), data).Outcome, RouteOutcome::NotReached);
  data.User.push_back({{At(200, 0), At(1000, 0)}, "NEW RD", 14});
  const RouteResult result = CalculateRoute(Request(At(0, 0), At(1200, 0)), data);
  ASSERT_TRUE(result.Found());
  const std::vector<std::string> names = NamesOf(result);
  EXPECT_TRUE(std::find(names.begin(), names.end(), "NEW RD\t") != names.end());
}

TEST(Corridor, CoversTheRouteAndNamesItsHighwayQuads) {
  const std::vector<TMapPoint> route = {At(0, 0), At(40000, 10000)};
  const Corridor corridor(route, 600, 400);
  EXPECT_TRUE(corridor.Black(route[0]));
  EXPECT_TRUE(corridor.Black(At(20000, 5000)));
  EXPECT_FALSE(corridor.Black(At(20000, 20000)));
  EXPECT_FALSE(corridor.Black(At(-900000, 0)));  // off the bitmap
  const std::vector<std::string> quads = corridor.HighwayQuads();
  const data::LayerArchiveEntry& archive = data::LayerArchiveOf(data::Layer::Network);
  for (const TMapPoint p : route) {
    const std::string name = data::LayerMemberName(archive, *data::QuadAt(data::QuadGrid::Network, p));
    EXPECT_TRUE(std::find(quads.begin(), quads.end(), name) != quads.end()) << name;
  }
  EXPECT_EQ(std::set<std::string>(quads.begin(), quads.end()).size(), quads.size());
}

TEST(LocalQuads, AroundThePointAndAlongTheWayToItsHighway) {
  std::vector<std::string> names;
  AddLocalQuads(At(0, 0), At(20000, 0), 3300, 2500, names);
  for (int sub = 0; sub <= 4; ++sub) {
    EXPECT_TRUE(std::find(names.begin(), names.end(), search::testing::StreetMemberAt(At(0, 0), sub, 17)) !=
                names.end());
  }
  EXPECT_TRUE(std::find(names.begin(), names.end(), search::testing::StreetMemberAt(At(10000, 0), 0, 17)) !=
              names.end());
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
}

}  // namespace
}  // namespace quelmar::routing::testing
