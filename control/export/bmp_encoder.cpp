#include "control/export/bmp_encoder.h"

#include <cstdint>
#include <vector>

#include "control/export/little_endian.h"

namespace quelmar::image_export {

std::string EncodeBmp(const gdi::Bitmap& picture) {
  constexpr std::uint32_t kHeaders = 14 + 40;
  const int width = picture.Width(), height = picture.Height();
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  // A bitmap holds at most 2^28 pixels, so the file stays below 4 GiB.
  const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);

  std::string out;
  out.reserve(kHeaders + imageBytes);
  out += "BM";
  PutU32(out, kHeaders + imageBytes);
  PutU32(out, 0);  // reserved
  PutU32(out, kHeaders);
  PutU32(out, 40);  // BITMAPINFOHEADER
  PutU32(out, static_cast<std::uint32_t>(width));
  PutU32(out, static_cast<std::uint32_t>(height));  // positive: the bottom row comes first
  PutU16(out, 1);                                   // planes
  PutU16(out, 24);                                  // bits per pixel
  PutU32(out, 0);                                   // BI_RGB
  PutU32(out, imageBytes);
  PutU32(out, 3780);  // 96 dots per inch, in dots per metre
  PutU32(out, 3780);
  PutU32(out, 0);  // colours used
  PutU32(out, 0);  // important colours

  std::vector<gdi::COLORREF> row(static_cast<std::size_t>(width));
  for (int y = height - 1; y >= 0; --y) {
    picture.ReadRow(y, row.data());
    for (const gdi::COLORREF c : row) {
      out += static_cast<char>(gdi::GetBValue(c));
      out += static_cast<char>(gdi::GetGValue(c));
      out += static_cast<char>(gdi::GetRValue(c));
    }
    out.append(rowBytes - static_cast<std::uint32_t>(width) * 3, '\0');
  }
  return out;
}

}  // namespace quelmar::image_export
