#include "control/render/bmp_header.h"

#include <algorithm>
#include <string>
#include <vector>

#include "control/core/errors.h"

namespace quelmar::render {
namespace {

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

BmpHeader ReadBmpHeader(UnderlayBytes& bytes, const BmpFormats& formats) {
  const std::string what = formats.What;
  std::array<std::uint8_t, kBmpColourTableOffset> head{};
  ReadExactly(bytes, 0, head, "the bitmap header");
  const std::uint32_t infoSize = U32(&head[14]);
  if (infoSize != kBmpInfoHeaderSize) {
    throw DataError(what + " info header is " + std::to_string(infoSize) + " bytes, not 40");
  }
  BmpHeader header;
  header.PixelOffset = U32(&head[10]);
  header.Width = static_cast<std::int32_t>(U32(&head[18]));
  header.Height = static_cast<std::int32_t>(U32(&head[22]));
  header.BitsPerPixel = U16(&head[28]);
  header.Compression = U32(&head[30]);
  const std::uint32_t coloursUsed = U32(&head[46]);

  const bool trueColour = formats.TrueColour && header.BitsPerPixel == 24;
  if (header.BitsPerPixel != 8 && !trueColour) {
    throw DataError(what + " has " + std::to_string(header.BitsPerPixel) + " bits per pixel, not 8" +
                    (formats.TrueColour ? " or 24" : ""));
  }
  if (header.Width < formats.MinSide || header.Height < formats.MinSide || header.Width > formats.MaxSide ||
      header.Height > formats.MaxSide) {
    throw DataError(what + " size " + std::to_string(header.Width) + " x " + std::to_string(header.Height) +
                    " is not usable (" + std::to_string(formats.MinSide) + " to " + std::to_string(formats.MaxSide) +
                    " pixels a side, bottom row first)");
  }
  if (trueColour) {
    if (header.PixelOffset < kBmpColourTableOffset || header.PixelOffset > bytes.Size()) {
      throw DataError(what + " pixel area at " + std::to_string(header.PixelOffset) +
                      " does not follow its header inside the file");
    }
    return header;
  }
  if (coloursUsed > 256) {
    throw DataError(what + " uses " + std::to_string(coloursUsed) + " colours, more than 256");
  }
  header.Colours = coloursUsed == 0 ? 256 : static_cast<int>(coloursUsed);
  const std::uint64_t tableEnd = kBmpColourTableOffset + 4ull * static_cast<std::uint64_t>(header.Colours);
  if (header.PixelOffset < tableEnd || header.PixelOffset > bytes.Size()) {
    throw DataError(what + " pixel area at " + std::to_string(header.PixelOffset) +
                    " does not follow its colour table inside the file");
  }

  const std::size_t entries = std::min<std::size_t>(256, (header.PixelOffset - kBmpColourTableOffset) / 4);
  std::vector<std::uint8_t> table(entries * 4);
  ReadExactly(bytes, kBmpColourTableOffset, table, "the colour table");
  for (std::size_t i = 0; i < entries; ++i) {
    const std::uint8_t* quad = &table[i * 4];  // blue, green, red, 0
    header.ColourTable[i] = gdi::RGB(quad[2], quad[1], quad[0]);
  }
  return header;
}

}  // namespace quelmar::render
