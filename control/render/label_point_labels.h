#pragma once
// Point labels: names placed beside their point's symbol (or centred on it)
// where they meet no label already placed, and drawn with their symbols in
// the finishing passes. Each text is labelled once per paint.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "control/render/label_occupied_rects.h"
#include "control/render/label_settings.h"
#include "platform/gdi/canvas.h"

namespace quelmar::render {

struct PointLabel {
  std::string Text;  // the class character first; a carriage return splits two lines
  bool RegularFont = false;
  gdi::Point At;     // the labelled point
  gdi::Rect Box;     // where the text goes
};

// What placing and drawing point labels need to know of the paint.
struct PointLabelPaint {
  LabelScales Scales;
  int CityDensity = 5;
  double ScreenAspect = 1;
  bool BlackWhite = false;
  bool Halo = true;
  int TextSize = 9;  // a "\" in a text starts a line 1.5 × this lower
};

class PointLabels {
 public:
  static constexpr std::size_t kCapacity = 300;
  static constexpr std::size_t kTextCapacity = 300;
  static constexpr std::size_t kMaxTextLength = 80;

  void Clear();
  // Places `text` (class character first) for the point `p`; false when it is
  // not placed (full, already labelled, or no free place beside the point).
  bool Place(std::string_view text, gdi::Point p, const LabelFonts& fonts, const PointLabelPaint& paint,
             OccupiedRects& occupied);
  // Draws the labels with their symbols in order of box top, then empties the list.
  void Draw(gdi::Canvas& canvas, const LabelFonts& fonts, const PointLabelPaint& paint);

  const std::vector<PointLabel>& Labels() const { return labels_; }

 private:
  bool AlreadyLabelled(std::string_view text);

  std::vector<PointLabel> labels_;        // sorted by box top
  std::vector<std::string> labelled_;     // first 12 characters, sorted
};

}  // namespace quelmar::render
