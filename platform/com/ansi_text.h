#pragma once
// Text crosses the automation boundary as UTF-8 and is held inside the engine
// as 8-bit Windows-1252 ("ANSI") short strings of at most 255 characters.
//
// Windows-1252 leaves five bytes undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D);
// they stand for the C1 control characters of the same number (U+0081, ...),
// so that every byte string survives AnsiToUtf8 followed by Utf8ToAnsi.
#include <cstddef>
#include <string>
#include <string_view>

namespace quelmar::com {

constexpr std::size_t kMaxShortString = 255;

// Each code point becomes its Windows-1252 byte. Characters the code page
// lacks, and each malformed piece of UTF-8 (a stray or missing continuation
// byte, an overlong form, a surrogate, a value above U+10FFFF), become one
// '?'. Never throws on bad input.
std::string Utf8ToAnsi(std::string_view utf8);

// Every byte has a character; the result is always valid UTF-8.
std::string AnsiToUtf8(std::string_view ansi);

// Utf8ToAnsi, cut to kMaxShortString bytes (one byte is one character).
std::string ToShortString(std::string_view utf8);

}  // namespace quelmar::com
