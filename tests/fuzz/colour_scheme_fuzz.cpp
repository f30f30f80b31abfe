// Colour scheme files ("Cscm.bin") from hostile bytes: the reader, then the
// schemes applied to the shade colours and every state colour resolved, as
// the layer dialog and the painter would. Only DataError may come out.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "control/core/errors.h"
#include "control/render/colour_scheme_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar::render;
  std::vector<ColourScheme> schemes;
  try {
    ReadColourSchemes(std::span(data, size), &schemes);
  } catch (const quelmar::DataError&) {
  }
  ColourSchemeStore store;
  store.Assign(schemes);
  ShadeColours colours;
  for (int k = 0; k <= store.Count(); ++k) {
    store.Apply(k, colours);
    for (int code = -1; code <= kStateColourEntries + 1; ++code) (void)colours.StateColour(code);
  }
  // What is read is written back whole and reads the same.
  const std::vector<std::uint8_t> again = WriteColourSchemes(store.Schemes());
  std::vector<ColourScheme> reread;
  ReadColourSchemes(again, &reread);
  if (reread != store.Schemes()) __builtin_trap();
  return 0;
}
