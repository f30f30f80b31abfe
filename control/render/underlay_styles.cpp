#include "control/render/underlay_styles.h"

#include <algorithm>
#include <cmath>

namespace quelmar::render {
namespace {

// A linear blend from colour `from` at entry m to colour `to` at entry n, each
// channel rounded and kept in 0..255 (the topographic ramp runs past its end
// colours on some entries).
struct Blend {
  int m, n;
  std::uint8_t from[3], to[3];  // R, G, B
  gdi::COLORREF At(int i) const {
    std::uint8_t rgb[3];
    for (int c = 0; c < 3; ++c) {
      const double value = from[c] + static_cast<double>(to[c] - from[c]) * (i - m) / (n - m);
      rgb[c] = static_cast<std::uint8_t>(std::clamp(std::nearbyint(value), 0.0, 255.0));
    }
    return gdi::RGB(rgb[0], rgb[1], rgb[2]);
  }
};

// Entries first..last take `blend`.
struct TopoSegment {
  int first, last;
  Blend blend;
};

constexpr TopoSegment kTopo[] = {
    {1, 5, {1, 5, {0x40, 0x60, 0x30}, {0x70, 0x80, 0x40}}},
    {6, 9, {5, 10, {0x70, 0x80, 0x40}, {0x90, 0x90, 0x50}}},
    {10, 14, {10, 15, {0x90, 0x90, 0x50}, {0x90, 0xA0, 0x10}}},
    {15, 24, {15, 25, {0x90, 0xA0, 0x10}, {0xA0, 0x90, 0x20}}},
    {25, 69, {25, 70, {0xA0, 0x90, 0x20}, {0x10, 0xE0, 0x00}}},
    {70, 147, {70, 148, {0x10, 0xE0, 0x00}, {0xFF, 0xF0, 0x00}}},
    {148, 199, {148, 180, {0xFF, 0xF0, 0x00}, {0xC0, 0xC0, 0xC0}}},
    {200, 255, {180, 255, {0xC0, 0xC0, 0xC0}, {0xFF, 0xFF, 0xFF}}},
};
// Entry 0 continues the blend of entries 6..9 below entry 5.
constexpr Blend kTopoZero = kTopo[1].blend;

constexpr Blend kShadowLow{0, 192, {0x30, 0x30, 0x00}, {0xFF, 0xFF, 0x00}};
constexpr Blend kShadowHigh{192, 255, {0xFF, 0xFF, 0x00}, {0xFF, 0xFF, 0xFF}};

}  // namespace

UnderlayColours StyledColours(TxUndMode style, const UnderlayColours& imageColours) {
  UnderlayColours colours = imageColours;
  switch (style) {
    case UndMono:
      for (int i = 0; i < 256; ++i) {
        const auto grey = static_cast<std::uint8_t>(i * 223 / 255 + 32);
        colours[static_cast<std::size_t>(i)] = gdi::RGB(grey, grey, grey);
      }
      break;
    case UndTopo:
      colours[0] = kTopoZero.At(0);
      for (const TopoSegment& segment : kTopo) {
        for (int i = segment.first; i <= segment.last; ++i) colours[static_cast<std::size_t>(i)] = segment.blend.At(i);
      }
      break;
    case UndShadow:
      for (int i = 0; i < 256; ++i) colours[static_cast<std::size_t>(i)] = (i < 192 ? kShadowLow : kShadowHigh).At(i);
      break;
    default:
      break;
  }
  return colours;
}

}  // namespace quelmar::render
