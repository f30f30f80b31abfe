#include "control/render/label_fixed_names.h"

#include "control/render/colour_standard.h"
#include "control/render/label_point_rules.h"

namespace quelmar::render {

const std::array<FixedName, 13> kFixedNames = {{
    {"UNITED STATES", AnchorAlign::Centred, -105.25, 40.0, FixedName::SpanAtLeast500},
    {"CANADA", AnchorAlign::Centred, -105.25, 52.0, FixedName::Always},
    {"MEXICO", AnchorAlign::Centred, -104.3, 26.33, FixedName::Always},
    {"Gulf of Alaska", AnchorAlign::Centred, -144.3, 56.075, FixedName::Always},
    {"Hudson Bay", AnchorAlign::Centred, -85.696, 59.237, FixedName::Always},
    {"Gulf of Mexico", AnchorAlign::Centred, -88.2, 25.2, FixedName::Always},
    {"Pacific Ocean", AnchorAlign::RightTo, -125.0, 39.0, FixedName::Always},
    {"Atlantic Ocean", AnchorAlign::LeftFrom, -79.0, 31.0, FixedName::Always},
    {"Cape Cod", AnchorAlign::LeftFrom, -69.39, 41.3374, FixedName::SpanBelow100},
    {"Cape Hatteras", AnchorAlign::LeftFrom, -74.6265, 35.0087, FixedName::SpanBelow100},
    {"Cape Canaveral", AnchorAlign::LeftFrom, -79.8687, 28.6037, FixedName::SpanBelow100},
    {"Cape Flattery", AnchorAlign::RightTo, -125.1422, 48.4287, FixedName::SpanBelow100},
    {"Cape Mendocino", AnchorAlign::RightTo, -125.046, 40.1175, FixedName::SpanBelow100},
}};

gdi::COLORREF SeaNameColour(gdi::COLORREF sea, bool blackWhite) {
  if (blackWhite) return kBlackColour;
  const int luma = (299 * gdi::GetRValue(sea) + 587 * gdi::GetGValue(sea) + 114 * gdi::GetBValue(sea)) / 1000;
  return luma < 128 ? kWhiteColour : StdColor(kNavy);
}

void DrawFixedNames(gdi::Canvas& canvas, const Projection& projection, const LabelScales& scales,
                    const LabelSettings& settings, const LabelFonts& fonts, bool blackWhite, gdi::COLORREF sea,
                    OccupiedRects& occupied) {
  gdi::Font font = fonts.Landmark;
  font.face = settings.LandmarkFace;
  font.weight = 400;
  for (std::size_t i = 0; i < kFixedNames.size(); ++i) {
    const FixedName& name = kFixedNames[i];
    if (name.When == FixedName::SpanAtLeast500 && scales.Below500) continue;
    if (name.When == FixedName::SpanBelow100 && !scales.Below100) continue;
    const double x = name.Longitude * core::kUnitsPerDegree, y = name.Latitude * core::kUnitsPerDegree;
    const data::MapBox& cull = projection.Cull();
    if (x < cull.Left || x > cull.Right || y < cull.Bottom || y > cull.Top) continue;
    const bool country = i <= 2;
    const gdi::COLORREF colour = country ? kBlackColour : SeaNameColour(sea, blackWhite);
    const std::string text = country ? LetterSpaced(name.Text) : std::string(name.Text);
    WriteAnchoredText(canvas, projection.Project(x, y), text, font, colour, settings.Shadow && colour != kWhiteColour,
                      occupied, name.Align);
  }
}

}  // namespace quelmar::render
