#include "platform/kernel/number_text.h"

#include <charconv>

#include "platform/kernel/ascii.h"

namespace quelmar::kernel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True when an out-of-range text is too small rather than too large: its
// exponent is negative ("1e-400").
bool HasNegativeExponent(std::string_view digits) {
  const size_t e = digits.find_first_of("eE");
  return e != std::string_view::npos && e + 1 < digits.size() && digits[e + 1] == '-';
}

}  // namespace

NumberParse ParseDouble(std::string_view text, double* out) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // std::from_chars would also accept "inf" and "nan"; a number starts with a
  // digit or the decimal point.
  if (text.empty() || !(IsDigit(text.front()) || text.front() == '.')) return NumberParse::Invalid;

  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, value);
  if (stop != end || ec == std::errc::invalid_argument) return NumberParse::Invalid;
  if (ec == std::errc::result_out_of_range) {
    if (!HasNegativeExponent(text)) return NumberParse::Overflow;
    value = 0;
  }
  *out = negative ? -value : value;
  return NumberParse::Ok;
}

std::string FormatSignificant(double value, int significantDigits) {
  if (value == 0) value = 0;  // no "-0"
  char buffer[64];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, significantDigits);
  std::string text(buffer, ec == std::errc{} ? end : buffer);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return text;
}

std::string FormatShortest(double value) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, ec == std::errc{} ? end : buffer);
}

std::string FormatShortest(float value) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, ec == std::errc{} ? end : buffer);
}

}  // namespace quelmar::kernel
