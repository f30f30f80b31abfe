// The us-atlas and Natural Earth readers on small topologies: which states
// and counties are kept, their codes and order; what is cut to the box and
// how lakes get names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/natural_earth.h"
#include "tools/quelmar-data/builder/inputs/us_atlas.h"

namespace quelmar::builder {
namespace {

// Plain (unquantized) arcs: 0 a box around Illinois, 1 one around Puerto
// Rico, 2 one around Guam.
const char* const kArcs = R"("arcs": [
  [[-91, 37], [-87, 37], [-87, 42], [-91, 42], [-91, 37]],
  [[-67, 18], [-65, 18], [-65, 18.5], [-67, 18.5], [-67, 18]],
  [[144, 13], [145, 13], [145, 14], [144, 14], [144, 13]]])";

Topology AtlasTopology(const std::string& objects) {
  return Topology::Parse(std::string(R"({"type": "Topology", )") + kArcs + R"(, "objects": )" + objects + "}");
}

TEST(UsAtlas, KeepsStatesDistrictAndPuertoRicoInFipsOrder) {
  const Topology topology = AtlasTopology(R"({
    "states": {"type": "GeometryCollection", "geometries": [
      {"type": "Polygon", "id": "72", "properties": {"name": "Puerto Rico"}, "arcs": [[1]]},
      {"type": "Polygon", "id": "66", "properties": {"name": "Guam"}, "arcs": [[2]]},
      {"type": "Polygon", "id": "17", "properties": {"name": "Illinois"}, "arcs": [[0]]}]},
    "counties": {"type": "GeometryCollection", "geometries": [
      {"type": "Polygon", "id": "72127", "properties": {"name": "San Juan"}, "arcs": [[1]]},
      {"type": "Polygon", "id": "17031", "properties": {"name": "Cook"}, "arcs": [[0]]},
      {"type": "Polygon", "id": "66010", "properties": {"name": "Guam"}, "arcs": [[2]]}]},
    "nation": {"type": "MultiPolygon", "arcs": [[[0]], [[1]], [[2]]]}})");
  const std::vector<StateArea> states = StatesFromTopology(topology);
  ASSERT_EQ(states.size(), 2u);
  EXPECT_EQ(states[0].Fips, 17);
  EXPECT_EQ(states[0].Code, "IL");
  EXPECT_EQ(states[0].Name, "Illinois");
  ASSERT_EQ(states[0].Rings.size(), 1u);
  EXPECT_EQ(states[0].Rings[0][1], ToMapUnits(-87, 37));
  EXPECT_EQ(states[1].Code, "PR");

  const std::vector<CountyArea> counties = CountiesFromTopology(topology);
  ASSERT_EQ(counties.size(), 2u);
  EXPECT_EQ(counties[0].AreaCode(), 17031);
  EXPECT_EQ(counties[0].Name, "Cook");
  EXPECT_EQ(counties[1].AreaCode(), 72127);

  // Guam's polygon meets no kept state and is left out of the nation.
  EXPECT_EQ(NationFromTopology(topology, states).size(), 2u);
}

TEST(UsAtlas, StateCodes) {
  EXPECT_EQ(UsStateCode(1), "AL");
  EXPECT_EQ(UsStateCode(11), "DC");
  EXPECT_EQ(UsStateCode(56), "WY");
  EXPECT_EQ(UsStateCode(72), "PR");
  for (const int notKept : {0, 3, 43, 52, 60, 66, 78, -1, 1000}) EXPECT_EQ(UsStateCode(notKept), "") << notKept;
}

TEST(UsAtlas, BadIdsAndKindsAreDataErrors) {
  const char* const objects[] = {
      R"({"states": {"type": "Polygon", "id": "IL", "arcs": [[0]]}})",
      R"({"states": {"type": "Polygon", "id": "017", "arcs": [[0]]}})",
      R"({"states": {"type": "Polygon", "arcs": [[0]]}})",
      R"({"states": {"type": "LineString", "id": "17", "arcs": [0]}})",
      R"({"states": {"type": "GeometryCollection", "geometries": [
           {"type": "Polygon", "id": "17", "arcs": [[0]]}, {"type": "Polygon", "id": "17", "arcs": [[0]]}]}})",
      R"({"counties": {"type": "Polygon", "id": "17", "arcs": [[0]]}})",
  };
  for (const char* text : objects) {
    const Topology topology = AtlasTopology(text);
    EXPECT_THROW(
        topology.HasObject("states") ? (void)StatesFromTopology(topology) : (void)CountiesFromTopology(topology),
        DataError)
        << text;
  }
}

// Arc 0: a lake around the Great Salt Lake's listed point; arc 1: a line from
// inside the box to beyond its east edge; arcs 2 and 3: Canada straddling the
// box's north edge, Mexico inside it; arc 4: a lake wholly outside.
const char* const kNaturalEarth = R"({"type": "Topology", "arcs": [
  [[-113, 40.5], [-112, 40.5], [-112, 41.5], [-113, 41.5], [-113, 40.5]],
  [[-60, 40], [-40, 40]],
  [[-120, 49], [-90, 49], [-90, 80], [-120, 80], [-120, 49]],
  [[-110, 20], [-100, 20], [-100, 30], [-110, 30], [-110, 20]],
  [[10, 10], [11, 10], [11, 11], [10, 11], [10, 10]]],
  "objects": {
    "coastlines": {"type": "GeometryCollection", "geometries": [{"type": "LineString", "arcs": [1]}]},
    "rivers": {"type": "GeometryCollection", "geometries": [
      {"type": "LineString", "properties": {"name": "Test River"}, "arcs": [1]}]},
    "lakes": {"type": "GeometryCollection", "geometries": [
      {"type": "Polygon", "arcs": [[0]]},
      {"type": "Polygon", "properties": {"name": "Own Name"}, "arcs": [[0]]},
      {"type": "Polygon", "arcs": [[4]]}]},
    "countries": {"type": "GeometryCollection", "geometries": [
      {"type": "Polygon", "id": "CAN", "arcs": [[2]]},
      {"type": "Polygon", "id": "MEX", "arcs": [[3]]},
      {"type": "Polygon", "id": "USA", "arcs": [[0]]}]}}})";

TEST(NaturalEarth, CutsToTheBoxAndNamesLakes) {
  const NaturalEarthLayers layers = NaturalEarthFromTopology(Topology::Parse(kNaturalEarth), NorthAmericaCut());
  ASSERT_EQ(layers.Coastline.size(), 1u);
  EXPECT_EQ(layers.Coastline[0], (Line{ToMapUnits(-60, 40), ToMapUnits(-50, 40)}));
  ASSERT_EQ(layers.Rivers.size(), 1u);
  EXPECT_EQ(layers.Rivers[0].Name, "Test River");
  ASSERT_EQ(layers.Lakes.size(), 2u);
  EXPECT_EQ(layers.Lakes[0].Name, "Great Salt Lake");
  EXPECT_EQ(layers.Lakes[1].Name, "Own Name");
  ASSERT_EQ(layers.Neighbours.size(), 2u);
  for (const TMapPoint p : layers.Neighbours[0]) EXPECT_LE(p.Y, ToMapUnits(0, 75).Y);
  EXPECT_EQ(layers.Neighbours[1].size(), 5u);
}

TEST(NaturalEarth, AMissingNeighbourIsADataError) {
  std::string text = kNaturalEarth;
  text.replace(text.find("\"MEX\""), 5, "\"GTM\"");
  EXPECT_THROW(NaturalEarthFromTopology(Topology::Parse(text), NorthAmericaCut()), DataError);
}

}  // namespace
}  // namespace quelmar::builder
