#include "control/render/pcc_rows.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "control/core/errors.h"

namespace quelmar::render {

std::size_t DecodePccRow(std::span<const std::uint8_t> codes, std::span<std::uint8_t> out) {
  std::size_t filled = 0;
  std::size_t i = 0;
  while (filled < out.size() && i < codes.size()) {
    const std::uint8_t code = codes[i++];
    if (code < 192) {
      out[filled++] = code;
      continue;
    }
    if (i == codes.size()) break;  // a run without its value
    const std::uint8_t value = codes[i++];
    const std::size_t run = std::min<std::size_t>(code & 63u, out.size() - filled);
    std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(filled), run, value);
    filled += run;
  }
  return filled;
}

PccRowReader::PccRowReader(UnderlayBytes& bytes, const BmpHeader& header)
    : bytes_(bytes), header_(header),
      tableEnd_(header.PixelOffset + 4ull * (static_cast<std::uint64_t>(header.Height) + 2)) {
  if (tableEnd_ > bytes.Size()) throw DataError("compressed underlay row table runs past the end of the file");
}

std::uint32_t PccRowReader::TableEntry(std::int32_t index) {
  std::array<std::uint8_t, 4> entry{};
  ReadExactly(bytes_, header_.PixelOffset + 4ull * static_cast<std::uint64_t>(index), entry, "the row table");
  return static_cast<std::uint32_t>(entry[0]) | (static_cast<std::uint32_t>(entry[1]) << 8) |
         (static_cast<std::uint32_t>(entry[2]) << 16) | (static_cast<std::uint32_t>(entry[3]) << 24);
}

void PccRowReader::ReadRow(std::int32_t row, std::span<std::uint8_t> out) {
  if (row < 0 || row >= header_.Height || out.size() != static_cast<std::size_t>(header_.Width)) {
    throw DataError("compressed underlay row " + std::to_string(row) + " is outside the image");
  }
  const std::uint64_t start = row == 0 ? tableEnd_ : TableEntry(row - 1);
  const std::uint64_t end = TableEntry(row);
  if (start < tableEnd_ || end < start || end > bytes_.Size()) {
    throw DataError("compressed underlay row " + std::to_string(row) + " has offsets " + std::to_string(start) +
                    " to " + std::to_string(end) + " outside the file's row area");
  }
  // No row needs more than two code bytes per pixel.
  const std::uint64_t length = std::min<std::uint64_t>(end - start, 2ull * out.size());
  std::vector<std::uint8_t> codes(static_cast<std::size_t>(length));
  const std::string what = "compressed row " + std::to_string(row);
  ReadExactly(bytes_, start, codes, what.c_str());
  if (DecodePccRow(codes, out) != out.size()) {
    throw DataError("compressed underlay row " + std::to_string(row) + " ends before the row is full");
  }
}

}  // namespace quelmar::render
