#include "control/core/geodesy.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "control/core/map_units.h"

namespace quelmar::core {

namespace {

// Degrees through whole map units to radians.
double UnitRadians(double degrees) {
  return std::nearbyint(degrees * kUnitsPerDegree) * kDegreesPerUnit * kRadiansPerDegree;
}

}  // namespace

std::optional<TDistance> Distance(double lon1, double lat1, double lon2, double lat2) {
  // Finite, and within what whole map units can hold: the sines of larger
  // values are no distance.
  constexpr double kLargest = 2147483647.0 / kUnitsPerDegree;
  for (double d : {lon1, lat1, lon2, lat2}) {
    if (!(std::abs(d) <= kLargest)) return std::nullopt;
  }
  const double phi1 = UnitRadians(lat1);
  const double phi2 = UnitRadians(lat2);
  const double lambda1 = UnitRadians(lon1);
  const double lambda2 = UnitRadians(lon2);
  double c = std::sin(phi1) * std::sin(phi2) +
             std::cos(phi1) * std::cos(phi2) *
                 (std::cos(lambda1) * std::cos(lambda2) + std::sin(lambda1) * std::sin(lambda2));
  // Rounding can push c just past 1 for (nearly) identical points; unclamped,
  // arcsin would give NaN instead of a distance of 0.
  c = std::clamp(c, -1.0, 1.0);
  const double angle = std::numbers::pi / 2 - std::asin(c);
  // angle is within [0, pi], so the rounded result always fits.
  if (!std::isfinite(angle)) return std::nullopt;
  return TDistance{static_cast<std::int32_t>(std::nearbyint(angle * kEarthRadiusMiles * 1000)), angle};
}

std::optional<std::int32_t> HeadsUp(double lon1, double lat1, double lon2, double lat2) {
  const double dx = lon2 - lon1;
  const double dy = lat2 - lat1;
  if (!std::isfinite(dx) || !std::isfinite(dy)) return std::nullopt;
  // atan2 lies in [-180, 180] degrees, so b lies in [-90, 270] before the wrap.
  std::int32_t b = 90 - static_cast<std::int32_t>(std::nearbyint(std::atan2(dy, dx) * kDegreesPerRadian));
  if (b < 0) b += 360;
  return b;
}

}  // namespace quelmar::core
