#pragma once
// Table-driven decoding of one implode code tree. Codes of up to kRootBits
// bits are found with one look-up of the next stream bits; longer codes (rare
// by construction: they are the least frequent symbols) are decoded bit by
// bit from the canonical code counts.
#include <array>
#include <cstdint>
#include <span>

#include "control/data/implode_trees.h"

namespace quelmar::data {

class ImplodeDecodeTable {
 public:
  static constexpr int kRootBits = 10;

  // Throws DataError when the lengths are not a complete prefix code.
  void Build(std::span<const std::uint8_t> lengths);

  // Decodes the symbol at the low end of `bits` (at least 16 valid bits) and
  // sets `length` to the bits it takes.
  int Decode(std::uint64_t bits, int& length) const {
    const std::uint16_t entry = root_[bits & (kRootSize - 1)];
    if (entry & kLengthMask) {
      length = entry & kLengthMask;
      return entry >> kLengthBits;
    }
    return DecodeLong(bits, length);
  }

 private:
  static constexpr std::size_t kRootSize = std::size_t{1} << kRootBits;
  static constexpr int kLengthBits = 5;
  static constexpr std::uint16_t kLengthMask = (1u << kLengthBits) - 1;

  int DecodeLong(std::uint64_t bits, int& length) const;

  // Symbol << 5 | code length; 0 where the code is longer than kRootBits.
  std::array<std::uint16_t, kRootSize> root_{};
  std::array<std::uint16_t, kMaxImplodeCodeBits + 1> count_{};
  std::array<std::uint8_t, kLiteralSymbols> symbolsInCodeOrder_{};
};

}  // namespace quelmar::data
