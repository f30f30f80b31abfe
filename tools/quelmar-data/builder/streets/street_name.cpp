#include "tools/quelmar-data/builder/streets/street_name.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace quelmar::builder {

namespace {

// Latin-1 Supplement and Latin Extended-A letters (U+00C0..U+017F) to their
// ASCII base letter, upper case, sixteen to a row; '-' drops the character
// (× and ÷), '*' folds to two letters (TwoLetterFold).
constexpr std::string_view kLatinFold =
    "AAAAAA*CEEEEIIII"   // U+00C0
    "DNOOOOO-OUUUUY**"   // U+00D0
    "AAAAAA*CEEEEIIII"   // U+00E0
    "DNOOOOO-OUUUUY*Y"   // U+00F0
    "AAAAAACCCCCCCCDD"   // U+0100
    "DDEEEEEEEEEEGGGG"   // U+0110
    "GGGGHHHHIIIIIIII"   // U+0120
    "II**JJKKKLLLLLLL"   // U+0130
    "LLLNNNNNNNNNOOOO"   // U+0140
    "OO**RRRRRRSSSSSS"   // U+0150
    "SSTTTTTTUUUUUUUU"   // U+0160
    "UUUUWWYYYZZZZZZS";  // U+0170

std::string_view TwoLetterFold(std::uint32_t code) {
  switch (code) {
    case 0xC6:
    case 0xE6:
      return "AE";
    case 0xDE:
    case 0xFE:
      return "TH";
    case 0xDF:
      return "SS";
    case 0x132:
    case 0x133:
      return "IJ";
    case 0x152:
    case 0x153:
      return "OE";
    default:
      return {};
  }
}

constexpr std::pair<std::string_view, std::string_view> kDirections[] = {
    {"NORTH", "N"},      {"SOUTH", "S"},      {"EAST", "E"},       {"WEST", "W"},
    {"NORTHEAST", "NE"}, {"NORTHWEST", "NW"}, {"SOUTHEAST", "SE"}, {"SOUTHWEST", "SW"},
};

// Street types, full word to the postal abbreviation. Common informal
// spellings ("AV", "STR") map to the same abbreviation.
constexpr std::pair<std::string_view, std::string_view> kStreetTypes[] = {
    {"ALLEY", "ALY"},      {"ARCADE", "ARC"},   {"AV", "AVE"},          {"AVENUE", "AVE"},    {"BEND", "BND"},
    {"BOULEVARD", "BLVD"}, {"BYPASS", "BYP"},   {"CAUSEWAY", "CSWY"},   {"CENTER", "CTR"},    {"CIRCLE", "CIR"},
    {"COMMON", "CMN"},     {"CORNER", "COR"},   {"COURT", "CT"},        {"COVE", "CV"},       {"CRESCENT", "CRES"},
    {"CROSSING", "XING"},  {"DRIVE", "DR"},     {"EXPRESSWAY", "EXPY"}, {"EXTENSION", "EXT"}, {"FREEWAY", "FWY"},
    {"GARDENS", "GDNS"},   {"GATEWAY", "GTWY"}, {"GLEN", "GLN"},        {"GREEN", "GRN"},     {"GROVE", "GRV"},
    {"HEIGHTS", "HTS"},    {"HIGHWAY", "HWY"},  {"HILL", "HL"},         {"HOLLOW", "HOLW"},   {"JUNCTION", "JCT"},
    {"LANDING", "LNDG"},   {"LANE", "LN"},      {"MANOR", "MNR"},       {"MEADOWS", "MDWS"},  {"MOTORWAY", "MTWY"},
    {"PARKWAY", "PKWY"},   {"PLACE", "PL"},     {"PLAZA", "PLZ"},       {"POINT", "PT"},      {"RIDGE", "RDG"},
    {"ROAD", "RD"},        {"ROUTE", "RTE"},    {"SKYWAY", "SKWY"},     {"SQUARE", "SQ"},     {"STR", "ST"},
    {"STREET", "ST"},      {"TERRACE", "TER"},  {"TRACE", "TRCE"},      {"TRAIL", "TRL"},     {"TURNPIKE", "TPKE"},
    {"VIADUCT", "VIA"},    {"VIEW", "VW"},      {"VILLAGE", "VLG"},     {"VISTA", "VIS"},
};

// Words that are street types already in short form (or have none), so that
// "North Ave" is recognised as a name without a base word in front of the type.
constexpr std::string_view kShortTypes[] = {
    "ALY",  "ARC",  "AVE", "BND",  "BLVD", "BYP",  "CSWY", "CTR",  "CIR",  "CMN",  "COR",  "CT",   "CV",
    "CRES", "XING", "DR",  "EXPY", "EXT",  "FWY",  "GDNS", "GTWY", "GLN",  "GRN",  "GRV",  "HTS",  "HWY",
    "HL",   "HOLW", "JCT", "LNDG", "LN",   "LOOP", "MALL", "MNR",  "MDWS", "MTWY", "PARK", "PKWY", "PASS",
    "PATH", "PIKE", "PL",  "PLZ",  "PT",   "RDG",  "RD",   "RTE",  "ROW",  "RUN",  "SKWY", "SQ",   "ST",
    "TER",  "TRCE", "TRL", "TPKE", "VIA",  "VW",   "VLG",  "VIS",  "WALK", "WAY",
};

std::string_view ShortType(std::string_view word) {
  for (const auto& [full, abbreviation] : kStreetTypes) {
    if (word == full) return abbreviation;
  }
  return word;
}

bool IsStreetType(std::string_view word) {
  const std::string_view shortForm = ShortType(word);
  for (std::string_view type : kShortTypes) {
    if (shortForm == type) return true;
  }
  return false;
}

bool IsDirection(std::string_view word) {
  for (const auto& [full, abbreviation] : kDirections) {
    if (word == full || word == abbreviation) return true;
  }
  return false;
}

// Decodes one UTF-8 character at `at`; returns its code point and advances
// `at`. A malformed sequence gives 0xFFFD and skips one byte.
std::uint32_t NextCodePoint(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  int length = 0;
  std::uint32_t code = 0;
  if (lead < 0x80) {
    ++at;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code = lead & 0x1Fu;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0Fu;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code = lead & 0x07u;
  } else {
    ++at;
    return 0xFFFD;
  }
  if (at + static_cast<std::size_t>(length) > text.size()) {
    ++at;
    return 0xFFFD;
  }
  for (int i = 1; i < length; ++i) {
    const unsigned char next = byte(at + static_cast<std::size_t>(i));
    if ((next & 0xC0) != 0x80) {
      ++at;
      return 0xFFFD;
    }
    code = (code << 6) | (next & 0x3Fu);
  }
  at += static_cast<std::size_t>(length);
  return code;
}

// Upper-case ASCII with accents folded; separators become spaces.
std::string FoldToAscii(std::string_view name) {
  std::string folded;
  folded.reserve(name.size());
  std::size_t at = 0;
  while (at < name.size()) {
    const std::uint32_t code = NextCodePoint(name, at);
    if (code >= 'a' && code <= 'z') {
      folded += static_cast<char>(code - 'a' + 'A');
    } else if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9') || code == '\'' || code == '-' ||
               code == '&' || code == '/') {
      folded += static_cast<char>(code);
    } else if (code == '.') {
      // "N. Clark" and "U.S. 41": the dot only marks an abbreviation.
    } else if (code == 0x2019) {
      folded += '\'';  // typographic apostrophe
    } else if (code >= 0xC0 && code <= 0x17F) {
      const char letter = kLatinFold[code - 0xC0];
      if (letter == '*') {
        folded += TwoLetterFold(code);
      } else if (letter != '-') {
        folded += letter;
      }
    } else if (code < 0x80 || code == 0xA0 || code == 0xB7) {
      folded += ' ';  // spaces, commas, brackets, the middle dot
    }
  }
  return folded;
}

