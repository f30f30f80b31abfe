#include "control/data/byte_source.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "control/core/errors.h"

namespace quelmar::data {

std::size_t MemorySource::Read(std::span<std::uint8_t> out) {
  const std::size_t n = std::min(out.size(), bytes_.size() - position_);
  if (n > 0) std::memcpy(out.data(), bytes_.data() + position_, n);
  position_ += n;
  return n;
}

std::vector<std::uint8_t> ReadAll(ByteSource& source, std::uint64_t limit) {
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[8192];
  while (std::size_t n = source.Read(buffer)) {
    if (bytes.size() + n > limit) throw DataError("the data is longer than " + std::to_string(limit) + " bytes");
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  return bytes;
}

}  // namespace quelmar::data
