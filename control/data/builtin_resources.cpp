#include "control/data/builtin_resources.h"

#include <cctype>

// Defined by the resources library; null where that library is not linked.
extern "C" __attribute__((weak)) const quelmar::data::ResourceEntry* quelmar_builtin_resources(std::size_t* count);

namespace quelmar::data {

namespace {

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace

std::optional<std::span<const std::uint8_t>> FindBuiltInResource(std::string_view type, std::string_view name) {
  if (!quelmar_builtin_resources) return std::nullopt;
  std::size_t count = 0;
  const ResourceEntry* entries = quelmar_builtin_resources(&count);
  for (std::size_t i = 0; entries && i < count; ++i) {
    if (SameText(entries[i].type, type) && SameText(entries[i].name, name)) {
      return std::span<const std::uint8_t>(entries[i].data, entries[i].size);
    }
  }
  return std::nullopt;
}

}  // namespace quelmar::data
