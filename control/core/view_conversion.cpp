// ViewState: conversions between degrees, map units and client pixels.
#include <cmath>

#include "control/core/rounding.h"
#include "control/core/view_state.h"

namespace quelmar::core {

namespace {

constexpr TPixelPoint kFallbackPixel{1, 1};

// x in the high half, y in the low half; the unsigned arithmetic keeps the
// shift defined and the final narrowing is modular.
std::int32_t PackPixel(TPixelPoint p) {
  const std::uint32_t high = static_cast<std::uint32_t>(p.X) & 0xFFFFu;
  const std::uint32_t low = static_cast<std::uint32_t>(p.Y) & 0xFFFFu;
  return static_cast<std::int32_t>(high << 16 | low);
}

}  // namespace

TPixelPoint ViewState::MapToPixel(std::int32_t x, std::int32_t y) const {
  return MapToPixelReal(x, y);
}

TPixelPoint ViewState::MapToPixelReal(double x, double y) const {
  double dx = x - view_.Left;
  double dy = view_.Top - y;
  if (rotationActive_) {
    // Turn about the view centre, measured in map units from the top-left.
    const double cx = static_cast<double>(Div2(static_cast<std::int64_t>(view_.Right) - view_.Left));
    const double cy = static_cast<double>(Div2(static_cast<std::int64_t>(view_.Top) - view_.Bottom));
    const double rx = (dx - cx) * rotationCos_ - (dy - cy) * rotationSin_ + cx;
    const double ry = (dy - cy) * rotationCos_ + (dx - cx) * rotationSin_ + cy;
    dx = rx;
    dy = ry;
  }
  const auto px = CheckedRound(dx * view_.Scale);
  const auto py = CheckedRound(dy * view_.ScaleY);
  if (!px || !py) return kFallbackPixel;
  return {*px, *py};
}

std::int32_t ViewState::PixelToMapX(std::int32_t px) const {
  const auto offset = CheckedRound(px / view_.Scale);
  if (!offset) return 0;
  const std::int64_t x = static_cast<std::int64_t>(*offset) + view_.Left;
  bool overflow = false;
  const std::int32_t result = SaturateInt32(x, overflow);
  return overflow ? 0 : result;
}

std::int32_t ViewState::PixelToMapY(std::int32_t py) const {
  // Truncated, not rounded: a pixel row maps to the unit at or above it.
  const auto offset = CheckedTrunc(py / view_.ScaleY);
  if (!offset) return 1;
  const std::int64_t y = view_.Top - static_cast<std::int64_t>(*offset);
  bool overflow = false;
  const std::int32_t result = SaturateInt32(y, overflow);
  return overflow ? 1 : result;
}

TPixelPoint ViewState::UnrotateMousePixel(TPixelPoint mouse) const {
  if (!rotationActive_) return mouse;
  const double cx = static_cast<double>(Div2(view_.Width));
  const double cy = static_cast<double>(Div2(view_.Height));
  const double dx = mouse.X - cx;
  const double dy = mouse.Y - cy;
  // The rotation formula with the angle negated: cos(-a) = cos a, sin(-a) = -sin a.
  const double rx = dx * rotationCos_ + dy * rotationSin_ + cx;
  const double ry = dy * rotationCos_ - dx * rotationSin_ + cy;
  const auto px = CheckedRound(rx);
  const auto py = CheckedRound(ry);
  if (!px || !py) return kFallbackPixel;
  return {*px, *py};
}

std::int32_t ViewState::Lon2Int(double lon) const {
  // The longitude in map units stays a real here: no rounding to whole units.
  const double x = lon * kUnitsPerDegree;
  const auto px = CheckedRound64((x - view_.Left) * view_.Scale);
  return px ? Low16(*px) : 1;
}

std::int32_t ViewState::Lat2Int(double lat) const {
  // Measured up from the bottom edge, unlike PixelToMapY which measures down
  // from the top: a round trip can differ by one pixel.
  const double y = lat * kUnitsPerDegree;
  const auto py = CheckedRound64(view_.Height - (y - view_.Bottom) * view_.ScaleY);
  return py ? Low16(*py) : 1;
}

double ViewState::Int2Lon(std::int32_t px) const {
  return UnitsToDegrees(PixelToMapX(px));
}

double ViewState::Int2Lat(std::int32_t py) const {
  return UnitsToDegrees(PixelToMapY(py));
}

std::int32_t ViewState::LL2Int(double lon, double lat) const {
  bool overflow = false;
  const std::int32_t x = DegreesToUnits(lon, overflow);
  const std::int32_t y = DegreesToUnits(lat, overflow);
  if (overflow) return PackPixel(kFallbackPixel);
  return PackPixel(MapToPixel(x, y));
}

TLonLat ViewState::CursorLonLat(TPixelPoint mouse) const {
  const TPixelPoint p = UnrotateMousePixel(mouse);
  return {(p.X / view_.Scale + view_.Left) * kDegreesPerUnit,
          (view_.Top - p.Y / view_.ScaleY) * kDegreesPerUnit};
}

}  // namespace quelmar::core
