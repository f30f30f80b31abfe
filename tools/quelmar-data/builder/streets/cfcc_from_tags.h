#pragma once
// The census feature class (CFCC) of a road from the way each source
// classifies it: OpenStreetMap highway tags, TIGER/Line MTFCC codes and the
// class and type of a vector-tile road. All the tables are in the .cpp so the
// classes of every source can be compared in one place. Each function returns
// "" for a feature that is not a road the street layer keeps (rail lines,
// platforms, roads under construction, turning-circle points).
#include <string_view>

namespace quelmar::builder {

// `highway` is the OSM highway value ("residential", "motorway_link");
// `service` the OSM service value, which marks alleys ("alley").
std::string_view CfccForHighway(std::string_view highway, std::string_view service = {});

// A TIGER/Line MTFCC such as "S1400".
std::string_view CfccForMtfcc(std::string_view mtfcc);

// A vector tile road: its `class` ("street", "link", "major_rail") and its
// `type`, the OSM value with an optional detail ("residential",
// "service:alley"). The type decides where it names a known highway value;
// otherwise the class does. Road labels have a class only.
std::string_view CfccForTileRoad(std::string_view roadClass, std::string_view type = {});

}  // namespace quelmar::builder
