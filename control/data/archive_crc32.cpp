#include "control/data/archive_crc32.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace quelmar::data {

// zlib's CRC-32 is the same checksum, computed several bytes at a time: the
// check of every member read costs a fraction of its decoding.
std::uint32_t ArchiveCrc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
  uLong value = crc;
  while (!bytes.empty()) {
    const std::size_t n = std::min<std::size_t>(bytes.size(), std::numeric_limits<uInt>::max());
    value = crc32(value, bytes.data(), static_cast<uInt>(n));
    bytes = bytes.subspan(n);
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace quelmar::data
