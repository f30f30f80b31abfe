#pragma once
// CanvasState: everything a device context remembers between calls, with the
// defaults a new device context has (black one-pixel pen, white brush, black
// text on an opaque white background, no clip).
#include <cstdint>
#include <optional>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/region.h"

namespace quelmar::gdi {

struct CanvasState {
  Pen pen;
  Brush brush = Brush::Solid(RGB(255, 255, 255));
  Font font;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  BkMode bkMode = BkMode::Opaque;
  std::uint32_t textAlign = TA_LEFT | TA_TOP;
  Rop2 rop2 = Rop2::CopyPen;
  Point windowOrigin;
  Point currentPosition;        // logical coordinates (MoveTo / LineTo)
  std::optional<Region> clip;   // device coordinates; none means the whole device

  Point ToDevice(Point p) const { return Point{p.x - windowOrigin.x, p.y - windowOrigin.y}; }
  Rect ToDevice(const Rect& r) const { return OffsetRect(r, -windowOrigin.x, -windowOrigin.y); }

  friend bool operator==(const CanvasState&, const CanvasState&) = default;
};

}  // namespace quelmar::gdi
