#include "control/data/file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "control/core/errors.h"

namespace quelmar::data {
namespace {

[[noreturn]] void ThrowIo(const std::string& what, const std::string& path, int error) {
  throw IoError(what + " \"" + path + "\": " + std::strerror(error));
}

}  // namespace

FileSource::FileSource(const std::string& path) : path_(path), buffer_(kBufferSize) {
  // Non-blocking: a FIFO is refused below instead of waiting for a writer.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) ThrowIo("cannot open", path, errno);
  // Only a regular file has the length the readers track.
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
  length_ = static_cast<std::uint64_t>(info.st_size);
}

FileSource::~FileSource() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t FileSource::Read(std::span<std::uint8_t> out) {
  std::size_t done = 0;
  while (done < out.size()) {
    if (begin_ == end_) {
      ssize_t got = 0;
      do {
        got = ::read(fd_, buffer_.data(), buffer_.size());
      } while (got < 0 && errno == EINTR);
      if (got < 0) ThrowIo("cannot read", path_, errno);
      if (got == 0) break;
      begin_ = 0;
      end_ = static_cast<std::size_t>(got);
    }
    const std::size_t n = std::min(out.size() - done, end_ - begin_);
    std::memcpy(out.data() + done, buffer_.data() + begin_, n);
    begin_ += n;
    done += n;
  }
  position_ += done;
  return done;
}

}  // namespace quelmar::data
