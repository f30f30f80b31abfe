#pragma once
// The stored forms of the names the writers put into drawing files: street
// and route names and place names packed with the name code tables, label
// texts with the long-word table, and the route names of the highway table.
#include <string>
#include <string_view>

namespace quelmar::builder {

// A street, route or place name (upper case) as a NameString or a
// PlaceObject stores it.
std::string StoredName(std::string_view plain);

// A label text as a LabelText stores it.
std::string StoredLabel(std::string_view plain);

// The plain form of a highway table route: "I-94" → "I-94", "US-41" → "US HWY 41".
std::string RouteName(std::string_view route);

// Upper case of ASCII letters; other bytes unchanged.
std::string UpperAscii(std::string_view text);

// The feature code of a CFCC code such as "A41"; throws std::invalid_argument
// for an unknown code.
std::uint8_t FeatureCodeOf(std::string_view cfcc);

}  // namespace quelmar::builder
