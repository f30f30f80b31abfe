#pragma once
// CanvasState: everything a device context remembers between calls, with the
// defaults a new device context has (black one-pixel pen, white brush, black
// text on an opaque white background, no clip).
#include <algorithm>
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

  // Logical to device coordinates, clamped to +-2^29 so that hostile
  // coordinates cannot overflow, not even in a rectangle's width: anything
  // that far lies off every device.
  Point ToDevice(Point p) const {
    return Point{DeviceCoordinate(p.x, windowOrigin.x), DeviceCoordinate(p.y, windowOrigin.y)};
  }
  Rect ToDevice(const Rect& r) const {
    return Rect{DeviceCoordinate(r.left, windowOrigin.x), DeviceCoordinate(r.top, windowOrigin.y),
                DeviceCoordinate(r.right, windowOrigin.x), DeviceCoordinate(r.bottom, windowOrigin.y)};
  }
  static std::int32_t DeviceCoordinate(std::int32_t logical, std::int32_t origin) {
    constexpr std::int64_t kLimit = std::int64_t{1} << 29;
    return static_cast<std::int32_t>(std::clamp(std::int64_t{logical} - origin, -kLimit, kLimit));
  }

  friend bool operator==(const CanvasState&, const CanvasState&) = default;
};

}  // namespace quelmar::gdi
