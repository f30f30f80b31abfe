#pragma once
// What the benchmarks read: the data tree the README's main command builds
// (~/.local/share/quelmar/map, or $QUELMAR_DATA), and points by degrees.
#include <cmath>
#include <cstdlib>
#include <string>

#include "control/core/map_units.h"

namespace quelmar::bench {

inline std::string DataTree() {
  if (const char* env = std::getenv("QUELMAR_DATA"); env && *env) return env;
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.local/share/quelmar/map";
}

inline core::TMapPoint Point(double lon, double lat) {
  return {static_cast<std::int32_t>(std::lround(lon * core::kUnitsPerDegree)),
          static_cast<std::int32_t>(std::lround(lat * core::kUnitsPerDegree))};
}

}  // namespace quelmar::bench
