#pragma once
// BmpRowReader: the rows of a plain 8-bit or 24-bit bitmap, W bytes (3 W for
// 24 bits, blue, green, red) each padded to a multiple of 4, bottom row first
// from the pixel-area offset.
#include "control/render/bmp_header.h"
#include "control/render/underlay_bytes.h"
#include "control/render/underlay_row_reader.h"

namespace quelmar::render {

class BmpRowReader final : public UnderlayRowReader {
 public:
  // DataError when the header announces compressed rows. `bytes` must outlive
  // the reader.
  BmpRowReader(UnderlayBytes& bytes, const BmpHeader& header);
  // Bytes of one row as ReadRow gives it: W, or 3 W for 24-bit images.
  std::size_t RowBytes() const { return rowBytes_; }
  // DataError when the row lies (partly) past the end of the file.
  void ReadRow(std::int32_t row, std::span<std::uint8_t> out) override;

 private:
  UnderlayBytes& bytes_;
  BmpHeader header_;
  std::size_t rowBytes_;
  std::uint64_t stride_;
};

}  // namespace quelmar::render
