#include "platform/kernel/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

namespace quelmar::kernel {
namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

void Report(std::error_code* error, std::error_code code) {
  if (error) *error = code;
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Creates a new file with a name nobody else uses, next to `target`.
int CreateTemporaryBeside(const std::filesystem::path& target, std::filesystem::path* tempPath) {
  std::random_device random;
  for (int attempt = 0; attempt < 32; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
    std::filesystem::path candidate = target;
    candidate += suffix;
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      *tempPath = std::move(candidate);
      return fd;
    }
  }
  errno = EEXIST;
  return -1;
}

// Writes into what `path` names as it is (a FIFO, a terminal, /dev/stdout).
bool WriteStraight(const std::filesystem::path& path, std::string_view contents, std::error_code* error) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) {
    Report(error, LastError());
    return false;
  }
  bool ok = WriteAll(fd, contents);
  std::error_code failure = ok ? std::error_code{} : LastError();
  if (::close(fd) != 0 && ok) {
    ok = false;
    failure = LastError();
  }
  if (!ok) Report(error, failure);
  return ok;
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view contents,
                         std::error_code* error) {
  // Only a regular file, or a path where nothing is, is replaced by a rename.
  // A FIFO or a character device (a terminal, /dev/stdout) is written
  // straight; a folder, a block device or a socket is refused.
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
    if (S_ISFIFO(existing.st_mode) || S_ISCHR(existing.st_mode)) return WriteStraight(path, contents, error);
    Report(error, std::make_error_code(S_ISDIR(existing.st_mode) ? std::errc::is_a_directory
                                                                  : std::errc::operation_not_supported));
    return false;
  }
  // Replace what a symbolic link points at rather than the link itself.
  std::filesystem::path target = path;
  std::error_code ec;
  if (std::filesystem::is_symlink(path, ec)) {
    target = std::filesystem::weakly_canonical(path, ec);
    if (ec) {
      Report(error, ec);
      return false;
    }
  }

  std::filesystem::path tempPath;
  const int fd = CreateTemporaryBeside(target, &tempPath);
  if (fd < 0) {
    Report(error, LastError());
    return false;
  }

  struct stat old {};
  bool ok = true;
  if (::stat(target.c_str(), &old) == 0) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  ok = ok && WriteAll(fd, contents) && ::fsync(fd) == 0;
  std::error_code failure = ok ? std::error_code{} : LastError();
  if (::close(fd) != 0 && ok) {
    ok = false;
    failure = LastError();
  }
  if (ok && ::rename(tempPath.c_str(), target.c_str()) != 0) {
    ok = false;
    failure = LastError();
  }
  if (!ok) {
    ::unlink(tempPath.c_str());
    Report(error, failure);
  }
  return ok;
}

bool ReadWholeFile(const std::filesystem::path& path, std::string* contents,
                   std::error_code* error) {
  // Non-blocking: opening a FIFO must not wait for a writer. It changes
  // nothing for a regular file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    Report(error, LastError());
    return false;
  }
  struct stat info {};
  std::error_code refused;
  if (::fstat(fd, &info) != 0) {
    refused = LastError();
  } else if (S_ISDIR(info.st_mode)) {
    refused = std::make_error_code(std::errc::is_a_directory);
  } else if (!S_ISREG(info.st_mode)) {
    refused = std::make_error_code(std::errc::invalid_argument);
  } else if (static_cast<std::uint64_t>(info.st_size) > kMaxWholeFileBytes) {
    refused = std::make_error_code(std::errc::file_too_large);
  }
  if (refused) {
    ::close(fd);
    Report(error, refused);
    return false;
  }
  std::string text;
  char buffer[16384];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const std::error_code failure = LastError();  // EISDIR for a folder
      ::close(fd);
      Report(error, failure);
      return false;
    }
    text.append(buffer, static_cast<size_t>(n));
    if (text.size() > kMaxWholeFileBytes) {  // it grew while being read
      ::close(fd);
      Report(error, std::make_error_code(std::errc::file_too_large));
      return false;
    }
  }
  ::close(fd);
  *contents = std::move(text);
  return true;
}

}  // namespace quelmar::kernel
