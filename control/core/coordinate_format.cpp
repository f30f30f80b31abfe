#include "control/core/coordinate_format.h"

#include <charconv>
#include <cmath>

#include "control/core/map_units.h"
#include "control/core/rounding.h"

namespace quelmar::core {

std::string FormatFixed(double v, int decimals) {
  char buffer[400];  // the largest finite double has 309 integer digits
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return "<>";
  return std::string(buffer, result.ptr);
}

namespace {

std::string PadLeft(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

// A 2-wide minutes or seconds field whose leading blank becomes "0".
std::string ZeroLed(std::string field) {
  if (!field.empty() && field[0] == ' ') field[0] = '0';
  return field;
}

std::string DegreesText(double degrees) {
  std::string text = PadLeft(FormatFixed(degrees, 6), 9);
  if (text.find('.') == std::string::npos) return text;
  std::erase(text, ' ');
  while (text.size() > 2 && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

// The text of |v| in the given mode, without the sign.
std::string MagnitudeText(double magnitude, TxLLMode mode, int coordDecimals) {
  const double a = magnitude * kDegreesPerUnit;
  const double whole = std::trunc(a);
  const double fraction = a - whole;
  const double minutes = std::trunc(fraction * 60);
  const double seconds = std::trunc((fraction * 60 - minutes) * 60);

  switch (mode) {
    case TmHMS: {
      std::string text = PadLeft(FormatFixed(whole, 0), 3) + kDegreeSign;
      if (coordDecimals >= 2) text += ZeroLed(PadLeft(FormatFixed(minutes, 0), 2)) + "'";
      text += ' ';
      if (coordDecimals >= 3) text += ZeroLed(PadLeft(FormatFixed(seconds, 0), 2)) + '"';
      return text;
    }
    case TmDEG:
      return DegreesText(a);
    case TmBIG:
      return FormatFixed(magnitude, 4);
    case TmSMALL:
      return PadLeft(FormatFixed(whole, 0), 3) + " " + ZeroLed(PadLeft(FormatFixed(fraction * 60, 2), 4)) + "'";
  }
  return "<>";
}

}  // namespace

std::string FormatCoordinate(double units, TxLLMode mode, int coordDecimals) {
  std::string text = units < 0 ? "-" : " ";
  const double magnitude = std::fabs(units);
  // Written so that NaN fails the test.
  if (magnitude < kRoundLimit) {
    text += MagnitudeText(magnitude, mode, coordDecimals);
  } else {
    text += "<>";
  }
  if (text.size() > kCoordinateTextMax) text.resize(kCoordinateTextMax);
  return text;
}

std::string LonLatStr(double lon, double lat, TxLLMode mode, int coordDecimals, TxCoord order) {
  const double x = std::nearbyint(lon * kUnitsPerDegree);
  const double y = std::nearbyint(lat * kUnitsPerDegree);
  const double first = order == CdLatLon ? y : x;
  const double second = order == CdLatLon ? x : y;
  return FormatCoordinate(first, mode, coordDecimals) + "," + FormatCoordinate(second, mode, coordDecimals);
}

std::string DMS(double degrees, TxLLMode mode, int coordDecimals) {
  return FormatCoordinate(degrees * kUnitsPerDegree, mode, coordDecimals);
}

}  // namespace quelmar::core
