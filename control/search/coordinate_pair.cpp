#include "control/search/coordinate_pair.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "control/core/map_units.h"
#include "control/search/result_line.h"

namespace quelmar::search {
namespace {

// A decimal number in the C locale with an optional sign; the whole text
// must be the number. Infinities and NaN are refused.
std::optional<double> ReadNumber(std::string_view text) {
  bool negative = false;
  if (text.starts_with('+') || text.starts_with('-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

int CountOf(const ShortString& text, char c) {
  int count = 0;
  for (int pos = 1; pos <= text.Length(); ++pos) count += text.At(pos) == c ? 1 : 0;
  return count;
}

std::optional<std::int32_t> ToMapUnits(double degrees) { return core::CheckedRound(degrees * core::kUnitsPerDegree); }

std::optional<std::int32_t> ReadHalf(const ShortString& half) {
  const int colons = CountOf(half, ':');
  if (colons == 0) {
    const std::optional<double> degrees = ReadNumber(half.View());
    if (!degrees) return std::nullopt;
    return ToMapUnits(*degrees);
  }
  if (colons > 2) return std::nullopt;
  const ShortString degreesText = ResultField(half, 1, ':');
  const std::optional<double> degrees = ReadNumber(degreesText.View());
  const std::optional<double> minutes = ReadNumber(ResultField(half, 2, ':').View());
  const std::optional<double> seconds = colons == 2 ? ReadNumber(ResultField(half, 3, ':').View()) : 0.0;
  if (!degrees || !minutes || !seconds) return std::nullopt;
  const double magnitude = std::fabs(*degrees) + *minutes / 60.0 + *seconds / 3600.0;
  // The sign is taken from the text: «-0:30» reads -0 degrees, which is not
  // below zero, yet lies half a degree west.
  const bool negative = degreesText.StartsWith("-");
  return ToMapUnits(negative ? -magnitude : magnitude);
}

}  // namespace

std::optional<CoordinatePair> ParseCoordinatePair(const ShortString& text) {
  const ShortString pair = RemoveSpaces(text);
  const int comma = pair.Pos(",");
  if (comma == 0) return std::nullopt;
  const std::optional<std::int32_t> first = ReadHalf(pair.Copy(1, comma - 1));
  const std::optional<std::int32_t> second = ReadHalf(pair.From(comma + 1));
  if (!first || !second) return std::nullopt;
  return CoordinatePair{*first, *second};
}

}  // namespace quelmar::search
