#pragma once
// The magnitude table and the scale bar length rules.
#include <array>
#include <cstdint>

#include "control/core/tx_enums.h"

namespace quelmar::core {

// Miles per screen inch of each magnitude step. TxMagnitude i selects entry i,
// so M500_0 means 1000 miles per inch; the last entry is never selected.
inline constexpr std::array<double, 17> MagnitudeMiles = {
    1000, 500, 300, 200, 100, 50, 30, 20, 10, 5, 3, 2, 1, 0.5, 0.3, 0.2, 0.1};

inline constexpr int kMagnitudeCount = 16;  // M500_0 .. M000_1

struct TScaleBar {
  double Length = 0;        // miles or kilometres, from the 10/5/3/2 series
  std::int32_t Pixels = 0;  // pixel length of Length
};

// The scale bar for a view whose screen inch spans `unitsPerInch` miles (or
// kilometres) at the view's `scale`. Candidates are c × f for f = 100 .. 0.0001
// and c = 10, 5, 3, 2; one qualifies when c·f / d ≤ 1.25, and the one closest
// to a whole inch wins (first met on ties). When |scale| < 1e-10, d is 0 or not
// finite, or no candidate qualifies, the bar is one inch: Pixels = PixelsPerInch
// and Length = d.
TScaleBar ScaleBarLength(double scale, double unitsPerInch, std::int32_t pixelsPerInch);

// The first magnitude whose table entry is below length + 0.001; M000_1 if none.
TxMagnitude MagnitudeFromScaleBar(double length);

// The magnitude whose table entry is nearest to milesPerInch, first on ties.
TxMagnitude NearestMagnitude(double milesPerInch);

}  // namespace quelmar::core
