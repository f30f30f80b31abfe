#pragma once
// What OpenStreetMap tags say about a street, an address or a landmark; shared
// by the readers of the editor's JSON graph and of OSM XML/PBF files.
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "tools/quelmar-data/builder/geo_model.h"
#include "tools/quelmar-data/builder/streets/raw_streets.h"

namespace quelmar::builder {

// The value of a tag, "" when the object does not have it.
using OsmTags = std::function<std::string_view(std::string_view key)>;

struct OsmRoad {
  StreetSegment Attributes;  // no points yet
  bool Reversed = false;     // oneway=-1: traffic runs against the way's node order
};

// A way tagged as a road the street layer keeps (highway=*, or a ferry
// route): its class from `tiger:cfcc` when present, else from the highway
// tags; name, route numbers, one-way, bridge, tunnel and the ZIP code of
// `tiger:zip_left` (or `tiger:zip_right`).
std::optional<OsmRoad> OsmRoadFromTags(const OsmTags& tags);

// A house number on a street (addr:housenumber with addr:street); the
// position is left for the caller.
std::optional<AddressPoint> OsmAddressFromTags(const OsmTags& tags);

// The kind of a named park, water body or airport; nullopt for anything else
// or an unnamed one.
std::optional<LandmarkKind> OsmLandmarkKind(const OsmTags& tags);

// Adds what a way is to `into`: a road line (reversed for oneway=-1), a
// landmark with its ring when it is a closed named park or water, an address
// at the middle of its nodes when it carries one. `points` are in map units.
void AddOsmWay(const OsmTags& tags, Line points, RawStreets& into);

// Adds what a node is to `into`: an address or a point landmark.
void AddOsmNode(const OsmTags& tags, TMapPoint at, RawStreets& into);

// The five-digit ZIP code that starts `text` ("94607", "94607-1234",
// "94607;94608"), 0 when there is none.
std::int32_t ZipFromText(std::string_view text);

}  // namespace quelmar::builder
