#pragma once
// House numbers as sortable integer keys. A plain number is its own key; a
// grid number, digits with one of the letters N, S, E, W among them ("50W201"),
// has the key ((L - 1) * 10 + P) * 400000 + D, where L is the letter's place
// in "NSEW", P its 1-based position and D the number the digits form.
#include <cstdint>

#include "control/search/short_string.h"

namespace quelmar::search {

inline constexpr std::int32_t kGridKeyBase = 400000;

// The key of a typed or stored house number, blanks ignored. 0 means "no
// number": an empty text, one without digits, and numbers the keys cannot
// hold (a plain number beyond int32, a grid number whose digits reach
// 400000). A character other than a digit or N, S, E, W early in the text
// gives a negative key, which lies in no address range.
std::int32_t HouseNumberKey(const ShortString& text);

// The text a key was read from: a key up to 400000 in decimal, a grid key
// with its letter put back ("50W201"). A key whose letter place lies beyond
// "NSEW" cannot come from a grid number and is written in decimal.
ShortString HouseNumberText(std::int32_t key);

// Low and high keys of an address range such as "100-198".
struct AddressRange {
  std::int32_t Low = 0;
  std::int32_t High = -1;
  // Whether the key lies in the range; the key 0 ("no number") never does.
  bool Contains(std::int32_t key) const { return key != 0 && Low <= key && key <= High; }
  friend bool operator==(const AddressRange&, const AddressRange&) = default;
};

// Blanks ignored; an empty text gives the empty range (0, -1); without "-"
// both ends are the key of the text; otherwise the keys of the parts before
// and after the first "-".
AddressRange ParseAddressRange(const ShortString& text);

struct HouseNumberAndStreet {
  std::int32_t Key = 0;  // 0 when the street has no house number
  ShortString Street;    // normalised, without the house number
  friend bool operator==(const HouseNumberAndStreet&, const HouseNumberAndStreet&) = default;
};

// Splits a leading house number ("#25 OAK DR", "50W201 MAIN ST") from a
// street. A first word that is an ordinal street name («42ND ST») stays part
// of the street. The street comes back through NormalizeStreetName.
HouseNumberAndStreet ExtractHouseNumber(const ShortString& street);

}  // namespace quelmar::search
