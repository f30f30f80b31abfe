#pragma once
// The bytes of a whole archive, read at any offset: an open file, or a block
// of memory (a built-in archive, a test fixture, a fuzzer's input).
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace quelmar::data {

class ArchiveInput {
 public:
  virtual ~ArchiveInput() = default;
  virtual std::uint64_t Size() const = 0;
  // Reads up to out.size() bytes at `offset` and returns how many were read:
  // fewer only at the end. Throws IoError when the file cannot be read.
  virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

// Reads exactly out.size() bytes at `offset`; DataError naming `what` when
// the archive ends first.
void ReadExactlyAt(ArchiveInput& input, std::uint64_t offset, std::span<std::uint8_t> out, const char* what);

class MemoryArchiveInput final : public ArchiveInput {
 public:
  // The caller keeps `bytes` alive as long as the input and its members.
  explicit MemoryArchiveInput(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

 private:
  std::span<const std::uint8_t> bytes_;
};

// An archive file, open until the object goes. Its size and modification
// time are those of the open file, taken once at opening.
class FileArchiveInput final : public ArchiveInput {
 public:
  // Throws IoError when the file cannot be opened or is not a regular file.
  explicit FileArchiveInput(const std::filesystem::path& path);
  ~FileArchiveInput() override;
  FileArchiveInput(const FileArchiveInput&) = delete;
  FileArchiveInput& operator=(const FileArchiveInput&) = delete;

  std::uint64_t Size() const override { return size_; }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

  const std::filesystem::path& Path() const { return path_; }
  std::int64_t ModifiedNanoseconds() const { return modifiedNs_; }

 private:
  std::filesystem::path path_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
  std::int64_t modifiedNs_ = 0;
};

}  // namespace quelmar::data
