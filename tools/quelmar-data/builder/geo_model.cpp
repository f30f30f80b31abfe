#include "tools/quelmar-data/builder/geo_model.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace quelmar::builder {

TMapPoint ToMapUnits(double lon, double lat) {
  if (!std::isfinite(lon) || !std::isfinite(lat) || std::fabs(lon) > 180.0 || std::fabs(lat) > 90.0) {
    throw std::invalid_argument("coordinate out of range: " + std::to_string(lon) + ", " + std::to_string(lat));
  }
  return {static_cast<std::int32_t>(std::lround(lon * core::kUnitsPerDegree)),
          static_cast<std::int32_t>(std::lround(lat * core::kUnitsPerDegree))};
}

}  // namespace quelmar::builder
