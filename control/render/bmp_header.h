#pragma once
// The header of a bitmap file (an underlay image, ".bmp" or ".PCC", or a map
// item's symbol): the 14-byte file header, the 40-byte info header and the
// colour table, as a Windows bitmap lays them out. By default only 8-bit
// images of at least 2 x 2 pixels, stored bottom row first, are accepted: the
// underlay sampling reads one byte per pixel. Symbols also take 24-bit images
// (three bytes a pixel, blue first, no colour table) and a single pixel.
#include <cstdint>

#include "control/render/underlay_bytes.h"
#include "control/render/underlay_colours.h"

namespace quelmar::render {

inline constexpr std::uint32_t kBmpFileHeaderSize = 14;
inline constexpr std::uint32_t kBmpInfoHeaderSize = 40;
inline constexpr std::uint32_t kBmpColourTableOffset = kBmpFileHeaderSize + kBmpInfoHeaderSize;
// Larger sides are refused as damaged rather than trusted for allocations.
inline constexpr std::int32_t kMaxUnderlaySide = 1 << 20;

// What a reader of bitmap files accepts, and what it calls the file in its errors.
struct BmpFormats {
  bool TrueColour = false;    // 24 bits per pixel as well as 8
  std::int32_t MinSide = 2;   // the smallest width and height
  std::int32_t MaxSide = kMaxUnderlaySide;
  const char* What = "underlay image";
};

struct BmpHeader {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::uint16_t BitsPerPixel = 0;
  std::uint32_t Compression = 0;  // 0: rows stored as they are
  std::uint32_t PixelOffset = 0;  // file offset of the pixel area
  int Colours = 0;                // colours used; 0 in the file means 256 (0 for 24-bit images)
  // The colour table as 0x00BBGGRR; entries the file does not hold are black.
  UnderlayColours ColourTable{};
};

// Reads and checks the header. DataError when the file is too short, the info
// header is not 40 bytes, the image is not 8 bits per pixel (or 24 when the
// formats take them), a side is below MinSide or above MaxSide, the colour
// count is above 256, or the pixel area does not leave room for the colour
// table or lies past the end of the file. The colour table of an 8-bit image
// is read from offset 54 up to the pixel area (at most 256 entries, and at
// least the colours used).
BmpHeader ReadBmpHeader(UnderlayBytes& bytes, const BmpFormats& formats = {});

}  // namespace quelmar::render
