#include "control/data/name_codes.h"

#include <array>

namespace quelmar::data {
namespace {

// Index 0 is word code 1.
constexpr std::array<std::string_view, kWordCodeCount> kWords = {
    " ST",      // 1
    " AVE",     // 2
    " RD",      // 3
    " DR",      // 4
    " LN",      // 5
    " PL",      // 6
    " CT",      // 7
    " BLVD",    // 8
    " PKWY",    // 9
    " CIR",     // 10
    " TER",     // 11
    " TR",      // 12
    " WAY",     // 13
    " TPK",     // 14
    "I-",       // 15 interstate
    "US HWY ",  // 16 US highway
    "SR ",      // 17 state route
    "SRD ",     // 18 state road
    "STH ",     // 19 state trunk highway
    "CRD ",     // 20 county road
    " LOOP",    // 21
    " CV",      // 22
    " PATH",    // 23
    " RUN",     // 24
    " HWY",     // 25 kept when street types are hidden
    " TRL",     // 26
    "CARR ",    // 27 carretera
    " PIKE",    // 28
    " EXPY",    // 29 freeway-class name
    " SQ",      // 30
    " ALY",     // 31
};

// Index 0 is entry 1 (byte 128).
constexpr std::array<std::string_view, kPairCodeCount> kPairs = {
    "S ", "W ", "N ", "TH", "ER", "ON", "AR", "IN", "AN", "ST", "OR", "E ", "LA", "LE", "EN", "EL",
    "ND", "MA", "LL", " L", " M", "RE", " C", "NE", "AL", "RA", "RI", " S", " W", "TO", "KE", "LI",
    " P", "MO", "NG", "RD", "IL", "AS", "NT", " H", "CH", "DE", "LO", "TE", " 5", "WA", "RO", "OO",
    " K", "CO", "ES", "IS", "HA", "IC", "SH", "BE", "NA", "RT", "VE", " A", "CA", "PA", "AM", "IE",
    "TA", "WO", " B", " N", "OL", "RK", " R", "AC", "AK", "AT", "EA", "HI", "SO", "UR", "CE", "CK",
    "DA", "VI", " 4", "HE", "HO", "LD", "NO", " E", "AY", "MI", "OD", "SE", "WE", "IT", "ME", " 3",
    " 6", "8T", "NS", "TT", " G", "EW", "ID", "PE", "RN", "4T", "EY", " D", "5T", "7T", "DI", "ET",
    "GR", "RS", "SA", " F", "3R", "6T", "AG", "BA", "CL", "GA", "GE", "UL", " O", " T", "9T", "ED",
};

// Index 0 is entry 1 (byte 129).
constexpr std::array<std::string_view, kLongWordCount> kLongWords = {
    "International", "National",  "Airport",  "County",    "Springs",   "Heights",     "Park",
    "Mountain",      "Lake",      "City",     "Saint",     "Fort",      "Beach",       "Village",
    "Township",      "Municipal", "Regional", "Memorial",  "Creek",     "River",       "Valley",
    "Center",        "Island",    "Harbor",   "Point",     "Falls",     "Grove",       "Hills",
    "Ridge",         "Prairie",   "Junction", "Estates",   "Reservation", "Forest",    "State",
    "University",    "College",   "School",   "Elementary", "Hospital", "Cemetery",    "Church",
    "Station",       "Field",     "Recreation", "Wildlife", "Refuge",   "Golf",        "Course",
    "Country",       "Club",      "Military", "Monument",  "Historic",  "Preserve",    "Reservoir",
    "Canyon",        "North",     "South",    "East",      "West",      "Mount",       "Spring",
    "Shopping",      "Plaza",     "Square",   "Bridge",    "Garden",    "Marina",      "Museum",
    "District",      "Little",
};

constexpr bool LengthsWithin(const auto& table, std::size_t minimum, std::size_t limit) {
  for (std::string_view entry : table) {
    if (entry.size() > limit || entry.size() < minimum) return false;
  }
  return true;
}

constexpr bool PairsArePlainCharacters() {
  for (std::string_view pair : kPairs) {
    if (pair.size() != 2) return false;
    for (char c : pair) {
      if (c < ' ' || c > '~') return false;
    }
  }
  return true;
}

static_assert(LengthsWithin(kWords, 1, kMaxWordLength));
static_assert(LengthsWithin(kLongWords, 2, kMaxLongWordLength));
static_assert(PairsArePlainCharacters(), "word codes must stay bytes of their own");
static_assert(kFirstPairByte + kPairCodeCount - 1 == 255);
static_assert(kFirstLongWordByte + kLongWordCount - 1 == kLastLongWordByte);
// The fixed codes that the shield classifier and the street-label pass read.
static_assert(kWords[kInterstateWordCode - 1] == "I-" && kWords[kUsHighwayWordCode - 1] == "US HWY ");
static_assert(kWords[kCountyRoadWordCode - 1] == "CRD " && kWords[kCarreteraWordCode - 1] == "CARR ");
static_assert(kWords[kKeptSuffixWordCode - 1] == " HWY" && kWords[kFreewayNameWordCode - 1] == " EXPY");

template <std::size_t N>
std::string_view Entry(const std::array<std::string_view, N>& table, int number) {
  if (number < 1 || number > static_cast<int>(N)) return {};
  return table[static_cast<std::size_t>(number - 1)];
}

}  // namespace

std::string_view WordOfCode(int code) { return Entry(kWords, code); }
std::string_view PairEntry(int entry) { return Entry(kPairs, entry); }
std::string_view LongWordEntry(int entry) { return Entry(kLongWords, entry); }

}  // namespace quelmar::data
