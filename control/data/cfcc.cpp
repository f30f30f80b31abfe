#include "control/data/cfcc.h"

#include <algorithm>
#include <array>

namespace quelmar::data {
namespace {

constexpr std::array<CfccEntry, kCfccCount> kCfccTable = {{
#define QUELMAR_CFCC(featureCode, code, description) {featureCode, code, description},
#include "control/data/cfcc_codes.def"
#undef QUELMAR_CFCC
}};

// Feature codes run on from 41 without a gap and the codes are 3 characters
// in ascending order, so a code is found by bisection.
constexpr bool TableIsInOrder() {
  for (std::size_t i = 0; i < kCfccTable.size(); ++i) {
    if (kCfccTable[i].FeatureCode != kFirstCfccFeatureCode + static_cast<int>(i)) return false;
    if (kCfccTable[i].Code.size() != kCfccLength) return false;
    if (i > 0 && !(kCfccTable[i - 1].Code < kCfccTable[i].Code)) return false;
  }
  return true;
}
static_assert(TableIsInOrder());

constexpr std::array<char, kCfccCount * kCfccLength> MakeResourceText() {
  std::array<char, kCfccCount * kCfccLength> text{};
  std::size_t at = 0;
  for (const CfccEntry& entry : kCfccTable) {
    for (char c : entry.Code) text[at++] = c;
  }
  return text;
}
constexpr std::array<char, kCfccCount * kCfccLength> kResourceText = MakeResourceText();

const CfccEntry* EntryOf(int featureCode) {
  if (featureCode < kFirstCfccFeatureCode || featureCode > kLastCfccFeatureCode) return nullptr;
  return &kCfccTable[static_cast<std::size_t>(featureCode - kFirstCfccFeatureCode)];
}

}  // namespace

std::span<const CfccEntry> CfccTable() { return kCfccTable; }

std::string_view CfccOfFeatureCode(int featureCode) {
  const CfccEntry* entry = EntryOf(featureCode);
  return entry != nullptr ? entry->Code : std::string_view();
}

std::optional<std::uint8_t> FeatureCodeOfCfcc(std::string_view cfcc) {
  const auto found = std::lower_bound(kCfccTable.begin(), kCfccTable.end(), cfcc,
                                      [](const CfccEntry& entry, std::string_view code) { return entry.Code < code; });
  if (found == kCfccTable.end() || found->Code != cfcc) return std::nullopt;
  return found->FeatureCode;
}

std::string_view CfccDescription(int featureCode) {
  const CfccEntry* entry = EntryOf(featureCode);
  return entry != nullptr ? entry->Description : std::string_view();
}

std::string_view CfccResourceText() { return {kResourceText.data(), kResourceText.size()}; }

}  // namespace quelmar::data
