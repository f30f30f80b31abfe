#pragma once
// Finds earlier occurrences of the bytes at a position, within an implode
// dictionary, with hash chains over 3-byte prefixes (and, for variants whose
// matches start at 2 bytes, the last position of each 2-byte pair).
#include <cstdint>
#include <span>
#include <vector>

#include "control/data/implode_variant.h"

namespace quelmar::data {

struct ImplodeMatch {
  std::uint32_t length = 0;  // 0: no match of the variant's minimum length
  std::uint32_t distance = 0;
};

class ImplodeMatchFinder {
 public:
  // `data` must outlive the finder.
  ImplodeMatchFinder(std::span<const std::uint8_t> data, ImplodeVariant variant);

  // Makes every position before `position` available as a match source.
  void InsertUpTo(std::size_t position);

  // The longest match at `position` (the nearest of equal length) among the
  // inserted positions inside the dictionary.
  ImplodeMatch Longest(std::size_t position) const;

 private:
  static constexpr int kHashBits = 15;
  static constexpr std::size_t kChainRing = 16384;  // larger than any dictionary
  static constexpr int kMaxChain = 256;

  std::uint32_t Hash3(std::size_t position) const;
  std::uint32_t MatchLength(std::size_t earlier, std::size_t position, std::uint32_t limit) const;

  std::span<const std::uint8_t> data_;
  ImplodeVariant variant_;
  std::size_t inserted_ = 0;
  std::vector<std::int32_t> head_;      // newest position per 3-byte hash, -1 for none
  std::vector<std::int32_t> previous_;  // older position on the same chain, by position mod ring
  std::vector<std::int32_t> lastPair_;  // newest position per 2-byte pair (2-byte matches only)
};

}  // namespace quelmar::data
