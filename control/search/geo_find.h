#pragma once
// GeoFind: one address string ("1060 W Addison St, Chicago, IL 60613|5")
// geocoded on the street data. The ZIP code or the places of the city give
// the search centres, the street is searched around each, and the hits are
// filtered by the typed city, street and house number; with no street hit
// the ZIP code's or the city's point is reported instead.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "control/search/match_quality.h"
#include "control/search/short_string.h"
#include "control/search/street_search.h"

namespace quelmar::search {

// A search centre; one within a degree of a listed centre adds nothing (the
// place lookup lists the best match first, and centres moved to the mean of
// "Chicago" and "Chicago Heights" drift out of the city), else it is
// appended while fewer than five are listed.
struct SearchCentre {
  double Lon = 0;
  double Lat = 0;
};
inline constexpr std::size_t kMaxSearchCentres = 5;
void AddSearchCentre(std::vector<SearchCentre>& centres, SearchCentre centre);

// Adds the places the list lookup `placeLines` gives for "CITY*,ST" as
// centres, and those of its "Des ", "De " and "Saint " forms ("DESMOINES",
// "DEKALB", "ST LOUIS").
void AddPlaceCentres(std::vector<SearchCentre>& centres, const ShortString& city, const ShortString& state,
                     const std::function<std::vector<ShortString>(const ShortString& query)>& placeLines);

// What GeoFind asks of the rest of the control.
struct GeoFindServices {
  // The ZIP result line of a ZIP code; "" when there is none.
  std::function<ShortString(std::int32_t zip)> ZipLine;
  // The place line of the exact place lookup for "City,ST"; "" when none.
  std::function<ShortString(const ShortString& query)> PlaceLine;
  // The place lines (name, state, longitude, latitude) of a list lookup
  // such as "CHICAGO*,IL".
  std::function<std::vector<ShortString>(const ShortString& query)> PlaceLines;
  // The place lookup reporting its places to the host (FindPlace), each
  // with the quality given.
  std::function<void(const ShortString& query, const MatchQuality& quality)> ReportPlaces;
  // The street search.
  std::function<void(const StreetQuery& query, const std::function<void(const StreetReport&)>& report)> Streets;
  SearchCentre ViewCentre;
};

struct GeoFindHit {
  std::string Line;  // as the host reads it in Street
  MatchQuality Quality;
};

// Geocodes `address`; each line found goes to `report`. Returns the number
// reported, -1 when places went to ReportPlaces instead, 0 for none. Throws
// ArgumentError when the radius after "|" is not a number of miles.
int GeoFind(const ShortString& address, const GeoFindServices& services,
            const std::function<void(const GeoFindHit&)>& report);

}  // namespace quelmar::search
