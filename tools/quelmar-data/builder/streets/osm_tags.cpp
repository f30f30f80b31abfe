#include "tools/quelmar-data/builder/streets/osm_tags.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "tools/quelmar-data/builder/streets/cfcc_from_tags.h"
#include "tools/quelmar-data/builder/streets/street_name.h"

namespace quelmar::builder {

namespace {

bool IsYes(std::string_view value) { return value == "yes" || value == "true" || value == "1"; }

// "yes", "viaduct", "movable", ... but not "no".
bool IsSet(std::string_view value) { return !value.empty() && value != "no" && value != "false" && value != "0"; }

// A CFCC written by the 2005–2008 TIGER import ("A41", sometimes "A41;A41").
std::string TigerCfcc(std::string_view value) {
  if (value.size() >= 3 && (value[0] == 'A' || value[0] == 'a') && value[1] >= '0' && value[1] <= '9' &&
      value[2] >= '0' && value[2] <= '9') {
    return {'A', value[1], value[2]};
  }
  return {};
}

// Route numbers as "I 94;US 41": upper case, one space, ';' between.
std::string StoredRefs(std::string_view refs) {
  std::string stored;
  std::size_t start = 0;
  while (start <= refs.size()) {
    std::size_t end = refs.find(';', start);
    if (end == std::string_view::npos) end = refs.size();
    const std::string one = StoredStreetName(refs.substr(start, end - start));
    if (!one.empty()) {
      if (!stored.empty()) stored += ';';
      stored += one;
    }
    start = end + 1;
  }
  return stored;
}

}  // namespace

std::int32_t ZipFromText(std::string_view text) {
  std::int32_t zip = 0;
  for (std::size_t i = 0; i < 5; ++i) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return 0;
    zip = zip * 10 + (text[i] - '0');
  }
  if (text.size() > 5 && text[5] >= '0' && text[5] <= '9') return 0;  // six digits: not a ZIP
  return zip;
}

std::optional<OsmRoad> OsmRoadFromTags(const OsmTags& tags) {
  const std::string_view highway = tags("highway");
  std::string cfcc = TigerCfcc(tags("tiger:cfcc"));
  if (cfcc.empty()) {
    if (!highway.empty()) {
      cfcc = std::string(CfccForHighway(highway, tags("service")));
    } else if (tags("route") == "ferry") {
      cfcc = std::string(CfccForHighway("ferry"));
    }
  } else if (highway.empty() || CfccForHighway(highway).empty()) {
    cfcc.clear();  // a TIGER class on something that is no longer a road
  }
  if (cfcc.empty() || tags("area") == "yes") return std::nullopt;

  OsmRoad road;
  StreetSegment& line = road.Attributes;
  line.Cfcc = cfcc;
  line.Name = StoredStreetName(tags("name"));
  line.Ref = StoredRefs(tags("ref"));
  line.Bridge = IsSet(tags("bridge"));
  line.Tunnel = IsSet(tags("tunnel"));
  const std::string_view oneway = tags("oneway");
  road.Reversed = oneway == "-1";
  line.OneWay = IsYes(oneway) || road.Reversed || tags("junction") == "roundabout";
  line.Zip = ZipFromText(tags("tiger:zip_left"));
  if (line.Zip == 0) line.Zip = ZipFromText(tags("tiger:zip_right"));
  return road;
}

std::optional<AddressPoint> OsmAddressFromTags(const OsmTags& tags) {
  const std::string_view number = tags("addr:housenumber");
  const std::string street = StoredStreetName(tags("addr:street"));
  if (number.empty() || street.empty()) return std::nullopt;
  AddressPoint address;
  address.Street = street;
  address.Number = StoredStreetName(number);
  address.Zip = ZipFromText(tags("addr:postcode"));
  if (address.Number.empty()) return std::nullopt;
  return address;
}

std::optional<LandmarkKind> OsmLandmarkKind(const OsmTags& tags) {
  if (tags("name").empty()) return std::nullopt;
  const std::string_view leisure = tags("leisure");
  if (leisure == "park" || leisure == "nature_reserve" || leisure == "garden" || tags("boundary") == "national_park") {
    return LandmarkKind::Park;
  }
  if (tags("natural") == "water" || !tags("water").empty() || tags("landuse") == "reservoir" ||
      tags("waterway") == "riverbank") {
    return LandmarkKind::Water;
  }
  if (tags("aeroway") == "aerodrome") return LandmarkKind::Airport;
  return std::nullopt;
}

void AddOsmWay(const OsmTags& tags, Line points, RawStreets& into) {
  if (points.empty()) return;
  const bool closed = points.size() >= 4 && points.front() == points.back();
  // The middle of a closed way's nodes, for its address or label.
  const auto middle = [&] {
    double x = 0, y = 0;
    const std::size_t count = closed ? points.size() - 1 : points.size();
    for (std::size_t i = 0; i < count; ++i) {
      x += points[i].X;
      y += points[i].Y;
    }
    return TMapPoint{static_cast<std::int32_t>(std::lround(x / static_cast<double>(count))),
                     static_cast<std::int32_t>(std::lround(y / static_cast<double>(count)))};
  };
  if (std::optional<AddressPoint> address = OsmAddressFromTags(tags)) {
    address->At = closed ? middle() : points[points.size() / 2];
    into.Addresses.push_back(std::move(*address));
  }
  if (const std::optional<LandmarkKind> kind = OsmLandmarkKind(tags); kind && closed) {
    Landmark landmark;
    landmark.Name = std::string(tags("name"));
    landmark.Kind = *kind;
    landmark.At = middle();
    landmark.Rings.push_back(points);
    into.Landmarks.push_back(std::move(landmark));
  }
  if (std::optional<OsmRoad> road = OsmRoadFromTags(tags); road && points.size() >= 2) {
    road->Attributes.Points = std::move(points);
    if (road->Reversed) std::reverse(road->Attributes.Points.begin(), road->Attributes.Points.end());
    into.Lines.push_back(std::move(road->Attributes));
  }
}

void AddOsmNode(const OsmTags& tags, TMapPoint at, RawStreets& into) {
  if (std::optional<AddressPoint> address = OsmAddressFromTags(tags)) {
    address->At = at;
    into.Addresses.push_back(std::move(*address));
  }
  if (const std::optional<LandmarkKind> kind = OsmLandmarkKind(tags)) {
    into.Landmarks.push_back({std::string(tags("name")), *kind, at, {}});
  }
}

}  // namespace quelmar::builder
