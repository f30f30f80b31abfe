#include "control/render/label_landmarks.h"

#include <algorithm>
#include <array>
#include <string>

#include "control/render/colour_standard.h"
#include "control/render/label_text_output.h"
#include "platform/gdi/text_measurer.h"

namespace quelmar::render {

const std::string_view kLandmarkDescriptionResource =
    "Landmark$Military$Multihousehold-transient qrtrs$Apartment Bldg$Rooming House$Trailer Ct-Mobile Home Pk$"
    "Marina$Crew of vessel$Housing facility for workers$Hotel, motel, resort, spa$Campground$Shelter or Mission$"
    "Custodial facility$Hospital$Halfway house$Nursing or rtrmnt home$County home or poor farm$Orphanage$Jail$"
    "Prison$Educational or religious inst.$Sorority or Fraternity$Convent or Monastery$Educational inst.$"
    "Religious inst.$Transport terminal$Airport or airfield$Train station$Bus terminal$Marine terminal$"
    "Seaplane anchorage$Employment Ctr$Shopping Ctr$Industrial/Bldg or park$Office/Bldg or park$Amusement Ctr$"
    "Government Ctr$Employment Ctr$Tower$Lookout tower$Open space$Golf course$Cemetery$National park or forest$"
    "Federal land$State or local park or forest$SP Landmark$P.O.Box ZIPCode$*";

namespace {

constexpr std::size_t kMaxDescription = 40;
constexpr int kMaxMarkedClass = 70;
constexpr int kIconSize = 24;

std::vector<std::string_view> SplitDescriptions() {
  std::vector<std::string_view> entries;
  std::string_view rest = kLandmarkDescriptionResource;
  while (!rest.empty()) {
    const auto end = rest.find('$');
    const std::string_view entry = rest.substr(0, end);
    if (entry == "*") break;
    entries.push_back(entry.substr(0, kMaxDescription));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return entries;
}

}  // namespace

std::string_view LandmarkDescription(int index) {
  static const std::vector<std::string_view> entries = SplitDescriptions();
  if (index < 1 || index > static_cast<int>(entries.size())) return {};
  return entries[static_cast<std::size_t>(index - 1)];
}

bool LandmarkLabels::Queue(std::string_view text, int landmarkClass, gdi::Point p) {
  if (text.empty() || labels_.size() >= kCapacity) return false;
  const auto it = std::lower_bound(labels_.begin(), labels_.end(), text,
                                   [](const LandmarkLabel& l, std::string_view t) { return l.Text < t; });
  if (it != labels_.end() && it->Text == text) return false;
  labels_.insert(it, LandmarkLabel{std::string(text), landmarkClass, p});
  return true;
}

void LandmarkLabels::DrawMarker(gdi::Canvas& canvas, int landmarkClass, gdi::Point p, const LabelFonts& fonts,
                                bool blackWhite) {
  if (landmarkClass < 0) {
    // A numbered box: the class number in the small font, framed.
    const std::string number = std::to_string(-landmarkClass) + " ";
    const gdi::TextExtent e = gdi::TextMeasurer::Measure(fonts.Small, number);
    const gdi::Rect box{p.x - e.width / 2, p.y - (e.ascent + e.descent) / 2, p.x - e.width / 2 + e.width,
                        p.y - (e.ascent + e.descent) / 2 + e.ascent + e.descent};
    canvas.SetPen(gdi::Pen{gdi::PenStyle::Solid, 1, kBlackColour});
    canvas.SetBrush(gdi::Brush::Solid(kWhiteColour));
    canvas.Rectangle(box);
    canvas.SetFont(fonts.Small);
    canvas.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
    canvas.SetBkMode(gdi::BkMode::Transparent);
    canvas.SetTextColor(kBlackColour);
    canvas.TextOut({box.left, box.top}, number);
    return;
  }
  if (landmarkClass < 1 || landmarkClass > kMaxMarkedClass) return;
  const auto index = LandmarkClasses::ColourIndex(landmarkClass);
  const gdi::COLORREF colour = blackWhite || !index ? kBlackColour : StdColor(*index);
  canvas.FillRect({p.x - 2, p.y - 2, p.x + 2, p.y + 2}, gdi::Brush::Solid(colour));
}

void LandmarkLabels::Draw(gdi::Canvas& canvas, const LandmarkIconSheet* icons, int iconScale, const LabelFonts& fonts,
                          bool halo, OccupiedRects& occupied) {
  for (const LandmarkLabel& label : labels_) {
    gdi::Point anchor = label.At;
    if (LandmarkClasses::IsClass(label.Class)) {
      if (icons) {
        icons->Draw(canvas, label.Class, label.At, iconScale);
      } else {
        const int r = 4 * iconScale;
        canvas.SetPen(gdi::Pen{gdi::PenStyle::Solid, 1, kBlackColour});
        canvas.SetBrush(gdi::Brush::Solid(kBlackColour));
        canvas.Ellipse({label.At.x - r, label.At.y - r, label.At.x + r, label.At.y + r});
      }
      anchor.y += kIconSize * iconScale / 2;
    }
    WriteAnchoredText(canvas, anchor, label.Text, fonts.Landmark, kBlackColour, halo, occupied);
  }
  labels_.clear();
}

}  // namespace quelmar::render
