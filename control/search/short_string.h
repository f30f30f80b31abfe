#pragma once
// The engine's short strings: at most 255 single-byte characters addressed by
// 1-based positions. The search text rules are written against these
// operations so that each step reads as the rule it implements. Every
// operation clamps its positions to the text, so no rule can index outside it,
// and every result that would grow past 255 characters is cut there.
#include <compare>
#include <iosfwd>
#include <string>
#include <string_view>

namespace quelmar::search {

class ShortString {
 public:
  static constexpr int kMaxLength = 255;

  ShortString() = default;
  // Implicit, so that literals and std::strings pass where a short string is
  // expected; each is cut to kMaxLength characters.
  ShortString(std::string_view text);
  ShortString(const char* text);
  ShortString(const std::string& text);

  int Length() const { return static_cast<int>(text_.size()); }
  bool Empty() const { return text_.empty(); }

  // The character at 1-based `pos`; '\0' outside 1..Length().
  char At(int pos) const;
  // The last character; '\0' for an empty text.
  char Last() const { return At(Length()); }
  // Replaces the character at `pos`; does nothing outside 1..Length().
  void Set(int pos, char c);

  // Up to `count` characters from `pos`. A start below 1 counts from 1, a
  // start past the end or a count below 1 gives an empty text.
  ShortString Copy(int pos, int count) const;
  // The characters from `pos` to the end.
  ShortString From(int pos) const { return Copy(pos, kMaxLength); }

  // 1-based position of the first occurrence of `sub`; 0 when it does not
  // occur or is empty.
  int Pos(std::string_view sub) const;
  bool Contains(std::string_view sub) const { return Pos(sub) > 0; }
  bool StartsWith(std::string_view prefix) const { return View().starts_with(prefix); }
  bool EndsWith(std::string_view suffix) const { return View().ends_with(suffix); }

  // Removes up to `count` characters from `pos`; nothing when `pos` lies
  // outside 1..Length() or `count` is below 1.
  void Delete(int pos, int count);
  // Inserts `text` before `pos` (below 1 counts as 1, past the end as
  // Length() + 1); the result is cut to kMaxLength.
  void Insert(std::string_view text, int pos);
  // Appends `text`, cut to kMaxLength.
  void Append(std::string_view text) { Insert(text, Length() + 1); }

  std::string_view View() const { return text_; }
  const std::string& Str() const { return text_; }

  friend bool operator==(const ShortString&, const ShortString&) = default;
  friend std::strong_ordering operator<=>(const ShortString&, const ShortString&) = default;
  friend ShortString operator+(const ShortString& a, const ShortString& b);
  friend std::ostream& operator<<(std::ostream& out, const ShortString& s);

 private:
  std::string text_;
};

// "a".."z" mapped to "A".."Z"; every other byte is kept.
ShortString UpperCase(ShortString text);
// Without leading and trailing blanks (only the space character counts).
ShortString Trim(ShortString text);
// Each run of blanks reduced to one blank.
ShortString ReduceSpaces(ShortString text);
// Without any blank.
ShortString RemoveSpaces(ShortString text);

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline char UpperChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
inline char LowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace quelmar::search
