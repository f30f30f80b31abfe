#include "tools/quelmar-data/builder/name_packer.h"

#include <array>
#include <cstdint>
#include <vector>

#include "control/data/draw_object.h"
#include "control/data/name_codes.h"
#include "control/data/name_unpack.h"

namespace quelmar::builder {
namespace {

using data::kEscapeByte;
using data::kFirstLongWordByte;
using data::kFirstPairByte;
using data::kLastLongWordByte;

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiLetterOrDigit(char c) { return IsAsciiLetter(c) || (c >= '0' && c <= '9'); }
std::uint8_t Byte(char c) { return static_cast<std::uint8_t>(c); }

// `text` shortened by its last word: cut before the last blank or "/" and
// stripped of the blanks and slashes that then end it; a text without either
// loses its last character. Always shorter than `text` (which is not empty).
std::string_view WithoutLastWord(std::string_view text) {
  const std::size_t boundary = text.find_last_of(" /");
  if (boundary == std::string_view::npos || boundary == 0) {
    text.remove_suffix(1);
  } else {
    text = text.substr(0, boundary);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '/')) text.remove_suffix(1);
  return text;
}

// Fits `text` into `maxLength` characters and `encode(text)` into `maxBytes`,
// dropping words from the end.
template <typename Encode>
PackedText FitAndEncode(std::string text, bool replaced, std::size_t maxLength, std::size_t maxBytes,
                        Encode encode) {
  PackedText packed;
  packed.Replaced = replaced;
  std::string_view fitted = text;
  if (fitted.size() > maxLength) {
    packed.Cut = true;
    fitted = fitted.substr(0, maxLength + 1);  // keeps a blank right after the limit visible as a boundary
    while (fitted.size() > maxLength) fitted = WithoutLastWord(fitted);
  }
  packed.Bytes = encode(fitted);
  while (packed.Bytes.size() > maxBytes) {
    packed.Cut = true;
    fitted = WithoutLastWord(fitted);
    packed.Bytes = encode(fitted);
  }
  packed.Text = std::string(fitted);
  return packed;
}

// ---- street names -------------------------------------------------------

// One character of a street name with its route prefix and street types
// replaced by word codes.
struct Symbol {
  char Value = 0;
  bool WordCode = false;
};

// The route prefix that starts `part` and is followed by a letter or digit,
// the longest if several do; 0 when none.
int RoutePrefixOf(std::string_view part) {
  int best = 0;
  for (int code = 1; code <= data::kWordCodeCount; ++code) {
    if (!data::IsRoutePrefixWordCode(code)) continue;
    const std::string_view word = data::WordOfCode(code);
    if (part.size() > word.size() && part.starts_with(word) && IsAsciiLetterOrDigit(part[word.size()]) &&
        (best == 0 || word.size() > data::WordOfCode(best).size())) {
      best = code;
    }
  }
  return best;
}

// The street-type word that ends `rest`, the longest if several do; 0 when none.
int StreetTypeOf(std::string_view rest) {
  int best = 0;
  for (int code = 1; code <= data::kWordCodeCount; ++code) {
    if (data::IsRoutePrefixWordCode(code)) continue;
    const std::string_view word = data::WordOfCode(code);
    if (rest.ends_with(word) && (best == 0 || word.size() > data::WordOfCode(best).size())) best = code;
  }
  return best;
}

void AppendPart(std::vector<Symbol>& symbols, std::string_view part) {
  if (const int prefix = RoutePrefixOf(part)) {
    symbols.push_back({static_cast<char>(prefix), true});
    part.remove_prefix(data::WordOfCode(prefix).size());
  }
  const int streetType = StreetTypeOf(part);
  if (streetType != 0) part.remove_suffix(data::WordOfCode(streetType).size());
  for (char c : part) symbols.push_back({c, false});
  if (streetType != 0) symbols.push_back({static_cast<char>(streetType), true});
}

std::vector<Symbol> WithWordCodes(std::string_view name) {
  std::vector<Symbol> symbols;
  while (true) {
    const std::size_t slash = name.find('/');
    AppendPart(symbols, name.substr(0, slash));
    if (slash == std::string_view::npos) return symbols;
    symbols.push_back({'/', false});
    name.remove_prefix(slash + 1);
  }
}

// The pair byte of each two characters (index first * 256 + second); 0 when
// the pair is not in the table.
const std::array<std::uint8_t, 65536>& PairBytes() {
  static const std::array<std::uint8_t, 65536> table = [] {
    std::array<std::uint8_t, 65536> bytes{};
    for (int entry = data::kPairCodeCount; entry >= 1; --entry) {  // the lower entry wins a duplicate
      const std::string_view pair = data::PairEntry(entry);
      bytes[Byte(pair[0]) * 256u + Byte(pair[1])] = static_cast<std::uint8_t>(kFirstPairByte + entry - 1);
    }
    return bytes;
  }();
  return table;
}

std::uint8_t PairByteOf(const Symbol& first, const Symbol& second) {
  if (first.WordCode || second.WordCode) return 0;
  return PairBytes()[Byte(first.Value) * 256u + Byte(second.Value)];
}

std::size_t StoredSize(const Symbol& symbol) {
  return !symbol.WordCode && Byte(symbol.Value) >= kEscapeByte ? 2 : 1;
}

// The fewest bytes for the symbols: each position either stands alone or
// starts a pair, chosen by the least cost of the rest (computed from the end).
std::string EncodePairs(const std::vector<Symbol>& symbols) {
  const std::size_t n = symbols.size();
  std::vector<std::size_t> cost(n + 1, 0);
  std::vector<std::uint8_t> pairAt(n, 0);
  for (std::size_t i = n; i-- > 0;) {
    cost[i] = StoredSize(symbols[i]) + cost[i + 1];
    if (i + 1 < n) {
      const std::uint8_t pair = PairByteOf(symbols[i], symbols[i + 1]);
      if (pair != 0 && 1 + cost[i + 2] <= cost[i]) {
        cost[i] = 1 + cost[i + 2];
        pairAt[i] = pair;
      }
    }
  }
  std::string bytes;
  for (std::size_t i = 0; i < n;) {
    if (pairAt[i] != 0) {
      bytes.push_back(static_cast<char>(pairAt[i]));
      i += 2;
      continue;
    }
    if (StoredSize(symbols[i]) == 2) bytes.push_back(static_cast<char>(kEscapeByte));
    bytes.push_back(symbols[i].Value);
    ++i;
  }
  return bytes;
}

std::string EncodeStreetName(std::string_view name) { return EncodePairs(WithWordCodes(name)); }

// ---- label texts --------------------------------------------------------

// Plain ASCII for the Windows-1252 characters 129..200, whose bytes label
// texts use for long words.
constexpr std::string_view kLongWordByteReplacements =
    "?,f\".++^%S<O?Z?"     // 129..143
    "?''\"\"*--~?s>o?zY"   // 144..159
    " !c???|?\"?a\"--?-"   // 160..175
    "??23'u?.,1o\"????"    // 176..191
    "AAAAAAACE";           // 192..200
static_assert(kLongWordByteReplacements.size() == kLastLongWordByte - kFirstLongWordByte + 1);

// The long word that starts at `at`, the longest if several do; 0 when none.
int LongWordAt(std::string_view text, std::size_t at) {
  int best = 0;
  for (int entry = 1; entry <= data::kLongWordCount; ++entry) {
    const std::string_view word = data::LongWordEntry(entry);
    if (text.substr(at).starts_with(word) && (best == 0 || word.size() > data::LongWordEntry(best).size())) {
      best = entry;
    }
  }
  return best;
}

std::string EncodeLabelText(std::string_view text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size();) {
    const bool wordStart = i == 0 || !IsAsciiLetter(text[i - 1]);
    if (const int entry = wordStart ? LongWordAt(text, i) : 0) {
      bytes.push_back(static_cast<char>(kFirstLongWordByte + entry - 1));
      i += data::LongWordEntry(entry).size();
    } else {
      bytes.push_back(text[i++]);
    }
  }
  return bytes;
}

