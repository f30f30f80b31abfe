#include "platform/gdi/brush_source.h"

#include "platform/gdi/bitmap_impl.h"

namespace quelmar::gdi {
namespace {

constexpr int kTileSize = 8;

cairo_pattern_t* CreateTileSource(const std::array<std::uint8_t, 8>& bits, COLORREF setColor, bool clearOpaque,
                                   COLORREF clearColor) {
  cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kTileSize, kTileSize);
  cairo_surface_flush(tile);
  unsigned char* data = cairo_image_surface_get_data(tile);
  const int stride = cairo_image_surface_get_stride(tile);
  // Opaque ARGB32 pixels are the RGB24 device pixels; a clear pixel is all zero.
  const std::uint32_t setPixel = ToDevicePixel(setColor);
  const std::uint32_t clearPixel = clearOpaque ? ToDevicePixel(clearColor) : 0u;
  for (int y = 0; y < kTileSize; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < kTileSize; ++x) row[x] = (bits[y] & (0x80 >> x)) ? setPixel : clearPixel;
  }
  cairo_surface_mark_dirty(tile);
  cairo_pattern_t* source = cairo_pattern_create_for_surface(tile);
  cairo_surface_destroy(tile);
  cairo_pattern_set_extend(source, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(source, CAIRO_FILTER_NEAREST);
  return source;
}

}  // namespace

std::array<std::uint8_t, 8> HatchBits(HatchStyle style) {
  switch (style) {
    case HatchStyle::Horizontal: return {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF};
    case HatchStyle::Vertical: return {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08};
    case HatchStyle::FDiagonal: return {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};  // "\" lines
    case HatchStyle::BDiagonal: return {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};  // "/" lines
    case HatchStyle::Cross: return {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0xFF};
    case HatchStyle::DiagCross: return {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
  }
  return {};
}

cairo_pattern_t* CreateBrushSource(const Brush& brush, COLORREF bkColor, BkMode bkMode) {
  switch (brush.style) {
    case BrushStyle::Null: return nullptr;
    case BrushStyle::Solid:
      return cairo_pattern_create_rgb(GetRValue(brush.color) / 255.0, GetGValue(brush.color) / 255.0,
                                      GetBValue(brush.color) / 255.0);
    case BrushStyle::Hatched:
      return CreateTileSource(HatchBits(brush.hatch), brush.color, bkMode == BkMode::Opaque, bkColor);
    case BrushStyle::Pattern: return CreateTileSource(brush.pattern, brush.color, true, brush.patternBack);
  }
  return nullptr;
}

void SetSourceColor(cairo_t* cr, COLORREF color) {
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0, GetBValue(color) / 255.0);
}

}  // namespace quelmar::gdi
