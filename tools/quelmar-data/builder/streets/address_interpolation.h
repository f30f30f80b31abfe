#pragma once
// House number ranges interpolated from known addresses along a street.
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

struct InterpolationOptions {
  // An address farther than this from every segment of its street (map
  // units, about 200 m at mid latitudes) does not belong to it.
  double MaxDistanceUnits = 30;
};

// For each street name with address points, projects the points onto the
// street's segments and fits house numbers to their position along the
// street (a straight line in the direction the street runs). Segments
// between the first and the last address take the fitted numbers at their
// two ends, widened to the numbers found on them. A street with a single
// address (or with numbers that do not change along it) gives the segment
// that holds it the hundred block of that number. Other segments keep
// Low = High = 0. Numbers that do not start with digits are ignored. A
// segment given a range without a ZIP code takes the one most of the
// street's addresses have.
void InterpolateAddressRanges(std::vector<StreetSegment>& segments, const std::vector<AddressPoint>& addresses,
                              const InterpolationOptions& options = {});

}  // namespace quelmar::builder
