#pragma once
// The places layer: GeoNames cities with their population, joined to the
// Census gazetteer for official names and coordinates, placed in their
// county, with the state capitals and the national capital marked; then the
// major places of Canada and Mexico.
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"
#include "tools/quelmar-data/builder/inputs/gazetteer_index.h"
#include "tools/quelmar-data/builder/inputs/geonames_cities.h"

namespace quelmar::builder {

struct PlaceCounts {
  int Joined = 0;      // United States places given gazetteer names and coordinates
  int Unjoined = 0;    // kept with GeoNames names and coordinates
  int Duplicates = 0;  // a second GeoNames entry for a place already kept
};

// United States places (the states given; Puerto Rico's cities are filed by
// GeoNames under country "PR") of population >= 1,000, sections of cities
// and abandoned or historical places left out. A city joins the gazetteer
// entry of its name (GazetteerIndex::Find) in its state nearest to it, if
// that is within 25 miles; it then takes the entry's name and centroid.
// Two cities joined to one entry keep the more populous, and so do two
// unjoined ones of one name within 5 miles. Sorted by state FIPS, population
// (largest first), name.
//
// Then the places of Canada and Mexico of population >= 100,000, Canada
// first, each sorted by population and name.
//
// Throws quelmar::DataError when the capital of a state given, or Washington
// when the District is given, is not among the places.
std::vector<Place> BuildPlaces(const std::vector<GeoNamesCity>& cities, const GazetteerIndex& gazetteer,
                               const std::vector<StateArea>& states, const std::vector<CountyArea>& counties,
                               PlaceCounts* counts = nullptr);

}  // namespace quelmar::builder
