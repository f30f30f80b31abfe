#include "control/search/street_name.h"

#include <array>
#include <string_view>

namespace quelmar::search {
namespace {

struct RouteRewrite {
  std::string_view prefix;     // what the name followed by a blank begins with
  std::string_view newPrefix;  // what replaces it
  int restFrom;                // 1-based position where the kept rest of the name starts
};

// The county rows take their rest from the last letter of "ROAD"/"RD", so
// county roads read «CRD 5».
constexpr std::array<RouteRewrite, 5> kStateRoutes = {{
    {"STATE RTE ", "SR", 10},
    {"STATE RT ", "SR", 9},
    {"STATE ROUTE ", "SR", 12},
    {"STATE ROAD ", "SRD", 11},
    {"STATE RD ", "SRD", 9},
}};
constexpr RouteRewrite kUsHighway = {"US HIGHWAY ", "US HWY", 11};
constexpr std::array<RouteRewrite, 2> kCountyRoads = {{
    {"COUNTY ROAD ", "CR", 11},
    {"COUNTY RD ", "CR", 9},
}};

constexpr std::array<std::string_view, 13> kKeptStreetTypes = {
    "RD", "LN", "ST", "PL", "DR", "TR", "AVE", "PKWY", "CIR", "HWY", "TER", "COURT", "TPK",
};

struct TypeRewrite {
  std::string_view word;
  std::string_view abbreviation;
};
constexpr std::array<TypeRewrite, 13> kStreetTypeRewrites = {{
    {"ROAD", "RD"},
    {"LANE", "LN"},
    {"STREET", "ST"},
    {"PLACE", "PL"},
    {"DRIVE", "DR"},
    {"TRAIL", "TR"},
    {"AVENUE", "AVE"},
    {"PARKWAY", "PKWY"},
    {"CIRCLE", "CIR"},
    {"HIGHWAY", "HWY"},
    {"HIWAY", "HWY"},
    {"TERRACE", "TER"},
    {"TURNPIKE", "TPK"},
}};

// The street-type words StreetSearchKey cuts at, in the order they are tried.
constexpr std::array<std::string_view, 14> kSearchTypeWords = {
    " RD ", " LN ", " ST ", " PL ", " DR ", " TR ", " AVE ", " PKWY ", " CIR ", " HWY ", " TER ", " CT ", " TPK ", " BLVD ",
};

int LastBlank(const ShortString& text) {
  for (int pos = text.Length(); pos >= 1; --pos) {
    if (text.At(pos) == ' ') return pos;
  }
  return 0;
}

void DropFinalDot(ShortString& text) {
  if (text.Last() == '.') text.Delete(text.Length(), 1);
}

// "N." at the start stands for the direction letter. Replacing the dot by a
// blank would leave two blanks in «N. MAIN»; where a blank already follows,
// the dot is dropped instead, so «N. MAIN» and «N.MAIN» both read «N MAIN».
void LeadingDirectionalDot(ShortString& text) {
  for (std::string_view abbreviation : {"W.", "E.", "N.", "S."}) {
    if (!text.StartsWith(abbreviation)) continue;
    if (text.At(3) == ' ') {
      text.Delete(2, 1);
    } else {
      text.Set(2, ' ');
    }
  }
}

void SaintToSt(ShortString& text) {
  const int pos = text.Pos("SAINT ");
  if (pos > 0) text.Delete(pos + 1, 3);
}

void LeadingDirectionalWord(ShortString& text) {
  if (text.StartsWith("WEST ") || text.StartsWith("EAST ")) {
    text.Delete(2, 3);
  } else if (text.StartsWith("SOUTH ") || text.StartsWith("NORTH ")) {
    text.Delete(2, 4);
  }
}

bool ApplyRouteRewrite(ShortString& text, const ShortString& withBlank, const RouteRewrite& rewrite) {
  if (!withBlank.StartsWith(rewrite.prefix)) return false;
  text = ShortString(rewrite.newPrefix) + text.From(rewrite.restFrom);
  return true;
}

void RouteNames(ShortString& text) {
  // The tests look at the text followed by a blank, which does not change
  // while the one rewrite that can match is made.
  const ShortString withBlank = text + " ";
  if (withBlank.StartsWith("STATE ")) {
    for (const RouteRewrite& rewrite : kStateRoutes) {
      if (ApplyRouteRewrite(text, withBlank, rewrite)) return;
    }
  }
  if (ApplyRouteRewrite(text, withBlank, kUsHighway)) return;
  if (withBlank.StartsWith("COUNTY")) {
    for (const RouteRewrite& rewrite : kCountyRoads) {
      if (ApplyRouteRewrite(text, withBlank, rewrite)) return;
    }
  }
}

ShortString AbbreviatedStreetType(const ShortString& word) {
  if (word == "COURT") return "CT";
  for (std::string_view kept : kKeptStreetTypes) {
    if (word == kept) return word;
  }
  for (const TypeRewrite& rewrite : kStreetTypeRewrites) {
    if (word == rewrite.word) return rewrite.abbreviation;
  }
  return word;
}

void StreetType(ShortString& text) {
  const int blank = LastBlank(text);
  if (blank < 2) return;
  const ShortString head = text.Copy(1, blank - 1);
  const ShortString lastWord = AbbreviatedStreetType(text.From(blank + 1));
  text = lastWord.Empty() ? head : head + " " + lastWord;
}

void JoinMc(ShortString& text) {
  const int pos = text.Pos("MC ");
  if (pos > 0) text.Delete(pos + 2, 1);
}

}  // namespace

ShortString NormalizeStreetName(const ShortString& name) {
  ShortString text = UpperCase(name);
  DropFinalDot(text);
  LeadingDirectionalDot(text);
  SaintToSt(text);
  LeadingDirectionalWord(text);
  RouteNames(text);
  StreetType(text);
  JoinMc(text);
  return text;
}

ShortString StreetSearchKey(const ShortString& normalisedName) {
  // A 255-character name has no room for the appended blank, so the words are
  // looked for in a longer working copy.
  const std::string withBlank = normalisedName.Str() + " ";
  ShortString key = normalisedName;
  for (std::string_view word : kSearchTypeWords) {
    const std::size_t found = withBlank.find(word);
    if (found == std::string::npos) continue;
    key = normalisedName.Copy(1, static_cast<int>(found));
    break;
  }
  // The key is looked for inside stored names, so a trailing blank (left by
  // a double blank before the type word) would wrongly demand one there.
  while (key.Last() == ' ') key.Delete(key.Length(), 1);
  return key;
}

}  // namespace quelmar::search
