#include "control/render/underlay_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "control/core/errors.h"

namespace quelmar::render {
namespace {

[[noreturn]] void ThrowIo(const std::string& what, const std::string& path, int error) {
  throw IoError(what + " \"" + path + "\": " + std::strerror(error));
}

}  // namespace

void ReadExactly(UnderlayBytes& bytes, std::uint64_t offset, std::span<std::uint8_t> out, const char* what) {
  if (bytes.ReadAt(offset, out) != out.size()) {
    throw DataError(std::string("underlay image ends inside ") + what);
  }
}

std::size_t MemoryUnderlayBytes::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  if (out.empty() || offset >= bytes_.size()) return 0;
  const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), bytes_.size() - offset));
  std::memcpy(out.data(), bytes_.data() + offset, n);
  return n;
}

FileUnderlayBytes::FileUnderlayBytes(const std::string& path) : path_(path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) ThrowIo("cannot open", path, errno);
  struct stat info {};
  int error = 0;
  if (::fstat(fd_, &info) != 0) {
    error = errno;
  } else if (!S_ISREG(info.st_mode)) {
    error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
  }
  if (error != 0) {
    ::close(fd_);
    ThrowIo("cannot read", path, error);
  }
  size_ = static_cast<std::uint64_t>(info.st_size);
}

FileUnderlayBytes::~FileUnderlayBytes() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t FileUnderlayBytes::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  std::size_t done = 0;
  while (done < out.size() && offset + done < size_) {
    const std::uint64_t position = offset + done;
    if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) break;
    ssize_t got = 0;
    do {
      got = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(position));
    } while (got < 0 && errno == EINTR);
    if (got < 0) ThrowIo("cannot read", path_, errno);
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

}  // namespace quelmar::render
