#include "control/search/city_name.h"

#include <array>
#include <string>
#include <string_view>

namespace quelmar::search {
namespace {

struct Directional {
  char letter;
  std::string_view word;
};
constexpr std::array<Directional, 4> kDirectionals = {{
    {'N', "NORTH"},
    {'S', "SOUTH"},
    {'E', "EAST"},
    {'W', "WEST"},
}};

// Puts `word` at `pos` followed by a blank, unless a blank is already there.
// At the end of the text no blank is added: the callers trim, and a bare
// «N.» should read «NORTH», not «NORTH ».
void InsertWord(ShortString& text, std::string_view word, int pos) {
  const char following = text.At(pos);
  text.Insert(word, pos);
  if (following != '\0' && following != ' ') text.Insert(" ", pos + static_cast<int>(word.size()));
}

// The first "X." that begins a word. Matching anywhere would turn the
// abbreviations that end in one of the four letters («HTS.», «GEN.») into
// directionals: «CHICAGO HTS.» must not read «CHICAGO HTSOUTH».
int WordInitialAbbreviation(const ShortString& text, char letter) {
  const char abbreviation[] = {letter, '.'};
  const std::string_view pattern(abbreviation, 2);
  for (int pos = 1; pos < text.Length(); ++pos) {
    if (text.Copy(pos, 2) == pattern && (pos == 1 || text.At(pos - 1) == ' ')) return pos;
  }
  return 0;
}

}  // namespace

ShortString ExpandDirectionals(const ShortString& city) {
  ShortString text = UpperCase(city);

  if (text.StartsWith("NO ")) {
    text.Delete(1, 2);
    text.Insert("NORTH", 1);
  } else if (text.StartsWith("SO ")) {
    text.Delete(1, 2);
    text.Insert("SOUTH", 1);
  }

  if (text.StartsWith("NO.")) {
    text.Delete(1, 3);
    InsertWord(text, "NORTH", 1);
  } else if (text.StartsWith("SO.")) {
    text.Delete(1, 3);
    InsertWord(text, "SOUTH", 1);
  }

  for (const Directional& directional : kDirectionals) {
    const char letterBlank[] = {directional.letter, ' '};
    if (text.StartsWith(std::string_view(letterBlank, 2))) {
      text.Delete(1, 2);
      InsertWord(text, directional.word, 1);
    }
    const int pos = WordInitialAbbreviation(text, directional.letter);
    if (pos > 0) {
      text.Delete(pos, 2);
      InsertWord(text, directional.word, pos);
    }
  }
  return text;
}

ShortString CanonicalDirectional(const ShortString& word) {
  for (const Directional& directional : kDirectionals) {
    const std::string letter(1, directional.letter);
    if (word == letter + ". " || word == letter + " " || word == std::string(directional.word) + " ") {
      return letter + ".";
    }
  }
  return word;
}

ShortString CityDirectionalPrefix(const ShortString& city) {
  ShortString text = city;
  const int blank = text.Pos(" ");
  if (blank > 0) text = CanonicalDirectional(text.Copy(1, blank)) + text.From(blank + 1);
  for (const Directional& directional : kDirectionals) {
    const char abbreviation[] = {directional.letter, '.'};
    if (text.StartsWith(std::string_view(abbreviation, 2))) {
      text.Delete(1, 2);
      text.Insert(std::string(directional.word) + " ", 1);
      break;
    }
  }
  return text;
}

ShortString SaintForm(const ShortString& city) {
  ShortString text = UpperCase(city);
  const int cityWord = text.Pos(" CITY");
  if (cityWord > 0) text = text.Copy(1, cityWord);
  if (text.StartsWith("ST. ")) {
    text.Delete(1, 3);
    text.Insert("SAINT", 1);
  } else if (text.StartsWith("ST ")) {
    text.Delete(1, 2);
    text.Insert("SAINT", 1);
  }
  return text;
}

bool CityContains(const ShortString& a, const ShortString& b) { return SaintForm(b).Contains(SaintForm(a).View()); }

bool WordContains(const ShortString& a, const ShortString& b) {
  // Built as plain strings: the blanks around a 255-character b must not be cut.
  const std::string words = " " + b.Str() + " ";
  return words.find(" " + a.Str()) != std::string::npos;
}

}  // namespace quelmar::search
