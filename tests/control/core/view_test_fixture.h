#pragma once
// Views shared by the ViewState tests.
#include <limits>

#include "control/core/view_state.h"

namespace quelmar::core::test_views {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();

// ZoomWindow(-88, 42, -87, 41) on the initial 250 × 165 view. Worked by hand:
// corners -1,375,000 / 640,625 and -1,359,375 / 656,250 map units, centre
// (-1,367,187, 648,437) (div 2 toward zero), w = h = 15,625;
// Scale = min(250 / 15625, 165 / 15625) = 0.01056;
// half sizes RoundLimited(11837.12) = 11837 and RoundLimited(7812.5) = 7812
// (tie to even); full sizes 23,674 and 15,625.
inline constexpr std::int32_t kChicagoLeft = -1379024;
inline constexpr std::int32_t kChicagoBottom = 640625;
inline constexpr std::int32_t kChicagoRight = -1355350;
inline constexpr std::int32_t kChicagoTop = 656250;
inline constexpr double kChicagoScale = 165.0 / 15625.0;

inline ViewState ChicagoView() {
  ViewState state;
  state.ZoomWindow(-88, 42, -87, 41);
  return state;
}

// A view placed by hand, without the zoom rules: west edge -1,400,000,
// south edge 600,000, 0.01 pixels per unit on a 250 × 165 area, with the
// edges re-derived: Right = Left + round(25000.5) = Left + 25000 and
// Top = Bottom + round(16500.5) = Bottom + 16500 (both ties to even).
inline ViewState PlacedView(double scale = 0.01) {
  ViewState state;
  TViewWindow& v = state.View();
  v.Left = -1400000;
  v.Bottom = 600000;
  v.Scale = scale;
  v.ScaleY = scale;
  state.DeriveEdges();
  return state;
}

}  // namespace quelmar::core::test_views
