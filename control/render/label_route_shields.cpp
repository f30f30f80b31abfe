#include "control/render/label_route_shields.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>

#include "control/data/name_codes.h"
#include "control/render/label_shapes.h"
#include "platform/gdi/text_measurer.h"

namespace quelmar::render {
namespace {

constexpr std::size_t kMaxPartLength = 20;
constexpr std::size_t kMaxPlacedTextLength = 4;  // longer route texts make no shield
constexpr std::size_t kMaxDisplayLength = 12;
constexpr int kEdgeMargin = 12;       // a shield keeps this far inside the view
constexpr int kBoxHalf = 10;          // the occupied box is 20 × 20 around the position
constexpr int kBoxMargin = 1;         // kept free around the box
constexpr int kStackStep = 2 * (kBoxHalf + kBoxMargin);  // next shield of the same route text
constexpr int kRepeatDistance = 200;  // Manhattan pixels between shields of one group

std::string Trim(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = s.find_last_not_of(' ');
  return std::string(s.substr(first, last - first + 1));
}

bool IsLetterOrDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The route number after a route prefix word code.
std::string After(std::string_view part, std::size_t code, std::size_t count) {
  return Trim(part.substr(code + 1, count));
}

int Manhattan(gdi::Point a, gdi::Point b) { return std::abs(a.x - b.x) + std::abs(a.y - b.y); }

}  // namespace

std::optional<ShieldPart> ClassifyShieldPart(std::string_view part) {
  part = part.substr(0, std::min(part.size(), kMaxPartLength));
  constexpr auto npos = std::string_view::npos;
  std::size_t lettered = part.find('C');
  if (lettered == npos) lettered = part.find('A');
  const std::size_t highway = part.find('H');
  const std::size_t digit = part.find_first_of("0123456789");
  if (digit != npos) {
    // Lettered routes ("C3", "A1A", "H2") have plates of their own and keep
    // the whole part.
    if (lettered != npos && lettered + 1 == digit) return ShieldPart{11, Trim(part), -1};
    if (highway != npos && highway + 1 == digit) return ShieldPart{10, Trim(part), -1};
  }
  const auto code = [part](std::uint8_t c) { return part.find(static_cast<char>(c)); };
  if (const std::size_t at = code(data::kInterstateWordCode); at != npos) return ShieldPart{0, After(part, at, 6), 9};
  if (const std::size_t at = code(data::kUsHighwayWordCode); at != npos) return ShieldPart{1, After(part, at, 6), 10};
  for (const std::uint8_t state : {data::kStateRouteWordCode, data::kStateRoadWordCode, data::kStateTrunkWordCode}) {
    if (const std::size_t at = code(state); at != npos) return ShieldPart{2, After(part, at, 5), 12};
  }
  if (const std::size_t at = code(data::kCountyRoadWordCode); at != npos) return ShieldPart{3, After(part, at, 6), 11};
  return std::nullopt;
}

std::string ShieldDisplayText(std::string_view text) {
  std::string shown(text.substr(0, std::min(text.size(), kMaxDisplayLength)));
  for (char& c : shown) {
    if (!IsLetterOrDigit(c)) c = ' ';
  }
  shown.erase(shown.find_last_not_of(' ') + 1);
  return shown;
}

void DrawRouteShield(gdi::Canvas& canvas, int kind, std::string_view text, gdi::Point centre, const LabelFonts& fonts,
                     bool blackWhite) {
  const std::string shown = ShieldDisplayText(text);
  if (shown.empty()) return;
  const gdi::TextExtent extent = gdi::TextMeasurer::Measure(fonts.Shield, shown);
  const int textHeight = extent.ascent + extent.descent;
  int h = textHeight * 3 / 2;
  int w = 0;
  if (kind == 6) {
    // The pictogram is a square sized by the place-label line height.
    const gdi::TextExtent line = gdi::TextMeasurer::Measure(fonts.Label, "X");
    h = w = static_cast<int>(std::lround(2.2 * (line.ascent + line.descent)));
  } else {
    // Interstate and US highway outlines narrow towards the bottom: they get
    // one character more.
    const std::string widest = shown + (kind == 0 || kind == 1 ? "WX" : "X");
    w = std::max(h, gdi::TextMeasurer::Measure(fonts.Shield, widest).width);
  }
  const gdi::Rect box{centre.x - w / 2, centre.y - h / 2, centre.x - w / 2 + w, centre.y - h / 2 + h};
  DrawShieldShape(canvas, kind, box, blackWhite);

  // The lettered plates print their letters as part of the plate.
  const std::string_view written =
      kind == 10 || kind == 11 ? std::string_view(shown).substr(std::min<std::size_t>(2, shown.size())) : shown;
  if (written.empty()) return;
  // Vertically centred on the box; on the interstate shield centred on the
  // blue body below the red crown, which takes the top third.
  int middle = box.top + h / 2;
  if (kind == 0) middle += h / 8;
  const gdi::TextExtent writtenExtent = gdi::TextMeasurer::Measure(fonts.Shield, written);
  const int baseline = middle + (writtenExtent.ascent - writtenExtent.descent) / 2;
  canvas.SetFont(fonts.Shield);
  canvas.SetBkMode(gdi::BkMode::Transparent);
  canvas.SetTextAlign(gdi::TA_CENTER | gdi::TA_BASELINE);
  canvas.SetTextColor(ShieldTextColour(kind, blackWhite));
  canvas.TextOut({box.left + w / 2, baseline}, written);
}

void RouteShields::Offer(std::string_view routeText, gdi::Point p, const ShieldPaint& paint, OccupiedRects& occupied) {
  if (!paint.AtMost250) return;
  int placed = 0;
  std::size_t start = 0;
  while (start <= routeText.size()) {
    std::size_t slash = routeText.find('/', start);
    if (slash == std::string_view::npos) slash = routeText.size();
    const std::string_view part = routeText.substr(start, slash - start);
    start = slash + 1;

    const std::optional<ShieldPart> shield = ClassifyShieldPart(part);
    if (!shield || shield->Text.empty() || shield->Text.size() > kMaxPlacedTextLength) continue;
    const bool interstateAnyway = shield->Kind == 0 && paint.DrawingKindP;
    if (shield->NeedsLayer >= 0 && !interstateAnyway && paint.LayerVisible && !paint.LayerVisible(shield->NeedsLayer)) {
      continue;
    }
    const gdi::Point at{p.x, p.y + placed * kStackStep};
    if (at.x < kEdgeMargin || at.x > paint.ViewWidth - kEdgeMargin || at.y < kEdgeMargin ||
        at.y > paint.ViewHeight - kEdgeMargin) {
      continue;
    }
    const auto group = std::lower_bound(groups_.begin(), groups_.end(), std::tie(shield->Text, shield->Kind),
                                        [](const ShieldGroup& g, const std::tuple<const std::string&, const int&>& key) {
                                          return std::tie(g.Text, g.Kind) < key;
                                        });
    const bool known = group != groups_.end() && group->Text == shield->Text && group->Kind == shield->Kind;
    if (known ? group->Positions.size() >= kPositionCapacity : groups_.size() >= kGroupCapacity) continue;
    const gdi::Rect box{at.x - kBoxHalf, at.y - kBoxHalf, at.x + kBoxHalf, at.y + kBoxHalf};
    if (!occupied.TryTake(box, kBoxMargin, kBoxMargin)) continue;
    if (known) {
      group->Positions.push_back(at);
    } else {
      groups_.insert(group, ShieldGroup{shield->Text, shield->Kind, {at}});
    }
    ++placed;
  }
}

void RouteShields::Draw(gdi::Canvas& canvas, const LabelFonts& fonts, bool blackWhite) {
  const int depth = canvas.SaveState();
  std::vector<gdi::Point> drawn;
  for (ShieldGroup& group : groups_) {
    std::sort(group.Positions.begin(), group.Positions.end(),
              [](gdi::Point a, gdi::Point b) { return std::tie(a.x, a.y) < std::tie(b.x, b.y); });
    drawn.clear();
    for (const gdi::Point& p : group.Positions) {
      // Measured from every shield of the group already drawn, not only the
      // last: sorted positions along a winding road may come back.
      const bool clear =
          std::all_of(drawn.begin(), drawn.end(), [p](gdi::Point d) { return Manhattan(p, d) > kRepeatDistance; });
      if (!clear) continue;
      DrawRouteShield(canvas, group.Kind, group.Text, p, fonts, blackWhite);
      drawn.push_back(p);
    }
  }
  canvas.RestoreState(depth);
  groups_.clear();
}

}  // namespace quelmar::render
