#pragma once
// Whole-file reads for the input readers. Both throw quelmar::IoError for a
// file that is missing or cannot be read; ReadGzipFile throws
// quelmar::DataError for a damaged gzip stream.
#include <filesystem>
#include <string>

namespace quelmar::builder {

std::string ReadWholeFile(const std::filesystem::path& file);

// The uncompressed bytes of a gzip file (every member of a multi-member file).
std::string ReadGzipFile(const std::filesystem::path& file);

// The uncompressed bytes of gzip data held in memory.
std::string GunzipBytes(const std::string& compressed, const std::string& what);

}  // namespace quelmar::builder
