#pragma once
// A TopoJSON reader: decodes the shared arcs (quantized and delta-encoded, or
// plain), the transform, arc reversal and the geometry types into plain
// longitude/latitude lines. Geometry collections are flattened.
//
// Throws quelmar::DataError for text that is not a topology or whose
// geometries do not decode (an arc index out of range, a member of the wrong
// type, a coordinate that is not a number), quelmar::IoError for a file that
// cannot be read.
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar::builder {

struct LonLat {
  double Lon = 0;
  double Lat = 0;
  friend bool operator==(const LonLat&, const LonLat&) = default;
};

using LonLatLine = std::vector<LonLat>;
using LonLatPolygon = std::vector<LonLatLine>;  // outer ring first, then holes

enum class TopoType { Point, MultiPoint, LineString, MultiLineString, Polygon, MultiPolygon };

struct TopoGeometry {
  TopoType Type = TopoType::Point;
  std::string Id;                       // "" when absent; a number id as its decimal text
  nlohmann::json Properties;            // null when absent
  std::vector<LonLatPolygon> Polygons;  // Polygon (one) and MultiPolygon
  std::vector<LonLatLine> Lines;        // LineString (one) and MultiLineString
  std::vector<LonLat> Points;           // Point (one) and MultiPoint

  // The "name" property, or "" when there is none or it is not a string.
  std::string Name() const;
};

class Topology {
 public:
  static Topology Parse(std::string_view text);
  static Topology Read(const std::filesystem::path& file);

  std::vector<std::string> ObjectNames() const;
  bool HasObject(std::string_view name) const;
  // The geometries of object `name` in file order, collections flattened and
  // null geometries left out. DataError when there is no such object.
  std::vector<TopoGeometry> Object(std::string_view name) const;

 private:
  struct Transform {
    bool Quantized = false;
    double ScaleX = 1, ScaleY = 1, TranslateX = 0, TranslateY = 0;
  };

  LonLat Position(const nlohmann::json& position) const;
  LonLatLine ArcsLine(const nlohmann::json& arcIndexes) const;
  void Flatten(const nlohmann::json& geometry, int depth, std::vector<TopoGeometry>& out) const;
  TopoGeometry Decode(const nlohmann::json& geometry, TopoType type) const;

  Transform transform_;
  std::vector<LonLatLine> arcs_;  // absolute positions, transform applied
  nlohmann::json objects_;
};

}  // namespace quelmar::builder
