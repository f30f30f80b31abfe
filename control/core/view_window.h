#pragma once
// The view record: which rectangle of the earth is shown and at which scale.
#include <cstdint>

namespace quelmar::core {

struct TViewWindow {
  std::int32_t Left = 0;    // west edge, map units
  std::int32_t Bottom = 0;  // south edge, map units
  std::int32_t Right = 0;   // east edge, map units
  std::int32_t Top = 0;     // north edge, map units
  double Scale = 1.0;       // horizontal pixels per map unit
  double ScaleY = 1.0;      // vertical pixels per map unit, Scale / Aspect
  double Aspect = 1.0;      // the Screen_Aspect property
  std::int32_t Width = 250;  // drawing area, pixels (the control's initial size)
  std::int32_t Height = 165;
  std::int32_t PaintWidth = 0;  // rectangle of the last paint, plus 1
  std::int32_t PaintHeight = 0;
  friend bool operator==(const TViewWindow&, const TViewWindow&) = default;
};

// A client pixel of the map panel: origin top-left, x right, y down.
struct TPixelPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TPixelPoint&, const TPixelPoint&) = default;
};

}  // namespace quelmar::core
