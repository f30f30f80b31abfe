#pragma once
// Made-up streets for benchmarks and scale tests: a square grid of named
// streets with address ranges around a centre. Real samples come from
// street_samples.h; these say they are synthetic.
#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

struct SyntheticStreetOptions {
  double CenterLon = -98.5795;  // the geographic centre of the 48 states
  double CenterLat = 39.8283;
  int StreetsEachWay = 16;    // east-west streets, and as many north-south ones (2..1000)
  double BlockMiles = 0.125;  // distance between neighbouring streets
  int StateFips = 0;
};

// East-west streets are "1ST ST", "2ND ST", ... from south to north; north-
// south ones "1ST AVE", ... from west to east. Every eighth street is a
// secondary road (A31), the rest local streets (A41). Each block is one
// segment whose range is the block's hundred, counted from the grid's west
// (streets) or south (avenues) edge: the second block is 200..299. Throws
// quelmar::ArgumentError for a street count out of range, a block size that
// is not positive, or a grid that does not fit on the globe.
StreetSample MakeSyntheticStreets(const SyntheticStreetOptions& options);

}  // namespace quelmar::builder
