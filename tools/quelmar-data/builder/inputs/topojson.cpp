#include "tools/quelmar-data/builder/inputs/topojson.h"

#include <cmath>
#include <cstdint>
#include <map>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/json_text.h"
#include "tools/quelmar-data/builder/inputs/input_files.h"

namespace quelmar::builder {
namespace {

using nlohmann::json;

// Nested geometry collections deeper than this are refused rather than
// followed, so a hostile file cannot exhaust the stack.
constexpr int kMaxCollectionDepth = 32;

const std::map<std::string, TopoType, std::less<>> kTypes = {
    {"Point", TopoType::Point},           {"MultiPoint", TopoType::MultiPoint},
    {"LineString", TopoType::LineString}, {"MultiLineString", TopoType::MultiLineString},
    {"Polygon", TopoType::Polygon},       {"MultiPolygon", TopoType::MultiPolygon},
};

double Number(const json& value, const char* what) {
  if (!value.is_number()) throw DataError(std::string("topology: ") + what + " is not a number");
  const double number = value.get<double>();
  if (!std::isfinite(number)) throw DataError(std::string("topology: ") + what + " is not finite");
  return number;
}

const json& ArrayMember(const json& object, const char* key) {
  const auto found = object.find(key);
  if (found == object.end() || !found->is_array()) {
    throw DataError(std::string("topology: member \"") + key + "\" is missing or not an array");
  }
  return *found;
}

std::string IdText(const json& geometry) {
  const auto id = geometry.find("id");
  if (id == geometry.end() || id->is_null()) return "";
  if (id->is_string()) return id->get<std::string>();
  if (id->is_number_integer()) return std::to_string(id->get<std::int64_t>());
  if (id->is_number_unsigned()) return std::to_string(id->get<std::uint64_t>());
  throw DataError("topology: a geometry id is neither a string nor a whole number");
}

}  // namespace

std::string TopoGeometry::Name() const {
  if (!Properties.is_object()) return "";
  const auto name = Properties.find("name");
  return name != Properties.end() && name->is_string() ? name->get<std::string>() : "";
}

Topology Topology::Parse(std::string_view text) {
  json root = ParseJsonText(text, "topology");
  if (!root.is_object() || root.value("type", json()) != "Topology") {
    throw DataError("topology: the root is not an object of type \"Topology\"");
  }
  Topology topology;
  if (const auto transform = root.find("transform"); transform != root.end() && !transform->is_null()) {
    if (!transform->is_object()) throw DataError("topology: \"transform\" is not an object");
    const json& scale = ArrayMember(*transform, "scale");
    const json& translate = ArrayMember(*transform, "translate");
    if (scale.size() < 2 || translate.size() < 2)
      throw DataError("topology: transform needs two scales and translations");
    topology.transform_ = {true, Number(scale[0], "scale"), Number(scale[1], "scale"),
                           Number(translate[0], "translate"), Number(translate[1], "translate")};
  }
  const json& arcs = ArrayMember(root, "arcs");
  topology.arcs_.reserve(arcs.size());
  for (const json& arc : arcs) {
    if (!arc.is_array() || arc.empty()) throw DataError("topology: an arc is not a non-empty array of positions");
    LonLatLine line;
    line.reserve(arc.size());
    double x = 0;
    double y = 0;
    for (const json& position : arc) {
      if (!position.is_array() || position.size() < 2) throw DataError("topology: an arc position is not [x, y]");
      const double px = Number(position[0], "arc coordinate");
      const double py = Number(position[1], "arc coordinate");
      if (topology.transform_.Quantized) {
        // Quantized arcs are delta-encoded: each position is the offset from the previous one.
        x += px;
        y += py;
        line.push_back({x * topology.transform_.ScaleX + topology.transform_.TranslateX,
                        y * topology.transform_.ScaleY + topology.transform_.TranslateY});
      } else {
        line.push_back({px, py});
      }
      if (!std::isfinite(line.back().Lon) || !std::isfinite(line.back().Lat)) {
        throw DataError("topology: an arc position is out of range");
      }
    }
    topology.arcs_.push_back(std::move(line));
  }
  const auto objects = root.find("objects");
  if (objects == root.end() || !objects->is_object())
    throw DataError("topology: \"objects\" is missing or not an object");
  topology.objects_ = std::move(*objects);
  return topology;
}

Topology Topology::Read(const std::filesystem::path& file) {
  const std::string text = ReadWholeFile(file);
  try {
    return Parse(text);
  } catch (const DataError& error) {
    throw DataError(file.string() + ": " + error.what());
  }
}

std::vector<std::string> Topology::ObjectNames() const {
  std::vector<std::string> names;
  for (const auto& [name, object] : objects_.items()) names.push_back(name);
  return names;
}

bool Topology::HasObject(std::string_view name) const { return objects_.contains(name); }

std::vector<TopoGeometry> Topology::Object(std::string_view name) const {
  const auto object = objects_.find(name);
  if (object == objects_.end()) throw DataError("topology: no object named \"" + std::string(name) + "\"");
  std::vector<TopoGeometry> out;
  Flatten(*object, 0, out);
  return out;
}

LonLat Topology::Position(const json& position) const {
  if (!position.is_array() || position.size() < 2) throw DataError("topology: a point position is not [x, y]");
  const double x = Number(position[0], "point coordinate");
  const double y = Number(position[1], "point coordinate");
  // Point positions are quantized but, unlike arcs, not delta-encoded.
  if (!transform_.Quantized) return {x, y};
  const LonLat at{x * transform_.ScaleX + transform_.TranslateX, y * transform_.ScaleY + transform_.TranslateY};
  if (!std::isfinite(at.Lon) || !std::isfinite(at.Lat)) throw DataError("topology: a point position is out of range");
  return at;
}

LonLatLine Topology::ArcsLine(const json& arcIndexes) const {
  if (!arcIndexes.is_array()) throw DataError("topology: a line or ring is not an array of arc indexes");
  LonLatLine line;
  for (const json& index : arcIndexes) {
    // A negative index ~i names arc i walked backwards.
    std::size_t arc = 0;
    bool reversed = false;
    if (index.is_number_unsigned()) {
      const std::uint64_t value = index.get<std::uint64_t>();
      if (value >= arcs_.size()) throw DataError("topology: arc index " + std::to_string(value) + " out of range");
      arc = static_cast<std::size_t>(value);
    } else if (index.is_number_integer()) {
      const std::int64_t value = index.get<std::int64_t>();
      reversed = value < 0;
      const std::uint64_t unsignedArc = static_cast<std::uint64_t>(reversed ? ~value : value);
      if (unsignedArc >= arcs_.size())
        throw DataError("topology: arc index " + std::to_string(value) + " out of range");
      arc = static_cast<std::size_t>(unsignedArc);
    } else {
      throw DataError("topology: an arc index is not a whole number");
    }
    const LonLatLine& points = arcs_[arc];
    // Consecutive arcs share their joining point; keep it once.
    const std::size_t skip = line.empty() ? 0 : 1;
    if (reversed) {
      for (std::size_t i = points.size() - skip; i-- > 0;) line.push_back(points[i]);
    } else {
      line.insert(line.end(), points.begin() + static_cast<std::ptrdiff_t>(skip), points.end());
    }
  }
  return line;
}

void Topology::Flatten(const json& geometry, int depth, std::vector<TopoGeometry>& out) const {
  if (!geometry.is_object()) throw DataError("topology: a geometry is not an object");
  const auto type = geometry.find("type");
  if (type == geometry.end() || type->is_null()) return;  // a null geometry
  if (!type->is_string()) throw DataError("topology: a geometry type is not a string");
  const std::string& name = type->get_ref<const std::string&>();
  if (name == "GeometryCollection") {
    if (depth >= kMaxCollectionDepth) throw DataError("topology: geometry collections nested too deeply");
    for (const json& member : ArrayMember(geometry, "geometries")) Flatten(member, depth + 1, out);
    return;
  }
  const auto known = kTypes.find(name);
  if (known == kTypes.end()) throw DataError("topology: unknown geometry type \"" + name + "\"");
  out.push_back(Decode(geometry, known->second));
}

TopoGeometry Topology::Decode(const json& geometry, TopoType type) const {
  TopoGeometry decoded;
  decoded.Type = type;
  decoded.Id = IdText(geometry);
  if (const auto properties = geometry.find("properties"); properties != geometry.end()) {
    decoded.Properties = *properties;
  }
  switch (type) {
    case TopoType::Point: {
      const auto coordinates = geometry.find("coordinates");
      if (coordinates == geometry.end()) throw DataError("topology: a point has no coordinates");
      decoded.Points.push_back(Position(*coordinates));
      break;
    }
    case TopoType::MultiPoint:
      for (const json& position : ArrayMember(geometry, "coordinates")) decoded.Points.push_back(Position(position));
      break;
    case TopoType::LineString:
      decoded.Lines.push_back(ArcsLine(ArrayMember(geometry, "arcs")));
      break;
    case TopoType::MultiLineString:
      for (const json& line : ArrayMember(geometry, "arcs")) decoded.Lines.push_back(ArcsLine(line));
      break;
    case TopoType::Polygon: {
      LonLatPolygon polygon;
      for (const json& ring : ArrayMember(geometry, "arcs")) polygon.push_back(ArcsLine(ring));
      decoded.Polygons.push_back(std::move(polygon));
      break;
    }
    case TopoType::MultiPolygon:
      for (const json& rings : ArrayMember(geometry, "arcs")) {
        if (!rings.is_array()) throw DataError("topology: a polygon of a multipolygon is not an array of rings");
        LonLatPolygon polygon;
        for (const json& ring : rings) polygon.push_back(ArcsLine(ring));
        decoded.Polygons.push_back(std::move(polygon));
      }
      break;
  }
  return decoded;
}

}  // namespace quelmar::builder
