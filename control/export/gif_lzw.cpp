#include "control/export/gif_lzw.h"

#include <array>
#include <memory>
#include <stdexcept>

namespace quelmar::image_export {
namespace {

constexpr int kMaxCodeBits = 12;
constexpr std::uint32_t kTableLimit =
    (1u << kMaxCodeBits) - 1;  // the last code is never assigned, as common decoders expect

// Codes packed least significant bit first.
class BitPacker {
 public:
  explicit BitPacker(std::string& out) : out_(out) {}
  void Put(std::uint32_t code, int bits) {
    buffer_ |= static_cast<std::uint64_t>(code) << count_;
    count_ += bits;
    while (count_ >= 8) {
      out_ += static_cast<char>(buffer_ & 0xFF);
      buffer_ >>= 8;
      count_ -= 8;
    }
  }
  void Flush() {
    if (count_ > 0) out_ += static_cast<char>(buffer_ & 0xFF);
    buffer_ = 0;
    count_ = 0;
  }

 private:
  std::string& out_;
  std::uint64_t buffer_ = 0;
  int count_ = 0;
};

// The string table: (prefix code, next index) -> code, by open addressing.
class CodeTable {
 public:
  static constexpr int kSizeBits = 13;
  static constexpr std::size_t kSize = std::size_t{1} << kSizeBits;  // twice the codes
  CodeTable() : keys_(std::make_unique<std::uint32_t[]>(kSize)), codes_(std::make_unique<std::uint16_t[]>(kSize)) {
    Clear();
  }
  void Clear() { std::fill_n(keys_.get(), kSize, kEmpty); }
  // The code of `key`, or -1; *slot is where it would go.
  int Find(std::uint32_t key, std::size_t* slot) const {
    // Fibonacci hashing: the product's high bits are the well-mixed ones.
    std::size_t i = static_cast<std::uint32_t>(key * 2654435761u) >> (32 - kSizeBits);
    while (keys_[i] != kEmpty) {
      if (keys_[i] == key) return codes_[i];
      i = (i + 1) & (kSize - 1);
    }
    *slot = i;
    return -1;
  }
  void Insert(std::size_t slot, std::uint32_t key, std::uint16_t code) {
    keys_[slot] = key;
    codes_[slot] = code;
  }

 private:
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;
  std::unique_ptr<std::uint32_t[]> keys_;
  std::unique_ptr<std::uint16_t[]> codes_;
};

}  // namespace

std::string EncodeLzw(std::span<const std::uint8_t> indexes, int minCodeSize) {
  if (minCodeSize < 2 || minCodeSize > 8) throw std::invalid_argument("the LZW minimum code size must be 2 to 8");
  const std::uint32_t clearCode = 1u << minCodeSize;
  const std::uint32_t endCode = clearCode + 1;
  std::string out;
  out.reserve(indexes.size() / 4 + 16);
  BitPacker bits(out);
  CodeTable table;
  int codeBits = minCodeSize + 1;
  std::uint32_t nextCode = endCode + 1;

  // A decoder widens its codes once its table reaches the current width's
  // limit, counting one entry per code read; the encoder widens at the same
  // point, after writing the code that completes it.
  auto emit = [&](std::uint32_t code) {
    bits.Put(code, codeBits);
    if (nextCode >= (1u << codeBits) && codeBits < kMaxCodeBits) ++codeBits;
  };

  emit(clearCode);
  if (!indexes.empty()) {
    std::uint32_t prefix = indexes[0];
    if (prefix >= clearCode) throw std::invalid_argument("a colour index is beyond the palette");
    for (std::size_t i = 1; i < indexes.size(); ++i) {
      const std::uint32_t index = indexes[i];
      if (index >= clearCode) throw std::invalid_argument("a colour index is beyond the palette");
      const std::uint32_t key = (prefix << 8) | index;
      std::size_t slot = 0;
      const int found = table.Find(key, &slot);
      if (found >= 0) {
        prefix = static_cast<std::uint32_t>(found);
        continue;
      }
      emit(prefix);
      prefix = index;
      if (nextCode >= kTableLimit) {
        emit(clearCode);
        table.Clear();
        codeBits = minCodeSize + 1;
        nextCode = endCode + 1;
      } else {
        table.Insert(slot, key, static_cast<std::uint16_t>(nextCode++));
      }
    }
    emit(prefix);
  }
  emit(endCode);
  bits.Flush();
  return out;
}

}  // namespace quelmar::image_export
