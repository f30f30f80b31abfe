#include "control/render/label_point_labels.h"

#include <algorithm>
#include <cctype>

#include "control/render/colour_standard.h"
#include "control/render/label_point_rules.h"
#include "control/render/label_shapes.h"
#include "control/render/label_text_output.h"
#include "control/search/title_case.h"
#include "platform/gdi/text_measurer.h"

namespace quelmar::render {
namespace {

constexpr std::size_t kLabelledKeyLength = 12;
constexpr int kPictogramClass = 6;
constexpr int kGreenTextClass = 8;
constexpr int kDefaultClass = 7;

gdi::Size Extent(const gdi::Font& font, std::string_view text) {
  return gdi::TextMeasurer::Measure(font, text).AsSize();
}

bool EndsWithWord(const std::string& text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char a = text[text.size() - word.size() + i];
    if (std::toupper(static_cast<unsigned char>(a)) != std::toupper(static_cast<unsigned char>(word[i]))) return false;
  }
  return true;
}

// A text without a class character takes its class from its last word.
int ClassFromLastWord(std::string& text) {
  struct Ending {
    std::string_view Word;
    int Class;
    bool Removed;
  };
  static constexpr Ending kEndings[] = {
      {" City", 1, false}, {" Cdp", 1, false}, {" Village", 2, false}, {" Township", 3, true}};
  for (const Ending& e : kEndings) {
    if (EndsWithWord(text, e.Word)) {
      if (e.Removed) text.resize(text.size() - e.Word.size());
      return e.Class;
    }
  }
  return kDefaultClass;
}

}  // namespace

void PointLabels::Clear() {
  labels_.clear();
  labelled_.clear();
}

bool PointLabels::AlreadyLabelled(std::string_view text) {
  const std::string key(text.substr(0, kLabelledKeyLength));
  const auto it = std::lower_bound(labelled_.begin(), labelled_.end(), key);
  if (it != labelled_.end() && *it == key) return true;
  if (labelled_.size() < kTextCapacity) labelled_.insert(it, key);
  return false;
}

bool PointLabels::Place(std::string_view input, gdi::Point p, const LabelFonts& fonts, const PointLabelPaint& paint,
                        OccupiedRects& occupied) {
  if (labels_.size() >= kCapacity || input.empty()) return false;
  input = input.substr(0, kMaxTextLength);
  const char first = input.front();
  const bool hasClass = LabelClassOf(first) >= 0;
  const bool plain = first != '#' && first != '?';  // texts that are title-cased
  // The class character stays first; the name after it is title-cased.
  std::string text;
  if (!hasClass) {
    text = search::TitleCaseName(input).Str();
  } else {
    text = std::string(1, first) + (plain ? search::TitleCaseName(input.substr(1)).Str() : std::string(input.substr(1)));
  }
  text.resize(std::min(text.size(), kMaxTextLength));
  const std::string name = text.substr(hasClass ? 1 : 0);
  if (name.empty()) return false;

  bool regular = (plain && paint.Scales.Span > 100) ||
                 std::string_view(" !#&.").find(first) != std::string_view::npos;
  if (first == '?') regular = name.front() == '5';
  if (AlreadyLabelled(name)) return false;

  const gdi::Font& font = regular ? fonts.Label : fonts.Bold;
  const int m = Extent(font, "0").cx;
  gdi::Size size = Extent(font, name);
  if (text.size() > 8) {
    if (const auto lines = SplitTwoLines(name)) {
      const gdi::Size a = Extent(font, lines->First), b = Extent(font, lines->Second);
      size = {std::max(a.cx, b.cx), 2 * std::max(a.cy, b.cy)};
      text = (hasClass ? std::string(1, first) : std::string()) + lines->First + '\r' + lines->Second;
    }
  }
  const int w = size.cx, h = size.cy;

  // Candidate boxes in order; each is tried with its test box widened by m.
  struct Candidate {
    gdi::Rect Box;
    int Widen;
  };
  Candidate candidates[6];
  int count = 0;
  if (first == '?') {
    for (const int top : {p.y, p.y - h / 4, p.y + h / 4}) candidates[count++] = {{p.x - w / 2, top, p.x - w / 2 + w, top + h}, 0};
  } else {
    const bool odd = (static_cast<unsigned char>(name.front()) & 1) != 0;  // odd codes try the right first
    const int tops[3] = {p.y - h / 2, p.y - h / 4, p.y + h / 4};
    if (odd) {
      for (const int top : tops) candidates[count++] = {{p.x + m, top, p.x + m + w, top + h}, m};
    }
    for (const int top : tops) candidates[count++] = {{p.x - w - m, top, p.x - m, top + h}, m};
  }
  const int d = paint.CityDensity;
  for (int i = 0; i < count; ++i) {
    const gdi::Rect& box = candidates[i].Box;
    const gdi::Rect test{box.left - candidates[i].Widen, box.top, box.right + candidates[i].Widen, box.bottom};
    if (!occupied.TryTake(test, 2 * d, d)) continue;
    PointLabel label{std::move(text), regular, p, box};
    const auto at = std::upper_bound(labels_.begin(), labels_.end(), label.Box.top,
                                     [](int top, const PointLabel& l) { return top < l.Box.top; });
    labels_.insert(at, std::move(label));
    occupied.Add({p.x - 4, p.y - 4, p.x + 5, p.y + 5});
    return true;
  }
  return false;
}

void PointLabels::Draw(gdi::Canvas& canvas, const LabelFonts& fonts, const PointLabelPaint& paint) {
  for (PointLabel& label : labels_) {
    std::string text = std::move(label.Text);
    int cls = text.empty() ? -1 : LabelClassOf(text.front());
    if (cls >= 0) {
      text.erase(0, 1);
    } else {
      cls = ClassFromLastWord(text);
    }
    gdi::Rect box = label.Box;
    if (cls != kCentredClass) {
      DrawPointSymbol(canvas, cls, label.At, paint.ScreenAspect, paint.BlackWhite);
      if (cls == kPictogramClass) {
        const int away = box.left >= label.At.x ? 8 : -8;
        box.left += away;
        box.right += away;
      }
    }
    bool regular = label.RegularFont;
    if (cls == kCentredClass && !text.empty() && text.front() == '5') {
      cls = kGreenTextClass;
      regular = true;
    }
    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text.front()))) text.erase(0, 1);

    const bool centred = cls == kCentredClass;
    const gdi::Font& font = centred ? fonts.Bold : (regular ? fonts.Label : fonts.Bold);
    const gdi::COLORREF colour = cls == kGreenTextClass && !paint.BlackWhite ? StdColor(2) : kBlackColour;
    canvas.SetFont(font);
    canvas.SetTextAlign((centred ? gdi::TA_CENTER : gdi::TA_LEFT) | gdi::TA_TOP);
    const int x = centred ? box.left + box.Width() / 2 : box.left;
    const int lineHeight = Extent(fonts.Label, "0").cy;
    int y = box.top;
    std::size_t start = 0;
    while (start <= text.size()) {
      const std::size_t end = text.find_first_of("\r\\", start);
      const std::string_view line = std::string_view(text).substr(start, end == std::string::npos ? end : end - start);
      WriteLabelLine(canvas, {x, y}, line, colour, paint.Halo);
      if (end == std::string::npos) break;
      y += text[end] == '\r' ? lineHeight : paint.TextSize * 3 / 2;
      start = end + 1;
    }
  }
  labels_.clear();
}

}  // namespace quelmar::render
