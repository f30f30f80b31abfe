#pragma once
// Bitmap: a 32-bit xRGB pixel buffer (Cairo's RGB24 layout) that canvases
// draw into and that hosts read or save as PNG.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdi/gdi_types.h"

namespace quelmar::gdi {

class Bitmap {
 public:
  // Throws std::invalid_argument for a negative size or one over 32767 pixels
  // a side (or 2^28 pixels in all), std::bad_alloc when memory runs out.
  // A new bitmap is black.
  Bitmap(int width, int height);
  ~Bitmap();
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  int Width() const;
  int Height() const;
  // Reallocates when the size differs; the content is then undefined (black).
  // Same size limits and exceptions as the constructor.
  void Resize(int width, int height);
  COLORREF Pixel(int x, int y) const;  // 0 outside
  void SetPixel(int x, int y, COLORREF color);  // ignored outside
  void Fill(COLORREF color);
  // Copies row y (0 <= y < Height()) into out[0..Width()), as colours; a row
  // outside the bitmap leaves `out` as it is.
  void ReadRow(int y, COLORREF* out) const;
  // The picture as a PNG stream; false (and *png unchanged) on failure.
  bool EncodePng(std::string* png) const;
  // Writes a PNG file; false on failure (the file is not left half-written).
  bool SavePng(const std::string& path) const;

  struct Impl;
  Impl& impl() { return *impl_; }
  const Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace quelmar::gdi
