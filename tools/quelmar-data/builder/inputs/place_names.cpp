#include "tools/quelmar-data/builder/inputs/place_names.h"

#include <array>
#include <cstdint>

namespace quelmar::builder {
namespace {

// ASCII spellings of U+00C0..U+00FF; "" for the two signs (× and ÷).
constexpr std::array<std::string_view, 64> kLatin1Letters = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e",  "e",  "e", "e", "i", "i", "i", "i", "d",  "n", "o",  "o", "o", "o",
    "o", "",  "o", "u", "u", "u", "u",  "y", "th", "ss", "a", "a", "a", "a", "a", "a", "ae", "c", "e",  "e", "e", "e",
    "i", "i", "i", "i", "d", "n", "o",  "o", "o",  "o",  "o", "",  "o", "u", "u", "u", "u",  "y", "th", "y",
};

// Decodes one UTF-8 sequence at text[i]; a byte that does not start a valid
// sequence is taken as a Latin-1 character on its own.
std::uint32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(text[at]); };
  const std::uint8_t lead = byte(i);
  int length = 0;
  std::uint32_t code = 0;
  if (lead < 0x80) {
    ++i;
    return lead;
  } else if ((lead & 0xE0) == 0xC0 && lead >= 0xC2) {
    length = 2;
    code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  }
  if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) {
    ++i;
    return lead;
  }
  for (int k = 1; k < length; ++k) {
    const std::uint8_t next = byte(i + static_cast<std::size_t>(k));
    if ((next & 0xC0) != 0x80) {
      ++i;
      return lead;
    }
    code = (code << 6) | (next & 0x3F);
  }
  i += static_cast<std::size_t>(length);
  return code;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
  } else {
    if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    }
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  }
  out += static_cast<char>(0x80 | (code & 0x3F));
}

std::string_view WordAbbreviation(std::string_view word) {
  if (word == "saint") return "st";
  if (word == "sainte") return "ste";
  if (word == "mount") return "mt";
  if (word == "fort") return "ft";
  return word;
}

// Legal suffixes of places, longest first so that "city and borough" wins over "borough".
constexpr std::array<std::string_view, 13> kPlaceSuffixes = {
    "city and borough", "city (balance)", "town (balance)", "zona urbana", "municipality", "corporation", "comunidad",
    "(balance)",        "village",        "borough",        "city",        "town",         "CDP",
};
// County subdivisions that are towns, townships or cities people name places by.
constexpr std::array<std::string_view, 8> kSubdivisionSuffixes = {
    "charter township", "city (balance)", "plantation", "township", "village", "borough", "city", "town",
};
// Massachusetts towns with a city form of government: "Barnstable Town city".
// Elsewhere "Town" belongs to the name: "Old Town city, ME", "Charles Town city, WV".
constexpr std::array<std::string_view, 1> kMassachusettsTownCity = {"Town city"};

template <std::size_t N>
bool StripSuffix(std::string_view& name, const std::array<std::string_view, N>& suffixes) {
  for (const std::string_view suffix : suffixes) {
    if (name.size() > suffix.size() + 1 && name.ends_with(suffix) && name[name.size() - suffix.size() - 1] == ' ') {
      name.remove_suffix(suffix.size() + 1);
      return true;
    }
  }
  return false;
}

}  // namespace

