#pragma once
// Decoding of Mapbox Vector Tiles (protobuf, decoded with protozero): layers,
// features with their tags and geometry in tile coordinates. The street
// readers interpret the layers; this file knows only the format.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quelmar::builder {

struct TileValue {
  enum class Kind : std::uint8_t { Text, Number, Bool };
  Kind Is = Kind::Text;
  std::string Text;
  double Number = 0;
  bool Flag = false;
  // "true", "yes", "1", a true bool or a non-zero number.
  bool IsTrue() const;
};

struct TilePoint {
  std::int64_t X = 0;  // tile coordinates: 0..extent across the tile, may lie outside in the buffer
  std::int64_t Y = 0;  // y grows southwards
};

enum class TileGeometry : std::uint8_t { Unknown = 0, Point = 1, Line = 2, Polygon = 3 };

struct TileFeature {
  TileGeometry Type = TileGeometry::Unknown;
  std::vector<std::pair<std::string, TileValue>> Tags;
  // Points: one part holding every point. Lines: one part per line string.
  // Polygons: one part per ring (closed: the first point is not repeated).
  std::vector<std::vector<TilePoint>> Parts;

  const TileValue* Find(std::string_view key) const;
  // The text of a tag, "" when missing or not text.
  std::string_view TextOf(std::string_view key) const;
};

struct TileLayer {
  std::string Name;
  std::uint32_t Extent = 4096;
  std::vector<TileFeature> Features;
};

// Decodes the layers of a tile whose names are in `wanted` (every layer when
// `wanted` is empty). Throws quelmar::DataError for malformed data: a field
// that runs past the end, a tag or geometry command that does not fit, an
// extent of 0.
std::vector<TileLayer> DecodeVectorTile(std::string_view bytes, const std::vector<std::string_view>& wanted = {});

}  // namespace quelmar::builder
