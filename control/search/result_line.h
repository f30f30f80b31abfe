#pragma once
// Field access on the separated texts in which searches report their hits
// (tab-separated result lines, comma-separated place queries).
#include "control/search/short_string.h"

namespace quelmar::search {

inline constexpr char kResultSeparator = '\t';

// The n-th piece (counting from 1) between occurrences of `separator`; empty
// when the text has fewer pieces or n is below 1.
ShortString ResultField(const ShortString& line, int n, char separator = kResultSeparator);

// The text with its n-th piece replaced by `value`. Missing pieces up to n
// are added empty; n below 1 leaves the text unchanged. The result is cut to
// 255 characters.
ShortString ReplaceResultField(const ShortString& line, int n, const ShortString& value,
                               char separator = kResultSeparator);

}  // namespace quelmar::search
