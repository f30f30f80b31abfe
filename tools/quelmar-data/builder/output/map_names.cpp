#include "tools/quelmar-data/builder/output/map_names.h"

#include <stdexcept>
#include <string>

#include "control/data/cfcc.h"
#include "tools/quelmar-data/builder/name_packer.h"

namespace quelmar::builder {

std::string StoredName(std::string_view plain) { return PackStreetName(plain).Bytes; }

std::string StoredLabel(std::string_view plain) { return PackLabelText(plain).Bytes; }

std::string RouteName(std::string_view route) {
  if (route.starts_with("US-")) return "US HWY " + std::string(route.substr(3));
  return std::string(route);
}

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::uint8_t FeatureCodeOf(std::string_view cfcc) {
  const auto code = data::FeatureCodeOfCfcc(cfcc);
  if (!code) throw std::invalid_argument("unknown feature class " + std::string(cfcc));
  return *code;
}

}  // namespace quelmar::builder
