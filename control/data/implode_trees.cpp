#include "control/data/implode_trees.h"

#include <array>
#include <string>

#include "control/core/errors.h"

namespace quelmar::data {

void ExpandTreeDescription(std::span<const std::uint8_t> pairs, std::span<std::uint8_t> lengths) {
  std::size_t next = 0;
  for (std::uint8_t pair : pairs) {
    const std::size_t run = (pair >> 4) + 1u;
    if (run > lengths.size() - next) throw DataError("an implode code tree describes too many codes");
    const auto bits = static_cast<std::uint8_t>((pair & 0x0F) + 1);
    for (std::size_t i = 0; i < run; ++i) lengths[next++] = bits;
  }
  if (next != lengths.size()) {
    throw DataError("an implode code tree describes " + std::to_string(next) + " codes instead of " +
                    std::to_string(lengths.size()));
  }
}

std::vector<std::uint8_t> DescribeTree(std::span<const std::uint8_t> lengths) {
  std::vector<std::uint8_t> description{0};  // count byte, set below
  std::size_t i = 0;
  while (i < lengths.size()) {
    std::size_t run = 1;
    while (run < 16 && i + run < lengths.size() && lengths[i + run] == lengths[i]) ++run;
    description.push_back(static_cast<std::uint8_t>(((run - 1) << 4) | ((lengths[i] - 1u) & 0x0F)));
    i += run;
  }
  // At most one pair per symbol, and trees have at most 256 symbols.
  description[0] = static_cast<std::uint8_t>(description.size() - 2);
  return description;
}

void CanonicalCodes(std::span<const std::uint8_t> lengths, std::span<std::uint16_t> codes) {
  std::array<int, kMaxImplodeCodeBits + 1> count{};
  for (std::uint8_t bits : lengths) {
    if (bits < 1 || bits > kMaxImplodeCodeBits) throw DataError("an implode code length is outside 1..16");
    ++count[bits];
  }
  // Code space left after each length: negative means over-subscribed.
  std::int32_t left = 1;
  for (int bits = 1; bits <= kMaxImplodeCodeBits; ++bits) {
    left = left * 2 - count[bits];
    if (left < 0) throw DataError("an implode code tree has more codes than its lengths allow");
  }
  if (left != 0) throw DataError("an implode code tree leaves codes unused");

  std::array<std::uint32_t, kMaxImplodeCodeBits + 2> next{};
  for (int bits = 1; bits <= kMaxImplodeCodeBits; ++bits) {
    next[bits + 1] = (next[bits] + static_cast<std::uint32_t>(count[bits])) << 1;
  }
  for (std::size_t i = 0; i < lengths.size(); ++i) codes[i] = static_cast<std::uint16_t>(next[lengths[i]]++);
}

}  // namespace quelmar::data
