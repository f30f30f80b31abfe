#pragma once
// FileSource: a plain file read forward through a fixed buffer.
#include <cstdint>
#include <string>
#include <vector>

#include "control/data/byte_source.h"

namespace quelmar::data {

class FileSource final : public ByteSource {
 public:
  static constexpr std::size_t kBufferSize = 32768;

  // Opens the file; IoError when it cannot be opened or is not a regular file.
  explicit FileSource(const std::string& path);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  // IoError when the file cannot be read.
  std::size_t Read(std::span<std::uint8_t> out) override;
  std::uint64_t Length() const override { return length_; }
  std::uint64_t Position() const override { return position_; }

 private:
  std::string path_;
  int fd_ = -1;
  std::uint64_t length_ = 0;
  std::uint64_t position_ = 0;
  std::vector<std::uint8_t> buffer_;
  std::size_t begin_ = 0;  // unread buffered bytes are buffer_[begin_, end_)
  std::size_t end_ = 0;
};

}  // namespace quelmar::data
