#pragma once
// How place names of different sources are compared: the gazetteer writes
// "Chicago city" and "San Buenaventura (Ventura) city", GeoNames and the
// highway table write "Chicago" and "Ventura"; accents may come as UTF-8,
// as combining marks or as Latin-1 bytes.
#include <string>
#include <string_view>
#include <vector>

#include "tools/quelmar-data/builder/inputs/gazetteer.h"

namespace quelmar::builder {

// A comparison key: ASCII lower case with accents dropped (from UTF-8,
// combining marks or stray Latin-1 bytes), '-' and '/' as spaces, other
// punctuation removed, spaces collapsed, and "saint", "sainte", "mount",
// "fort" written as "st", "ste", "mt", "ft".
std::string NameKey(std::string_view name);

// The name in printable ASCII, as the engine's single-byte tables hold it:
// accented letters (UTF-8, combining marks or Latin-1 bytes) without their
// accents ("Cañon City" → "Canon City"), curly quotes as "'", other
// characters outside ASCII and control characters dropped.
std::string AsciiName(std::string_view name);

// The names a gazetteer entry is known by, the one to show first: the name
// without its legal suffix ("Chicago city" → "Chicago", "Juneau city and
// borough" → "Juneau", "Barnstable Town city, MA" → "Barnstable" but
// "Old Town city, ME" → "Old Town") and, for a name with an alternate in
// parentheses, both ("San Buenaventura (Ventura)" → "San Buenaventura",
// "Ventura"). Empty for a county subdivision that is
// not a town-like unit (a census county division, precinct, district ...).
std::vector<std::string> CommonNames(const GazetteerEntry& entry);

// A common name of a consolidated government or of a place whose gazetteer
// name differs from the name people use.
struct PlaceAlias {
  std::string_view StateCode;
  std::string_view CommonName;     // "Nashville"
  std::string_view GazetteerName;  // "Nashville-Davidson metropolitan government (balance)"
};
// The table; for each gazetteer name the first alias listed is the name to show.
const std::vector<PlaceAlias>& PlaceAliases();

}  // namespace quelmar::builder
