#include "control/search/short_string.h"

#include <algorithm>
#include <ostream>

namespace quelmar::search {
namespace {

std::string CutToShort(std::string_view text) {
  return std::string(text.substr(0, ShortString::kMaxLength));
}

}  // namespace

ShortString::ShortString(std::string_view text) : text_(CutToShort(text)) {}
ShortString::ShortString(const char* text) : ShortString(std::string_view(text)) {}
ShortString::ShortString(const std::string& text) : ShortString(std::string_view(text)) {}

char ShortString::At(int pos) const {
  if (pos < 1 || pos > Length()) return '\0';
  return text_[static_cast<std::size_t>(pos - 1)];
}

void ShortString::Set(int pos, char c) {
  if (pos < 1 || pos > Length()) return;
  text_[static_cast<std::size_t>(pos - 1)] = c;
}

ShortString ShortString::Copy(int pos, int count) const {
  const int start = std::max(pos, 1);
  if (start > Length() || count < 1) return {};
  const int available = Length() - start + 1;
  return ShortString(View().substr(static_cast<std::size_t>(start - 1),
                                   static_cast<std::size_t>(std::min(count, available))));
}

int ShortString::Pos(std::string_view sub) const {
  if (sub.empty()) return 0;
  const std::size_t found = text_.find(sub);
  return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

void ShortString::Delete(int pos, int count) {
  if (pos < 1 || pos > Length() || count < 1) return;
  const int available = Length() - pos + 1;
  text_.erase(static_cast<std::size_t>(pos - 1), static_cast<std::size_t>(std::min(count, available)));
}

void ShortString::Insert(std::string_view text, int pos) {
  const int at = std::clamp(pos, 1, Length() + 1);
  text_.insert(static_cast<std::size_t>(at - 1), text);
  if (text_.size() > static_cast<std::size_t>(kMaxLength)) text_.resize(kMaxLength);
}

ShortString operator+(const ShortString& a, const ShortString& b) {
  ShortString joined = a;
  joined.Append(b.View());
  return joined;
}

std::ostream& operator<<(std::ostream& out, const ShortString& s) { return out << '"' << s.View() << '"'; }

ShortString UpperCase(ShortString text) {
  for (int i = 1; i <= text.Length(); ++i) text.Set(i, UpperChar(text.At(i)));
  return text;
}

ShortString Trim(ShortString text) {
  while (text.At(1) == ' ') text.Delete(1, 1);
  while (text.Last() == ' ') text.Delete(text.Length(), 1);
  return text;
}

ShortString ReduceSpaces(ShortString text) {
  int pos = text.Pos("  ");
  while (pos > 0) {
    text.Delete(pos, 1);
    pos = text.Pos("  ");
  }
  return text;
}

ShortString RemoveSpaces(ShortString text) {
  int pos = text.Pos(" ");
  while (pos > 0) {
    text.Delete(pos, 1);
    pos = text.Pos(" ");
  }
  return text;
}

}  // namespace quelmar::search