std::string NameKey(std::string_view name) {
  std::string folded;
  for (std::size_t i = 0; i < name.size();) {
    const std::uint32_t code = NextCodePoint(name, i);
    if (code < 0x80) {
      const char c = static_cast<char>(code);
      if (c >= 'A' && c <= 'Z') {
        folded += static_cast<char>(c - 'A' + 'a');
      } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
        folded += c;
      } else if (c == ' ' || c == '-' || c == '/' || c == '\t') {
        folded += ' ';
      }
      // Other punctuation ('.', ',', '\'', '(' ...) is dropped.
    } else if (code >= 0xC0 && code <= 0xFF) {
      folded += kLatin1Letters[code - 0xC0];
    } else if (code >= 0x300 && code <= 0x36F) {
      // A combining accent: the letter before it stays.
    } else if (code == 0xA0) {
      folded += ' ';  // a no-break space
    } else if (code == 0x2018 || code == 0x2019) {
      // Curly quotes are dropped like '\''.
    } else if (code >= 0x80 && code < 0xC0) {
      // C1 controls and Latin-1 signs carry no letter.
    } else {
      AppendUtf8(folded, code);
    }
  }
  // Collapse spaces and shorten the common words.
  std::string key;
  std::size_t start = 0;
  while (start < folded.size()) {
    while (start < folded.size() && folded[start] == ' ') ++start;
    std::size_t end = start;
    while (end < folded.size() && folded[end] != ' ') ++end;
    if (end > start) {
      if (!key.empty()) key += ' ';
      key += WordAbbreviation(std::string_view(folded).substr(start, end - start));
    }
    start = end;
  }
  return key;
}

std::string AsciiName(std::string_view name) {
  std::string ascii;
  for (std::size_t i = 0; i < name.size();) {
    const std::uint32_t code = NextCodePoint(name, i);
    if (code >= 0x20 && code < 0x7F) {
      ascii += static_cast<char>(code);
    } else if (code >= 0xC0 && code <= 0xFF) {
      std::string letters(kLatin1Letters[code - 0xC0]);
      if (code < 0xE0 && !letters.empty()) letters[0] = static_cast<char>(letters[0] - 'a' + 'A');
      ascii += letters;
    } else if (code == 0x2018 || code == 0x2019) {
      ascii += '\'';
    } else if (code == 0xA0) {
      ascii += ' ';
    }
  }
  return ascii;
}

std::vector<std::string> CommonNames(const GazetteerEntry& entry) {
  std::string_view name = entry.Name;
  if (entry.StateCode == "MA" && StripSuffix(name, kMassachusettsTownCity)) {
    // Stripped already.
  } else if (entry.Kind == GazetteerKind::CountySubdivision) {
    if (!StripSuffix(name, kSubdivisionSuffixes)) return {};
  } else {
    StripSuffix(name, kPlaceSuffixes);
  }
  // "San Buenaventura (Ventura)": the official name and the one in parentheses.
  const std::size_t open = name.find(" (");
  if (open != std::string_view::npos && name.back() == ')' && open > 0) {
    const std::string_view alternate = name.substr(open + 2, name.size() - open - 3);
    if (!alternate.empty()) return {std::string(name.substr(0, open)), std::string(alternate)};
  }
  return {std::string(name)};
}

const std::vector<PlaceAlias>& PlaceAliases() {
  static const std::vector<PlaceAlias> kAliases = {
      {"TN", "Nashville", "Nashville-Davidson metropolitan government (balance)"},
      {"KY", "Louisville", "Louisville/Jefferson County metro government (balance)"},
      {"KY", "Lexington", "Lexington-Fayette urban county"},
      {"GA", "Augusta", "Augusta-Richmond County consolidated government (balance)"},
      {"GA", "Macon", "Macon-Bibb County"},
      {"GA", "Athens", "Athens-Clarke County unified government (balance)"},
      {"MT", "Butte", "Butte-Silver Bow (balance)"},
      {"IN", "Indianapolis", "Indianapolis city (balance)"},
      {"ID", "Boise", "Boise City city"},
      {"TX", "Pecos", "Town of Pecos city"},
      {"HI", "Honolulu", "Urban Honolulu CDP"},
      {"NY", "New York", "New York city"},
      {"NY", "New York City", "New York city"},
      {"DC", "Washington", "Washington city"},
      {"DC", "Washington, D.C.", "Washington city"},
  };
  return kAliases;
}

}  // namespace quelmar::builder
