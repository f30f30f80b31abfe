#pragma once
// UnderlayBytes: random access to the bytes of an underlay image file. The
// image readers jump between the header, the row table of a ".PCC" file and
// single rows, so they read by offset rather than forward.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "control/data/archive_input.h"

namespace quelmar::render {

class UnderlayBytes {
 public:
  virtual ~UnderlayBytes() = default;
  virtual std::uint64_t Size() const = 0;
  // Copies up to out.size() bytes from `offset` and returns how many were
  // copied (fewer only at the end of the data). IoError when a file read fails.
  virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

// Reads exactly out.size() bytes from `offset`; DataError naming `what` when
// the data ends first.
void ReadExactly(UnderlayBytes& bytes, std::uint64_t offset, std::span<std::uint8_t> out, const char* what);

// Bytes in memory (the caller keeps them alive).
class MemoryUnderlayBytes final : public UnderlayBytes {
 public:
  explicit MemoryUnderlayBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

 private:
  std::span<const std::uint8_t> bytes_;
};

// A regular file, opened for reading until destruction.
// An image file, read at any offset through the archives' file input.
class FileUnderlayBytes final : public UnderlayBytes {
 public:
  // IoError when the file cannot be opened or is not a regular file.
  explicit FileUnderlayBytes(const std::string& path) : file_(path) {}

  std::uint64_t Size() const override { return file_.Size(); }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    return file_.ReadAt(offset, out);
  }

 private:
  data::FileArchiveInput file_;
};

}  // namespace quelmar::render
