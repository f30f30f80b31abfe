#include "apps/quelmar/size_argument.h"

#include <charconv>
#include <cstddef>
#include <system_error>

namespace quelmar::app {
namespace {

// The whole of `digits` as one side: a number from 1 to kMaxSizeSide.
bool ParseSide(std::string_view digits, int* out) {
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc{} || end != digits.data() + digits.size()) return false;
  if (value < 1 || value > kMaxSizeSide) return false;
  *out = value;
  return true;
}

}  // namespace

bool ParseSize(std::string_view text, int* width, int* height) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string_view::npos) return false;
  int w = 0, h = 0;
  if (!ParseSide(text.substr(0, x), &w) || !ParseSide(text.substr(x + 1), &h)) return false;
  *width = w;
  *height = h;
  return true;
}

}  // namespace quelmar::app
