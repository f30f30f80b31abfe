#include "tools/quelmar-data/builder/relief/grey_bmp.h"

#include <cstdint>

#include "control/core/errors.h"

namespace quelmar::builder {
namespace {

constexpr std::uint32_t kPixelOffset = 14 + 40 + 256 * 4;

void Put16(std::string& out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>(v >> 8);
}

void Put32(std::string& out, std::size_t at, std::uint32_t v) {
  for (std::size_t i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string EncodeGreyBmp(const GreyImage& image) {
  if (image.Width < 2 || image.Height < 2) throw DataError("a grey bitmap needs at least 2 x 2 pixels");
  const std::uint64_t stride = (static_cast<std::uint64_t>(image.Width) + 3) / 4 * 4;
  const std::uint64_t size = kPixelOffset + stride * static_cast<std::uint64_t>(image.Height);
  if (size > 0x7FFFFFFFu) throw DataError("grey bitmap would pass 2 GiB");

  std::string out(static_cast<std::size_t>(size), '\0');
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(size));
  Put32(out, 10, kPixelOffset);
  Put32(out, 14, 40);
  Put32(out, 18, static_cast<std::uint32_t>(image.Width));
  Put32(out, 22, static_cast<std::uint32_t>(image.Height));
  Put16(out, 26, 1);   // planes
  Put16(out, 28, 8);   // bits per pixel
  Put32(out, 34, static_cast<std::uint32_t>(stride * static_cast<std::uint64_t>(image.Height)));
  Put32(out, 38, 2835);  // 72 pixels per inch
  Put32(out, 42, 2835);
  Put32(out, 46, 256);
  Put32(out, 50, 0);
  for (std::size_t i = 0; i < 256; ++i) {
    const char grey = static_cast<char>(i);
    out[54 + 4 * i] = grey;
    out[54 + 4 * i + 1] = grey;
    out[54 + 4 * i + 2] = grey;
  }
  for (std::int32_t y = 0; y < image.Height; ++y) {
    // The bottom row comes first.
    const std::size_t row = kPixelOffset + static_cast<std::size_t>(stride) * static_cast<std::size_t>(image.Height - 1 - y);
    for (std::int32_t x = 0; x < image.Width; ++x) out[row + static_cast<std::size_t>(x)] = static_cast<char>(image.At(x, y));
  }
  return out;
}

}  // namespace quelmar::builder
