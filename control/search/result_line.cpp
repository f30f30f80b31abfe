#include "control/search/result_line.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar::search {
namespace {

std::vector<std::string_view> SplitFields(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) {
      fields.push_back(text.substr(start));
      return fields;
    }
    fields.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace

ShortString ResultField(const ShortString& line, int n, char separator) {
  if (n < 1) return {};
  const std::vector<std::string_view> fields = SplitFields(line.View(), separator);
  if (static_cast<std::size_t>(n) > fields.size()) return {};
  return ShortString(fields[static_cast<std::size_t>(n - 1)]);
}

ShortString ReplaceResultField(const ShortString& line, int n, const ShortString& value, char separator) {
  if (n < 1) return line;
  const std::vector<std::string_view> fields = SplitFields(line.View(), separator);
  const std::size_t target = static_cast<std::size_t>(n - 1);
  const std::size_t count = std::max(fields.size(), target + 1);
  std::string joined;
  // Every piece after the first adds a separator, so the loop ends within
  // 256 pieces however large n is.
  for (std::size_t i = 0; i < count && joined.size() < static_cast<std::size_t>(ShortString::kMaxLength); ++i) {
    if (i > 0) joined += separator;
    if (i == target) {
      joined += value.View();
    } else if (i < fields.size()) {
      joined += fields[i];
    }
  }
  return ShortString(joined);
}

}  // namespace quelmar::search
