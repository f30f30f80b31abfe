#include "control/data/archive_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "control/core/errors.h"

namespace quelmar::data {
namespace {

std::string Describe(const std::filesystem::path& path, const char* what) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(errno);
}

}  // namespace

void ReadExactlyAt(ArchiveInput& input, std::uint64_t offset, std::span<std::uint8_t> out, const char* what) {
  if (input.ReadAt(offset, out) != out.size()) {
    throw DataError(std::string("the archive ends inside ") + what + " at offset " + std::to_string(offset));
  }
}

std::size_t MemoryArchiveInput::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  if (out.empty() || offset >= bytes_.size()) return 0;
  const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), bytes_.size() - offset));
  std::memcpy(out.data(), bytes_.data() + offset, n);
  return n;
}

FileArchiveInput::FileArchiveInput(const std::filesystem::path& path) : path_(path) {
  // Non-blocking: a FIFO is refused below instead of waiting for a writer.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) throw IoError(Describe(path, "cannot open"));
  struct stat info {};
  if (::fstat(fd_, &info) != 0) {
    const std::string message = Describe(path, "cannot read");
    ::close(fd_);
    throw IoError(message);
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd_);
    throw IoError("not a file: " + path.string());
  }
  size_ = static_cast<std::uint64_t>(info.st_size);
  modifiedNs_ = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
}

FileArchiveInput::~FileArchiveInput() { ::close(fd_); }

std::size_t FileArchiveInput::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  // Reads stop at the size seen at opening, so a file that grows later
  // cannot make a member longer than its checks allowed.
  if (offset >= size_) return 0;
  std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), size_ - offset));
  std::size_t done = 0;
  while (done < wanted) {
    const ssize_t n = ::pread(fd_, out.data() + done, wanted - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw IoError(Describe(path_, "cannot read"));
    }
    if (n == 0) break;  // the file shrank since it was opened
    done += static_cast<std::size_t>(n);
  }
  return done;
}

}  // namespace quelmar::data
