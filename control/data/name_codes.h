#pragma once
// The code tables of packed name text, shared by the engine's decoder and the
// data builder's packer. Street names are stored in capitals ("N MAIN ST");
// label texts of places and landmarks are stored as written ("Chicago O'Hare
// International").
//
// - Word table (31 entries): bytes 1..31 inside a street name. Route prefixes
//   (15..20, 27) stand at the start of a "/" part and are followed by the
//   route number; every other entry is a street-type word with its leading
//   blank and stands at the end of a part.
// - Pair table (128 entries): byte b in 128..255 is the two characters of
//   entry b - 127. The entries are the most frequent letter pairs of US street
//   names (counted on real street names after their types were coded), most
//   frequent first; they hold letters, digits and blanks only, never word
//   codes, so a word code always stands in a name as its own byte.
// - Long-word table (72 entries): label byte b in 129..200 is entry b - 128.
//   The entries are frequent words of US place, landmark and airport names,
//   in title case as the labels write them, and they are matched in that
//   case only.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quelmar::data {

inline constexpr int kWordCodeCount = 31;
inline constexpr int kPairCodeCount = 128;
inline constexpr int kLongWordCount = 72;
inline constexpr std::size_t kMaxWordLength = 7;
inline constexpr std::size_t kMaxLongWordLength = 16;

// Word codes the engine relies on: the shield classifier reads the text after
// a route prefix as the route number.
inline constexpr std::uint8_t kInterstateWordCode = 15;   // "I-"
inline constexpr std::uint8_t kUsHighwayWordCode = 16;    // "US HWY "
inline constexpr std::uint8_t kStateRouteWordCode = 17;   // "SR "
inline constexpr std::uint8_t kStateRoadWordCode = 18;    // "SRD "
inline constexpr std::uint8_t kStateTrunkWordCode = 19;   // "STH "
inline constexpr std::uint8_t kCountyRoadWordCode = 20;   // "CRD "
inline constexpr std::uint8_t kKeptSuffixWordCode = 25;   // " HWY": stays when street types are hidden
inline constexpr std::uint8_t kCarreteraWordCode = 27;    // "CARR "
inline constexpr std::uint8_t kFreewayNameWordCode = 29;  // " EXPY": marks freeway-class names

// Byte values of the stored forms.
inline constexpr std::uint8_t kEscapeByte = 127;        // next byte is a character, whatever its value
inline constexpr std::uint8_t kFirstPairByte = 128;     // pair entry b - 127
inline constexpr std::uint8_t kFirstLongWordByte = 129;  // long-word entry b - 128
inline constexpr std::uint8_t kLastLongWordByte = 200;

// Word-table entry `code` (1..31); empty for any other number.
std::string_view WordOfCode(int code);
// Pair-table entry `entry` (1..128); empty for any other number.
std::string_view PairEntry(int entry);
// Long-word-table entry `entry` (1..72); empty for any other number.
std::string_view LongWordEntry(int entry);

// Whether word code `code` is a route prefix (15..20 or 27) rather than a
// street-type word.
constexpr bool IsRoutePrefixWordCode(int code) { return (code >= 15 && code <= 20) || code == 27; }
// Whether a name whose last stored byte is `code` loses it when street types
// are hidden: every word code except the interstate prefix and " HWY".
constexpr bool IsHiddenStreetTypeCode(int code) {
  return code >= 1 && code <= kWordCodeCount && code != kInterstateWordCode && code != kKeptSuffixWordCode;
}

}  // namespace quelmar::data
