#include "control/search/title_case.h"

#include <array>
#include <string>
#include <string_view>

namespace quelmar::search {
namespace {

// Two-letter words that read as ordinary words («Of», «St»), not as
// abbreviations kept in capitals («NE», «US»).
constexpr std::array<std::string_view, 12> kTwoLetterWords = {
    "ON", "IN", "AT", "TO", "OF", "ST", "TR", "RD", "CT", "LN", "DR", "MC",
};

constexpr char kSmallEAcute = '\xE9';  // é in the ANSI code page

bool EndsTwoLetterWord(char current) { return current == ' ' || current == '(' || current == '/'; }

bool BeforeTwoLetterWord(char c) {
  return c == ' ' || c == '\'' || c == '(' || c == ',' || c == '.' || c == '/';
}

bool IsOrdinaryTwoLetterWord(char first, char second) {
  const char word[] = {UpperChar(first), UpperChar(second)};
  for (std::string_view ordinary : kTwoLetterWords) {
    if (ordinary == std::string_view(word, 2)) return true;
  }
  return false;
}

bool ContinuesWord(char c) { return IsLetter(c) || IsDigit(c) || c == '\'' || c == kSmallEAcute; }

}  // namespace

ShortString TitleCaseName(const ShortString& name) {
  ShortString text = name;
  // The rule reads the name followed by one blank, so that the last word is
  // closed like every other. That blank is only ever looked at, never kept,
  // so it is supplied here as the character after the end: a 255-character
  // name has no room to append it.
  const int end = text.Length() + 1;
  char c1 = ' ';  // the three characters before the current one, c1 nearest, as already rewritten
  char c2 = '\0';
  char c3 = '\0';
  for (int pos = 1; pos <= end; ++pos) {
    const char current = pos < end ? text.At(pos) : ' ';
    char rewritten = current;
    if (EndsTwoLetterWord(current) && BeforeTwoLetterWord(c3)) {
      if (!IsOrdinaryTwoLetterWord(c2, c1)) {
        c1 = UpperChar(c1);
        text.Set(pos - 1, c1);
      }
    } else if (c1 == 'c' && c2 == 'M' && (c3 == ' ' || pos == 3)) {
      rewritten = UpperChar(current);  // «McDonald»
    } else if (ContinuesWord(c1)) {
      rewritten = LowerChar(current);
    } else {
      rewritten = UpperChar(current);
    }
    if (pos < end) text.Set(pos, rewritten);
    c3 = c2;
    c2 = c1;
    c1 = rewritten;
  }

  // " DE " and " O " are looked for with a blank in front, so that they also
  // match as the first word. Index i of that text is position i of the name.
  const std::string spaced = " " + text.Str();
  const std::size_t de = spaced.find(" DE ");
  if (de != std::string::npos) text.Set(static_cast<int>(de) + 2, 'e');
  const std::size_t o = spaced.find(" O ");
  if (o != std::string::npos) text.Set(static_cast<int>(o) + 2, '\'');
  return text;
}

}  // namespace quelmar::search
