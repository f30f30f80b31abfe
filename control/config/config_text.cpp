#include "control/config/config_text.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/kernel/number_text.h"

namespace quelmar::config {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::vector<ConfigEntry> ParseConfigText(std::string_view text) {
  std::vector<ConfigEntry> entries;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);
    line = line.substr(0, line.find(';'));
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals + 1 > kMaxKeyLength) continue;
    entries.push_back({std::string(line.substr(0, equals + 1)), std::string(line.substr(equals + 1))});
  }
  return entries;
}

double ConfigReal(std::string_view value) {
  double number = 0;
  if (kernel::ParseDouble(Trim(value), &number) != kernel::NumberParse::Ok || !std::isfinite(number)) return 0;
  return number;
}

std::int32_t ConfigInteger(std::string_view value) { return RoundedInteger(ConfigReal(value)); }

std::int32_t RoundedInteger(double value) {
  if (!std::isfinite(value)) return 0;
  const double real = std::round(value);
  if (real >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) return std::numeric_limits<std::int32_t>::max();
  if (real <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(real);
}

bool ConfigBoolean(std::string_view value) { return value.find("TRUE") != std::string_view::npos; }

std::vector<double> ConfigList(std::string_view value) {
  std::vector<double> numbers;
  std::size_t at = 0;
  for (;;) {
    const std::size_t comma = value.find(',', at);
    numbers.push_back(ConfigReal(value.substr(at, comma == std::string_view::npos ? std::string_view::npos : comma - at)));
    if (comma == std::string_view::npos) break;
    at = comma + 1;
  }
  return numbers;
}

std::uint32_t ConfigColour(std::string_view value) {
  value = Trim(value);
  if (value.starts_with('$')) {
    std::uint64_t colour = 0;
    std::size_t digits = 0;
    for (char c : value.substr(1)) {
      int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
      if (d < 0 || ++digits > 8) return 0;
      colour = colour * 16 + static_cast<std::uint64_t>(d);
    }
    return digits == 0 ? 0 : static_cast<std::uint32_t>(colour);
  }
  const double number = std::round(ConfigReal(value));
  return number < 0 || number > 4294967295.0 ? 0 : static_cast<std::uint32_t>(number);
}

std::string FixedTwo(double value) {
  if (!std::isfinite(value)) value = 0;
  char text[400];
  std::snprintf(text, sizeof text, "%.2f", value);  // the C locale: the library never sets another
  return text;
}

void ConfigWriter::Line(std::string_view key, std::string_view value) {
  text_ += key;
  text_ += value;
  text_ += "\r\n";
}

void ConfigWriter::Section(std::string_view name) {
  if (anySection_) text_ += "\r\n";
  anySection_ = true;
  text_ += "[";
  text_ += name;
  text_ += "]\r\n";
}

void ConfigWriter::Text(std::string_view key, std::string_view value) { Line(key, value); }
void ConfigWriter::Boolean(std::string_view key, bool value) { Line(key, value ? "TRUE" : "FALSE"); }
void ConfigWriter::Integer(std::string_view key, std::int64_t value) { Line(key, std::to_string(value)); }
void ConfigWriter::Real2(std::string_view key, double value) { Line(key, FixedTwo(value)); }

void ConfigWriter::Number(std::string_view key, double value) {
  Line(key, kernel::FormatSignificant(std::isfinite(value) ? value : 0, 15));
}

void ConfigWriter::Colour(std::string_view key, std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "$%08X", value);
  Line(key, text);
}

void ConfigWriter::List(std::string_view key, const std::vector<std::int64_t>& values) {
  std::string text;
  for (std::size_t i = 0; i < values.size(); ++i) text += (i ? "," : "") + std::to_string(values[i]);
  Line(key, text);
}

}  // namespace quelmar::config
