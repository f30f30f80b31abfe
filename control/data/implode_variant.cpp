#include "control/data/implode_variant.h"

namespace quelmar::data {

std::string ImplodeVariantName(ImplodeVariant variant) {
  std::string name = variant.largeDictionary ? "8k" : "4k";
  name += variant.literalTree ? '3' : '2';
  return name;
}

std::optional<ImplodeVariant> ParseImplodeVariant(std::string_view name) {
  for (ImplodeVariant variant : kImplodeVariants) {
    const std::string canonical = ImplodeVariantName(variant);
    if (name.size() != canonical.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size(); ++i) {
      const char c = (name[i] == 'K') ? 'k' : name[i];
      same = same && c == canonical[i];
    }
    if (same) return variant;
  }
  return std::nullopt;
}

}  // namespace quelmar::data
