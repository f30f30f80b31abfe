#include "tools/quelmar-data/builder/output/base_map.h"

#include <algorithm>
#include <map>
#include <string>

#include "control/data/drawing_writer.h"
#include "control/data/feature_code.h"
#include "tools/quelmar-data/builder/output/geometry.h"
#include "tools/quelmar-data/builder/output/line_records.h"
#include "tools/quelmar-data/builder/output/map_names.h"
#include "tools/quelmar-data/builder/output/place_records.h"

namespace quelmar::builder {
namespace {

// Simplification tolerances in map units (15,625 to the degree): the base
// map shows the whole country, where one pixel covers a few hundred units.
constexpr double kOutlineTolerance = 120;
constexpr double kWaterTolerance = 160;
constexpr double kRouteTolerance = 0;  // routes are already sparse place lists

// Feature codes of the base map's layers.
constexpr std::uint8_t kCountryCode = 0;
constexpr std::uint8_t kStateBoundaryCode = 1;
constexpr std::uint8_t kStateInteriorCode = 2;
constexpr std::uint8_t kInterstatesCode = 28;
constexpr std::uint8_t kHydroCode = 23;

void WriteRings(data::DrawingWriter& writer, const std::vector<Ring>& rings, double tolerance,
                const data::Attributes& attributes = {}) {
  for (const Ring& ring : rings) {
    const Ring simple = SimplifyRing(ring, tolerance);
    if (!simple.empty()) WriteLine(writer, simple, attributes);
  }
}

// Names a run of lines: NameString, NameRef to it; the caller ends the run
// with a GroupMark.
void StartName(data::DrawingWriter& writer, std::string_view plain) {
  writer.NameString(StoredName(plain));
  writer.NameRef(writer.Objects() - writer.SectionBase());
}

void WriteRoutes(data::DrawingWriter& writer, const NationalInputs& inputs, bool interstate, std::uint8_t code) {
  writer.FeatureCode(code);
  for (const HighwayRoute& route : inputs.Highways) {
    if (route.Interstate != interstate) continue;
    StartName(writer, RouteName(route.Route));
    WriteLine(writer, SimplifyLine(route.Points, kRouteTolerance));
    writer.GroupMark();
  }
}

}  // namespace

std::vector<std::uint8_t> WriteBaseMap(const NationalInputs& inputs) {
  data::DrawingWriter writer(400);
  const TMapPoint sw = ToMapUnits(kMapWest, kMapSouth), ne = ToMapUnits(kMapEast, kMapNorth);
  writer.Extents(sw.X, ne.X, sw.Y, ne.Y);
  // A second extents record widens the file's extents to everything it
  // holds (the western Aleutians lie beyond 175° W).
  std::optional<MapBox> content = BoundsOf(inputs.Nation);
  for (const StateArea& state : inputs.States) {
    if (const auto b = BoundsOf(state.Rings)) content = content ? Union(*content, *b) : *b;
  }
  if (content) writer.Extents(content->Left, content->Right, content->Bottom, content->Top);

  writer.FeatureCode(kCountryCode);
  WriteRings(writer, inputs.Nation, kOutlineTolerance);
  WriteRings(writer, inputs.Neighbours, kOutlineTolerance);

  // State areas carry their state number, which picks their shade.
  writer.FeatureCode(kStateInteriorCode);
  for (const StateArea& state : inputs.States) {
    WriteRings(writer, state.Rings, kOutlineTolerance, {state.Fips, 0, 0});
  }
  writer.FeatureCode(kHydroCode);
  for (const WaterArea& lake : inputs.Lakes) WriteRings(writer, lake.Rings, kWaterTolerance);
  writer.FeatureCode(FeatureCodeOf("H11"));
  for (const WaterLine& river : inputs.Rivers) WriteLine(writer, SimplifyLine(river.Points, kWaterTolerance));
  writer.FeatureCode(FeatureCodeOf("H01"));
  for (const Line& coast : inputs.Coastline) WriteLine(writer, SimplifyLine(coast, kWaterTolerance));

  writer.FeatureCode(kStateBoundaryCode);
  for (const StateArea& state : inputs.States) WriteRings(writer, state.Rings, kOutlineTolerance);

  WriteRoutes(writer, inputs, false, FeatureCodeOf("A21"));
  WriteRoutes(writer, inputs, true, kInterstatesCode);

  // State names at a point inside each state: "IL\ILLINOIS".
  writer.FeatureCode(kStateInteriorCode);
  for (const StateArea& state : inputs.States) {
    if (const auto at = LabelPointOf(state.Rings)) {
      writer.Label(data::opcode::kAbsoluteLabel, *at, StoredLabel(state.Code + "\\" + UpperAscii(state.Name)));
    }
  }
  WritePlaces(writer, inputs.Places, BaseMapPlace);
  writer.End();
  return writer.Bytes();
}

std::vector<std::uint8_t> WriteHighwayNetwork(const NationalInputs& inputs) {
  data::DrawingWriter writer(400);
  std::vector<Line> routes;
  for (const HighwayRoute& route : inputs.Highways) routes.push_back(route.Points);
  const MapBox box = BoundsOf(routes).value_or(MapBox{});
  writer.Extents(box.Left, box.Right, box.Bottom, box.Top);
  // Interstates and US highways keep their classes, as in the highway quads,
  // so that the route search drives them at their speeds; routes meet where
  // they share a place, whose coordinates are then the same vertex.
  for (const HighwayRoute& route : inputs.Highways) {
    writer.FeatureCode(route.Interstate ? FeatureCodeOf("A11") : FeatureCodeOf("A21"));
    StartName(writer, RouteName(route.Route));
    WriteLine(writer, route.Points);
    writer.GroupMark();
  }
  writer.End();
  return writer.Bytes();
}

}  // namespace quelmar::builder
