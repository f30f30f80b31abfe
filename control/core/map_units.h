#pragma once
// Map units: map geometry is held as int32 multiples of 1/15625 degree.
// X = longitude × 15625 (east-positive), Y = latitude × 15625.
#include <cstdint>

#include "control/core/rounding.h"

namespace quelmar::core {

inline constexpr double kUnitsPerDegree = 15625.0;
inline constexpr double kDegreesPerUnit = 0.000064;
// Degrees to radians, the constant every angle rule of the view uses.
inline constexpr double kRadiansPerDegree = 0.017453292519943295769;
inline constexpr double kDegreesPerRadian = 57.295779513082320877;

struct TMapPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TMapPoint&, const TMapPoint&) = default;
};

// Degrees to the nearest whole map unit (ties to even). A value that is not
// finite or whose units do not fit gives 1 and sets `overflow`, as RoundLimited.
inline std::int32_t DegreesToUnits(double degrees, bool& overflow) {
  return RoundLimited(degrees * kUnitsPerDegree, overflow);
}

inline double UnitsToDegrees(std::int32_t units) { return units * kDegreesPerUnit; }

}  // namespace quelmar::core
