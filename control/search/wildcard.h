#pragma once
// The pattern rule of the place, ZIP and user-street lists: a pattern matches
// every candidate that begins with it, "?" stands for any one character and a
// "*" ends the comparison (it is meaningful only as the last character).
#include "control/search/short_string.h"

namespace quelmar::search {

// The candidate is read up to its first ":" and padded with blanks, so a
// pattern with trailing blanks matches a shorter candidate. Case matters.
bool WildcardMatch(const ShortString& candidate, const ShortString& pattern);

// The candidate as the pattern sees it: cut before any ":", padded with
// blanks to at least 40 characters, cut to the pattern's length, with the
// pattern's "?" and "*" copied in and every later character after the first
// "*" blanked. WildcardMatch compares this with the pattern; the ZIP search
// also orders masked block bounds against the pattern.
ShortString WildcardMask(const ShortString& candidate, const ShortString& pattern);

}  // namespace quelmar::search
