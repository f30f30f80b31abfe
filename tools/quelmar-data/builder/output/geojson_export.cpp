#include "tools/quelmar-data/builder/output/geojson_export.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "control/core/errors.h"
#include "control/data/feature_code.h"
#include "control/data/layer_table.h"
#include "platform/kernel/atomic_file.h"
#include "tools/quelmar-data/builder/output/export_drawings.h"
#include "tools/quelmar-data/builder/output/verify_tree.h"

namespace quelmar::builder {
namespace {

using data::DrawObject;
using data::ObjectKind;
using json = nlohmann::ordered_json;

// Degrees to 6 decimals: a map unit is exactly 64 millionths of a degree,
// so the division gives the double nearest the exact decimal value.
double Degrees(std::int64_t units) { return static_cast<double>(units * 64) / 1e6; }

json Position(std::int64_t x, std::int64_t y) { return json::array({Degrees(x), Degrees(y)}); }
json Position(data::TMapPoint point) { return Position(point.X, point.Y); }

json Geometry(const char* type, json coordinates) {
  return json{{"type", type}, {"coordinates", std::move(coordinates)}};
}

// Place names and label texts, whose encoding the files do not say: JSON
// needs UTF-8, so bytes outside printable ASCII are written as \xNN.
std::string EscapedText(std::string_view bytes) { return DisplayName(bytes); }

json PolylineGeometry(const DrawObject& object, int layer) {
  const std::vector<data::TMapPoint> points = data::PolylinePoints(object);
  json line = json::array();
  for (const data::TMapPoint& point : points) line.push_back(Position(point));
  if (points.size() >= 4 && points.front() == points.back() && IsAreaLayer(layer)) {
    // The ring keeps the file's order; RFC 7946 leaves winding to readers.
    return Geometry("Polygon", json::array({std::move(line)}));
  }
  if (points.size() >= 2) return Geometry("LineString", std::move(line));
  if (points.size() == 1) return Geometry("Point", std::move(line[0]));
  return nullptr;
}

json SegmentGeometry(const data::Segment& segment) {
  return Geometry("LineString",
                  json::array({Position(segment.Start), Position(std::int64_t{segment.Start.X} + segment.Dx,
                                                                 std::int64_t{segment.Start.Y} + segment.Dy)}));
}

void AddAttributes(json& properties, const data::Attributes& attributes, const data::IndexList* indexList) {
  if (attributes == data::Attributes{}) return;
  const data::AddressRange range = data::RangeOf(attributes);
  properties["low"] = range.Low;
  properties["high"] = range.High;
  properties["index"] = attributes.Index;
  if (indexList && attributes.Index >= 1 && attributes.Index <= indexList->Values.size()) {
    properties["zip"] = indexList->Values[attributes.Index - 1];
  }
}

// Adds features to the collection's text, one a line.
class FeatureText {
 public:
  void Add(const json& features) {
    for (const json& feature : features) {
      text_ += count_ == 0 ? "\n" : ",\n";
      text_ += feature.dump();
      ++count_;
    }
  }
  std::size_t Count() const { return count_; }
  std::string Finish() const { return "{\"type\":\"FeatureCollection\",\"features\":[" + text_ + "\n]}\n"; }

 private:
  std::string text_;
  std::size_t count_ = 0;
};

}  // namespace

bool IsAreaLayer(int layer) {
  switch (layer) {
    case 0:   // Country
    case 2:   // State Interior
    case 19:  // Parks
    case 23:  // Hydro
    case 24:  // IHydro
    case 25:  // Ocean Blocks
    case 26:  // Small Islands
    case 29:  // Major Islands
      return true;
    default: return false;
  }
}

json DrawingFeatures(const data::Drawing& drawing, std::string_view member, const std::vector<int>& layers) {
  json features = json::array();
  std::optional<std::string> name;  // of the current NameRef
  const data::IndexList* indexList = nullptr;
  for (const DrawObject& object : drawing.Objects()) {
    // The scopes: a NameRef names what follows until the next NameRef, group
    // mark or block; an IndexList serves the attribute indexes that follow.
    switch (object.Kind) {
      case ObjectKind::NameRef: {
        const data::NameString* named = drawing.NameAt(object.As<data::NameRef>()->Object);
        name = named ? std::optional(DecodedName(named->Packed)) : std::nullopt;
        continue;
      }
      case ObjectKind::GroupMark:
      case ObjectKind::BlockObject: name.reset(); continue;
      case ObjectKind::IndexList: indexList = object.As<data::IndexList>(); continue;
      case ObjectKind::Inert:
      case ObjectKind::NameString: continue;
      default: break;
    }
    const int layer = data::FeatureLayer(object.Code);
    if (!layers.empty() && std::find(layers.begin(), layers.end(), layer) == layers.end()) continue;

    json properties{{"member", EscapedText(member)},
                    {"kind", data::ObjectKindName(object.Kind)},
                    {"feature_code", object.Code},
                    {"layer", layer}};
    if (name) properties["name"] = *name;
    json geometry = nullptr;
    if (object.IsPolyline()) {
      const data::Polyline& line = *object.As<data::Polyline>();
      geometry = PolylineGeometry(object, layer);
      AddAttributes(properties, line.Attr, indexList);
    } else if (const data::Segment* segment = object.As<data::Segment>()) {
      geometry = SegmentGeometry(*segment);
      AddAttributes(properties, segment->Attr, indexList);
    } else if (const data::PlaceObject* place = object.As<data::PlaceObject>()) {
      geometry = Geometry("Point", Position(place->Point));
      const bool national = !place->Name.empty() && place->Name.front() == '*';
      properties["name"] = EscapedText(national ? std::string_view(place->Name).substr(1) : place->Name);
      properties["population"] = std::llabs(std::int64_t{place->Population});
      properties["county"] = place->County;
      properties["elevation"] = place->Elevation;
      properties["state_capital"] = place->Population < 0;
      properties["national_capital"] = national;
    } else if (const data::LabelText* label = object.As<data::LabelText>()) {
      if (label->Point.X != 0) geometry = Geometry("Point", Position(label->Point));
      properties["text"] = EscapedText(label->Text);
      if (label->RouteLayer != 0) properties["route_layer"] = label->RouteLayer;
    } else {
      continue;
    }
    features.push_back(
        json{{"type", "Feature"}, {"geometry", std::move(geometry)}, {"properties", std::move(properties)}});
  }
  return features;
}

GeoJsonResult ExportGeoJson(const GeoJsonOptions& options) {
  for (const int layer : options.layers) {
    if (!data::IsLayer(layer)) throw ArgumentError("no layer " + std::to_string(layer) + " (layers are 0..33)");
  }
  GeoJsonResult result;
  FeatureText text;
  result.problems = ForEachExportDrawing({options.input, options.members, options.streetVersion},
                                         [&](std::string_view name, const data::Drawing& drawing) {
                                           ++result.drawings;
                                           text.Add(DrawingFeatures(drawing, name, options.layers));
                                         });
  result.features = text.Count();
  std::error_code error;
  if (!kernel::WriteFileAtomically(options.output, text.Finish(), &error)) {
    throw IoError("cannot write " + options.output.string() + ": " + error.message());
  }
  return result;
}

}  // namespace quelmar::builder
