#include "tools/quelmar-data/builder/streets/vector_tile_streets.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <system_error>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/streets/cfcc_from_tags.h"
#include "tools/quelmar-data/builder/streets/file_bytes.h"
#include "tools/quelmar-data/builder/streets/street_name.h"
#include "tools/quelmar-data/builder/streets/vector_tile.h"

namespace quelmar::builder {

namespace {

constexpr int kMaxZoom = 24;

struct TilePlace {
  TileId Id;
  double Extent = 4096;

  // Tile coordinates to map units through Web Mercator.
  TMapPoint ToMap(double x, double y) const {
    const double tiles = std::ldexp(1.0, Id.Z);
    const double lon = (Id.X + x / Extent) / tiles * 360.0 - 180.0;
    const double mercatorY = std::numbers::pi * (1.0 - 2.0 * (Id.Y + y / Extent) / tiles);
    const double lat = std::atan(std::sinh(mercatorY)) * 180.0 / std::numbers::pi;
    return ToMapUnits(lon, lat);
  }
  bool Inside(const TilePoint& at) const { return at.X >= 0 && at.Y >= 0 && at.X <= Extent && at.Y <= Extent; }
};

struct PlanePoint {
  double X = 0;
  double Y = 0;
};

// Liang–Barsky: the part of p→q inside [0, size]², as parameters t0 <= t1.
bool ClipSegment(PlanePoint p, PlanePoint q, double size, double& t0, double& t1) {
  t0 = 0;
  t1 = 1;
  const double dx = q.X - p.X;
  const double dy = q.Y - p.Y;
  const double edges[4][2] = {{-dx, p.X}, {dx, size - p.X}, {-dy, p.Y}, {dy, size - p.Y}};
  for (const auto& [direction, room] : edges) {
    if (direction == 0) {
      if (room < 0) return false;
      continue;
    }
    const double t = room / direction;
    if (direction < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  return true;
}

// The pieces of a tile line inside the tile's own square, as map lines.
std::vector<Line> ClipToTile(const std::vector<TilePoint>& points, const TilePlace& place) {
  std::vector<Line> pieces;
  Line current;
  const auto flush = [&] {
    if (current.size() >= 2) pieces.push_back(std::move(current));
    current.clear();
  };
  const auto add = [&](PlanePoint at) {
    const TMapPoint mapped = place.ToMap(at.X, at.Y);
    if (current.empty() || !(current.back() == mapped)) current.push_back(mapped);
  };
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const PlanePoint p{static_cast<double>(points[i].X), static_cast<double>(points[i].Y)};
    const PlanePoint q{static_cast<double>(points[i + 1].X), static_cast<double>(points[i + 1].Y)};
    double t0 = 0, t1 = 1;
    if (!ClipSegment(p, q, place.Extent, t0, t1)) {
      flush();
      continue;
    }
    if (t0 > 0) flush();  // entered from outside: a new piece
    add({p.X + t0 * (q.X - p.X), p.Y + t0 * (q.Y - p.Y)});
    add({p.X + t1 * (q.X - p.X), p.Y + t1 * (q.Y - p.Y)});
    if (t1 < 1) flush();  // left the tile
  }
  flush();
  return pieces;
}

// Route numbers of a road label: "90·94" with shield "us-interstate-duplex"
// gives "I 90;I 94"; state routes take the state of the label's ISO code.
// Refs that already name their network ("US 41") are kept as they are.
std::string RouteRefs(const TileFeature& feature) {
  std::string raw(feature.TextOf("ref"));
  if (raw.empty()) return {};
  for (std::size_t dot = raw.find("\u00B7"); dot != std::string::npos; dot = raw.find("\u00B7")) {
    raw.replace(dot, 2, ";");
  }
  const std::string_view shield = feature.TextOf("shield");
  std::string prefix;
  if (shield.starts_with("us-interstate")) {
    prefix = "I";
  } else if (shield.starts_with("us-highway")) {
    prefix = "US";
  } else if (shield.starts_with("us-state")) {
    const std::string_view iso = feature.TextOf("iso_3166_2");  // "US-IL"
    if (iso.starts_with("US-") && iso.size() == 5) prefix = std::string(iso.substr(3));
  }
  std::string refs;
  std::size_t start = 0;
  while (start <= raw.size()) {
    std::size_t end = raw.find_first_of(";/", start);
    if (end == std::string::npos) end = raw.size();
    std::string part = StoredStreetName(std::string_view(raw).substr(start, end - start));
    if (!part.empty()) {
      if (!prefix.empty() && part.find(' ') == std::string::npos) part = prefix + ' ' + part;
      if (!refs.empty()) refs += ';';
      refs += part;
    }
    start = end + 1;
  }
  return refs;
}

void AddLines(const TileFeature& feature, const TilePlace& place, const StreetSegment& attributes,
              std::vector<StreetSegment>& into) {
  for (const std::vector<TilePoint>& part : feature.Parts) {
    for (Line& piece : ClipToTile(part, place)) {
      StreetSegment segment = attributes;
      segment.Points = std::move(piece);
      into.push_back(std::move(segment));
    }
  }
}

void ReadRoad(const TileFeature& feature, const TilePlace& place, RawStreets& into) {
  if (feature.Type != TileGeometry::Line) return;  // points mark turning circles, polygons squares
  StreetSegment road;
  road.Cfcc = std::string(CfccForTileRoad(feature.TextOf("class"), feature.TextOf("type")));
  if (road.Cfcc.empty()) return;
  const std::string_view structure = feature.TextOf("structure");
  road.Bridge = structure == "bridge";
  road.Tunnel = structure == "tunnel";
  const TileValue* oneway = feature.Find("oneway");
  road.OneWay = oneway != nullptr && oneway->IsTrue();
  road.Name = StoredStreetName(feature.TextOf("name"));  // newer road layers carry names
  road.Ref = RouteRefs(feature);
  AddLines(feature, place, road, into.Lines);
}

void ReadRoadLabel(const TileFeature& feature, const TilePlace& place, RawStreets& into) {
  if (feature.Type != TileGeometry::Line) return;
  StreetSegment label;
  label.Cfcc = std::string(CfccForTileRoad(feature.TextOf("class")));
  label.Name = StoredStreetName(feature.TextOf("name"));
  label.Ref = RouteRefs(feature);
  if (label.Cfcc.empty() || (label.Name.empty() && label.Ref.empty())) return;
  AddLines(feature, place, label, into.Labels);
}

std::optional<LandmarkKind> LandmarkKindOf(std::string_view layer, const TileFeature& feature) {
  if (layer.starts_with("water")) return LandmarkKind::Water;
  if (layer == "airport_label" || layer == "aeroway") return LandmarkKind::Airport;
  if (layer == "poi_label") {
    const std::string_view maki = feature.TextOf("maki");
    const std::string_view type = feature.TextOf("type");
    if (maki == "park" || maki == "dog-park" || maki == "garden" || type == "Park" || type == "Nature Reserve" ||
        type == "Forest" || type == "Garden" || type == "Dog Park") {
      return LandmarkKind::Park;
    }
    return std::nullopt;
  }
  if (layer == "landuse" || layer == "landuse_overlay") {
    const std::string_view kind = feature.TextOf("class");
    if (kind == "park" || kind == "national_park" || kind == "wood" || kind == "grass") return LandmarkKind::Park;
  }
  return std::nullopt;
}

// Named parks, water and airports whose label point lies in this tile.
void ReadLandmark(std::string_view layer, const TileFeature& feature, const TilePlace& place, RawStreets& into) {
  const std::string_view name = feature.TextOf("name");
  if (name.empty() || feature.Parts.empty() || feature.Parts.front().empty()) return;
  const std::optional<LandmarkKind> kind = LandmarkKindOf(layer, feature);
  if (!kind) return;

  TilePoint label = feature.Parts.front().front();
  if (feature.Type == TileGeometry::Line) {
    const auto longest = std::max_element(feature.Parts.begin(), feature.Parts.end(),
                                          [](const auto& a, const auto& b) { return a.size() < b.size(); });
    label = (*longest)[longest->size() / 2];
  } else if (feature.Type == TileGeometry::Polygon) {
    double sumX = 0, sumY = 0;
    for (const TilePoint& at : feature.Parts.front()) {
      sumX += static_cast<double>(at.X);
      sumY += static_cast<double>(at.Y);
    }
    const double count = static_cast<double>(feature.Parts.front().size());
    label = {std::llround(sumX / count), std::llround(sumY / count)};
  }
  if (!place.Inside(label)) return;  // a neighbour's feature in the buffer

  Landmark landmark;
  landmark.Name = std::string(name);
  landmark.Kind = *kind;
  landmark.At = place.ToMap(static_cast<double>(label.X), static_cast<double>(label.Y));
  if (feature.Type == TileGeometry::Polygon) {
    try {
      for (const std::vector<TilePoint>& part : feature.Parts) {
        Ring ring;
        for (const TilePoint& at : part)
          ring.push_back(place.ToMap(static_cast<double>(at.X), static_cast<double>(at.Y)));
        landmark.Rings.push_back(std::move(ring));
      }
    } catch (const std::invalid_argument&) {
      landmark.Rings.clear();  // a buffer ring reaching past the poles: keep the point
    }
  }
  into.Landmarks.push_back(std::move(landmark));
}

bool ParseNumber(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() && !text.empty();
}

// Landmarks of the same name and kind within this many map units (about
// 6 km) are one feature that several tiles labelled.
constexpr std::int64_t kSameLandmarkUnits = 800;

void AddLandmarksOnce(std::vector<Landmark>& landmarks, std::vector<Landmark>&& more) {
  for (Landmark& landmark : more) {
    const bool seen = std::any_of(landmarks.begin(), landmarks.end(), [&](const Landmark& known) {
      const std::int64_t dx = std::int64_t{known.At.X} - landmark.At.X;
      const std::int64_t dy = std::int64_t{known.At.Y} - landmark.At.Y;
      return known.Name == landmark.Name && known.Kind == landmark.Kind &&
             dx * dx + dy * dy <= kSameLandmarkUnits * kSameLandmarkUnits;
    });
    if (!seen) landmarks.push_back(std::move(landmark));
  }
}

}  // namespace

std::optional<TileId> TileIdFromFileName(std::string_view fileName) {
  if (!fileName.ends_with(".mvt")) return std::nullopt;
  fileName.remove_suffix(4);
  const std::size_t first = fileName.find('-');
  const std::size_t second = first == std::string_view::npos ? first : fileName.find('-', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  TileId id;
  if (!ParseNumber(fileName.substr(0, first), id.Z) ||
      !ParseNumber(fileName.substr(first + 1, second - first - 1), id.X) ||
      !ParseNumber(fileName.substr(second + 1), id.Y)) {
    return std::nullopt;
  }
  if (id.Z < 0 || id.Z > kMaxZoom || id.X < 0 || id.Y < 0 || id.X >= (1 << id.Z) || id.Y >= (1 << id.Z)) {
    return std::nullopt;
  }
  return id;
}

RawStreets ReadVectorTileStreets(std::string_view bytes, const TileId& tile) {
  if (tile.Z < 0 || tile.Z > kMaxZoom || tile.X < 0 || tile.Y < 0 || tile.X >= (1 << tile.Z) ||
      tile.Y >= (1 << tile.Z)) {
    throw DataError("vector tile: tile " + std::to_string(tile.Z) + "/" + std::to_string(tile.X) + "/" +
                    std::to_string(tile.Y) + " is off the grid");
  }
  std::string inflated;
  if (LooksGzipped(bytes)) {
    inflated = Gunzip(bytes, "vector tile", std::size_t{64} << 20);
    bytes = inflated;
  }
  static const std::vector<std::string_view> kLayers = {
      "road",           "road_label", "poi_label",       "airport_label", "water_label",
      "waterway_label", "landuse",    "landuse_overlay", "water",         "waterway",
  };
  RawStreets streets;
  for (const TileLayer& layer : DecodeVectorTile(bytes, kLayers)) {
    const TilePlace place{tile, static_cast<double>(layer.Extent)};
    for (const TileFeature& feature : layer.Features) {
      if (layer.Name == "road") {
        ReadRoad(feature, place, streets);
      } else if (layer.Name == "road_label") {
        ReadRoadLabel(feature, place, streets);
      } else {
        ReadLandmark(layer.Name, feature, place, streets);
      }
    }
  }
  return streets;
}

RawStreets ReadVectorTileFolder(const std::filesystem::path& folder, const std::vector<std::string>& tileNames) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) throw IoError("no such tile folder: " + folder.string());
  std::vector<std::string> names = tileNames;
  if (names.empty()) {
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      const std::string name = entry.path().filename().string();
      if (name.ends_with(".mvt")) names.push_back(name);
    }
    if (error) throw IoError("cannot list " + folder.string() + ": " + error.message());
    std::sort(names.begin(), names.end());
  }

  RawStreets all;
  for (const std::string& name : names) {
    const std::optional<TileId> id = TileIdFromFileName(name);
    if (!id) throw DataError("not a tile name (Z-X-Y.mvt): " + (folder / name).string());
    RawStreets tile;
    try {
      tile = ReadVectorTileStreets(ReadFileBytes(folder / name), *id);
    } catch (const DataError& damaged) {
      throw DataError((folder / name).string() + ": " + damaged.what());
    }
    std::move(tile.Lines.begin(), tile.Lines.end(), std::back_inserter(all.Lines));
    std::move(tile.Labels.begin(), tile.Labels.end(), std::back_inserter(all.Labels));
    AddLandmarksOnce(all.Landmarks, std::move(tile.Landmarks));
  }
  return all;
}

}  // namespace quelmar::builder
