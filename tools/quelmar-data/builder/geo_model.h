#pragma once
// The builder's neutral model of the map: what the input readers make and the
// writers cut into drawing files. Coordinates are map units (1/15625 degree,
// x east-positive), the engine's own, so that shared vertices stay exactly
// shared from the network builder to the files.
#include <cstdint>
#include <string>
#include <vector>

#include "control/core/map_units.h"

namespace quelmar::builder {

using core::TMapPoint;

// Longitude and latitude in degrees to the nearest map unit. Throws
// std::invalid_argument for values that are not finite or lie outside
// ±180° / ±90°.
TMapPoint ToMapUnits(double lon, double lat);

using Line = std::vector<TMapPoint>;
// A ring: first and last point equal is allowed but not required. Areas are
// filled even-odd, so outer rings and holes need no orientation.
using Ring = std::vector<TMapPoint>;

struct StateArea {
  int Fips = 0;          // 1..56 (and 72 for Puerto Rico)
  std::string Code;      // "IL"
  std::string Name;      // "Illinois"
  std::vector<Ring> Rings;
};

struct CountyArea {
  int StateFips = 0;
  int CountyFips = 0;    // within the state
  std::string Name;      // "Cook"
  std::vector<Ring> Rings;
  int AreaCode() const { return StateFips * 1000 + CountyFips; }
};

struct WaterArea {
  std::string Name;      // may be empty
  std::vector<Ring> Rings;
};

struct WaterLine {
  std::string Name;
  Line Points;
};

enum class Country : std::uint8_t { UnitedStates, Canada, Mexico };

struct Place {
  std::string Name;          // as written, e.g. "Chicago"
  std::string StateCode;     // "IL"; the province or state for Canada and Mexico
  int StateFips = 0;         // 0 outside the United States
  int CountyCode = 0;        // state FIPS × 1000 + county FIPS, 0 when unknown
  std::int32_t Population = 0;
  int ElevationFeet = 0;
  bool StateCapital = false;
  bool NationalCapital = false;
  Country In = Country::UnitedStates;
  TMapPoint At;
};

struct Airport {
  std::string Code;      // "ORD"
  std::string Name;      // "Chicago O'Hare International"
  std::string City;
  std::string StateCode;
  TMapPoint At;
};

// A named area or point of interest for the landmark layer.
enum class LandmarkKind : std::uint8_t { Park, Airport, Water, Other };
struct Landmark {
  std::string Name;
  LandmarkKind Kind = LandmarkKind::Other;
  TMapPoint At;               // label point
  std::vector<Ring> Rings;    // may be empty (a point landmark)
};

struct HighwayRoute {
  std::string Route;          // "I-94", "US-66"; a piece suffix such as "(west)" is dropped here
  bool Interstate = false;
  Line Points;                // the route's places in order
  std::vector<std::string> Places;  // "City, ST", as many as Points
};

// Everything of the national layers.
// The points of the search tables.
struct ZipPoint {
  std::int32_t Zip = 0;
  std::string Place;      // "Chicago"
  std::string StateCode;  // "IL"
  TMapPoint At;
};

struct PlaceName {
  std::string Name;  // as written: "Springfield", "St. Louis"
  int State = 0;     // state FIPS number (72 Puerto Rico)
  TMapPoint At;
};

struct ExchangePoint {
  int AreaCode = 0;
  int Exchange = 0;
  std::int32_t Zip = 0;  // 0 when none lies near
  std::string StateCode;
  std::string Place;
  TMapPoint At;
};

struct SearchTableInputs {
  std::vector<PlaceName> Places;
  std::vector<ExchangePoint> Exchanges;
};

struct NationalInputs {
  std::vector<Ring> Nation;           // outline of the United States
  std::vector<StateArea> States;
  std::vector<CountyArea> Counties;
  std::vector<Line> Coastline;
  std::vector<WaterArea> Lakes;
  std::vector<WaterLine> Rivers;
  std::vector<Ring> Neighbours;       // outlines of Canada and Mexico
  std::vector<Place> Places;          // United States, then major places of Canada and Mexico
  std::vector<Airport> Airports;
  std::vector<HighwayRoute> Highways;
  std::vector<Landmark> Landmarks;
  SearchTableInputs Search;         // empty when the inputs lack them
};

// One street line of the network. After noding (street_network.h) every
// crossing and junction is a shared end point of the segments that meet.
struct StreetSegment {
  std::string Name;          // stored form, upper case: "W ADDISON ST"; empty when unnamed
  std::string Cfcc;          // "A41"
  Line Points;               // at least two
  bool Bridge = false;
  bool Tunnel = false;
  bool OneWay = false;
  std::int32_t Low = 0;      // address range over both sides; 0 and 0 = none
  std::int32_t High = 0;
  std::int32_t Zip = 0;      // 0 = unknown
  std::string Ref;           // route numbers, ";"-separated ("I 90;I 94"), may be empty
};

struct AddressPoint {
  std::string Street;        // stored form, as StreetSegment::Name
  std::string Number;        // "1060"
  std::int32_t Zip = 0;
  TMapPoint At;
};

// The streets of one area for one state archive.
struct StreetSample {
  std::string Source;        // where it came from, for the build log and verify
  int StateFips = 0;
  bool Synthetic = false;    // made-up streets say so
  std::vector<StreetSegment> Segments;
  std::vector<AddressPoint> Addresses;
  std::vector<Landmark> Landmarks;  // named parks and water found with the streets
};

}  // namespace quelmar::builder
