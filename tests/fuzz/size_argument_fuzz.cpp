// libFuzzer target: any bytes as the host's --size argument. A size that is
// taken has both sides in 1..16384 and reads back the same from its own
// decimal text; nothing crashes or reads past the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "apps/quelmar/size_argument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quelmar::app::kMaxSizeSide;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  int width = 0, height = 0;
  if (!quelmar::app::ParseSize(text, &width, &height)) return 0;
  if (width < 1 || height < 1 || width > kMaxSizeSide || height > kMaxSizeSide) std::abort();
  int again = 0, againHeight = 0;
  const std::string canonical = std::to_string(width) + "x" + std::to_string(height);
  if (!quelmar::app::ParseSize(canonical, &again, &againHeight) || again != width || againHeight != height) {
    std::abort();
  }
  return 0;
}
