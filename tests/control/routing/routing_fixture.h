#pragma once
// Road fixtures for the routing tests: points in map units near Chicago, a
// drawing of named lines made by the project's writers, and a RouteData
// that serves drawings from memory and counts what was asked for.
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "control/data/byte_source.h"
#include "control/data/drawing_reader.h"
#include "control/routing/road_network.h"
#include "control/routing/route_planner.h"
#include "control/routing/route_query.h"
#include "tests/control/search/street_archive_fixture.h"

namespace quelmar::routing::testing {

using core::TMapPoint;
using search::testing::FixtureLine;
using search::testing::FixtureMember;

// A point `east` and `north` map units from a corner in Chicago.
inline TMapPoint At(std::int32_t east, std::int32_t north) { return {-1369531 + east, 654687 + north}; }

inline data::Drawing DrawingOf(const std::vector<std::uint8_t>& bytes) {
  data::Drawing drawing;
  data::MemorySource source(bytes);
  data::ReadDrawing(source, drawing);
  return drawing;
}

// The drawing of one street quad member of Illinois holding `lines`.
inline data::Drawing StreetsDrawing(const std::vector<FixtureLine>& lines, const std::string& place = "CHICAGO") {
  FixtureMember member{search::testing::StreetMemberAt(lines.front().Points.front(), 0, 17), place, {}, lines};
  return DrawingOf(search::testing::StreetDrawing(member));
}

inline FixtureLine Road(const std::string& name, std::vector<TMapPoint> points, std::uint8_t code = 77) {
  FixtureLine line;
  line.Name = name;
  line.Points = std::move(points);
  line.Code = code;
  return line;
}

class FixtureRouteData final : public RouteData {
 public:
  std::optional<data::Drawing> Network;             // the built-in highway network
  std::map<std::string, std::shared_ptr<const data::Drawing>> Highways;  // highway quads by member name
  std::map<std::string, std::shared_ptr<const data::Drawing>> Streets;   // street quads by member name
  std::vector<UserRoad> User;
  std::vector<std::string> HighwaysAsked, StreetsAsked;

  const data::Drawing* HighwayNetwork() override { return Network ? &*Network : nullptr; }
  bool HasHighwayQuads() override { return !Highways.empty(); }
  std::shared_ptr<const data::Drawing> HighwayQuad(const std::string& member) override {
    HighwaysAsked.push_back(member);
    const auto at = Highways.find(member);
    return at == Highways.end() ? nullptr : at->second;
  }
  std::shared_ptr<const data::Drawing> StreetQuad(const std::string& member) override {
    StreetsAsked.push_back(member);
    const auto at = Streets.find(member);
    return at == Streets.end() ? nullptr : at->second;
  }
  std::vector<UserRoad> UserRoads() override { return User; }

  // Puts `drawing` under the street member of its first line's quad.
  void AddStreets(const std::vector<FixtureLine>& lines, const std::string& place = "CHICAGO") {
    Streets[search::testing::StreetMemberAt(lines.front().Points.front(), 0, 17)] =
        std::make_shared<const data::Drawing>(StreetsDrawing(lines, place));
  }
};

// The path invariants of a found route: it starts at the start node, each
// step is an edge of the network from the step before with that class,
// name and length, and it ends at the finish node.
inline ::testing::AssertionResult IsPathOf(const RoadNetwork& network, const std::vector<RouteStep>& steps,
                                           std::uint32_t start, std::uint32_t finish) {
  if (steps.empty()) return ::testing::AssertionFailure() << "no steps";
  if (steps.front().Node != start || steps.front().Length != 0) return ::testing::AssertionFailure() << "bad start";
  if (steps.back().Node != finish) return ::testing::AssertionFailure() << "does not end at the finish";
  for (std::size_t i = 1; i < steps.size(); ++i) {
    bool joined = false;
    for (const RoadEdge& e : network.EdgesOf(steps[i - 1].Node)) {
      joined |= e.Target == steps[i].Node && e.Open() && e.ClassCode() == steps[i].Class && e.Name == steps[i].Name &&
                e.Length == steps[i].Length;
    }
    if (!joined) return ::testing::AssertionFailure() << "step " << i << " is no open edge of the network";
    if (network.Point(steps[i].Node) != steps[i].Point) return ::testing::AssertionFailure() << "step " << i;
  }
  return ::testing::AssertionSuccess();
}

inline std::int64_t LengthOf(const std::vector<RouteStep>& steps) {
  std::int64_t length = 0;
  for (const RouteStep& s : steps) length += s.Length;
  return length;
}

}  // namespace quelmar::routing::testing
