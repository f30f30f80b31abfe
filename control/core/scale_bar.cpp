#include "control/core/scale_bar.h"

#include <cmath>

#include "control/core/rounding.h"

namespace quelmar::core {

TScaleBar ScaleBarLength(double scale, double unitsPerInch, std::int32_t pixelsPerInch) {
  const double d = unitsPerInch;
  const TScaleBar oneInch{d, pixelsPerInch};
  if (!(std::fabs(scale) >= 1e-10) || d == 0 || !std::isfinite(d)) return oneInch;

  static constexpr double kFactors[] = {100, 10, 1, 0.1, 0.01, 0.001, 0.0001};
  static constexpr double kSteps[] = {10, 5, 3, 2};
  bool found = false;
  double best = 0;
  double bestError = 0;
  for (double f : kFactors) {
    for (double c : kSteps) {
      const double ratio = c * f / d;
      if (ratio > 1.25) continue;
      const double error = std::fabs(ratio - 1);
      if (!found || error < bestError) {
        found = true;
        best = c * f;
        bestError = error;
      }
    }
  }
  if (!found) return oneInch;
  // L / d ≤ 1.25, so the pixel length is at most 1.25 inch: never out of range.
  const auto pixels = CheckedRound(pixelsPerInch / d * best);
  if (!pixels) return oneInch;
  return {best, *pixels};
}

TxMagnitude MagnitudeFromScaleBar(double length) {
  for (int i = 0; i < kMagnitudeCount; ++i) {
    if (MagnitudeMiles[i] < length + 0.001) return static_cast<TxMagnitude>(i);
  }
  return M000_1;
}

TxMagnitude NearestMagnitude(double milesPerInch) {
  int best = 0;
  for (int i = 1; i < kMagnitudeCount; ++i) {
    if (std::fabs(MagnitudeMiles[i] - milesPerInch) < std::fabs(MagnitudeMiles[best] - milesPerInch)) {
      best = i;
    }
  }
  return static_cast<TxMagnitude>(best);
}

}  // namespace quelmar::core
