#pragma once
// The symbols labels are drawn with, as vector shapes: route shield outlines
// and plates, the point symbols of the place classes, and the sheet of
// landmark icons with its mask.
#include <memory>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/canvas.h"

namespace quelmar::render {

// Shield kinds: 0 interstate, 1 US highway, 2 state route, 3 county road,
// 6 the grey pictogram, 7 blue plate, 8 aqua plate, 10 and 11 the two
// lettered plates ("H" and "C"/"A" routes). `box` is the shield's box
// (width w, height h) centred on the shield's position; the outline tables
// (label_shield_outlines.h) are scaled so that their frame's edges fall on the
// box's outermost pixels. Every shape has a 1-pixel black outline and stays
// inside the box; in black-and-white mode fills are white or black. Unknown
// kinds and empty boxes draw nothing; the canvas's pen and brush are kept.
void DrawShieldShape(gdi::Canvas& canvas, int kind, const gdi::Rect& box, bool blackWhite);
// The text colour of a shield kind (white on blue plates, navy on aqua,
// black otherwise; always black in black-and-white mode).
gdi::COLORREF ShieldTextColour(int kind, bool blackWhite);

// The symbol of point label class 0..13 (see the class characters
// "*+&$%@#!~?<>. "), centred on `p`. Vertical sizes are divided by
// `screenAspect`. Class 9 and classes outside 0..13 draw nothing.
void DrawPointSymbol(gdi::Canvas& canvas, int labelClass, gdi::Point p, double screenAspect, bool blackWhite);

// The 72 landmark icons (24 × 24 pixels each), drawn once into a sheet of
// 9 columns × 8 rows (icon k at column (k - 1) div 8, row (k - 1) mod 8) on a
// key colour, with a mask made from the key colour.
class LandmarkIconSheet {
 public:
  static constexpr int kIconSize = 24;
  static constexpr int kIconCount = 72;
  // Any colour the icons never use: the transparent background.
  static constexpr gdi::COLORREF kKeyColour = gdi::RGB(0xFF, 0x00, 0xFF);

  LandmarkIconSheet();  // draws the sheet and makes the mask
  ~LandmarkIconSheet();
  LandmarkIconSheet(const LandmarkIconSheet&) = delete;
  LandmarkIconSheet& operator=(const LandmarkIconSheet&) = delete;

  // Icon `landmarkClass` (1..72) centred on `centre`, `scale` times its size
  // (1 on screen, 3 into printers and bitmaps; 1..8, each enlarged sheet made
  // on first use); the key colour stays transparent. Classes outside 1..72
  // draw nothing, and so does a sheet that could not be drawn.
  void Draw(gdi::Canvas& canvas, int landmarkClass, gdi::Point centre, int scale = 1) const;

  const gdi::Bitmap& Sheet() const;
  // White where the sheet shows the key colour, black on the icons.
  const gdi::Bitmap& Mask() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quelmar::render
