#include "control/data/implode_match_finder.h"

#include <algorithm>

namespace quelmar::data {

ImplodeMatchFinder::ImplodeMatchFinder(std::span<const std::uint8_t> data, ImplodeVariant variant)
    : data_(data),
      variant_(variant),
      head_(std::size_t{1} << kHashBits, -1),
      previous_(kChainRing, -1),
      lastPair_(variant.MinMatch() == 2 ? 65536 : 0, -1) {}

std::uint32_t ImplodeMatchFinder::Hash3(std::size_t position) const {
  const std::uint32_t bytes = static_cast<std::uint32_t>(data_[position]) |
                              (static_cast<std::uint32_t>(data_[position + 1]) << 8) |
                              (static_cast<std::uint32_t>(data_[position + 2]) << 16);
  return (bytes * 2654435761u) >> (32 - kHashBits);
}

void ImplodeMatchFinder::InsertUpTo(std::size_t position) {
  for (; inserted_ < position; ++inserted_) {
    const std::size_t p = inserted_;
    if (p + 3 <= data_.size()) {
      const std::uint32_t h = Hash3(p);
      previous_[p % kChainRing] = head_[h];
      head_[h] = static_cast<std::int32_t>(p);
    }
    if (!lastPair_.empty() && p + 2 <= data_.size()) {
      lastPair_[data_[p] | (data_[p + 1] << 8)] = static_cast<std::int32_t>(p);
    }
  }
}

std::uint32_t ImplodeMatchFinder::MatchLength(std::size_t earlier, std::size_t position, std::uint32_t limit) const {
  std::uint32_t length = 0;
  while (length < limit && data_[earlier + length] == data_[position + length]) ++length;
  return length;
}

ImplodeMatch ImplodeMatchFinder::Longest(std::size_t position) const {
  ImplodeMatch best;
  const std::size_t available = data_.size() - position;
  const auto limit = static_cast<std::uint32_t>(std::min<std::size_t>(variant_.MaxMatch(), available));
  if (limit < variant_.MinMatch()) return best;
  const std::size_t dictionary = variant_.DictionarySize();

  if (available >= 3) {
    std::int32_t candidate = head_[Hash3(position)];
    for (int steps = 0; candidate >= 0 && steps < kMaxChain; ++steps) {
      const auto earlier = static_cast<std::size_t>(candidate);
      if (position - earlier > dictionary) break;
      // A candidate can only be longer if it agrees at the current best length.
      if (data_[earlier + best.length] == data_[position + best.length]) {
        const std::uint32_t length = MatchLength(earlier, position, limit);
        if (length > best.length) {
          best = {length, static_cast<std::uint32_t>(position - earlier)};
          if (length == limit) break;
        }
      }
      candidate = previous_[earlier % kChainRing];
    }
  }
  if (best.length < 2 && !lastPair_.empty()) {
    const std::int32_t candidate = lastPair_[data_[position] | (data_[position + 1] << 8)];
    if (candidate >= 0 && position - static_cast<std::size_t>(candidate) <= dictionary) {
      best = {MatchLength(static_cast<std::size_t>(candidate), position, limit),
              static_cast<std::uint32_t>(position - static_cast<std::size_t>(candidate))};
    }
  }
  if (best.length < variant_.MinMatch()) best = {};
  return best;
}

}  // namespace quelmar::data
