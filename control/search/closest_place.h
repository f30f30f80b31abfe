#pragma once
// The closest place to a point: the user's own places first, then the place
// objects of the city layer archive ("Mcity.zpx") in the quads that meet the
// search box. Quads are read privately for the search, so the drawings the
// map has loaded stay as they were.
#include <cstdint>
#include <span>
#include <string>

#include "control/data/draw_object.h"

namespace quelmar::search {

inline constexpr std::string_view kCityArchive = "Mcity.zpx";

struct ClosestPlaceRequest {
  double Lon = 0;            // degrees
  double Lat = 0;
  double RadiusMiles = 0;
  std::int32_t Population = 0;
  int Test = 0;              // 1: population above, -1: below, 0: any
  int Decimals = 4;          // of the distance
  std::string CityFolder;    // the folder of the city archive (Path_data1)
  std::span<const data::PlaceObject> UserPlaces;
};

// "Chicago\t17031\t2695598\t1.2345\t-87.65,41.85": name, county code,
// population, distance in miles, longitude and latitude (at most 6
// decimals, trailing zeros dropped). "" when no place qualifies: within the
// radius, passing the population test, nearest of those. A missing or
// damaged archive or quad is passed over.
std::string FindClosestPlace(const ClosestPlaceRequest& request);

}  // namespace quelmar::search
