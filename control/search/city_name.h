#pragma once
// City names as the searches compare them: abbreviated directionals written
// out or brought to one form, and "ST."/"ST" read as "SAINT".
#include "control/search/short_string.h"

namespace quelmar::search {

// Upper case with abbreviated directionals written out: a leading "NO ",
// "SO ", "NO.", "SO.", "N ", "S ", "E ", "W " and a word-initial "N.", "S.",
// "E.", "W." become the whole word. «N. PLATTE» gives «NORTH PLATTE»,
// «E ST LOUIS» gives «EAST ST LOUIS».
ShortString ExpandDirectionals(const ShortString& city);

// "N. ", "N " or "NORTH " gives "N." (likewise S, E, W); any other text is
// returned unchanged. The whole argument is compared, trailing blank included.
ShortString CanonicalDirectional(const ShortString& word);

// The Locator's form of ExpandDirectionals: the first word (with its blank)
// through CanonicalDirectional, then a leading "N.", "S.", "E.", "W."
// written out. «N PLATTE» gives «NORTH PLATTE».
ShortString CityDirectionalPrefix(const ShortString& city);

// Upper case, cut after the blank that begins the first " CITY", and a
// leading "ST. " or "ST " read as "SAINT ". «ST. PAUL» gives «SAINT PAUL».
ShortString SaintForm(const ShortString& city);

// Whether the SaintForm of `a` occurs in the SaintForm of `b`.
bool CityContains(const ShortString& a, const ShortString& b);

// Whether `a` matches `b` at the start of one of b's words: " " + a occurs in
// " " + b + " ".
bool WordContains(const ShortString& a, const ShortString& b);

}  // namespace quelmar::search
