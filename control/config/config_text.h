#pragma once
// The text of a configuration file: KEY=value lines under "[Section]"
// headers, 8-bit text with CR LF line ends. The reader keeps the setting
// lines in order (a line is cut at its first ";", the key runs to its first
// "=" and includes it, at most 16 characters; lines without "=" are
// skipped; headers only group lines); the writer puts an empty line before
// every header but the first. Numbers are read and written in the C locale.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar::config {

inline constexpr std::size_t kMaxKeyLength = 16;  // with its "="

struct ConfigEntry {
  std::string Key;  // "CDSTATE="
  std::string Value;
  friend bool operator==(const ConfigEntry&, const ConfigEntry&) = default;
};

std::vector<ConfigEntry> ParseConfigText(std::string_view text);

// A value as a decimal real: 0 when it does not read as one; within the
// range of doubles, never infinite.
double ConfigReal(std::string_view value);
// The real rounded, held within the int32 range.
std::int32_t ConfigInteger(std::string_view value);
std::int32_t RoundedInteger(double real);
// True exactly when the value holds "TRUE".
bool ConfigBoolean(std::string_view value);
// The numbers of a list value, split at ",".
std::vector<double> ConfigList(std::string_view value);
// A colour "$" + hexadecimal digits (or a decimal number); 0 when neither.
std::uint32_t ConfigColour(std::string_view value);

class ConfigWriter {
 public:
  void Section(std::string_view name);
  void Text(std::string_view key, std::string_view value);
  void Boolean(std::string_view key, bool value);
  void Integer(std::string_view key, std::int64_t value);
  void Real2(std::string_view key, double value);        // "0.00" form
  void Number(std::string_view key, double value);       // up to 15 significant digits
  void Colour(std::string_view key, std::uint32_t value);  // "$" + hexadecimal
  void List(std::string_view key, const std::vector<std::int64_t>& values);
  const std::string& Text() const { return text_; }

 private:
  void Line(std::string_view key, std::string_view value);
  std::string text_;
  bool anySection_ = false;
};

// Two decimals, in the C locale, for a finite value; non-finite values as 0.
std::string FixedTwo(double value);

}  // namespace quelmar::config
