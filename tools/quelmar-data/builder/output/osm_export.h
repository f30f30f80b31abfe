#pragma once
// The road network of drawing files as OpenStreetMap XML (version 0.6), for
// routers and tools that read OpenStreetMap data. Every line object on a road
// layer becomes a way; points with the same map coordinates become one node,
// so lines that meet at a point stay joined there.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "control/data/drawing.h"
#include "control/data/drawing_reader.h"

namespace quelmar::builder {

// The OpenStreetMap highway value of a line of feature code `code` named
// `name` (unpacked, "" when unnamed), or "" when the line is no road: the
// access-ramp code 93 is "motorway_link", a name beginning "I-" "motorway",
// else by the code's layer: 9 "motorway", 10 "trunk", 11 and 12
// "secondary", 13 "track", 14 "residential".
std::string_view HighwayOf(std::uint8_t code, std::string_view name);

// The route number of a street name's part ("I-90", "US HWY 41", "US 41",
// "SR 50") in the form OpenStreetMap's ref tag writes it ("I-90", "US 41",
// "SR 50"); nullopt for a name that is no route.
std::optional<std::string> RouteRef(std::string_view name);

// Map units as degrees with 7 decimals, whatever the locale.
std::string OsmDegrees(std::int32_t units);

// The ways and nodes of the road lines of any number of drawings.
class OsmNetwork {
 public:
  // Adds the road lines of `drawing`, walked in store order: a name
  // reference names the lines that follow until the next one, a group mark
  // or a block. Lines with fewer than two distinct points are left out.
  void AddDrawing(const data::Drawing& drawing);

  std::size_t NodeCount() const { return nodes_.size(); }
  std::size_t WayCount() const { return ways_.size(); }

  // The whole <osm> document: nodes (ids 1.. in order of first use), then
  // ways (ids 1..) with their node references and tags.
  std::string Xml() const;

 private:
  struct Way {
    std::vector<std::int64_t> nodes;
    std::string_view highway;
    std::string name;  // "" when unnamed
    std::optional<std::string> ref;
  };

  std::int64_t NodeAt(data::TMapPoint point);

  std::unordered_map<std::uint64_t, std::int64_t> nodeIds_;  // by packed coordinates
  std::vector<data::TMapPoint> nodes_;                       // node id - 1
  std::vector<Way> ways_;
};

struct OsmExportOptions {
  std::filesystem::path input;       // a drawing file (.DCM), or a layer archive or PKZIP file
  std::vector<std::string> members;  // of an archive, by name ignoring case; empty: all
  std::filesystem::path output;
  std::int32_t streetVersion = data::kDefaultStreetVersion;
};

struct OsmExportResult {
  std::size_t drawings = 0;
  std::size_t nodes = 0;
  std::size_t ways = 0;
  // Drawings that could not be read to their end, as "member: what". Any
  // problem leaves the output unwritten: a router given part of a network
  // would answer wrongly without saying so.
  std::vector<std::string> problems;
};

// Reads the drawings that `options` name and, when all read cleanly, writes
// their road network to options.output through a temporary file renamed into
// place. Throws as ForEachExportDrawing does, and IoError when the output
// cannot be written.
OsmExportResult ExportOsm(const OsmExportOptions& options);

}  // namespace quelmar::builder
