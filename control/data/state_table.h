#pragma once
// The state tables: the two-letter codes by FIPS number, and the built-in
// boxes of the states' street data, which the load pass and the street
// searches test points and views against.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "control/data/map_box.h"
#include "control/data/quad.h"

namespace quelmar::data {

// Two-letter codes in slots 1..72; a state's slot is its FIPS number. Slot 0
// and slots 3, 7, 14, 57, 58, 59 are empty. Slots 60..72 are Canadian
// provinces and territories (72 is "SA").
inline constexpr int kStateSlotCount = 72;
inline constexpr int kLastStreetStateSlot = 56;  // slots 1..56 may have street data

inline constexpr std::array<std::string_view, kStateSlotCount + 1> kStateCodes = {
    "",   "AL", "AK", "",   "AZ", "AR", "CA", "",   "CO", "CT", "DE", "DC", "FL", "GA", "",
    "HI", "ID", "IL", "IN", "IA", "KS", "KY", "LA", "ME", "MD", "MA", "MI", "MN", "MS", "MO",
    "MT", "NE", "NV", "NH", "NJ", "NM", "NY", "NC", "ND", "OH", "OK", "OR", "PA", "PR", "RI",
    "SC", "SD", "TN", "TX", "UT", "VT", "VA", "VI", "WA", "WV", "WI", "WY", "",   "",   "",
    "AB", "BC", "MB", "NB", "NF", "NS", "ON", "PE", "QC", "SK", "YK", "NT", "SA",
};

// The code of slot `number`; "" for an empty slot or a number out of range.
constexpr std::string_view StateCode(int number) {
  return number >= 1 && number <= kStateSlotCount ? kStateCodes[number] : "";
}

// The slot whose code is exactly `code` (case matters), except that PR gives
// 72 and VI gives 78, their FIPS numbers; 0 for an unknown or empty code.
int StateNumber(std::string_view code);

// The slot of `code` among slots 1..56, the states with street data and the
// territories filed with them (PR gives 43); 0 for any other code.
int StreetStateSlot(std::string_view code);

// Each entry of the box table is ten characters: the state archive code
// (two decimal digits), then the street quad column and row (two base-36
// digits each) of the lower-left corner, then of the upper-right corner.
// The second entry (Alaska) is empty.
inline constexpr std::size_t kStateBoxEntryLength = 10;
inline constexpr std::array<std::string_view, 53> kStateBoxEntries = {
    "017Y2M8931", "",           "045N2P6537", "057E2V7U36", "064T2T5P3N", "0865376R3K", "09983J9E3N", "10913C943G",
    "118X3D8Y3D", "1280248O2O", "13862M8M31", "15041M262H", "165G3N5Z49", "177O37823O", "187Z3A893M", "19783I7S3R",
    "206R377E3H", "217U368I3E", "227G2I7X2V", "239G3Q9T44", "248Q3A943G", "25983K9J3Q", "267R3M8H46", "27763R7U4A",
    "287O2M7Z31", "297B347W3I", "305J3U6L49", "316L3G7C3Q", "3257315Q3N", "339B3P9H3X", "34923D973L", "35652P6O37",
    "368P3I9E3W", "378A2X9236", "386L3Z7849", "39893C8M3O", "406O2X7F37", "414S3N5I40", "428M3G953O", "439Q1J9Y1M",
    "449D3K9G3N", "458E2S8T32", "466L3O793Z", "477S318J36", "486D287I36", "495Q37653N", "50993P9F3W", "518D36933F",
    "529Y1JA01L", "534S3Y5H49", "548G388V3I", "557K3O8443", "565Z3K6L3W",
};

struct StateBox {
  int State = 0;  // state archive code (the FIPS number)
  MapBox Box;     // from the lower-left quad's corner to the upper-right quad's far corner
  friend bool operator==(const StateBox&, const StateBox&) = default;
};

// Nullopt for an empty entry or one that is not ten characters of the form
// above.
std::optional<StateBox> ParseStateBoxEntry(std::string_view entry);

// The box of the state whose archive code is `state`; nullopt when the table
// has no entry for it (Alaska, the empty FIPS numbers, anything out of range).
std::optional<StateBox> StateBoxOf(int state);

// Whether (x, y) lies in the box of `state`, edges included; false when the
// state has no box.
bool InStateBox(int state, std::int32_t x, std::int32_t y);

// As InStateBox, with the box widened by `marginX` on its west and east
// sides and `marginY` on its south and north sides.
bool InStateBoxWithMargin(int state, std::int32_t x, std::int32_t y, std::int32_t marginY, std::int32_t marginX);

}  // namespace quelmar::data
