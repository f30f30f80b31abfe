#pragma once
// The two built-in drawings: the national base map (TARVO.DCM) and the
// highway network long-distance routing reads (HTOTAL.DCM).
#include <cstdint>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

// The base map's first extents, which a control without a map extent takes
// as the limits it pans within: the control's documented map extent.
inline constexpr double kMapWest = -175.0, kMapEast = -48.0, kMapSouth = 1.0, kMapNorth = 85.0;

std::vector<std::uint8_t> WriteBaseMap(const NationalInputs& inputs);
std::vector<std::uint8_t> WriteHighwayNetwork(const NationalInputs& inputs);

}  // namespace quelmar::builder
