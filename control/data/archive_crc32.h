#pragma once
// The CRC-32 of ZIP members (the IEEE polynomial, reflected, 0xEDB88320).
#include <cstdint>
#include <span>

namespace quelmar::data {

// The CRC of `bytes` continued from `crc` (0 to start).
std::uint32_t ArchiveCrc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

}  // namespace quelmar::data
