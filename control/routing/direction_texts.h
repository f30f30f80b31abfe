#pragma once
// The texts of the directions: times, distances, compass points, road
// names and turn sentences. All pure functions.
#include <cstdint>
#include <string>
#include <string_view>

namespace quelmar::routing {

inline constexpr double kKilometresPerMile = 1.609344;

// Status-line time: "2 Hour 5 Min", " 7 Min 12 Sec", " 40 Sec".
std::string TotalTimeText(double seconds);
// Row time: "01:05:09", or "01:05" in the hours format.
std::string RowTimeText(double seconds, bool hoursFormat);
// The "Drive Time:" value on two lines: " 1 Hour\r\n 5 Min", " 7 Min\r\n 12 Sec", " 40 Sec".
std::string DriveTimeLabel(double seconds);
// Distance in a drive sentence: "3.2 miles", "12 miles", or in kilometres "5.2 km ".
std::string DriveDistanceText(double miles, bool kilometres);
// Time in a drive sentence: "2.0 hrs", "about 2 mins", "about 10 secs", "less than 5 secs".
std::string SentenceTimeText(double seconds);

// The compass point of a direction (east 0, counter-clockwise): the short
// row form ("E ", "NE", "N ", ...) and the word ("East", "Northeast", ...).
std::string_view CompassRowText(double angle);
std::string_view CompassWord(double angle);

// The road class text of a class code: "A10" interstates .. "A40" streets,
// the feature's own code for codes of 40 and more, "A99" otherwise.
std::string RoadClassText(std::uint8_t classCode);

// The directions' name of a road named `entry` (street + tab + place) of
// class `classCode`: the first of its "/" names by rank (I-, US, SH, CH,
// then the rest, alphabetical within a rank) or all of them joined by "/",
// then "\r\n" and the place when there is one; "Ramp" for ramps and
// "Unnamed Rd" without a name.
std::string RoadNameText(std::string_view entry, std::uint8_t classCode, bool allNames);
// The first line of RoadNameText (no place).
std::string StreetOfRoadName(std::string_view roadName);

// The manoeuvre at a junction turning by `angle` degrees (right positive).
struct Manoeuvre {
  std::string Verb;  // "Turn and head", "Turn", "Bear", "Continue"
  std::string Side;  // " Left", " Right", " Straight"
  std::string Sentence;
};
Manoeuvre TurnManoeuvre(double angle, std::string_view roadName);

}  // namespace quelmar::routing
