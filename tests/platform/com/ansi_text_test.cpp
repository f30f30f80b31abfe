#include "platform/com/ansi_text.h"

#include <gtest/gtest.h>

namespace quelmar::com {
namespace {

TEST(ComAnsiTextTest, Utf8ToAnsiMapsEachCodePoint) {
  struct Case {
    const char* name;
    std::string utf8;
    std::string ansi;
  };
  const Case cases[] = {
      {"ascii", "Main St 123", "Main St 123"},
      {"latin-1 letter", "Caf\xC3\xA9", "Caf\xE9"},                  // é
      {"degree sign", "45\xC2\xB0N", "45\xB0N"},                      // °
      {"euro sign", "\xE2\x82\xAC 5", "\x80 5"},                      // € lives at 0x80
      {"curly quotes", "\xE2\x80\x9Cx\xE2\x80\x9D", "\x93x\x94"},     // “x”
      {"undefined byte's control", "\xC2\x81\xC2\x9D", "\x81\x9D"},  // U+0081, U+009D
      {"control with a defined byte", "\xC2\x80", "?"},               // U+0080 is not 0x80 (that is €)
      {"no such character", "\xC4\x81", "?"},                         // ā
      {"emoji is one character", "a\xF0\x9F\x97\xBA" "b", "a?b"},     // 🗺
      {"nul kept", std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi);
  }
}

// Each malformed piece becomes one '?', and the text after it survives.
TEST(ComAnsiTextTest, InvalidUtf8BecomesQuestionMarks) {
  struct Case {
    const char* name;
    std::string utf8;
    std::string ansi;
  };
  const Case cases[] = {
      {"stray continuation", "a\x80" "b", "a?b"},
      {"two stray continuations", "\xBF\xBF", "??"},
      {"lead without continuation", "a\xC3", "a?"},
      {"lead followed by ascii", "\xC3" "A", "?A"},
      {"truncated three-byte", "\xE2\x82" "x", "?x"},
      {"truncated four-byte at end", "\xF0\x9F\x97", "?"},
      {"overlong slash", "\xC0\xAF", "??"},
      {"overlong three-byte", "\xE0\x80\xAF", "???"},
      {"surrogate", "\xED\xA0\x80", "???"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", "????"},
      {"invalid lead", "\xFF" "a\xFE", "?a?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi);
  }
}

TEST(ComAnsiTextTest, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string utf8 = AnsiToUtf8(all);
  EXPECT_EQ(Utf8ToAnsi(utf8), all);
  EXPECT_EQ(AnsiToUtf8("Caf\xE9 \x80 45\xB0"), "Caf\xC3\xA9 \xE2\x82\xAC 45\xC2\xB0");
  EXPECT_EQ(AnsiToUtf8("\x8D"), "\xC2\x8D");  // an undefined byte gives its C1 control
  EXPECT_EQ(AnsiToUtf8("\x9F"), "\xC5\xB8");  // Ÿ
}

TEST(ComAnsiTextTest, ShortStringsStopAt255Characters) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "\xC3\xA9";  // 300 two-byte characters
  const std::string cut = ToShortString(text);
  EXPECT_EQ(cut.size(), kMaxShortString);
  EXPECT_EQ(cut, std::string(255, '\xE9'));
  EXPECT_EQ(ToShortString(std::string(255, 'x')), std::string(255, 'x'));
  EXPECT_EQ(ToShortString("short"), "short");
}

}  // namespace
}  // namespace quelmar::com
