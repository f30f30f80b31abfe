#include "control/search/wildcard.h"

#include <algorithm>
#include <string>

namespace quelmar::search {
namespace {

constexpr int kPaddedLength = 40;

}  // namespace

ShortString WildcardMask(const ShortString& candidate, const ShortString& pattern) {
  ShortString masked = candidate;
  const int colon = masked.Pos(":");
  if (colon > 0) masked = masked.Copy(1, colon - 1);
  // Padded to the pattern's length as well, so that a pattern longer than 40
  // characters still finds a character of the candidate at each position.
  const int padded = std::max(kPaddedLength, pattern.Length());
  if (masked.Length() < padded) masked.Append(std::string(static_cast<std::size_t>(padded - masked.Length()), ' '));
  masked = masked.Copy(1, pattern.Length());

  bool afterStar = false;
  for (int pos = 1; pos <= pattern.Length(); ++pos) {
    const char p = pattern.At(pos);
    if (p == '?' || p == '*') {
      masked.Set(pos, p);
      afterStar = afterStar || p == '*';
    } else if (afterStar) {
      masked.Set(pos, ' ');
    }
  }
  return masked;
}

bool WildcardMatch(const ShortString& candidate, const ShortString& pattern) {
  return WildcardMask(candidate, pattern) == pattern;
}

}  // namespace quelmar::search
