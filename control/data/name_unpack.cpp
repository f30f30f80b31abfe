#include "control/data/name_unpack.h"

#include <array>
#include <cstdint>

#include "control/data/name_codes.h"

namespace quelmar::data {
namespace {

// Appends as much of `piece` as fits below `limit` characters.
void AppendCapped(std::string& out, std::string_view piece, std::size_t limit) {
  if (out.size() >= limit) return;
  out.append(piece.substr(0, limit - out.size()));
}

std::string_view FirstStoredBytes(std::string_view stored) { return stored.substr(0, kMaxStoredNameBytes); }

struct Directional {
  std::string_view Letter;
  std::string_view Word;
};
constexpr std::array<Directional, 4> kDirectionals = {{
    {"N ", "NORTH "},
    {"S ", "SOUTH "},
    {"E ", "EAST "},
    {"W ", "WEST "},
}};

}  // namespace

std::string UnpackPairs(std::string_view stored) {
  std::string text;
  for (std::size_t i = 0; i < stored.size() && text.size() < kMaxPairTextLength; ++i) {
    const auto byte = static_cast<std::uint8_t>(stored[i]);
    if (byte < kEscapeByte) {
      text.push_back(stored[i]);
    } else if (byte == kEscapeByte) {
      if (i + 1 == stored.size()) break;  // an escape with nothing after it
      text.push_back(stored[++i]);
    } else {
      AppendCapped(text, PairEntry(byte - kFirstPairByte + 1), kMaxPairTextLength);
    }
  }
  return text;
}

std::string ExpandWordCodes(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size() && out.size() < kMaxNameLength; ++i) {
    const auto c = static_cast<std::uint8_t>(text[i]);
    if (c >= 1 && c <= kWordCodeCount) {
      AppendCapped(out, WordOfCode(c), kMaxNameLength);
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::string UnpackNameAbbreviated(std::string_view stored) {
  return ExpandWordCodes(UnpackPairs(FirstStoredBytes(stored)));
}

std::string UnpackName(std::string_view stored) {
  std::string name = UnpackNameAbbreviated(stored);
  for (const Directional& d : kDirectionals) {
    if (name.starts_with(d.Letter)) {
      name.replace(0, d.Letter.size(), d.Word);
      if (name.size() > kMaxNameLength) name.resize(kMaxNameLength);
      break;
    }
  }
  return name;
}

std::string UnpackLabelWords(std::string_view stored) {
  std::string text;
  for (std::size_t i = 0; i < stored.size() && text.size() < kMaxLabelWordsLength; ++i) {
    const auto byte = static_cast<std::uint8_t>(stored[i]);
    if (byte >= kFirstLongWordByte && byte <= kLastLongWordByte) {
      AppendCapped(text, LongWordEntry(byte - kFirstLongWordByte + 1), kMaxLabelWordsLength);
    } else {
      text.push_back(stored[i]);
    }
  }
  return text;
}

std::string_view WithoutStreetType(std::string_view stored) {
  if (stored.size() > 3 && IsHiddenStreetTypeCode(static_cast<std::uint8_t>(stored.back()))) {
    stored.remove_suffix(1);
  }
  return stored;
}

}  // namespace quelmar::data
