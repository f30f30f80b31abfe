#pragma once
// Street names in the form searches compare: a typed query and a name from
// the map data are both rewritten the same way (directionals, "SAINT", state
// and county routes, street types) before one is looked for in the other.
#include "control/search/short_string.h"

namespace quelmar::search {

// The comparison form of a street name: upper case, a leading directional as
// its letter, "SAINT" as "ST", state and county routes as "SR", "SRD" and
// "CRD", a final street-type word abbreviated, "MC " joined to the word after
// it. «n. Main Street» gives «N MAIN ST».
ShortString NormalizeStreetName(const ShortString& name);

// The part of a normalised name that street search looks for: the text before
// the first street-type word (tried in a fixed order), never ending in a
// blank. «N MAIN ST» gives «N MAIN», «BROADWAY» stays «BROADWAY».
ShortString StreetSearchKey(const ShortString& normalisedName);

}  // namespace quelmar::search
