#pragma once
// The square box the searches look in around a centre: its half-size is the
// radius in map units along x or along y, whichever is larger, each measured
// by the great-circle distance across 4000 units about the centre.
#include <cstdint>
#include <optional>

namespace quelmar::search {

// Nullopt when the centre or radius is not finite or the box would not fit
// the map's units.
std::optional<std::int32_t> SearchBoxHalfSize(std::int32_t centreX, std::int32_t centreY, double radiusMiles);

// The radius in map units along x and along y, apart.
struct SearchHalfSizes {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};
// Nullopt as SearchBoxHalfSize.
std::optional<SearchHalfSizes> SearchBoxHalfSizes(std::int32_t centreX, std::int32_t centreY, double radiusMiles);

// Great-circle distance in miles between two points in map units.
std::optional<double> DistanceMiles(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);

}  // namespace quelmar::search
