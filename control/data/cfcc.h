#pragma once
// The TIGER Census Feature Class Codes ("A00" .. "X00") that feature codes
// 41..231 stand for, in list order (cfcc_codes.def, one QUELMAR_CFCC(feature
// code, code, description) line per code), and the built-in resource text
// that lists them.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quelmar::data {

inline constexpr int kFirstCfccFeatureCode = 41;
inline constexpr int kLastCfccFeatureCode = 231;
inline constexpr int kCfccCount = kLastCfccFeatureCode - kFirstCfccFeatureCode + 1;  // 191
inline constexpr std::size_t kCfccLength = 3;

struct CfccEntry {
  std::uint8_t FeatureCode = 0;
  std::string_view Code;         // "A41"
  std::string_view Description;  // "Local, neighborhood, and rural road, ..."
};

// The 191 codes in feature-code order.
std::span<const CfccEntry> CfccTable();

// "A00" .. "X00" for feature codes 41..231; empty for any other number.
std::string_view CfccOfFeatureCode(int featureCode);
// The feature code of a CFCC ("A41" → 78), exact and case-sensitive; nothing
// for a text that is not one of the 191 codes.
std::optional<std::uint8_t> FeatureCodeOfCfcc(std::string_view cfcc);
// The description of feature code 41..231; empty for any other number.
std::string_view CfccDescription(int featureCode);

// The built-in resource: the 191 codes in order, 3 characters each, with
// nothing between them (573 characters).
std::string_view CfccResourceText();

}  // namespace quelmar::data
