#pragma once
// The points of the search tables, joined from the public inputs: ZIP codes
// with their places, the gazetteer's places under their names, telephone
// exchanges with the places they serve.
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"
#include "tools/quelmar-data/builder/inputs/gazetteer_index.h"
#include "tools/quelmar-data/builder/inputs/phone_prefixes.h"
#include "tools/quelmar-data/builder/zip_centroids.h"

namespace quelmar::builder {

// ZIP code points of the npm table.
std::vector<ZipPoint> ZipPointsOf(const ZipCentroids& zips);

// Every incorporated place and census-designated place of the gazetteer
// (states, the District and Puerto Rico), under each of its common names
// (CommonNames) and the name the places layer shows (DisplayName).
std::vector<PlaceName> GazetteerPlaceNames(const GazetteerIndex& gazetteer);

struct ExchangeCounts {
  int Exchanges = 0;       // written
  int Unplaced = 0;        // a place the gazetteer and the ZIP table lack
  int AreaCodeWide = 0;    // exchanges of area codes the geodata gives one place for
};

// The exchanges of the United States: each prefix of area code and exchange
// names a place, longer prefixes before shorter ones, and a prefix of the
// area code alone with a place stands for every central office code
// (200..999, not N11) the longer ones leave. A place takes the gazetteer's
// point (GazetteerIndex::Find), else the mean of its ZIP codes' points; its
// ZIP code is the nearest of its state (ZipCentroids::Nearest).
std::vector<ExchangePoint> ExchangePointsOf(const std::vector<PhonePrefix>& prefixes, const GazetteerIndex& gazetteer,
                                            const ZipCentroids& zips, ExchangeCounts* counts = nullptr);

}  // namespace quelmar::builder
