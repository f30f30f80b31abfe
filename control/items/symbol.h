#pragma once
// Symbol: an item's picture at 8 bits per pixel (an index into its own
// colour table), as the item store keeps it once on assignment and shares it
// between items. A picture exactly twice as wide as high is a strip of two
// images, the picture on the left and its mask on the right (black where the
// picture shows, white where the map shows through); any other picture is
// drawn transparently, its transparent colour being that of the bottom-left
// pixel.
//
// For drawing, each symbol keeps its picture and its mask as 32-bit bitmaps
// ready for two blits (mask with AND, picture with OR), made at first use.
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/cairo_canvas.h"
#include "platform/gdi/gdi_types.h"

namespace quelmar::items {

// The largest symbol side taken from a file or a host bitmap: a turned
// picture of that side stays within a few megabytes.
inline constexpr std::int32_t kMaxSymbolSide = 1024;

// A picture and its mask as blit sources: where the mask is white the map
// stays, where it is black the picture's pixel is drawn.
struct SymbolImage {
  SymbolImage(int width, int height);
  gdi::Bitmap Picture;  // black wherever the mask is white
  gdi::Bitmap Mask;
  gdi::CairoCanvas PictureCanvas;
  gdi::CairoCanvas MaskCanvas;
};

class Symbol {
 public:
  // `pixels` are width × height indexes, top row first. ArgumentError for a
  // side below 1 or above kMaxSymbolSide, or a pixel count that differs.
  Symbol(std::int32_t width, std::int32_t height, std::array<gdi::COLORREF, 256> colours,
         std::vector<std::uint8_t> pixels);

  // Any picture turned to 8 bits: up to 256 distinct colours are kept
  // exactly, others go to the nearest of a fixed 6 × 6 × 6 colour cube.
  static std::shared_ptr<Symbol> FromBitmap(const gdi::Bitmap& bitmap);

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  // A strip of picture and mask.
  bool IsStrip() const { return width_ == 2 * height_; }
  // The size drawn: a strip's picture is half its width.
  std::int32_t DrawnWidth() const { return IsStrip() ? width_ / 2 : width_; }
  std::uint8_t Index(std::int32_t x, std::int32_t y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
  }
  gdi::COLORREF Colour(std::int32_t x, std::int32_t y) const { return colours_[Index(x, y)]; }
  const std::array<gdi::COLORREF, 256>& Colours() const { return colours_; }
  // The index of the bottom-left pixel, transparent in a single image.
  std::uint8_t TransparentIndex() const { return Index(0, height_ - 1); }
  // Whether the drawn picture shows at (x, y) of its DrawnWidth × Height area.
  bool Opaque(std::int32_t x, std::int32_t y) const;

  // The upright image for drawing, made at first use and kept.
  const SymbolImage& Upright() const;

 private:
  std::int32_t width_;
  std::int32_t height_;
  std::array<gdi::COLORREF, 256> colours_;
  std::vector<std::uint8_t> pixels_;
  mutable std::once_flag uprightMade_;
  mutable std::unique_ptr<SymbolImage> upright_;
};

}  // namespace quelmar::items
