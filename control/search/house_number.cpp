#include "control/search/house_number.h"

#include <limits>
#include <string>
#include <string_view>

#include "control/search/street_name.h"

namespace quelmar::search {
namespace {

constexpr std::string_view kGridLetters = "NSEW";

// Digits are collected in 64 bits and stop growing once past every value the
// caller accepts, so a long run of digits can neither overflow nor wrap.
constexpr std::int64_t kDigitsCeiling = std::int64_t{1} << 40;

std::int64_t AppendDigit(std::int64_t value, char digit) {
  if (value >= kDigitsCeiling) return value;
  return value * 10 + (digit - '0');
}

bool AllDigits(const ShortString& text) {
  if (text.Empty()) return false;
  for (int pos = 1; pos <= text.Length(); ++pos) {
    if (!IsDigit(text.At(pos))) return false;
  }
  return true;
}

// The letter's place in "NSEW", 0 for any other character.
int GridLetterPlace(char c) {
  const std::size_t found = kGridLetters.find(c);
  return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

ShortString Decimal(std::int64_t value) { return ShortString(std::to_string(value)); }

}  // namespace

std::int32_t HouseNumberKey(const ShortString& text) {
  const ShortString number = RemoveSpaces(text);
  if (number.Empty()) return 0;

  if (AllDigits(number)) {
    std::int64_t value = 0;
    for (int pos = 1; pos <= number.Length(); ++pos) value = AppendDigit(value, number.At(pos));
    return value <= std::numeric_limits<std::int32_t>::max() ? static_cast<std::int32_t>(value) : 0;
  }

  std::int64_t digits = 0;
  bool anyDigit = false;
  std::int64_t letterCode = 0;  // (L - 1) * 10 + P of the last character that is not a digit
  for (int pos = 1; pos <= number.Length(); ++pos) {
    const char c = number.At(pos);
    if (IsDigit(c)) {
      digits = AppendDigit(digits, c);
      anyDigit = true;
    } else {
      letterCode = (GridLetterPlace(c) - 1) * 10 + pos;
    }
  }
  // Text without digits is no number at all. Digits of 400000 and more would
  // spill into the letter's part of the key and read back as another number.
  if (!anyDigit || digits >= kGridKeyBase) return 0;
  // |letterCode| is at most 30 + 255, so the key always fits int32.
  return static_cast<std::int32_t>(letterCode * kGridKeyBase + digits);
}

ShortString HouseNumberText(std::int32_t key) {
  if (key <= kGridKeyBase) return Decimal(key);
  const std::int32_t letterCode = key / kGridKeyBase;
  const std::int32_t digits = key % kGridKeyBase;
  const std::int32_t letterPlace = letterCode / 10 + 1;
  if (letterPlace > static_cast<std::int32_t>(kGridLetters.size())) return Decimal(key);
  ShortString text = Decimal(digits);
  text.Insert(kGridLetters.substr(static_cast<std::size_t>(letterPlace - 1), 1), letterCode % 10);
  return text;
}

AddressRange ParseAddressRange(const ShortString& text) {
  const ShortString range = RemoveSpaces(text);
  if (range.Empty()) return {0, -1};
  const int dash = range.Pos("-");
  if (dash == 0) {
    const std::int32_t key = HouseNumberKey(range);
    return {key, key};
  }
  return {HouseNumberKey(range.Copy(1, dash - 1)), HouseNumberKey(range.From(dash + 1))};
}

HouseNumberAndStreet ExtractHouseNumber(const ShortString& street) {
  // Both address splits hand over upper-case text; upper-casing here as well
  // keeps «42nd st» an ordinal street name for any other caller.
  ShortString text = UpperCase(street);
  std::int32_t key = 0;
  if (text.At(1) == '#' || IsDigit(text.At(1))) {
    const int blank = text.Pos(" ");
    const int wordLength = blank > 0 ? blank - 1 : text.Length();
    const ShortString firstWord = text.Copy(1, wordLength);
    const bool ordinal = blank > 0 && (firstWord.Contains("RD") || firstWord.Contains("ST") ||
                                       firstWord.Contains("ND") || firstWord.Contains("TH"));
    if (!ordinal) {
      key = HouseNumberKey(firstWord.At(1) == '#' ? firstWord.From(2) : firstWord);
      if (key != 0) text.Delete(1, wordLength + 1);
    }
  }
  return {key, NormalizeStreetName(text)};
}

}  // namespace quelmar::search
