#pragma once
// Landmark symbols and names, and the names of water and other features:
// small squares in the landmark class's colour while zoomed out, icons with
// their names below them when zoomed in.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "control/render/label_occupied_rects.h"
#include "control/render/label_settings.h"
#include "control/render/label_shapes.h"
#include "control/render/style_landmark_classes.h"
#include "platform/gdi/canvas.h"

namespace quelmar::render {

// The 48 landmark descriptions ("Ldesc"): entries separated by "$" and ended
// by "*", each kept to 40 characters.
extern const std::string_view kLandmarkDescriptionResource;
// Description `index` (from 1); "" outside the table.
std::string_view LandmarkDescription(int index);

struct LandmarkLabel {
  std::string Text;
  int Class = 0;  // 1..72 draws its icon; 0 for feature names without one
  gdi::Point At;
};

class LandmarkLabels {
 public:
  static constexpr std::size_t kCapacity = 50;

  void Clear() { labels_.clear(); }
  // Queues a name at `p` (one per text, in text order); false when full or known.
  bool Queue(std::string_view text, int landmarkClass, gdi::Point p);

  // A landmark's small square (4 × 4, no outline) in its class's colour,
  // drawn at once; a negative class draws a numbered box instead.
  static void DrawMarker(gdi::Canvas& canvas, int landmarkClass, gdi::Point p, const LabelFonts& fonts,
                         bool blackWhite);

  // Draws each queued name: its icon centred on the point (icons null: a
  // black dot),
  // the name centred below in the landmark font, where it meets no label
  // already placed. Empties the queue.
  void Draw(gdi::Canvas& canvas, const LandmarkIconSheet* icons, int iconScale, const LabelFonts& fonts, bool halo,
            OccupiedRects& occupied);

  const std::vector<LandmarkLabel>& Labels() const { return labels_; }

 private:
  std::vector<LandmarkLabel> labels_;  // sorted by text
};

}  // namespace quelmar::render
