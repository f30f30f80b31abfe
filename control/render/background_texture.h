#pragma once
// The textured map background used when the background colour is black: a
// 75 × 75 light grey (C0 C0 C0) tile with 1,369 ((74 × 74) / 4) random dots,
// each a mid-grey (80 80 80) pixel within the first 74 columns and rows with a
// white pixel directly above it (none on the top row).
#include <random>

#include "platform/gdi/bitmap.h"

namespace quelmar::render {

inline constexpr int kBackgroundTileSize = 75;
inline constexpr int kBackgroundDotArea = 74;
inline constexpr int kBackgroundDots = kBackgroundDotArea * kBackgroundDotArea / 4;
inline constexpr gdi::COLORREF kBackgroundTileColor = gdi::RGB(0xC0, 0xC0, 0xC0);
inline constexpr gdi::COLORREF kBackgroundDotColor = gdi::RGB(0x80, 0x80, 0x80);
inline constexpr gdi::COLORREF kBackgroundDotLight = gdi::RGB(0xFF, 0xFF, 0xFF);

// Paints a fresh texture into `tile` (75 × 75 pixels) with dots from `random`.
void PaintBackgroundTexture(gdi::Bitmap& tile, std::minstd_rand& random);

}  // namespace quelmar::render
