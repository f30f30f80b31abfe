#pragma once
// Route shields: route label texts classified into shield kinds and numbers,
// collected by number with their positions, and drawn with the same number
// repeated no closer than 200 pixels along a road.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/render/label_occupied_rects.h"
#include "control/render/label_settings.h"
#include "platform/gdi/canvas.h"

namespace quelmar::render {

struct ShieldPart {
  int Kind = -1;     // see DrawShieldShape
  std::string Text;  // the route number (or the whole part for kinds 10 and 11)
  int NeedsLayer = -1;  // the layer that must be visible for the shield; -1 none
};

// One part of a route text (already split at "/"): the shield it makes, or
// nullopt when it names no shield.
std::optional<ShieldPart> ClassifyShieldPart(std::string_view part);

// A shield's text as it is written on the shield: letters and digits kept,
// every other character a space, trailing spaces removed, at most 12 characters.
std::string ShieldDisplayText(std::string_view text);

// One shield of `kind` with route text `text` centred on `centre`: the shape
// sized to the text in `fonts.Shield`, the text centred on it. Kinds 10 and 11
// write the text without its first 2 characters. Nothing for a text without
// letters or digits. Leaves the canvas's font, colours and alignment changed.
void DrawRouteShield(gdi::Canvas& canvas, int kind, std::string_view text, gdi::Point centre, const LabelFonts& fonts,
                     bool blackWhite);

struct ShieldGroup {
  std::string Text;  // at most 6 characters
  int Kind = 0;
  std::vector<gdi::Point> Positions;  // at most 50
};

// What placing a shield needs to know of the paint.
struct ShieldPaint {
  int ViewWidth = 0, ViewHeight = 0;
  bool AtMost250 = false;  // span ≤ 250
  bool BlackWhite = false;
  bool DrawingKindP = false;  // the drawing has kind letter "P": interstates need no layer 9
  // Whether a layer is visible in the drawing being painted.
  std::function<bool(int)> LayerVisible;
};

class RouteShields {
 public:
  static constexpr std::size_t kGroupCapacity = 99;
  static constexpr std::size_t kPositionCapacity = 50;

  void Clear() { groups_.clear(); }
  // A route label's text at pixel `p`: split at "/", each part classified and
  // placed (12 pixels inside the view, span ≤ 250, its 20 × 20 box free in
  // `occupied`, which then holds it). The shields of one text are stacked
  // downwards from `p`, one box height apart, so that concurrent routes all
  // show. Shields of one number and kind are collected in one group.
  void Offer(std::string_view routeText, gdi::Point p, const ShieldPaint& paint, OccupiedRects& occupied);
  // Draws each group (positions by x, then y; the first, then every one more
  // than 200 pixels, Manhattan distance, from each drawn so far) and empties
  // the groups.
  void Draw(gdi::Canvas& canvas, const LabelFonts& fonts, bool blackWhite);

  const std::vector<ShieldGroup>& Groups() const { return groups_; }

 private:
  std::vector<ShieldGroup> groups_;  // sorted by text, then kind
};

}  // namespace quelmar::render
