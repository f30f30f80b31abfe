#pragma once
// A picture reduced to at most 256 colours for a GIF image. The palette is
// computed from the picture's own colours: all of them when there are at
// most 256 (the picture is then kept exactly), otherwise 256 by median cut
// over the colour histogram. Every pixel takes the nearest palette colour
// (squared distance in RGB), without dithering.
#include <cstdint>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/gdi_types.h"

namespace quelmar::image_export {

inline constexpr std::size_t kMaxPaletteColors = 256;

struct IndexedPicture {
  int Width = 0;
  int Height = 0;
  std::vector<gdi::COLORREF> Palette;  // 1 to 256 colours
  std::vector<std::uint8_t> Indexes;   // Width × Height, top row first
};

IndexedPicture IndexPicture(const gdi::Bitmap& picture);

// The same over colours already read out (Width × Height, top row first).
IndexedPicture IndexPixels(int width, int height, const std::vector<gdi::COLORREF>& pixels);

}  // namespace quelmar::image_export
