#pragma once
// The one-string address of GeoFind: house number and street, city, state and
// ZIP code separated by commas, in any order after the street. The ZIP code
// and the city are recognised by looking them up, so the lookups are handed
// in (the search tables are read elsewhere).
#include <cstdint>
#include <functional>

#include "control/search/short_string.h"

namespace quelmar::search {

struct AddressLookups {
  // The ZIP result line for a ZIP code (field 3 is the state code); "" when
  // there is none.
  std::function<ShortString(std::int32_t zip)> ZipLine;
  // The place line of the exact place lookup for a query "City,ST" (field 1
  // the place name, field 2 its state code); "" when there is none.
  std::function<ShortString(const ShortString& query)> PlaceLine;
};

struct SplitAddressResult {
  ShortString Street;     // the one field left over, with any house number; "" when not exactly one is left
  ShortString City;       // the field recognised as a place of the state, directionals written out
  ShortString State;      // two-letter code typed or given by the ZIP code (at most 8 characters)
  ShortString Zip;        // five digits
  ShortString TypedCity;  // a field that names a place, but one of another state
  friend bool operator==(const SplitAddressResult&, const SplitAddressResult&) = default;
};

// Splits an address into its parts; a "|" and what follows it are ignored. At most five
// comma-separated fields are read; anything after a fifth comma is ignored.
// A missing lookup counts as one that finds nothing.
SplitAddressResult SplitAddress(const ShortString& address, const AddressLookups& lookups);

}  // namespace quelmar::search
