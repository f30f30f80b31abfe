#pragma once
// How well a reported hit matches what was typed: a precision class and a
// score from 0 to 1, for hosts that rank or filter geocodes. Neither changes
// any reported text; the control gives them as the MatchInfo property.
#include <cstdint>
#include <string>

#include "control/search/short_string.h"

namespace quelmar::search {

enum class MatchPrecision : std::uint8_t {
  House,         // the house number lies in the hit line's range: the point is interpolated on it
  Street,        // the street only
  Intersection,  // the meeting point of a street and a cross street
  Zip,           // a ZIP code's point
  City,          // a place's point
};

struct MatchQuality {
  MatchPrecision Precision = MatchPrecision::Street;
  double Score = 0;  // 0..1
  friend bool operator==(const MatchQuality&, const MatchQuality&) = default;
};

// What was typed, each part empty (or 0) when it was not.
struct TypedAddress {
  std::int32_t HouseKey = 0;
  ShortString Street;  // normalised, without the house number
  ShortString City;
  ShortString Zip;
};

// The score weighs the parts that were typed: house number in range 0.2,
// street name 0.4 (0.2 when the hit's name only contains it), street type
// 0.1, direction 0.1, place 0.1, ZIP code 0.1; the score is the weight of the
// parts that match over the weight of the parts typed.
//
// The quality of a street line (a street result line or a collected address
// line: street, place, range or number, state, ZIP code).
MatchQuality StreetLineQuality(const TypedAddress& typed, const ShortString& line);
// The quality of a fall-back line at a ZIP code's or a place's point.
MatchQuality PointQuality(const TypedAddress& typed, MatchPrecision precision);

// "house", "street", "intersection", "zip" or "city".
const char* PrecisionName(MatchPrecision precision);
// The MatchInfo text: the precision name, a tab, the score with two decimals.
std::string MatchInfoText(const MatchQuality& quality);

}  // namespace quelmar::search
