#pragma once
// Finds label texts that overlap on a recording canvas: every text drawn in a
// colour other than white (white copies are halos) is turned into the
// rectangle its characters cover, rotated by its font's escapement, and every
// pair is tested with separating axes.
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "platform/gdi/recording_canvas.h"
#include "platform/gdi/text_measurer.h"

namespace quelmar::render::testing {

struct TextQuad {
  std::string Text;
  std::array<double, 8> Corners{};  // x0 y0 x1 y1 x2 y2 x3 y3
};

inline std::vector<TextQuad> LabelQuads(const gdi::RecordingCanvas& canvas) {
  std::vector<TextQuad> quads;
  for (const gdi::DrawRecord& r : canvas.RecordsOf(gdi::DrawKind::TextOut)) {
    if (r.state.textColor == gdi::RGB(255, 255, 255) || r.text.empty()) continue;
    const gdi::TextExtent e = gdi::TextMeasurer::Measure(r.state.font, r.text);
    const gdi::Point offset = gdi::TextMeasurer::BaselineOffset(e, r.state.textAlign);
    // In the text's own frame (x along the baseline, y down): the cell from
    // the ascent above the baseline to the descent below, shrunk by a pixel
    // so that lines set one below the other do not count as overlapping.
    const double x0 = offset.x + 1, x1 = offset.x + e.width - 1;
    const double y0 = offset.y - e.ascent + 1, y1 = offset.y + e.descent - 1;
    const double a = r.state.font.escapement / 10.0 * 3.14159265358979 / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    TextQuad q{r.text, {}};
    const double xs[4] = {x0, x1, x1, x0}, ys[4] = {y0, y0, y1, y1};
    for (int i = 0; i < 4; ++i) {
      // Counter-clockwise on screen: y grows downwards.
      q.Corners[2 * i] = r.points[0].x + xs[i] * c + ys[i] * s;
      q.Corners[2 * i + 1] = r.points[0].y - xs[i] * s + ys[i] * c;
    }
    quads.push_back(q);
  }
  return quads;
}

inline bool QuadsOverlap(const TextQuad& a, const TextQuad& b) {
  for (const TextQuad* q : {&a, &b}) {
    for (int i = 0; i < 4; ++i) {
      const int j = (i + 1) % 4;
      const double nx = -(q->Corners[2 * j + 1] - q->Corners[2 * i + 1]), ny = q->Corners[2 * j] - q->Corners[2 * i];
      double minA = 1e300, maxA = -1e300, minB = 1e300, maxB = -1e300;
      for (int k = 0; k < 4; ++k) {
        const double pa = a.Corners[2 * k] * nx + a.Corners[2 * k + 1] * ny;
        const double pb = b.Corners[2 * k] * nx + b.Corners[2 * k + 1] * ny;
        minA = std::min(minA, pa), maxA = std::max(maxA, pa), minB = std::min(minB, pb), maxB = std::max(maxB, pb);
      }
      if (maxA <= minB || maxB <= minA) return false;
    }
  }
  return true;
}

// "a" / "b" for every overlapping pair.
inline std::vector<std::string> OverlappingLabels(const gdi::RecordingCanvas& canvas) {
  const std::vector<TextQuad> quads = LabelQuads(canvas);
  std::vector<std::string> pairs;
  for (std::size_t i = 0; i < quads.size(); ++i) {
    for (std::size_t j = i + 1; j < quads.size(); ++j) {
      if (QuadsOverlap(quads[i], quads[j])) pairs.push_back(quads[i].Text + " / " + quads[j].Text);
    }
  }
  return pairs;
}

}  // namespace quelmar::render::testing
