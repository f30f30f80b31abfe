#pragma once
// The inside of a Bitmap: a Cairo RGB24 image surface. Only the drawing layer
// includes this header; it is not part of the library's public surface.
#include <cairo.h>

#include <cstddef>
#include <cstdint>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/gdi_types.h"

namespace quelmar::gdi {

struct Bitmap::Impl {
  cairo_surface_t* surface = nullptr;
  int width = 0;
  int height = 0;

  // Direct pixel access. Call BeginPixelAccess before reading or writing the
  // buffer and EndPixelAccess after writing, so Cairo sees the change.
  void BeginPixelAccess() const { cairo_surface_flush(surface); }
  void EndPixelAccess() const { cairo_surface_mark_dirty(surface); }
  std::uint32_t* Row(int y) const {
    unsigned char* data = cairo_image_surface_get_data(surface);
    return reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface));
  }
  Rect Bounds() const { return Rect{0, 0, width, height}; }
};

// Cairo keeps RGB24 pixels as native 0x??RRGGBB words; colours here are
// 0x00BBGGRR. Bitwise raster operations work on either order alike.
constexpr std::uint32_t ToDevicePixel(COLORREF c) {
  return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}
constexpr COLORREF FromDevicePixel(std::uint32_t p) {
  return RGB(static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p));
}

}  // namespace quelmar::gdi
