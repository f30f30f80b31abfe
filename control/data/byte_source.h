#pragma once
// ByteSource: the bytes of one drawing file as the reader receives them — a
// plain file, an archive member being decompressed, or memory. Sources read
// forward through fixed buffers; Length is the number of bytes the source
// delivers in all (an archive member's uncompressed size).
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quelmar::data {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to out.size() bytes and returns how many were read; 0 only at
  // the end. Throws DataError when the underlying data is malformed (a
  // member that does not decode) and IoError when a file cannot be read.
  virtual std::size_t Read(std::span<std::uint8_t> out) = 0;
  virtual std::uint64_t Length() const = 0;
  virtual std::uint64_t Position() const = 0;
  // After the reader is done: checks what only the whole source can tell
  // (an archive member reads its rest for its CRC). Throws as Read.
  virtual void Finish() {}
};

// A source over bytes in memory (the caller keeps them alive).
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::size_t Read(std::span<std::uint8_t> out) override;
  std::uint64_t Length() const override { return bytes_.size(); }
  std::uint64_t Position() const override { return position_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// Everything a source delivers, up to `limit` bytes (DataError beyond it).
std::vector<std::uint8_t> ReadAll(ByteSource& source, std::uint64_t limit);

}  // namespace quelmar::data
