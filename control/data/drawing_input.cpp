#include "control/data/drawing_input.h"

#include <algorithm>
#include <cstring>

#include "control/core/errors.h"

namespace quelmar::data {

DrawingInput::DrawingInput(ByteSource& source) : source_(source), buffer_(kBufferSize) {
  const std::uint64_t length = source.Length();
  const std::uint64_t position = source.Position();
  left_ = length > position ? length - position : 0;
}

void DrawingInput::Need(std::uint64_t count) const {
  if (count > left_) {
    throw DataError("the drawing ends inside a record at byte " + std::to_string(offset_) + " (" +
                    std::to_string(count) + " bytes needed, " + std::to_string(left_) + " left)");
  }
}

void DrawingInput::Refill() {
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.size(), left_));
  const std::size_t got = source_.Read(std::span(buffer_.data(), want));
  if (got == 0) {
    throw DataError("the drawing's source ended " + std::to_string(left_) + " bytes before its stated length");
  }
  begin_ = 0;
  end_ = got;
}

void DrawingInput::Read(std::span<std::uint8_t> out) {
  Need(out.size());
  std::size_t done = 0;
  while (done < out.size()) {
    if (begin_ == end_) Refill();
    const std::size_t n = std::min(out.size() - done, end_ - begin_);
    std::memcpy(out.data() + done, buffer_.data() + begin_, n);
    begin_ += n;
    done += n;
    left_ -= n;
    offset_ += n;
  }
}

void DrawingInput::Skip(std::uint64_t count) {
  Need(count);
  while (count > 0) {
    if (begin_ == end_) Refill();
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, end_ - begin_));
    begin_ += n;
    count -= n;
    left_ -= n;
    offset_ += n;
  }
}

std::uint8_t DrawingInput::U8() {
  std::uint8_t b[1];
  Read(b);
  return b[0];
}

std::uint16_t DrawingInput::U16() {
  std::uint8_t b[2];
  Read(b);
  return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

std::int16_t DrawingInput::I16() { return static_cast<std::int16_t>(U16()); }

std::int32_t DrawingInput::I32() {
  std::uint8_t b[4];
  Read(b);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                                   static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24);
}

std::int32_t DrawingInput::S24() {
  std::uint8_t b[3];
  Read(b);
  const std::uint32_t raw = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                            static_cast<std::uint32_t>(b[2]) << 16;
  return (raw & 0x800000u) != 0 ? static_cast<std::int32_t>(raw) - 0x1000000 : static_cast<std::int32_t>(raw);
}

core::TMapPoint DrawingInput::AbsPoint() {
  const std::int32_t westX = S24();
  const std::int32_t y = S24();
  return {-westX, y};
}

std::string DrawingInput::PString() {
  const std::uint8_t length = U8();
  std::string text(length, '\0');
  Read(std::span(reinterpret_cast<std::uint8_t*>(text.data()), text.size()));
  return text;
}

}  // namespace quelmar::data
