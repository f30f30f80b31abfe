#pragma once
// Whole-file reads for the input readers. Both throw quelmar::IoError for a
// file that is missing or cannot be read; ReadGzipFile throws
// quelmar::DataError for a damaged gzip stream or one that inflates past
// its limit.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace quelmar::builder {

std::string ReadWholeFile(const std::filesystem::path& file);

// The most a compressed input may inflate to: the largest the builder reads,
// the gazetteer, is about 10 MiB; a gzip bomb stops here with a DataError
// instead of filling memory.
constexpr std::size_t kMaxInflatedInput = std::size_t{256} << 20;

// The uncompressed bytes of a gzip file (every member of a multi-member file).
std::string ReadGzipFile(const std::filesystem::path& file);

// The uncompressed bytes of gzip (or zlib) data held in memory, every member
// of it. DataError naming `what` for a damaged or truncated stream, trailing
// bytes that are not another member, or more than `limit` bytes of output.
std::string GunzipBytes(std::string_view compressed, const std::string& what,
                        std::size_t limit = kMaxInflatedInput);

}  // namespace quelmar::builder
