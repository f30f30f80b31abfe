#include "control/core/coordinate_grid.h"

#include <cmath>

#include "control/core/coordinate_format.h"
#include "control/core/map_units.h"
#include "control/core/view_state.h"

namespace quelmar::core {

namespace {

constexpr double kDecimalBases[] = {10, 5, 2, 1, 0.5, 0.25, 0.1, 0.05, 0.025, 0.01, 0.005, 0.0025, 0.001};
constexpr double kMinuteBases[] = {10,       5,        2,        1,         0.5,       0.25,      1.0 / 6,
                                   1.0 / 12, 1.0 / 30, 1.0 / 60, 1.0 / 360, 1.0 / 720, 1.0 / 1440};

// The label of the grid line at index × s degrees.
std::string GridLabel(double index, double s, TxLLMode mode) {
  double degrees = index * s;
  if (degrees == 0) degrees = 0;  // no "-0" for a line at index -0
  if (mode == TmDEG) {
    const int decimals = s >= 1 ? 0 : s >= 0.1 ? 1 : s >= 0.01 ? 2 : 3;
    return FormatFixed(degrees, decimals);
  }
  // FormatCoordinate truncates minutes and seconds, and k/6 degree times the
  // unit constants can land a hair below the true value (9'59" for 10'). A
  // nudge of 1e-9 degree away from zero, far below one second, lands it on
  // or just above.
  const double nudged = degrees == 0 ? 0.0 : std::copysign(std::fabs(degrees) + 1e-9, degrees);
  return FormatCoordinate(nudged * kUnitsPerDegree, mode, s <= 1.0 / 6 ? 3 : 2);
}

}  // namespace

double SnapGridSpacing(double x, TxLLMode mode) {
  const auto& bases = mode == TmDEG ? kDecimalBases : kMinuteBases;
  for (double b : bases) {
    if (std::fabs(x) > b) return std::copysign(std::trunc(std::fabs(x) / b + 0.5) * b, x);
  }
  return 1.0;
}

std::vector<TGridLine> ComputeCoordinateGrid(const ViewState& state, TxLLMode mode) {
  const TViewWindow& v = state.View();
  const double width = static_cast<double>(v.Right) - v.Left;
  const double height = static_cast<double>(v.Top) - v.Bottom;
  const double s = SnapGridSpacing(width * kDegreesPerUnit / 5, mode);
  // The spacing is in degrees; the lines step through map units.
  const double step = s * kUnitsPerDegree;
  std::vector<TGridLine> lines;
  // A view with Right < Left snaps to a negative spacing: no grid.
  if (!std::isfinite(step) || !(step > 0)) return lines;

  const double firstMeridian = std::trunc(v.Left / step + 0.5);
  for (int i = 0; i < kMaxGridLinesPerDirection; ++i) {
    const double index = firstMeridian + i;
    const double x = index * step;
    if (x > v.Right) break;
    lines.push_back({state.MapToPixelReal(x, v.Bottom - height), state.MapToPixelReal(x, v.Top + height),
                     GridLabel(index, s, mode), true});
  }
  const double firstParallel = std::trunc(v.Bottom / step + 0.5);
  for (int i = 0; i < kMaxGridLinesPerDirection; ++i) {
    const double index = firstParallel + i;
    const double y = index * step;
    if (y > v.Top) break;
    lines.push_back({state.MapToPixelReal(v.Left - width, y), state.MapToPixelReal(v.Right + width, y),
                     GridLabel(index, s, mode), false});
  }
  return lines;
}

}  // namespace quelmar::core
