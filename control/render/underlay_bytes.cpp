#include "control/render/underlay_bytes.h"

#include <algorithm>
#include <cstring>

#include "control/core/errors.h"

namespace quelmar::render {

void ReadExactly(UnderlayBytes& bytes, std::uint64_t offset, std::span<std::uint8_t> out, const char* what) {
  if (bytes.ReadAt(offset, out) != out.size()) {
    throw DataError(std::string("underlay image ends inside ") + what);
  }
}

std::size_t MemoryUnderlayBytes::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  if (out.empty() || offset >= bytes_.size()) return 0;
  const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), bytes_.size() - offset));
  std::memcpy(out.data(), bytes_.data() + offset, n);
  return n;
}

}  // namespace quelmar::render
