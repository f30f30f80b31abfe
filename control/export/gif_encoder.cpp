#include "control/export/gif_encoder.h"

#include <algorithm>

#include "control/core/errors.h"
#include "control/export/gif_lzw.h"
#include "control/export/little_endian.h"

namespace quelmar::image_export {
namespace {

// Bits of the colour table's size: 2^bits entries hold the palette (at least
// 2).
int TableBits(std::size_t colors) {
  int bits = 1;
  while ((std::size_t{1} << bits) < colors) ++bits;
  return bits;
}

void Check(const IndexedPicture& picture) {
  if (picture.Width < 1 || picture.Height < 1 || picture.Width > kMaxGifSide || picture.Height > kMaxGifSide) {
    throw ArgumentError("a GIF image is 1 to " + std::to_string(kMaxGifSide) + " pixels a side, not " +
                        std::to_string(picture.Width) + " x " + std::to_string(picture.Height));
  }
  if (picture.Palette.empty() || picture.Palette.size() > kMaxPaletteColors) {
    throw ArgumentError("a GIF palette holds 1 to 256 colours, not " + std::to_string(picture.Palette.size()));
  }
  if (picture.Indexes.size() != static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height)) {
    throw ArgumentError("the picture's indexes do not match its size");
  }
  const std::uint8_t highest = *std::max_element(picture.Indexes.begin(), picture.Indexes.end());
  if (highest >= picture.Palette.size()) throw ArgumentError("a pixel's index is beyond the palette");
}

}  // namespace

std::string EncodeGif(const IndexedPicture& picture) {
  Check(picture);
  const int tableBits = TableBits(picture.Palette.size());
  std::string out = "GIF89a";
  // Logical screen: the global colour table, 8 bits per primary.
  PutU16(out, static_cast<std::uint16_t>(picture.Width));
  PutU16(out, static_cast<std::uint16_t>(picture.Height));
  out += static_cast<char>(0x80 | (7 << 4) | (tableBits - 1));
  out += '\0';  // background colour index
  out += '\0';  // no pixel aspect ratio
  for (std::size_t i = 0; i < (std::size_t{1} << tableBits); ++i) {
    const gdi::COLORREF c = i < picture.Palette.size() ? picture.Palette[i] : gdi::RGB(0, 0, 0);
    out += static_cast<char>(gdi::GetRValue(c));
    out += static_cast<char>(gdi::GetGValue(c));
    out += static_cast<char>(gdi::GetBValue(c));
  }
  // The one image, the whole screen, not interlaced, no local table.
  out += ',';
  PutU16(out, 0);
  PutU16(out, 0);
  PutU16(out, static_cast<std::uint16_t>(picture.Width));
  PutU16(out, static_cast<std::uint16_t>(picture.Height));
  out += '\0';
  const int minCodeSize = std::max(2, tableBits);
  out += static_cast<char>(minCodeSize);
  const std::string codes = EncodeLzw(picture.Indexes, minCodeSize);
  for (std::size_t at = 0; at < codes.size(); at += 255) {
    const std::size_t n = std::min<std::size_t>(255, codes.size() - at);
    out += static_cast<char>(n);
    out.append(codes, at, n);
  }
  out += '\0';  // the block terminator
  out += ';';   // the trailer
  return out;
}

}  // namespace quelmar::image_export
