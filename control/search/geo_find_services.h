#pragma once
// The lookups GeoFind asks for, served by a control's place and street
// searches over its data folders.
#include <functional>

#include "control/search/geo_find.h"
#include "control/search/place_search.h"
#include "control/search/street_search.h"

namespace quelmar::search {

// ZIP, place and place-list lookups through `places` with `placeQuery`,
// street searches through `streets` with `sources`; the view centre and the
// report of places (to the host) are the caller's. The searches and the
// arguments must outlive the services.
GeoFindServices MakeGeoFindServices(PlaceSearch& places, const PlaceQuery& placeQuery, StreetSearch& streets,
                                    const StreetSources& sources);

}  // namespace quelmar::search
