#include "tools/quelmar-data/builder/inputs/natural_earth.h"

#include <optional>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/named_lakes.h"

namespace quelmar::builder {
namespace {

std::vector<Line> CutLines(const TopoGeometry& geometry, const MapBox& cut, const char* what) {
  std::vector<Line> pieces;
  for (const LonLatLine& line : geometry.Lines) {
    for (Line& piece : ClipLineToBox(ToMapLine(line, what), cut)) pieces.push_back(std::move(piece));
  }
  return pieces;
}

std::vector<Ring> CutRings(const std::vector<Ring>& rings, const MapBox& cut) {
  std::vector<Ring> kept;
  for (const Ring& ring : rings) {
    Ring clipped = ClipRingToBox(ring, cut);
    if (!clipped.empty()) kept.push_back(std::move(clipped));
  }
  return kept;
}

void RequireKind(const TopoGeometry& geometry, bool areas, const char* what) {
  const bool isArea = geometry.Type == TopoType::Polygon || geometry.Type == TopoType::MultiPolygon;
  const bool isLine = geometry.Type == TopoType::LineString || geometry.Type == TopoType::MultiLineString;
  if (areas ? !isArea : !isLine) throw DataError(std::string(what) + ": a geometry of the wrong kind");
}

// The name of a lake: its own, else that of the first listed lake whose point it contains.
std::string LakeName(const TopoGeometry& geometry, const std::vector<Ring>& rings) {
  std::string name = geometry.Name();
  if (!name.empty()) return name;
  for (const NamedLake& lake : NamedLakes()) {
    if (PointInRings(rings, ToMapPoint(lake.Inside, "lake names"))) return std::string(lake.Name);
  }
  return "";
}

std::vector<Ring> CountryOutline(const Topology& topology, std::string_view id, const MapBox& cut) {
  for (const TopoGeometry& geometry : topology.Object("countries")) {
    if (geometry.Id != id) continue;
    RequireKind(geometry, true, "countries");
    return CutRings(ToMapRings(geometry.Polygons, "countries"), cut);
  }
  throw DataError("countries: no outline with id " + std::string(id));
}

}  // namespace

MapBox NorthAmericaCut() {
  const TMapPoint southWest = ToMapUnits(-180.0, 15.0);
  const TMapPoint northEast = ToMapUnits(-50.0, 75.0);
  return {southWest.X, southWest.Y, northEast.X, northEast.Y};
}

NaturalEarthLayers NaturalEarthFromTopology(const Topology& topology, const MapBox& cut) {
  NaturalEarthLayers layers;
  for (const TopoGeometry& geometry : topology.Object("coastlines")) {
    RequireKind(geometry, false, "coastlines");
    for (Line& piece : CutLines(geometry, cut, "coastlines")) layers.Coastline.push_back(std::move(piece));
  }
  for (const TopoGeometry& geometry : topology.Object("lakes")) {
    RequireKind(geometry, true, "lakes");
    const std::vector<Ring> rings = ToMapRings(geometry.Polygons, "lakes");
    const std::optional<MapBox> box = BoxOf(rings);
    if (!box || !data::BoxesMeet(*box, cut)) continue;
    WaterArea lake;
    lake.Name = LakeName(geometry, rings);
    lake.Rings = CutRings(rings, cut);
    if (!lake.Rings.empty()) layers.Lakes.push_back(std::move(lake));
  }
  for (const TopoGeometry& geometry : topology.Object("rivers")) {
    RequireKind(geometry, false, "rivers");
    const std::string name = geometry.Name();
    for (Line& piece : CutLines(geometry, cut, "rivers")) layers.Rivers.push_back({name, std::move(piece)});
  }
  layers.Neighbours = CountryOutline(topology, "CAN", cut);
  for (Ring& ring : CountryOutline(topology, "MEX", cut)) layers.Neighbours.push_back(std::move(ring));
  return layers;
}

NaturalEarthLayers LoadNaturalEarth(const std::filesystem::path& file) {
  return NaturalEarthFromTopology(Topology::Read(file), NorthAmericaCut());
}

}  // namespace quelmar::builder
