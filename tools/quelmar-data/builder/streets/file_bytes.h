#pragma once
// Whole-file reads for the street readers, with the errors they document.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace quelmar::builder {

// The bytes of a file. Throws quelmar::IoError when it is missing, is not a
// regular file or cannot be read.
std::string ReadFileBytes(const std::filesystem::path& file);

// Whether `bytes` start with the gzip magic number.
bool LooksGzipped(std::string_view bytes);

// The uncompressed bytes of the first member of gzip data (bytes after it
// are not read). Throws quelmar::DataError naming `what` for a damaged or
// truncated stream, or one that would inflate past `limit` bytes (1 GiB
// unless the caller passes its own bound).
std::string Gunzip(std::string_view compressed, const std::string& what, std::size_t limit = std::size_t{1} << 30);

}  // namespace quelmar::builder
