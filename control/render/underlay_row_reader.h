#pragma once
// UnderlayRowReader: one row of 8-bit pixels of an underlay image at a time,
// as the sampling asks for them (rows counted from the bottom of the image).
#include <cstdint>
#include <span>

namespace quelmar::render {

class UnderlayRowReader {
 public:
  virtual ~UnderlayRowReader() = default;
  // Fills `out` (exactly the image width) with row `row`, 0 being the bottom
  // row. DataError when the row cannot be read or decoded, or `row` or the
  // size of `out` does not fit the image; IoError when the file read fails.
  virtual void ReadRow(std::int32_t row, std::span<std::uint8_t> out) = 0;
};

}  // namespace quelmar::render
