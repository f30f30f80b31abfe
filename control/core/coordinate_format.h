#pragma once
// Text of coordinates in the four LLmode styles. The text is Windows-1252: the
// degree sign is the single byte 0xB0.
#include <string>

#include "control/core/tx_enums.h"

namespace quelmar::core {

inline constexpr char kDegreeSign = '\xB0';
inline constexpr std::size_t kCoordinateTextMax = 120;

// Text of a value in map units (not necessarily whole): "-" or " " for the
// sign, then TmHMS degrees/minutes/seconds (minutes when coordDecimals ≥ 2,
// seconds when ≥ 3), TmDEG decimal degrees, TmBIG map units, TmSMALL degrees
// and decimal minutes; "<>" for any other mode. A value that is not finite or
// lies outside the int32 map-unit range has no text: "<>" after the sign.
// The result is at most 120 characters.
std::string FormatCoordinate(double units, TxLLMode mode, int coordDecimals);

// A longitude and latitude in degrees, each first rounded to a whole map unit,
// joined by "," in the given order.
std::string LonLatStr(double lon, double lat, TxLLMode mode, int coordDecimals, TxCoord order);

// One value in degrees, not rounded to a whole map unit.
std::string DMS(double degrees, TxLLMode mode, int coordDecimals);

// Fixed-point text of v with `decimals` digits, "." as the decimal point
// whatever the process locale.
std::string FormatFixed(double v, int decimals);

}  // namespace quelmar::core
