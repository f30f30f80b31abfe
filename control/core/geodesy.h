#pragma once
// Distance and bearing between two longitude/latitude points (degrees).
#include <cstdint>
#include <optional>

namespace quelmar::core {

inline constexpr double kEarthRadiusMiles = 3960.0;

struct TDistance {
  std::int32_t Thousandths = 0;  // thousandths of a statute mile, whatever Mapunits says
  double Angle = 0;              // central angle, radians (the route directions read it)
};

// Great-circle distance by the spherical law of cosines on a 3960-mile sphere.
// Each coordinate is first rounded to a whole map unit. Empty when a
// coordinate is not finite.
std::optional<TDistance> Distance(double lon1, double lat1, double lon2, double lat2);

// Compass bearing 0..359 (0 north, 90 east) from point 1 to point 2, on plain
// degree differences without a cosine correction. Empty when the differences
// are not finite.
std::optional<std::int32_t> HeadsUp(double lon1, double lat1, double lon2, double lat2);

}  // namespace quelmar::core