std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (c == ' ') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

}  // namespace

std::string_view ShortDirection(std::string_view upperWord) {
  for (const auto& [full, abbreviation] : kDirections) {
    if (upperWord == full) return abbreviation;
  }
  return upperWord;
}

std::string StoredStreetName(std::string_view name) {
  std::vector<std::string> words = SplitWords(FoldToAscii(name));
  if (words.empty()) return {};

  // Where the base name starts and ends: a direction in front of a word that
  // is not only a type is a prefix; a direction after a type is a suffix.
  std::size_t first = 0;
  std::size_t last = words.size();  // one past the type, when there is one
  if (words.size() >= 2 && IsDirection(words[0]) && !(words.size() == 2 && IsStreetType(words[1]))) {
    words[0] = std::string(ShortDirection(words[0]));
    first = 1;
  }
  if (words.size() - first >= 3 && IsDirection(words.back()) && IsStreetType(words[words.size() - 2])) {
    words.back() = std::string(ShortDirection(words.back()));
    last = words.size() - 1;
  }
  // The type is the last word of the base name, with a word before it.
  if (last - first >= 2 && IsStreetType(words[last - 1])) {
    words[last - 1] = std::string(ShortType(words[last - 1]));
  }

  std::string stored;
  for (const std::string& word : words) {
    if (!stored.empty()) stored += ' ';
    stored += word;
  }
  return stored;
}

}  // namespace quelmar::builder
