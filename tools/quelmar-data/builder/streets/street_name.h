#pragma once
// Street names in the stored form every reader hands on: upper case ASCII,
// single spaces, a leading or trailing direction and the street type written
// the short way the postal service does ("West Addison Street" and
// "W. Addison St" both become "W ADDISON ST").
#include <string>
#include <string_view>

namespace quelmar::builder {

// The stored form of a street name as written in a source (UTF-8).
// Accented Latin letters fold to their base letter, other non-ASCII
// characters and punctuation other than ' - & / are dropped. A direction or
// type word is only shortened where it is a prefix or suffix beside a base
// name, so "North Avenue", "West Street" and "Avenue Road" keep their words.
std::string StoredStreetName(std::string_view name);

// The stored form of one direction word ("NORTH" -> "N"), or the word
// itself when it is not one. The word must already be upper case.
std::string_view ShortDirection(std::string_view upperWord);

}  // namespace quelmar::builder
