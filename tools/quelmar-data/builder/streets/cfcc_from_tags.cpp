#include "tools/quelmar-data/builder/streets/cfcc_from_tags.h"

#include <utility>

namespace quelmar::builder {

namespace {

using CodePair = std::pair<std::string_view, std::string_view>;

// A1x limited access, A2x primary highways, A3x secondary and connecting
// roads, A4x local streets, A5x vehicle trails, A6x ramps, roundabouts and
// ferries, A7x walkways, stairs and alleys.
constexpr CodePair kHighwayCfcc[] = {
    {"motorway", "A11"},       {"trunk", "A21"},         {"primary", "A21"},      {"secondary", "A31"},
    {"tertiary", "A31"},       {"motorway_link", "A63"}, {"trunk_link", "A63"},   {"primary_link", "A63"},
    {"secondary_link", "A63"}, {"tertiary_link", "A63"}, {"unclassified", "A41"}, {"residential", "A41"},
    {"living_street", "A41"},  {"road", "A40"},          {"service", "A41"},      {"busway", "A41"},
    {"track", "A51"},          {"pedestrian", "A71"},    {"footway", "A71"},      {"path", "A71"},
    {"cycleway", "A71"},       {"bridleway", "A71"},     {"sidewalk", "A71"},     {"crossing", "A71"},
    {"steps", "A72"},          {"ferry", "A65"},
};

// OSM service values that make a service road something more specific.
constexpr CodePair kServiceCfcc[] = {
    {"alley", "A73"},
};

constexpr CodePair kMtfccCfcc[] = {
    {"S1100", "A11"},  // primary road: interstates and other limited-access roads
    {"S1200", "A21"},  // secondary road: US and state highways
    {"S1400", "A41"},  // local neighbourhood road, rural road, city street
    {"S1500", "A51"},  // vehicular trail, four-wheel drive
    {"S1630", "A63"},  // ramp
    {"S1640", "A64"},  // service drive along a limited-access highway
    {"S1710", "A71"},  // walkway, pedestrian trail
    {"S1720", "A72"},  // stairway
    {"S1730", "A73"},  // alley
    {"S1740", "A70"},  // private road for service vehicles
    {"S1750", "A70"},  // internal census bureau use
    {"S1780", "A70"},  // parking lot road
    {"S1820", "A71"},  // bike path or trail
    {"S1830", "A71"},  // bridle path
};

// Vector tile road classes, used where the type is not a highway value.
constexpr CodePair kTileClassCfcc[] = {
    {"motorway", "A11"},   {"motorway_link", "A63"},  {"trunk", "A21"},    {"trunk_link", "A63"},
    {"primary", "A21"},    {"secondary", "A31"},      {"tertiary", "A31"}, {"link", "A63"},
    {"street", "A41"},     {"street_limited", "A41"}, {"service", "A41"},  {"track", "A51"},
    {"pedestrian", "A71"}, {"path", "A71"},           {"ferry", "A65"},
};

// Classes and types of the road layer that are not roads at all.
constexpr std::string_view kTileNotRoads[] = {
    "major_rail",   "minor_rail",      "rail",      "subway",       "light_rail",     "tram",
    "monorail",     "platform",        "aerialway", "construction", "level_crossing", "turning_circle",
    "turning_loop", "mini_roundabout", "golf",      "proposed",     "abandoned",      "raceway",
};

std::string_view Lookup(const auto& table, std::string_view key) {
  for (const auto& [from, to] : table) {
    if (key == from) return to;
  }
  return {};
}

bool IsNotRoad(std::string_view word) {
  for (std::string_view notRoad : kTileNotRoads) {
    if (word == notRoad) return true;
  }
  return false;
}

}  // namespace

std::string_view CfccForHighway(std::string_view highway, std::string_view service) {
  if (highway == "service") {
    if (const std::string_view special = Lookup(kServiceCfcc, service); !special.empty()) return special;
  }
  return Lookup(kHighwayCfcc, highway);
}

std::string_view CfccForMtfcc(std::string_view mtfcc) { return Lookup(kMtfccCfcc, mtfcc); }

std::string_view CfccForTileRoad(std::string_view roadClass, std::string_view type) {
  // "construction:residential", "service:alley", "track:grade1"
  const std::size_t colon = type.find(':');
  const std::string_view highway = type.substr(0, colon);
  const std::string_view detail = colon == std::string_view::npos ? std::string_view{} : type.substr(colon + 1);
  if (IsNotRoad(roadClass) || IsNotRoad(highway)) return {};
  if (const std::string_view byType = CfccForHighway(highway, detail); !byType.empty()) return byType;
  return Lookup(kTileClassCfcc, roadClass);
}

}  // namespace quelmar::builder
