#pragma once
// Replacing a file so that a failure never loses the old contents: the text
// goes to a new file in the same folder, is flushed to disk, and is renamed
// over the old name. Readers see either the old file or the new one, never a
// part of either.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace quelmar::kernel {

// Writes `contents` to `path`. A symbolic link is followed and its target
// replaced; an existing file keeps its permission bits, a new one gets
// 0666 less the umask. On failure the temporary file is removed, `path` is
// untouched and *error (when given) says why. The folder must exist. Only a
// regular file is replaced so: a FIFO or a character device (a terminal,
// /dev/stdout) is written straight into, and a folder, a block device or a
// socket is refused (errc::is_a_directory, errc::operation_not_supported).
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view contents,
                         std::error_code* error = nullptr);

// The most ReadWholeFile reads: text files of settings and lists, never more.
inline constexpr std::uint64_t kMaxWholeFileBytes = 64ull << 20;

// Reads the whole file into *contents. False with *error set when it cannot
// be read; a missing file is such an error (errc::no_such_file_or_directory).
// Only regular files are read (a FIFO, a folder or a device gives
// errc::invalid_argument or errc::is_a_directory, without waiting for a
// writer), and only up to kMaxWholeFileBytes (errc::file_too_large beyond).
bool ReadWholeFile(const std::filesystem::path& path, std::string* contents,
                   std::error_code* error = nullptr);

}  // namespace quelmar::kernel
