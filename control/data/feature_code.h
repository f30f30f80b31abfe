#pragma once
// Feature codes: the byte that classifies every map object, and the fixed
// mapping from codes to map layers. Codes 0..40 are layers themselves; codes
// 41..231 are the TIGER census feature classes "A00".."X00" in list order.
#include <cstdint>

namespace quelmar::data {

inline constexpr std::uint8_t kDefaultFeatureCode = 23;  // a file's code until its first 0x04 record
inline constexpr std::uint8_t kRoadsLayer = 13;          // "Roads:"
inline constexpr std::uint8_t kStreetsLayer = 14;        // "Streets"
inline constexpr std::uint8_t kRouteLabelCode = 33;      // route labels (highway shields)
inline constexpr std::uint8_t kHighwayCode = 51;         // A11, drawn on "Highway:"

// The layer that objects of feature code `code` draw on.
constexpr std::uint8_t FeatureLayer(std::uint8_t code) {
  if (code <= 40) return code;
  if (code <= 49) return 13;   // A00-A08 Roads:
  if (code <= 58) return 9;    // A10-A18 Highway:
  if (code <= 67) return 10;   // A20-A28 Highway: US
  if (code <= 73) return 11;   // A30-A35 Roads: Cnty
  if (code <= 76) return 12;   // A36-A38 Roads: State
  if (code <= 81) return 14;   // A40-A44 Streets
  if (code <= 99) return 13;   // A45-A73 Roads:
  if (code <= 119) return 17;  // B00-B52 Railroads
  if (code <= 124) return 18;  // C00-C31 Power Line
  if (code <= 172) return 19;  // D00-D91 Parks
  if (code <= 177) return 20;  // E00-E22 Vegatation
  if (code <= 202) return 21;  // F00-F82 Non-Visible
  if (code <= 230) {           // H00-H81 Hydro; the intermittent classes are IHydro
    const bool intermittent = code == 205 || code == 208 || code == 212 || code == 215 || code == 218 || code == 225;
    return intermittent ? 24 : 23;
  }
  if (code == 231) return 26;  // X00 Small Islands
  return 0;
}

}  // namespace quelmar::data
