#pragma once
// The thirteen fixed names of countries, seas and capes, written last so
// that they give way to every label already placed.
#include <array>
#include <string_view>

#include "control/render/label_occupied_rects.h"
#include "control/render/label_settings.h"
#include "control/render/label_text_output.h"
#include "control/render/projection.h"

namespace quelmar::render {

struct FixedName {
  std::string_view Text;
  AnchorAlign Align;
  double Longitude, Latitude;
  enum Shown { Always, SpanAtLeast500, SpanBelow100 } When;
};

extern const std::array<FixedName, 13> kFixedNames;

// Writes the fixed names whose place lies in the culling rectangle and whose
// scale condition holds: the country names letter spaced in black, the seas
// and capes in white without a halo where the sea (the map's background) is
// dark, and in navy with the halo where it is light.
void DrawFixedNames(gdi::Canvas& canvas, const Projection& projection, const LabelScales& scales,
                    const LabelSettings& settings, const LabelFonts& fonts, bool blackWhite, gdi::COLORREF sea,
                    OccupiedRects& occupied);

// The colour sea and cape names are written in on a sea of colour `sea`.
gdi::COLORREF SeaNameColour(gdi::COLORREF sea, bool blackWhite);

}  // namespace quelmar::render
