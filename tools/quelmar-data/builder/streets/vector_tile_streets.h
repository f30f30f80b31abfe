#pragma once
// Streets from Mapbox Vector Tiles (a folder of Z-X-Y.mvt files in the
// usual XYZ Web Mercator scheme). The `road` layer gives the geometry with
// class, one-way and bridge/tunnel structure; `road_label` gives named lines
// with their class and route numbers, which the network builder carries onto
// the road geometry. Every line is clipped to its own tile's square, as tiles
// repeat their neighbours' lines in a buffer around the edge. Named parks,
// water and airports of the poi, label, landuse and water layers become
// landmarks.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/quelmar-data/builder/streets/raw_streets.h"

namespace quelmar::builder {

struct TileId {
  int Z = 0;
  int X = 0;
  int Y = 0;
  friend bool operator==(const TileId&, const TileId&) = default;
};

// "13-2098-3042.mvt" -> {13, 2098, 3042}; nullopt for another name or a tile
// outside the zoom level's grid (zoom 0..24).
std::optional<TileId> TileIdFromFileName(std::string_view fileName);

// The streets of one tile (raw protobuf bytes, or gzip-compressed ones).
// Throws quelmar::DataError for a malformed tile or a tile id off the grid.
RawStreets ReadVectorTileStreets(std::string_view bytes, const TileId& tile);

// The streets of every Z-X-Y.mvt tile of `folder` in name order; with
// `tileNames`, of those tiles only. Landmarks repeated by several tiles are
// kept once. Throws quelmar::IoError for a missing folder or tile and
// quelmar::DataError for a damaged tile or a .mvt file not named Z-X-Y.
RawStreets ReadVectorTileFolder(const std::filesystem::path& folder, const std::vector<std::string>& tileNames = {});

}  // namespace quelmar::builder
