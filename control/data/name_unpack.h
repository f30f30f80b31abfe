#pragma once
// Decoding of packed name text (the tables are name_codes.h). A street name is
// decoded in three steps: pair codes, word codes, then a leading direction
// letter written out; label texts only have their long words expanded. Every
// function is pure, takes any bytes and never reads outside its input: an
// escape without a following byte is dropped and each result is capped.
#include <cstddef>
#include <string>
#include <string_view>

namespace quelmar::data {

inline constexpr std::size_t kMaxStoredNameBytes = 40;   // bytes of a stored street name that count
inline constexpr std::size_t kMaxPairTextLength = 128;   // after the pair step
inline constexpr std::size_t kMaxNameLength = 80;        // after the word step, and of a decoded name
inline constexpr std::size_t kMaxLabelWordsLength = 255;  // a decoded label text

// Step 1: a byte below 127 is itself; 127 takes the byte after it as a
// character; a byte b of 128..255 is pair entry b - 127. Word codes are kept.
// The result is cut at 128 characters.
std::string UnpackPairs(std::string_view stored);

// Step 2: each character of code 1..31 becomes its word-table entry; inserted
// words are not scanned again. The result is cut at 80 characters.
std::string ExpandWordCodes(std::string_view text);

// A stored street name as the search and the object query read it: steps 1
// and 2 on the first 40 stored bytes, then a leading "N ", "S ", "E " or "W "
// written out as "NORTH ", "SOUTH ", "EAST " or "WEST " (cut at 80 characters).
std::string UnpackName(std::string_view stored);

// Steps 1 and 2 only, on the first 40 stored bytes: the direction letter stays
// abbreviated (closest-street search and the road network use this form).
std::string UnpackNameAbbreviated(std::string_view stored);

// A stored label text: each byte of 129..200 becomes long-word entry b - 128;
// other bytes stay. The result is cut at 255 characters.
std::string UnpackLabelWords(std::string_view stored);

// A stored street name without its street type, as the map labels streets
// with street types hidden: a name longer than 3 bytes whose last byte is a
// street-type word code (any word code but 15 and 25) loses that byte.
std::string_view WithoutStreetType(std::string_view stored);

}  // namespace quelmar::data
