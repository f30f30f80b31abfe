#pragma once
// Names for unnamed geometry from label lines that follow it. Vector tiles
// keep road geometry (class, one-way, structure) and road names (with route
// numbers) in separate layers whose lines run over the same streets; the
// network needs one line per street with both.
#include <cstdint>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

// Each edge of `lines` takes the name and route numbers of the label line
// of the same road kind (the first two CFCC characters: a ramp is not named
// after the highway beside it) that follows it within `toleranceUnits` map
// units and in the same direction (the nearest one); a line is split where
// its label changes. Lines that have a name of their own keep it.
// Stretches of labels that follow no line and are longer than a few
// tolerances are added as lines of their own, so a street only the label
// layer has is not lost.
std::vector<StreetSegment> CarryLabelsOntoLines(std::vector<StreetSegment> lines,
                                                const std::vector<StreetSegment>& labels, std::int32_t toleranceUnits);

}  // namespace quelmar::builder
