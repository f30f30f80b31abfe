#pragma once
// The Locator's Address tab reads its one line positionally: street (with
// any house number), city, state, ZIP code.
#include "control/search/short_string.h"

namespace quelmar::search {

struct LocatorAddress {
  ShortString Street;  // with any house number
  ShortString City;
  ShortString State;   // at most 8 characters
  ShortString Zip;
  friend bool operator==(const LocatorAddress&, const LocatorAddress&) = default;
};

// Upper case, split at "," into street, city, state and ZIP code, each
// trimmed; further fields are ignored. With no fourth field, a state field
// ending in a digit holds the state and the ZIP code as two words («IL 60614»).
LocatorAddress SplitLocatorAddress(const ShortString& typed);

// What the Place tab's field shows for the address: the city in title case,
// followed by "," and the state when there is one; "" without a city.
ShortString LocatorPlaceText(const LocatorAddress& address);

}  // namespace quelmar::search
