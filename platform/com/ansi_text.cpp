#include "platform/com/ansi_text.h"

#include <array>
#include <cstdint>

namespace quelmar::com {
namespace {

// Code points of the bytes 0x80..0x9F; the undefined bytes keep their own
// number (the C1 control character).
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;  // ASCII and Latin-1 (0xA0..0xFF) share their numbers
}

char AnsiOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {  // every Windows-1252 character lies below U+10000
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Decodes one well-formed sequence at the front of `text` (the ranges of the
// Unicode standard's table of well-formed UTF-8). On a malformed one returns
// false with *length the bytes of its longest valid beginning (at least 1),
// which are replaced by a single '?'.
bool DecodeOne(std::string_view text, char32_t* cp, std::size_t* length) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  *length = 1;
  if (lead < 0x80) {
    *cp = lead;
    return true;
  }
  std::size_t count;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    count = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    count = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    count = 4;
    if (lead == 0xF0) low = 0x90;   // no overlong forms
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return false;  // a continuation byte, C0, C1 or F5..FF
  }
  char32_t value = lead & (0xFF >> (count + 1));
  for (std::size_t i = 1; i < count; ++i) {
    if (i >= text.size()) return false;
    const unsigned char b = byte(i);
    const bool ok = i == 1 ? (b >= low && b <= high) : (b >= 0x80 && b <= 0xBF);
    if (!ok) return false;
    value = (value << 6) | (b & 0x3F);
    *length = i + 1;
  }
  *length = count;
  *cp = value;
  return true;
}

}  // namespace

std::string Utf8ToAnsi(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    char32_t cp = 0;
    std::size_t length = 1;
    out.push_back(DecodeOne(utf8, &cp, &length) ? AnsiOf(cp) : '?');
    utf8.remove_prefix(length);
  }
  return out;
}

std::string AnsiToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size());
  for (const char c : ansi) AppendUtf8(CodePointOf(static_cast<unsigned char>(c)), &out);
  return out;
}

std::string ToShortString(std::string_view utf8) {
  std::string ansi = Utf8ToAnsi(utf8);
  if (ansi.size() > kMaxShortString) ansi.resize(kMaxShortString);
  return ansi;
}

}  // namespace quelmar::com