// `plain` with bytes 1..31, which would read back as word codes, as blanks.
std::string WithoutWordCodeBytes(std::string_view plain, bool* replaced) {
  std::string text(plain);
  for (char& c : text) {
    if (Byte(c) >= 1 && Byte(c) <= data::kWordCodeCount) {
      c = ' ';
      *replaced = true;
    }
  }
  return text;
}

}  // namespace

PackedText PackStreetName(std::string_view plain) {
  bool replaced = false;
  std::string text = WithoutWordCodeBytes(plain, &replaced);
  return FitAndEncode(std::move(text), replaced, data::kMaxNameLength, data::kMaxStoredNameBytes,
                      EncodeStreetName);
}

PackedText PackPairText(std::string_view plain, std::size_t maxBytes) {
  bool replaced = false;
  std::string text = WithoutWordCodeBytes(plain, &replaced);
  const auto encode = [](std::string_view name) {
    std::vector<Symbol> symbols;
    for (char c : name) symbols.push_back({c, false});
    return EncodePairs(symbols);
  };
  return FitAndEncode(std::move(text), replaced, data::kMaxPairTextLength, maxBytes, encode);
}

PackedText PackLabelText(std::string_view plain) {
  std::string text(plain);
  bool replaced = false;
  for (char& c : text) {
    if (Byte(c) >= kFirstLongWordByte && Byte(c) <= kLastLongWordByte) {
      c = kLongWordByteReplacements[Byte(c) - kFirstLongWordByte];
      replaced = true;
    }
  }
  return FitAndEncode(std::move(text), replaced, data::kMaxLabelWordsLength, data::kMaxLabelTextLength,
                      EncodeLabelText);
}

}  // namespace quelmar::builder
