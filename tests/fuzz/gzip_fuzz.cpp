// Gzip data of any bytes through both of the builder's inflaters, with a
// small output limit so that a bomb ends at the limit.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/input_files.h"
#include "tools/quelmar-data/builder/streets/file_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kLimit = std::size_t{4} << 20;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    (void)quelmar::builder::GunzipBytes(bytes, "fuzz", kLimit);
  } catch (const quelmar::Error&) {
  }
  try {
    (void)quelmar::builder::Gunzip(bytes, "fuzz", kLimit);
  } catch (const quelmar::Error&) {
  }
  return 0;
}
