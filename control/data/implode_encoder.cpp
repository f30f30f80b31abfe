#include "control/data/implode_encoder.h"

#include <algorithm>
#include <array>

#include "control/data/implode_code_lengths.h"
#include "control/data/implode_match_finder.h"
#include "control/data/implode_trees.h"

namespace quelmar::data {
namespace {

// A literal (length 0) or a match.
struct Token {
  std::uint16_t length;
  std::uint16_t value;  // the literal byte, or the match distance
};

// One tree's code lengths and, once built, the stream bits of each code.
template <std::size_t kSymbols>
struct Tree {
  std::array<std::uint32_t, kSymbols> counts{};
  std::array<std::uint8_t, kSymbols> lengths{};
  std::array<std::uint16_t, kSymbols> patterns{};

  void Build() {
    BuildCodeLengths(counts, lengths);
    std::array<std::uint16_t, kSymbols> codes{};
    CanonicalCodes(lengths, codes);
    for (std::size_t i = 0; i < kSymbols; ++i) {
      patterns[i] = static_cast<std::uint16_t>(StreamPattern(codes[i], lengths[i]));
    }
  }
};

struct Trees {
  Tree<kLiteralSymbols> literals;
  Tree<kLengthSymbols> lengths;
  Tree<kDistanceSymbols> distances;
};

class Coder {
 public:
  explicit Coder(ImplodeVariant variant) : variant_(variant) {}

  std::uint32_t LengthCode(std::uint32_t length) const { return std::min<std::uint32_t>(length - variant_.MinMatch(), 63); }
  std::uint32_t DistanceCode(std::uint32_t distance) const { return (distance - 1) >> variant_.LowDistanceBits(); }

  // Bit costs under `trees`' code lengths.
  std::uint32_t LiteralCost(const Trees& trees, std::uint8_t byte) const {
    return 1 + (variant_.literalTree ? trees.literals.lengths[byte] : 8u);
  }
  std::uint32_t MatchCost(const Trees& trees, ImplodeMatch match) const {
    const std::uint32_t lengthCode = LengthCode(match.length);
    return 1 + static_cast<std::uint32_t>(variant_.LowDistanceBits()) +
           trees.distances.lengths[DistanceCode(match.distance)] + trees.lengths.lengths[lengthCode] +
           (lengthCode == 63 ? 8u : 0u);
  }

 private:
  ImplodeVariant variant_;
};

// A match pays when it costs fewer bits than its bytes as literals. Long
// matches always pay: a match takes at most 48 bits, a literal at least 2.
bool Pays(const Coder& coder, const Trees& costs, std::span<const std::uint8_t> input, std::size_t position,
          ImplodeMatch match) {
  if (match.length == 0) return false;
  if (match.length >= 24) return true;
  std::uint32_t literals = 0;
  for (std::uint32_t i = 0; i < match.length; ++i) literals += coder.LiteralCost(costs, input[position + i]);
  return coder.MatchCost(costs, match) < literals;
}

std::vector<Token> Parse(std::span<const std::uint8_t> input, ImplodeVariant variant, const Trees& costs) {
  const Coder coder(variant);
  ImplodeMatchFinder finder(input, variant);
  std::vector<Token> tokens;
  std::size_t position = 0;
  ImplodeMatch match = finder.Longest(0);
  while (position < input.size()) {
    if (!Pays(coder, costs, input, position, match)) {
      tokens.push_back({0, input[position]});
      finder.InsertUpTo(++position);
      match = finder.Longest(position);
      continue;
    }
    // Lazy step: a longer match one byte on is worth a literal first.
    finder.InsertUpTo(position + 1);
    const ImplodeMatch next = finder.Longest(position + 1);
    if (next.length > match.length && Pays(coder, costs, input, position + 1, next)) {
      tokens.push_back({0, input[position]});
      ++position;
      match = next;
      continue;
    }
    tokens.push_back({static_cast<std::uint16_t>(match.length), static_cast<std::uint16_t>(match.distance)});
    position += match.length;
    finder.InsertUpTo(position);
    match = finder.Longest(position);
  }
  return tokens;
}

// Code lengths that the first parse assumes: 8-bit literals, 6-bit
// distance codes and 4-bit length codes.
Trees FirstGuess() {
  Trees trees;
  trees.literals.lengths.fill(8);
  trees.lengths.lengths.fill(4);
  trees.distances.lengths.fill(6);
  return trees;
}

Trees TreesFor(const std::vector<Token>& tokens, const Coder& coder) {
  Trees trees;
  for (const Token& token : tokens) {
    if (token.length == 0) {
      ++trees.literals.counts[token.value];
    } else {
      ++trees.lengths.counts[coder.LengthCode(token.length)];
      ++trees.distances.counts[coder.DistanceCode(token.value)];
    }
  }
  trees.literals.Build();
  trees.lengths.Build();
  trees.distances.Build();
  return trees;
}

// Low-bit-first bit packing.
class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void Put(std::uint32_t bits, unsigned count) {
    buffer_ |= static_cast<std::uint64_t>(bits) << count_;
    count_ += count;
    while (count_ >= 8) {
      out_.push_back(static_cast<std::uint8_t>(buffer_));
      buffer_ >>= 8;
      count_ -= 8;
    }
  }
  void Flush() {
    if (count_ > 0) out_.push_back(static_cast<std::uint8_t>(buffer_));
    buffer_ = 0;
    count_ = 0;
  }

 private:
  std::vector<std::uint8_t>& out_;
  std::uint64_t buffer_ = 0;
  unsigned count_ = 0;
};

template <std::size_t kSymbols>
void PutDescription(std::vector<std::uint8_t>& out, const Tree<kSymbols>& tree) {
  const std::vector<std::uint8_t> description = DescribeTree(tree.lengths);
  out.insert(out.end(), description.begin(), description.end());
}

template <std::size_t kSymbols>
void PutCode(BitWriter& bits, const Tree<kSymbols>& tree, std::uint32_t symbol) {
  bits.Put(tree.patterns[symbol], tree.lengths[symbol]);
}

}  // namespace

std::vector<std::uint8_t> Implode(std::span<const std::uint8_t> input, ImplodeVariant variant) {
  const Coder coder(variant);
  const Trees estimate = TreesFor(Parse(input, variant, FirstGuess()), coder);
  const std::vector<Token> tokens = Parse(input, variant, estimate);
  const Trees trees = TreesFor(tokens, coder);

  std::vector<std::uint8_t> out;
  out.reserve(input.size() / 2 + 1024);
  if (variant.literalTree) PutDescription(out, trees.literals);
  PutDescription(out, trees.lengths);
  PutDescription(out, trees.distances);

  BitWriter bits(out);
  const unsigned lowBits = static_cast<unsigned>(variant.LowDistanceBits());
  for (const Token& token : tokens) {
    if (token.length == 0) {
      bits.Put(1, 1);
      if (variant.literalTree) {
        PutCode(bits, trees.literals, token.value);
      } else {
        bits.Put(token.value, 8);
      }
      continue;
    }
    bits.Put(0, 1);
    const std::uint32_t distance = token.value - 1u;
    bits.Put(distance & ((1u << lowBits) - 1), lowBits);
    PutCode(bits, trees.distances, coder.DistanceCode(token.value));
    const std::uint32_t lengthCode = coder.LengthCode(token.length);
    PutCode(bits, trees.lengths, lengthCode);
    if (lengthCode == 63) bits.Put(token.length - variant.MinMatch() - 63, 8);
  }
  bits.Flush();
  return out;
}

}  // namespace quelmar::data
