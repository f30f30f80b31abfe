#pragma once
// The coordinate grid: meridians and parallels at a rounded spacing, projected
// to client pixels with their label texts. The panel draws them.
#include <string>
#include <vector>

#include "control/core/tx_enums.h"
#include "control/core/view_window.h"

namespace quelmar::core {

class ViewState;

struct TGridLine {
  TPixelPoint From;
  TPixelPoint To;
  std::string Label;  // Windows-1252 text
  bool Meridian = false;
};

// At most this many meridians and as many parallels: a degenerate view (far
// taller than wide, or with saturated edges) cannot make the grid unbounded.
inline constexpr int kMaxGridLinesPerDirection = 1000;

// Rounds a spacing x (degrees) to the first base b of the mode's list with
// |x| > b: trunc(|x| / b + 0.5) × b with the sign of x; 1.0 when x is below
// every base. TmDEG uses decimal steps, the other modes minute steps.
double SnapGridSpacing(double x, TxLLMode mode);

// The grid of the view: about five meridians across its width, parallels at
// the same spacing. Each line runs one view height (width) beyond the view
// and goes through MapToPixel, so it follows the rotation.
std::vector<TGridLine> ComputeCoordinateGrid(const ViewState& view, TxLLMode mode);

}  // namespace quelmar::core
