#pragma once
// Street names written along their streets: one record per name, on the
// longest segment offered, and none whose label axis would cross another's.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "control/render/label_occupied_rects.h"
#include "control/render/label_settings.h"
#include "platform/gdi/canvas.h"

namespace quelmar::render {

struct StreetLabel {
  gdi::Point Centre;            // pixel centre of the segment
  std::int16_t Dx = 0, Dy = 0;  // the segment, x1 - x2 and y2 - y1 (screen y taken upwards)
  std::int16_t Offset = 0;      // the perpendicular offset a
  std::string Name;             // stored (packed) name, cut before its first "/": the key of the record
  std::int16_t Length = 0;      // max(|dx|, |dy|) + min(|dx|, |dy|) / 4
  std::int16_t Layer = 0;
  gdi::Point AxisStart, AxisEnd;
};

// What drawing the street names needs to know of the paint.
struct StreetLabelPaint {
  int ViewWidth = 0, ViewHeight = 0;
  bool BlackWhite = false;
  bool ZoomedStreetStyle = false;  // layers 9 and 10 are then named in black
  bool Rotated = false;
  double RotationDegrees = 0;
};

// The line height (ascent + descent) of the street-name font: the height
// Offer's offsets and axis clearance are measured in.
int StreetNameLineHeight(const LabelSettings& settings, const LabelFonts& fonts);

// The segment's direction in whole degrees, 0..359, counter-clockwise with
// screen y taken upwards (dx = x1 - x2, dy = y2 - y1); 0 for a point.
int SegmentDegrees(int dx, int dy);
// The direction a name is written in: one pointing leftwards (strictly
// between 90 and 270 degrees) is turned by 180 so that it never reads upside down.
int ReadableDegrees(int degrees);

// Whether two label axes cross (proper intersection: touching or collinear
// axes do not).
bool LabelAxesCross(gdi::Point a1, gdi::Point a2, gdi::Point b1, gdi::Point b2);
// Whether two label axes come closer than `clearance` pixels anywhere. Axes of
// parallel names on neighbouring streets never cross, yet their texts overlap
// when the axes run less than a line height apart.
bool LabelAxesTooClose(gdi::Point a1, gdi::Point a2, gdi::Point b1, gdi::Point b2, int clearance);

class StreetLabels {
 public:
  static constexpr std::size_t kCapacity = 1000;

  void Clear() { labels_.clear(); }
  // A candidate: `storedName` as the drawing keeps it, the segment's two ends
  // in pixels, its layer and the layer's width step, and the street font's
  // line height. Dropped when its centre lies outside the view or its axis
  // crosses a collected one's or runs within a line height of it; a name
  // already collected keeps the longer segment (its own old axis does not
  // block the new one).
  void Offer(std::string_view storedName, gdi::Point p1, gdi::Point p2, int layer, int widthStep, int lineHeight,
             int viewWidth, int viewHeight);
  // Draws every record in name order (names unpacked, types dropped unless
  // suffixes are shown) and empties the list.
  // With `occupied`, a name is written only where the box around its turned
  // text meets no label already placed; the box is then taken.
  void Draw(gdi::Canvas& canvas, const LabelSettings& settings, const LabelFonts& fonts, const StreetLabelPaint& paint,
            OccupiedRects* occupied = nullptr);

  const std::vector<StreetLabel>& Labels() const { return labels_; }

 private:
  std::vector<StreetLabel> labels_;  // sorted by name
};

}  // namespace quelmar::render
