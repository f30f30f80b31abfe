// The editor's JSON graph of any bytes, read whole and kept to an area.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/streets/editor_graph_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar::builder;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    (void)ParseEditorGraph(text);
    (void)ParseEditorGraph(text, GeoBox{-85.70, 41.90, -85.55, 42.00});
  } catch (const quelmar::Error&) {
    // Refused cleanly.
  }
  return 0;
}
