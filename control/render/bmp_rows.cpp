#include "control/render/bmp_rows.h"

#include <string>

#include "control/core/errors.h"

namespace quelmar::render {

BmpRowReader::BmpRowReader(UnderlayBytes& bytes, const BmpHeader& header)
    : bytes_(bytes),
      header_(header),
      rowBytes_(static_cast<std::size_t>(header.Width) * (header.BitsPerPixel == 24 ? 3 : 1)),
      stride_((static_cast<std::uint64_t>(rowBytes_) + 3) & ~std::uint64_t{3}) {
  if (header.Compression != 0) {
    throw DataError("underlay bitmap uses compression " + std::to_string(header.Compression) +
                    "; only uncompressed rows are read");
  }
}

void BmpRowReader::ReadRow(std::int32_t row, std::span<std::uint8_t> out) {
  if (row < 0 || row >= header_.Height || out.size() != rowBytes_) {
    throw DataError("underlay bitmap row " + std::to_string(row) + " is outside the image");
  }
  const std::uint64_t offset = header_.PixelOffset + static_cast<std::uint64_t>(row) * stride_;
  const std::string what = "bitmap row " + std::to_string(row);
  ReadExactly(bytes_, offset, out, what.c_str());
}

}  // namespace quelmar::render
