#pragma once
// Helpers shared by the archive and implode tests: a SHA-256 to check
// decoded bytes, sample data of the kinds the map stores, the folder of the
// real imploded archives, and running outside ZIP tools as oracles.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "control/data/byte_source.h"

namespace quelmar::data::testing {

std::string Sha256Hex(std::span<const std::uint8_t> bytes);

// ../shared/testdata/implode/ beside the project root.
std::filesystem::path ImplodeTestDataDir();

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// English-like text with repeated words and lines.
std::vector<std::uint8_t> TextSample(std::size_t size);
// Bytes without structure (a fixed-seed generator).
std::vector<std::uint8_t> RandomSample(std::size_t size, std::uint32_t seed = 1);
// Drawing-file-like records: little-endian coordinates that move in small
// steps, feature codes and short names.
std::vector<std::uint8_t> MapSample(std::size_t size);

// Overwrites a little-endian field of an archive fixture.
void Put16At(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value);
void Put32At(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);

// Reads a source to its end in reads of `chunk` bytes.
std::vector<std::uint8_t> ReadInChunks(ByteSource& source, std::size_t chunk);

// True when `program` is on the PATH.
bool HaveProgram(const std::string& program);
// Runs a shell command with its output discarded; returns its exit status.
int RunQuietly(const std::string& command);

}  // namespace quelmar::data::testing
