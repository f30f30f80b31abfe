#include "control/render/background_fill.h"

#include <algorithm>
#include <cstdint>

#include "control/render/background_texture.h"
#include "platform/gdi/cairo_canvas.h"

namespace quelmar::render {

void FillMapBackground(gdi::Canvas& canvas, const gdi::Rect& rect, gdi::COLORREF color, std::minstd_rand& random) {
  if (rect.IsEmpty()) return;
  if (color != 0) {
    canvas.FillRect(rect, gdi::Brush::Solid(color));
    return;
  }
  gdi::Bitmap tile(kBackgroundTileSize, kBackgroundTileSize);
  PaintBackgroundTexture(tile, random);
  gdi::CairoCanvas tileCanvas(tile);
  // Wide counters: a rectangle reaching the end of the int32 range must not overflow them.
  for (std::int64_t y = rect.top; y < rect.bottom; y += kBackgroundTileSize) {
    for (std::int64_t x = rect.left; x < rect.right; x += kBackgroundTileSize) {
      const gdi::Rect piece{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                            static_cast<std::int32_t>(std::min<std::int64_t>(x + kBackgroundTileSize, rect.right)),
                            static_cast<std::int32_t>(std::min<std::int64_t>(y + kBackgroundTileSize, rect.bottom))};
      canvas.BitBlt(piece, tileCanvas, {0, 0}, gdi::Rop3::SrcCopy);
    }
  }
}

}  // namespace quelmar::render
