#include "tools/quelmar-data/builder/inputs/phone_prefixes.h"

#include <algorithm>

#include "control/core/errors.h"
#include "platform/kernel/atomic_file.h"
#include "tools/quelmar-data/builder/inputs/text_fields.h"

namespace quelmar::builder {
namespace {

void AppendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The Python string literal that starts at text[at] (a quote), decoded;
// `*end` is set after its closing quote. False when it is not closed.
bool StringLiteral(std::string_view text, std::size_t at, std::string* value, std::size_t* end) {
  if (at >= text.size() || text[at] != '\'') return false;
  value->clear();
  for (std::size_t i = at + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\'') {
      *end = i + 1;
      return true;
    }
    if (c != '\\' || i + 1 >= text.size()) {
      value->push_back(c);
      continue;
    }
    const char escaped = text[++i];
    if (escaped == 'u' && i + 4 < text.size()) {
      unsigned code = 0;
      bool hex = true;
      for (std::size_t k = 1; k <= 4; ++k) {
        const int digit = HexDigit(text[i + k]);
        hex = hex && digit >= 0;
        code = code * 16 + static_cast<unsigned>(std::max(digit, 0));
      }
      if (hex) {
        AppendUtf8(*value, code);
        i += 4;
        continue;
      }
    }
    value->push_back(escaped);
  }
  return false;
}

std::optional<PhonePrefix> PrefixOf(std::string_view line) {
  line = Trimmed(line);
  std::string key;
  std::size_t at = 0;
  if (!StringLiteral(line, 0, &key, &at)) return std::nullopt;
  if (key.size() < 4 || key.size() > 7 || key[0] != '1' || key.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const std::size_t english = line.find("'en':", at);
  if (english == std::string_view::npos) return std::nullopt;
  std::size_t quote = line.find('\'', english + 5);
  if (quote == std::string_view::npos) return std::nullopt;
  std::string description;
  if (!StringLiteral(line, quote, &description, &at)) return std::nullopt;
  PhonePrefix prefix;
  prefix.Digits = key.substr(1);
  const std::size_t comma = description.rfind(", ");
  if (comma != std::string::npos && description.size() == comma + 4 && std::isupper(static_cast<unsigned char>(description[comma + 2])) &&
      std::isupper(static_cast<unsigned char>(description[comma + 3]))) {
    prefix.Place = description.substr(0, comma);
    prefix.State = description.substr(comma + 2);
  }
  return prefix;
}

}  // namespace

std::vector<PhonePrefix> ParsePhonePrefixes(std::string_view text) {
  std::vector<PhonePrefix> prefixes;
  while (!text.empty()) {
    if (std::optional<PhonePrefix> prefix = PrefixOf(NextLine(text))) prefixes.push_back(std::move(*prefix));
  }
  return prefixes;
}

std::vector<PhonePrefix> ReadPhonePrefixes(const std::filesystem::path& geodataFolder) {
  namespace fs = std::filesystem;
  std::error_code error;
  std::vector<fs::path> files;
  for (fs::directory_iterator it(geodataFolder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.starts_with("data") && name.ends_with(".py")) files.push_back(it->path());
  }
  if (error) throw IoError("cannot read " + geodataFolder.string() + ": " + error.message());
  std::sort(files.begin(), files.end());
  std::vector<PhonePrefix> prefixes;
  for (const fs::path& file : files) {
    std::string text;
    if (!kernel::ReadWholeFile(file, &text, &error)) throw IoError("cannot read " + file.string() + ": " + error.message());
    std::vector<PhonePrefix> more = ParsePhonePrefixes(text);
    prefixes.insert(prefixes.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
  }
  return prefixes;
}

}  // namespace quelmar::builder
