#include "control/data/implode_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "control/core/errors.h"

namespace quelmar::data {
namespace {

std::uint64_t LoadLittleEndian64(const std::uint8_t* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  return word;
}

constexpr const char* kEndsEarly = "the imploded data ends before the member's size is reached";

[[noreturn]] void ThrowEndsEarly() { throw DataError(kEndsEarly); }

// Copies a match forward; the source may overlap the bytes being written.
// Writes up to 7 bytes past dst + length (the window keeps room for them).
inline void CopyMatch(std::uint8_t* dst, std::size_t distance, std::size_t length) {
  const std::uint8_t* src = dst - distance;
  if (distance >= 8) {
    // Each 8-byte step reads only bytes written before it.
    for (std::size_t i = 0; i < length; i += 8) std::memcpy(dst + i, src + i, 8);
  } else if (distance == 1) {
    std::memset(dst, *src, length);
  } else {
    for (std::size_t i = 0; i < length; ++i) dst[i] = src[i];
  }
}

}  // namespace

ImplodeDecoder::ImplodeDecoder(ByteSource& compressed, ImplodeVariant variant, std::uint64_t uncompressedSize)
    : compressed_(compressed),
      variant_(variant),
      size_(uncompressedSize),
      input_(new std::uint8_t[kInputChunk + kPadding]),
      window_(new std::uint8_t[kHistory + kOutputChunk + kMaxMatch + 8]()) {}

std::size_t ImplodeDecoder::Read(std::span<std::uint8_t> out) {
  std::size_t copied = 0;
  while (copied < out.size()) {
    if (next_ == end_) {
      if (decoded_ == size_) break;
      if (fault_) {
        if (copied > 0) break;
        std::rethrow_exception(fault_);
      }
      try {
        Fill();
      } catch (...) {
        fault_ = std::current_exception();
      }
      continue;
    }
    const std::size_t n = std::min(out.size() - copied, end_ - next_);
    std::memcpy(out.data() + copied, window_.get() + next_, n);
    next_ += n;
    copied += n;
  }
  delivered_ += copied;
  return copied;
}

void ImplodeDecoder::Fill() {
  if (!treesRead_) ReadTrees();
  if (end_ >= kHistory + kOutputChunk) {
    std::memmove(window_.get(), window_.get() + end_ - kHistory, kHistory);
    next_ = end_ = kHistory;
  }
  DecodeChunk();
}

void ImplodeDecoder::TopUpInput() {
  // Reached only with fewer than 8 bytes left; after the member's end that
  // means bits were already taken from the padding.
  if (inputEnded_) ThrowEndsEarly();
  const std::size_t kept = inLen_ - inPos_;
  std::memmove(input_.get(), input_.get() + inPos_, kept);
  inPos_ = 0;
  inLen_ = kept;
  while (inLen_ < 8) {
    const std::size_t n = compressed_.Read(std::span(input_.get() + inLen_, kInputChunk - inLen_));
    if (n == 0) {
      inputEnded_ = true;
      realEndBits_ = std::uint64_t{inLen_} * 8;
      std::memset(input_.get() + inLen_, 0, kPadding);
      inLen_ += kPadding;
      break;
    }
    inLen_ += n;
  }
}

void ImplodeDecoder::CheckNotPastEnd() const {
  if (std::uint64_t{inPos_} * 8 > realEndBits_ + bitCount_) ThrowEndsEarly();
}

std::uint32_t ImplodeDecoder::TakeBits(unsigned count) {
  if (bitCount_ < count) {
    if (inLen_ - inPos_ < 8) TopUpInput();
    bitBuf_ |= LoadLittleEndian64(input_.get() + inPos_) << bitCount_;
    inPos_ += (63 - bitCount_) >> 3;
    bitCount_ |= 56;
  }
  const auto value = static_cast<std::uint32_t>(bitBuf_ & ((1u << count) - 1));
  bitBuf_ >>= count;
  bitCount_ -= count;
  CheckNotPastEnd();
  return value;
}

void ImplodeDecoder::ReadTree(ImplodeDecodeTable& table, std::size_t symbols) {
  // The trees come first in the stream, so they are whole bytes.
  std::array<std::uint8_t, 256> pairs{};
  const std::size_t pairCount = TakeBits(8) + 1u;
  for (std::size_t i = 0; i < pairCount; ++i) pairs[i] = static_cast<std::uint8_t>(TakeBits(8));
  std::array<std::uint8_t, kLiteralSymbols> lengths{};
  ExpandTreeDescription(std::span(pairs).first(pairCount), std::span(lengths).first(symbols));
  table.Build(std::span(lengths).first(symbols));
}

void ImplodeDecoder::ReadTrees() {
  if (variant_.literalTree) ReadTree(literals_, kLiteralSymbols);
  ReadTree(lengths_, kLengthSymbols);
  ReadTree(distances_, kDistanceSymbols);
  treesRead_ = true;
}

void ImplodeDecoder::DecodeChunk() {
  // The loop works on local copies: stores into the window (bytes) could
  // otherwise alias the members and force them back to memory.
  std::uint8_t* const window = window_.get();
  const std::uint8_t* const input = input_.get();
  const std::size_t limit = kHistory + kOutputChunk;
  const bool literalTree = variant_.literalTree;
  const unsigned lowBits = static_cast<unsigned>(variant_.LowDistanceBits());
  const std::uint64_t lowMask = (std::uint64_t{1} << lowBits) - 1;
  const std::uint32_t minMatch = variant_.MinMatch();

  const std::size_t startEnd = end_;
  const std::uint64_t startDecoded = decoded_;
  std::size_t end = end_;
  std::uint64_t remaining = size_ - decoded_;
  const char* fault = nullptr;
  while (!fault && end < limit && remaining > 0) {
    if (inLen_ - inPos_ < 8) TopUpInput();
    std::uint64_t bitBuf = bitBuf_;
    unsigned bitCount = bitCount_;
    std::size_t inPos = inPos_;
    const std::size_t inLen = inLen_;
    const std::uint64_t realEndBits = realEndBits_;

    // Each code takes at most 1 + 7 + 16 + 16 + 8 = 48 bits, and a refill
    // leaves at least 56 in bitBuf.
    while (end < limit && remaining > 0 && inLen - inPos >= 8) {
      bitBuf |= LoadLittleEndian64(input + inPos) << bitCount;
      inPos += (63 - bitCount) >> 3;
      bitCount |= 56;
      const std::size_t codeStart = end;

      if (bitBuf & 1) {
        bitBuf >>= 1;
        unsigned used = 1;
        std::uint32_t literal;
        if (literalTree) {
          int n;
          literal = static_cast<std::uint32_t>(literals_.Decode(bitBuf, n));
          bitBuf >>= n;
          used += static_cast<unsigned>(n);
        } else {
          literal = static_cast<std::uint32_t>(bitBuf & 0xFF);
          bitBuf >>= 8;
          used += 8;
        }
        bitCount -= used;
        window[end++] = static_cast<std::uint8_t>(literal);
        --remaining;
      } else {
        bitBuf >>= 1;
        std::uint32_t distance = static_cast<std::uint32_t>(bitBuf & lowMask);
        bitBuf >>= lowBits;
        int n;
        distance |= static_cast<std::uint32_t>(distances_.Decode(bitBuf, n)) << lowBits;
        bitBuf >>= n;
        unsigned used = 1 + lowBits + static_cast<unsigned>(n);
        std::uint32_t length = static_cast<std::uint32_t>(lengths_.Decode(bitBuf, n));
        bitBuf >>= n;
        used += static_cast<unsigned>(n);
        if (length == 63) {
          length += static_cast<std::uint32_t>(bitBuf & 0xFF);
          bitBuf >>= 8;
          used += 8;
        }
        bitCount -= used;
        length += minMatch;
        if (length > remaining) {
          fault = "an imploded match runs past the member's size";
          break;
        }
        CopyMatch(window + end, distance + 1u, length);
        end += length;
        remaining -= length;
      }
      // A code that took bits from the padding is not data: drop its bytes.
      if (std::uint64_t{inPos} * 8 > realEndBits + bitCount) {
        end = codeStart;
        fault = kEndsEarly;
        break;
      }
    }
    bitBuf_ = bitBuf;
    bitCount_ = bitCount;
    inPos_ = inPos;
    end_ = end;
    decoded_ = startDecoded + (end - startEnd);
  }
  if (fault) throw DataError(fault);
}

}  // namespace quelmar::data
