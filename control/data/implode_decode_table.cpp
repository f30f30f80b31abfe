#include "control/data/implode_decode_table.h"

#include "control/core/errors.h"

namespace quelmar::data {

void ImplodeDecodeTable::Build(std::span<const std::uint8_t> lengths) {
  std::array<std::uint16_t, kLiteralSymbols> codes{};
  CanonicalCodes(lengths, std::span(codes).first(lengths.size()));

  root_.fill(0);
  count_.fill(0);
  for (std::uint8_t bits : lengths) ++count_[bits];

  // Symbols sorted by code: by length, then by symbol (counting sort).
  std::array<std::uint16_t, kMaxImplodeCodeBits + 2> start{};
  for (int bits = 1; bits <= kMaxImplodeCodeBits; ++bits) start[bits + 1] = start[bits] + count_[bits];
  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
    symbolsInCodeOrder_[start[lengths[symbol]]++] = static_cast<std::uint8_t>(symbol);
  }

  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
    const int bits = lengths[symbol];
    if (bits > kRootBits) continue;
    const auto entry = static_cast<std::uint16_t>((symbol << kLengthBits) | static_cast<unsigned>(bits));
    for (std::size_t i = StreamPattern(codes[symbol], bits); i < kRootSize; i += std::size_t{1} << bits) {
      root_[i] = entry;
    }
  }
}

int ImplodeDecodeTable::DecodeLong(std::uint64_t bits, int& length) const {
  // Canonical decoding: `code` holds the first `len` code bits; the codes of
  // each length are consecutive, starting at `first`.
  std::int32_t code = 0;
  std::int32_t first = 0;
  std::int32_t index = 0;
  for (int len = 1; len <= kMaxImplodeCodeBits; ++len) {
    code |= static_cast<std::int32_t>(((bits >> (len - 1)) & 1u) ^ 1u);
    const std::int32_t count = count_[len];
    if (code - first < count) {
      length = len;
      return symbolsInCodeOrder_[static_cast<std::size_t>(index + code - first)];
    }
    index += count;
    first = (first + count) << 1;
    code <<= 1;
  }
  // Unreachable for the complete codes that Build accepts.
  throw DataError("an implode code does not decode");
}

}  // namespace quelmar::data
