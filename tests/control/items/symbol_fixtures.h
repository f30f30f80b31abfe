#pragma once
// Symbol fixtures: pictures drawn pixel by pixel and 24-bit bitmap files
// written byte by byte, apart from the readers under test.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "control/items/symbol.h"
#include "platform/gdi/bitmap.h"

namespace quelmar::items::test {

// A picture whose pixel (x, y) has the colour colour(x, y).
inline std::unique_ptr<gdi::Bitmap> Picture(int width, int height,
                                            const std::function<gdi::COLORREF(int, int)>& colour) {
  auto bitmap = std::make_unique<gdi::Bitmap>(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bitmap->SetPixel(x, y, colour(x, y));
  }
  return bitmap;
}

// File header, 40-byte info header, rows bottom first (blue, green, red),
// each padded to 4 bytes.
inline std::vector<std::uint8_t> Bmp24(const gdi::Bitmap& picture) {
  const int w = picture.Width(), h = picture.Height();
  const std::uint32_t stride = (static_cast<std::uint32_t>(w) * 3 + 3) & ~3u;
  std::vector<std::uint8_t> bytes(54 + stride * static_cast<std::uint32_t>(h));
  auto u16 = [&](std::size_t at, std::uint16_t v) {
    bytes[at] = static_cast<std::uint8_t>(v);
    bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
  };
  auto u32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  u32(2, static_cast<std::uint32_t>(bytes.size()));
  u32(10, 54);
  u32(14, 40);
  u32(18, static_cast<std::uint32_t>(w));
  u32(22, static_cast<std::uint32_t>(h));
  u16(26, 1);
  u16(28, 24);
  for (int r = 0; r < h; ++r) {
    for (int x = 0; x < w; ++x) {
      const gdi::COLORREF c = picture.Pixel(x, h - 1 - r);
      std::uint8_t* p = &bytes[54 + static_cast<std::size_t>(r) * stride + static_cast<std::size_t>(x) * 3];
      p[0] = gdi::GetBValue(c);
      p[1] = gdi::GetGValue(c);
      p[2] = gdi::GetRValue(c);
    }
  }
  return bytes;
}

}  // namespace quelmar::items::test
