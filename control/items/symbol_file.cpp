#include "control/items/symbol_file.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "control/core/errors.h"
#include "control/render/bmp_header.h"
#include "control/render/bmp_rows.h"

namespace quelmar::items {

std::shared_ptr<Symbol> ReadSymbolBitmap(render::UnderlayBytes& bytes) {
  render::BmpFormats formats;
  formats.TrueColour = true;
  formats.MinSide = 1;
  formats.MaxSide = kMaxSymbolSide;
  formats.What = "symbol bitmap";
  const render::BmpHeader header = render::ReadBmpHeader(bytes, formats);
  render::BmpRowReader rows(bytes, header);
  const std::size_t w = static_cast<std::size_t>(header.Width);
  const std::size_t h = static_cast<std::size_t>(header.Height);
  // Nothing is made for a picture whose rows the file cannot hold.
  const std::uint64_t stride = (static_cast<std::uint64_t>(rows.RowBytes()) + 3) & ~std::uint64_t{3};
  if (header.PixelOffset + stride * (h - 1) + rows.RowBytes() > bytes.Size()) {
    throw DataError("symbol bitmap of " + std::to_string(w) + " x " + std::to_string(h) +
                    " pixels ends before its last row");
  }
  std::vector<std::uint8_t> row(rows.RowBytes());
  std::vector<std::uint8_t> pixels(w * h);
  if (header.BitsPerPixel == 8) {
    for (std::size_t r = 0; r < h; ++r) {
      rows.ReadRow(static_cast<std::int32_t>(r), row);
      // File rows run bottom first; the symbol's top first.
      std::copy(row.begin(), row.end(), pixels.begin() + static_cast<std::ptrdiff_t>((h - 1 - r) * w));
    }
    return std::make_shared<Symbol>(header.Width, header.Height, header.ColourTable, std::move(pixels));
  }
  // 24 bits: the picture's colours become its table, as a host bitmap's do.
  gdi::Bitmap picture(header.Width, header.Height);
  for (std::size_t r = 0; r < h; ++r) {
    rows.ReadRow(static_cast<std::int32_t>(r), row);
    for (std::size_t x = 0; x < w; ++x) {
      const std::uint8_t* bgr = &row[x * 3];
      picture.SetPixel(static_cast<int>(x), static_cast<int>(h - 1 - r), gdi::RGB(bgr[2], bgr[1], bgr[0]));
    }
  }
  return Symbol::FromBitmap(picture);
}

std::shared_ptr<Symbol> LoadSymbolFile(const std::string& path) {
  render::FileUnderlayBytes bytes(path);
  try {
    return ReadSymbolBitmap(bytes);
  } catch (const DataError& e) {
    throw DataError(path + ": " + e.what());
  }
}

}  // namespace quelmar::items
