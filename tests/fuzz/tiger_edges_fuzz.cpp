// A TIGER/Line layer of any bytes: the input holds edges.shp, edges.shx,
// edges.dbf and, when a fourth file follows, addrfeat.dbf, each file but
// the last ending at the separator "#QUELMAR-FILE#" (so that mutations
// inside one file do not move the others).
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/streets/tiger_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar::builder;
  constexpr std::string_view kSeparator = "#QUELMAR-FILE#";
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> files;
  while (files.size() < 3) {
    const std::size_t cut = rest.find(kSeparator);
    if (cut == std::string_view::npos) break;
    files.push_back(rest.substr(0, cut));
    rest.remove_prefix(cut + kSeparator.size());
  }
  files.push_back(rest);
  if (files.size() < 3) return 0;
  TigerLayerBytes layer{files[0], files[1], files[2], std::nullopt};
  if (files.size() == 4) layer.AddressDbf = files[3];
  try {
    (void)ReadTigerEdges(layer);
  } catch (const quelmar::Error&) {
    // Refused cleanly.
  }
  return 0;
}
