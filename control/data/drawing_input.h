#pragma once
// DrawingInput: the little-endian primitives of a drawing file, pulled from a
// ByteSource through a fixed buffer. The bytes left in the file are tracked
// from the source's length; asking for more than are left throws DataError
// before anything is consumed, so a truncated record is never half-applied.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "control/core/map_units.h"
#include "control/data/byte_source.h"

namespace quelmar::data {

class DrawingInput {
 public:
  static constexpr std::size_t kBufferSize = 32767;

  explicit DrawingInput(ByteSource& source);

  std::uint64_t Offset() const { return offset_; }  // bytes consumed so far
  std::uint64_t Left() const { return left_; }      // bytes the file still holds

  // Throws DataError unless `count` more bytes are left.
  void Need(std::uint64_t count) const;

  std::uint8_t U8();
  std::int16_t I16();
  std::uint16_t U16();
  std::int32_t I32();
  std::int32_t S24();  // 3 bytes, two's complement, sign-extended
  // An absolute point: s24 x' (west positive) then s24 y; the point is (-x', y).
  core::TMapPoint AbsPoint();
  // One length byte n, then n bytes.
  std::string PString();
  void Read(std::span<std::uint8_t> out);
  void Skip(std::uint64_t count);

 private:
  void Refill();

  ByteSource& source_;
  std::vector<std::uint8_t> buffer_;
  std::size_t begin_ = 0;  // unread bytes are buffer_[begin_, end_)
  std::size_t end_ = 0;
  std::uint64_t left_ = 0;
  std::uint64_t offset_ = 0;
};

}  // namespace quelmar::data
