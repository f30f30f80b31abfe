#pragma once
// House number ranges from Chicago's public addressing grid. Numbers run
// outwards from two baselines — State Street for east and west addresses,
// Madison Street for north and south ones — at 800 to the mile (100 to a
// standard block of 1/8 mile); the N/S/E/W prefix of a street's name says
// which side of which baseline it numbers from. South of Madison the first
// three miles hold more numbers than that (Roosevelt Road is 1200 S at one
// mile, Cermak Road 2200 S at two, 31st Street 3100 S); the grid follows
// those public anchors there and runs at 800 a mile beyond 31st Street.
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

inline constexpr double kChicagoStateStreetLon = -87.6278;
inline constexpr double kChicagoMadisonStreetLat = 41.8819;

// The grid number at `at` along a street whose name starts with `direction`
// ('N', 'S', 'E' or 'W'): the distance from Madison Street for N and S, from
// State Street for E and W. Negative for another direction.
double ChicagoGridNumber(char direction, TMapPoint at);

// Whether `at` is inside the city, whose grid this is: the suburbs that
// reach into the sample area (Oak Park, Cicero, Berwyn, Stickney, Elmwood
// Park, Evanston, ...) number their streets their own way. Approximate, from
// the main boundary streets.
bool InChicago(TMapPoint at);

// Sets Low/High of each named segment with a N/S/E/W prefix inside the city
// from the grid numbers of its two ends, rounded out to whole hundreds as
// real block ranges are ("W ADDISON ST" from Sheffield to Clark:
// 1000..1199, both sides). Highways and ramps keep no range.
void SetChicagoGridRanges(std::vector<StreetSegment>& segments);

}  // namespace quelmar::builder
