#include "control/search/search_box.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "control/core/geodesy.h"
#include "control/core/map_units.h"

namespace quelmar::search {
namespace {

constexpr std::int32_t kProbeUnits = 2000;

}  // namespace

std::optional<double> DistanceMiles(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  const std::optional<core::TDistance> d = core::Distance(x1 * core::kDegreesPerUnit, y1 * core::kDegreesPerUnit,
                                                          x2 * core::kDegreesPerUnit, y2 * core::kDegreesPerUnit);
  if (!d) return std::nullopt;
  return d->Thousandths / 1000.0;
}

std::optional<SearchHalfSizes> SearchBoxHalfSizes(std::int32_t centreX, std::int32_t centreY, double radiusMiles) {
  if (!std::isfinite(radiusMiles) || radiusMiles < 0) return std::nullopt;
  const std::optional<double> alongX = DistanceMiles(centreX - kProbeUnits, centreY, centreX + kProbeUnits, centreY);
  const std::optional<double> alongY = DistanceMiles(centreX, centreY - kProbeUnits, centreX, centreY + kProbeUnits);
  if (!alongX || !alongY) return std::nullopt;
  auto units = [radiusMiles](double miles) -> std::optional<std::int32_t> {
    const double u = miles > 0 ? radiusMiles * 2 * kProbeUnits / miles : 0;
    if (u > std::numeric_limits<std::int32_t>::max() / 2) return std::nullopt;
    return static_cast<std::int32_t>(std::ceil(u));
  };
  const auto x = units(*alongX), y = units(*alongY);
  if (!x || !y) return std::nullopt;
  return SearchHalfSizes{*x, *y};
}

std::optional<std::int32_t> SearchBoxHalfSize(std::int32_t centreX, std::int32_t centreY, double radiusMiles) {
  const std::optional<SearchHalfSizes> sizes = SearchBoxHalfSizes(centreX, centreY, radiusMiles);
  if (!sizes) return std::nullopt;
  return std::max(sizes->X, sizes->Y);
}

}  // namespace quelmar::search
