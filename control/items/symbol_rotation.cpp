#include "control/items/symbol_rotation.h"

#include <cmath>
#include <numbers>

namespace quelmar::items {
namespace {

struct Turn {
  double cos = 1, sin = 0;
};

Turn TurnOf(double degrees) {
  const double r = std::fmod(degrees, 360.0) * std::numbers::pi / 180.0;
  Turn t{std::cos(r), std::sin(r)};
  // Quarter turns stay exact, so a turned square keeps its size.
  if (std::abs(t.cos) < 1e-12) t.cos = 0;
  if (std::abs(t.sin) < 1e-12) t.sin = 0;
  return t;
}

// The size of a w × h rectangle turned, rounded up to whole pixels.
std::int32_t TurnedSide(double a, double b) { return static_cast<std::int32_t>(std::ceil(a + b - 1e-9)); }

}  // namespace

core::TPixelRect RotatedBounds(const core::TPixelRect& r, double degrees) {
  const Turn t = TurnOf(degrees);
  const double w = r.Right - r.Left, h = r.Bottom - r.Top;
  const std::int32_t tw = TurnedSide(std::abs(w * t.cos), std::abs(h * t.sin));
  const std::int32_t th = TurnedSide(std::abs(w * t.sin), std::abs(h * t.cos));
  // Centred where the rectangle was; an odd growth puts the extra pixel right and below.
  const std::int32_t left = r.Left - (tw - static_cast<std::int32_t>(w)) / 2;
  const std::int32_t top = r.Top - (th - static_cast<std::int32_t>(h)) / 2;
  return {left, top, left + tw, top + th};
}

std::unique_ptr<SymbolImage> RotateSymbol(const Symbol& symbol, double degrees) {
  const Turn t = TurnOf(degrees);
  const std::int32_t w = symbol.DrawnWidth(), h = symbol.Height();
  const std::int32_t tw = std::max(1, TurnedSide(std::abs(w * t.cos), std::abs(h * t.sin)));
  const std::int32_t th = std::max(1, TurnedSide(std::abs(w * t.sin), std::abs(h * t.cos)));
  auto image = std::make_unique<SymbolImage>(tw, th);
  image->Mask.Fill(0xFFFFFF);
  image->Picture.Fill(0x000000);
  for (std::int32_t oy = 0; oy < th; ++oy) {
    for (std::int32_t ox = 0; ox < tw; ++ox) {
      // The result pixel's centre, about the centre, turned back onto the source.
      const double dx = ox + 0.5 - tw / 2.0, dy = oy + 0.5 - th / 2.0;
      const double sx = dx * t.cos + dy * t.sin + w / 2.0;
      const double sy = -dx * t.sin + dy * t.cos + h / 2.0;
      const auto x = static_cast<std::int32_t>(std::floor(sx));
      const auto y = static_cast<std::int32_t>(std::floor(sy));
      if (x < 0 || y < 0 || x >= w || y >= h || !symbol.Opaque(x, y)) continue;
      image->Mask.SetPixel(ox, oy, 0x000000);
      image->Picture.SetPixel(ox, oy, symbol.Colour(x, y));
    }
  }
  return image;
}

}  // namespace quelmar::items
