// The implode decoder on hostile streams. The first byte picks the variant
// (bits 1 and 2, as in a member's flags) and the read size, the next three
// the uncompressed size; the rest is the compressed stream. Only DataError
// may come out, and never more bytes than the size.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "control/core/errors.h"
#include "control/data/implode_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar::data;
  if (size < 4) return 0;
  const ImplodeVariant variant = ImplodeVariant::FromFlags(data[0]);
  const std::size_t readSize = (data[0] & 0x80) ? 1 + (data[0] & 0x38) : 40960;
  const std::uint32_t uncompressed = data[1] | (data[2] << 8) | (data[3] << 16);
  MemorySource compressed(std::span(data + 4, size - 4));
  ImplodeDecoder decoder(compressed, variant, uncompressed);
  static std::uint8_t buffer[40960];
  std::uint64_t total = 0;
  try {
    while (std::size_t n = decoder.Read(std::span(buffer, readSize))) total += n;
  } catch (const quelmar::DataError&) {
    return 0;
  }
  if (total != uncompressed) std::abort();
  return 0;
}
