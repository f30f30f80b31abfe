#pragma once
// What a paint derives from the label settings: the scale switches the label
// rules test and the five label fonts.
#include <cstdint>
#include <string>

#include "control/core/label_settings.h"
#include "platform/gdi/gdi_types.h"

namespace quelmar::render {

using core::LabelSettings;

// The scale switches of one paint, as the label rules read them. The span is
// the number of miles one screen inch covers at 40° N.
struct LabelScales {
  double Span = 0;
  bool Below500 = false;
  bool Below100 = false;
  bool Below50 = false;
  bool AtMost250 = false;        // shields are placed
  bool StreetNames = false;      // span below SecondLabelMiles: every layer is named
  bool MajorStreetNames = false;  // span below StreetLabelMiles: layers 8..11 are named
  bool LandmarkIcons = false;    // span below two thirds of SecondLabelMiles
  bool Above2MilesBy16 = false;  // Scale > ScaleForMilesAt40(2) / 16
  bool Above2MilesBy8 = false;   // Scale >= ScaleForMilesAt40(2) / 8
};

// The fonts of one paint. `k` is 1 on screen and 0.75 into printers and bitmaps.
struct LabelFonts {
  gdi::Font Bold;      // place names of the larger classes, state names
  gdi::Font Label;     // the regular place names
  gdi::Font Landmark;  // landmark and fixed names
  gdi::Font Small;     // the numbered landmark boxes
  gdi::Font Shield;    // route numbers, the scale bar
  int StreetHeight = 9;  // street-name character height, pixels
};

LabelFonts MakeLabelFonts(const LabelSettings& settings, double k, bool deviceOutput);

// A street name's font: the street face at the street-name height, turned by
// `tenthsOfDegree` (0 becomes 1 so that every street name takes the rotated path).
gdi::Font StreetFont(const LabelSettings& settings, int height, int tenthsOfDegree);

}  // namespace quelmar::render
