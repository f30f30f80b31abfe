#pragma once
// The code trees of an imploded stream. Each tree gives every one of its
// symbols (256 literals, 64 length codes or 64 distance codes) a code of 1 to
// 16 bits. The stream sends only the bit lengths, run-length coded: one byte
// holding the number of pair bytes less one, then one byte per run of equal
// lengths, (run length - 1) in the high nibble and (bit length - 1) in the
// low nibble, in symbol order. Codes follow from the lengths as a canonical
// prefix code (shorter codes first, then by symbol) and go into the stream
// inverted, first bit first, in the stream's low-bit-first order.
#include <cstdint>
#include <span>
#include <vector>

namespace quelmar::data {

inline constexpr int kMaxImplodeCodeBits = 16;
inline constexpr int kLiteralSymbols = 256;
inline constexpr int kLengthSymbols = 64;
inline constexpr int kDistanceSymbols = 64;

// Expands the pair bytes of a tree (after the count byte) into `lengths`.
// Throws DataError unless the runs give exactly lengths.size() lengths.
void ExpandTreeDescription(std::span<const std::uint8_t> pairs, std::span<std::uint8_t> lengths);

// The whole description (count byte and pairs) of `lengths`, each 1..16.
std::vector<std::uint8_t> DescribeTree(std::span<const std::uint8_t> lengths);

// Canonical codes for `lengths` (codes[i] holds lengths[i] significant bits).
// Throws DataError when a length is outside 1..16 or the lengths do not make
// a complete prefix code (over-subscribed or with unused code space).
void CanonicalCodes(std::span<const std::uint8_t> lengths, std::span<std::uint16_t> codes);

// The bits of `code` as they appear in the stream: inverted and reversed, so
// that the code's first bit is bit 0.
constexpr std::uint32_t StreamPattern(std::uint32_t code, int length) {
  std::uint32_t pattern = 0;
  for (int i = 0; i < length; ++i) pattern |= (((code >> i) & 1u) ^ 1u) << (length - 1 - i);
  return pattern;
}

}  // namespace quelmar::data
