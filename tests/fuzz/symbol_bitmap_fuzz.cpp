// libFuzzer target: any bytes as an item's symbol bitmap (8 or 24 bits a
// pixel), then drawn upright and turned as the item painter draws it.
#include <cstddef>
#include <cstdint>
#include <span>

#include "control/core/errors.h"
#include "control/items/symbol_file.h"
#include "control/items/symbol_rotation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar;
  render::MemoryUnderlayBytes bytes(std::span(data, size));
  try {
    const auto symbol = items::ReadSymbolBitmap(bytes);
    // Large pictures are drawn too, but slowly; the reading is what is fuzzed.
    if (symbol->Width() * symbol->Height() > 256 * 256) return 0;
    (void)symbol->Upright();
    (void)items::RotateSymbol(*symbol, size % 360);
  } catch (const Error&) {
    // Refused bitmaps end the assignment.
  }
  return 0;
}
