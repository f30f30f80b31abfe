#include "control/render/label_point_rules.h"

#include <cctype>

namespace quelmar::render {

int LabelClassOf(char c) {
  const auto at = kLabelClassCharacters.find(c);
  return at == std::string_view::npos || c == '\0' ? -1 : static_cast<int>(at);
}

std::optional<std::string> PlaceLabelText(std::int32_t population, std::string_view name, double span) {
  if (population < 0) {
    if (!name.empty() && name.front() == '*') return std::string(name);
    return "@" + std::string(name);
  }
  const std::int64_t p = population;
  const bool labelled = (span <= 100 || p >= 25000) && (span <= 50 || p >= 15000) && (span <= 25 || p >= 10000) &&
                        (span <= 5 || p >= 500);
  if (!labelled) return std::nullopt;
  char cls;
  if (p == 0) cls = ' ';
  else if (p < 500) cls = '.';
  else if (p <= 9999) cls = '&';
  else if (p <= 49999) cls = '!';
  else if (p <= 99999) cls = '~';
  else if (p >= 300000) cls = '+';
  else cls = '%';
  return std::string(1, cls) + std::string(name);
}

std::string LetterSpaced(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i > 0) out += ' ';
    out += text[i];
  }
  return out;
}

std::optional<std::string> StateLabelText(std::string_view name, const LabelScales& scales) {
  if (name.empty() || !scales.Below500) return std::nullopt;
  std::string upper(name);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const auto slash = upper.find('\\');
  if (slash == std::string::npos) return "?" + upper;
  const std::string abbreviation = upper.substr(0, slash);
  const std::string full = upper.substr(slash + 1);
  const bool small = abbreviation == "MA" || abbreviation == "CT";
  if (!full.empty() && (small ? scales.Below50 : scales.Below100)) return "?" + LetterSpaced(full);
  return "?" + abbreviation;
}

std::optional<TwoLines> SplitTwoLines(std::string_view text) {
  const int n = static_cast<int>(text.size());
  if (n <= 8) return std::nullopt;
  auto at = [&](int pos) { return text[static_cast<std::size_t>(pos - 1)]; };  // 1-based
  if (at(2) == ' ' && at(4) == ' ') return std::nullopt;  // letter spaced
  const auto isBreak = [&](int pos) { return at(pos) == ' ' || at(pos) == '-'; };
  const int h = n / 2;
  int forward = 0;
  for (int i = h; i <= n - 1 && forward == 0; ++i) {
    if (isBreak(i)) forward = i;
  }
  int backward = 0;
  for (int i = h - 1; i >= 2 && backward == 0; --i) {
    if (isBreak(i)) backward = i;
  }
  if (forward == 0 && backward == 0) return std::nullopt;
  const bool takeForward = backward == 0 || (forward != 0 && forward - h < h - backward);
  const int cut = takeForward ? forward : backward;
  TwoLines lines{std::string(text.substr(0, static_cast<std::size_t>(cut - 1))),
                 std::string(text.substr(static_cast<std::size_t>(cut)))};
  if (lines.First.size() < 4 || lines.Second.size() < 4) return std::nullopt;
  return lines;
}

}  // namespace quelmar::render
