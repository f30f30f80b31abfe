#pragma once
// PccRowReader: the rows of a ".PCC" image, the row-compressed variant of the
// 8-bit bitmap. Its pixel area starts with a table of H + 2 32-bit file
// offsets; the compressed rows follow the table. Row r (counted from the
// bottom, r >= 1) runs from table entry r - 1 to table entry r; the bottom row
// runs from the end of the table to entry 0. Each row is run-length coded: a
// byte below 192 is one pixel, a byte of 192 or more a run of (byte & 63)
// pixels of the value in the next byte.
#include "control/render/bmp_header.h"
#include "control/render/underlay_bytes.h"
#include "control/render/underlay_row_reader.h"

namespace quelmar::render {

class PccRowReader final : public UnderlayRowReader {
 public:
  // DataError when the row table runs past the end of the file. `bytes` must
  // outlive the reader.
  PccRowReader(UnderlayBytes& bytes, const BmpHeader& header);
  // DataError when the row's offsets are out of order or outside the file, or
  // its codes end before the row is full. A run that passes the end of the row
  // is cut there, and codes after a full row are ignored.
  void ReadRow(std::int32_t row, std::span<std::uint8_t> out) override;

 private:
  std::uint32_t TableEntry(std::int32_t index);

  UnderlayBytes& bytes_;
  BmpHeader header_;
  std::uint64_t tableEnd_;
};

// Decodes one run-length coded row into `out`; returns how many pixels the
// codes filled (all of `out` unless they end early).
std::size_t DecodePccRow(std::span<const std::uint8_t> codes, std::span<std::uint8_t> out);

}  // namespace quelmar::render
