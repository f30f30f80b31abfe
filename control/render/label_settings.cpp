#include "control/render/label_settings.h"

#include <cmath>

namespace quelmar::render {

LabelFonts MakeLabelFonts(const LabelSettings& settings, double k, bool deviceOutput) {
  const auto height = [k](double pixels) { return -static_cast<int>(std::lround(pixels * k)); };
  const bool boldLandmarks = settings.LandmarkStyle.find('B') != std::string::npos;
  // Into printers and bitmaps every label font takes the rotated path, as the
  // street names do, so that text lands the same way on every device.
  const int escapement = deviceOutput ? 1 : 0;
  LabelFonts fonts;
  fonts.Bold = gdi::Font{settings.LabelFace, height(11), 700, false, escapement};
  fonts.Label = gdi::Font{settings.LabelFace, height(10), 400, false, escapement};
  fonts.Landmark = gdi::Font{settings.LandmarkFace, height(9), boldLandmarks ? 700 : 400, false, escapement};
  fonts.Small = gdi::Font{settings.LandmarkFace, -10, fonts.Landmark.weight, false, escapement};
  fonts.Shield = gdi::Font{settings.LabelFace, height(12), 400, false, escapement};
  fonts.StreetHeight = settings.TextSize * settings.SizeFactor / 5;
  return fonts;
}

gdi::Font StreetFont(const LabelSettings& settings, int height, int tenthsOfDegree) {
  return gdi::Font{settings.StreetFace, -height, 400, false, tenthsOfDegree == 0 ? 1 : tenthsOfDegree};
}

}  // namespace quelmar::render
