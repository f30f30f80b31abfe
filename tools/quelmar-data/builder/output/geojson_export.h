#pragma once
// The objects of drawing files as GeoJSON (RFC 7946), to look at built data in
// any GIS viewer: polylines and segments as LineStrings (closed polylines of
// area layers as Polygons), places and labels as Points. Coordinates are
// degrees, longitude first, rounded to 6 decimals (a map unit is 0.000064°,
// so nothing is lost).
#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "control/data/drawing.h"
#include "control/data/drawing_reader.h"

namespace quelmar::builder {

// Whether closed polylines of `layer` are areas: the country, state
// interiors, parks, water and islands.
bool IsAreaLayer(int layer);

// The features of `drawing`'s drawable objects in object order, each with the
// properties member (= `member`), kind, feature_code, layer and name (the
// current NameRef's name in DisplayName form, when there is one), low, high
// and index for objects with attributes (with zip when the index selects an
// entry of the current IndexList), and those of its kind: a place's name,
// population, county, elevation, state_capital and national_capital, a
// label's text. Only objects on `layers` are kept, unless it is empty. Labels
// whose x is 0 (never shown) have no geometry. Inert objects, names, index
// lists, group marks and blocks make no feature.
nlohmann::ordered_json DrawingFeatures(const data::Drawing& drawing, std::string_view member,
                                       const std::vector<int>& layers);

struct GeoJsonOptions {
  std::filesystem::path input;       // a drawing file (.DCM), or a layer archive or PKZIP file
  std::vector<std::string> members;  // of an archive, by name ignoring case; empty: all
  std::filesystem::path output;
  std::vector<int> layers;  // empty: all
  std::int32_t streetVersion = data::kDefaultStreetVersion;
};

struct GeoJsonResult {
  std::size_t drawings = 0;
  std::size_t features = 0;
  // Drawings that could not be read to their end, as "member: what"; the
  // objects read before the failure are written all the same.
  std::vector<std::string> problems;
};

// Reads the drawings that `options` name and writes one FeatureCollection of
// their features to options.output, through a temporary file renamed into
// place. Throws IoError when the input cannot be opened or the output cannot
// be written, DataError when an archive's member list cannot be read or a
// named member is not in it, and ArgumentError for members asked of a plain
// drawing file or a layer outside 0..33.
GeoJsonResult ExportGeoJson(const GeoJsonOptions& options);

}  // namespace quelmar::builder
