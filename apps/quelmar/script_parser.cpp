#include "apps/quelmar/script_parser.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace quelmar::app {

namespace {

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}
  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r')) ++pos_;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos_ >= text_.size() || text_[pos_] == '#';
  }
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  void Advance() { ++pos_; }
  std::size_t Position() const { return pos_; }
  std::string_view Rest() const { return text_.substr(pos_); }
  std::string_view Slice(std::size_t from) const { return text_.substr(from, pos_ - from); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// A number: an integer that fits int32 becomes I4, anything else R8.
std::optional<com::Variant> ParseNumber(std::string_view token) {
  std::int32_t i = 0;
  auto [iend, iec] = std::from_chars(token.data(), token.data() + token.size(), i);
  if (iec == std::errc() && iend == token.data() + token.size()) return com::Variant(i);
  double d = 0.0;
  const char* begin = token.data();
  if (!token.empty() && token.front() == '+') ++begin;
  auto [dend, dec] = std::from_chars(begin, token.data() + token.size(), d);
  if (dec == std::errc() && dend == token.data() + token.size() && std::isfinite(d)) return com::Variant(d);
  return std::nullopt;
}

std::string ParseArgument(Cursor& c, std::vector<com::Variant>& out, const ScriptObjects& objects) {
  if (c.Peek() == '"') {
    c.Advance();
    std::string text;
    while (true) {
      if (c.Rest().empty()) return "unterminated string";
      const char ch = c.Peek();
      c.Advance();
      if (ch == '"') {
        if (c.Peek() == '"') {  // a doubled quote stands for one quote
          text.push_back('"');
          c.Advance();
          continue;
        }
        break;
      }
      text.push_back(ch);
    }
    out.emplace_back(std::move(text));
    return {};
  }
  const std::size_t from = c.Position();
  while (c.Peek() != '\0' && c.Peek() != ',' && c.Peek() != ' ' && c.Peek() != '\t' && c.Peek() != '#' &&
         c.Peek() != '\r') {
    c.Advance();
  }
  const std::string_view token = c.Slice(from);
  for (const auto& [name, object] : objects) {
    if (EqualsIgnoreCase(token, name)) {
      out.push_back(object);
      return {};
    }
  }
  if (EqualsIgnoreCase(token, "True")) {
    out.emplace_back(true);
  } else if (EqualsIgnoreCase(token, "False")) {
    out.emplace_back(false);
  } else if (std::optional<com::Variant> number = ParseNumber(token)) {
    out.push_back(std::move(*number));
  } else {
    return "\"" + std::string(token) + "\" is not a number, a quoted string, True or False";
  }
  return {};
}

}  // namespace

ParseResult ParseScriptLine(std::string_view text, const ScriptObjects& objects) {
  ParseResult result;
  Cursor c(text);
  if (c.AtEnd()) return result;
  const std::size_t from = c.Position();
  while (IsNameChar(c.Peek())) c.Advance();
  ScriptLine line;
  line.member = std::string(c.Slice(from));
  if (line.member.empty()) {
    result.error = "a line must start with a member name";
    return result;
  }
  c.SkipBlanks();
  if (c.Peek() == '=') {
    line.isPut = true;
    c.Advance();
    if (c.AtEnd()) {
      result.error = "\"" + line.member + " =\" needs a value";
      return result;
    }
  }
  bool first = true;
  while (!c.AtEnd()) {
    if (!first && c.Peek() == ',') {
      c.Advance();
      if (c.AtEnd()) {
        result.error = "an argument is missing after the last comma";
        return result;
      }
    }
    first = false;
    if (std::string error = ParseArgument(c, line.args, objects); !error.empty()) {
      result.error = error;
      return result;
    }
  }
  if (line.isPut && line.args.size() != 1) {
    result.error = "\"" + line.member + " =\" takes exactly one value";
    return result;
  }
  result.line = std::move(line);
  return result;
}

}  // namespace quelmar::app
