#include "control/render/style_cased_lines.h"

#include <algorithm>

namespace quelmar::render {

bool CasedLineQueue::Add(const CasedLineStyle& style, std::span<const gdi::Point> points) {
  if (lines_.size() >= kCapacity) return false;
  lines_.push_back(Line{style, std::vector<gdi::Point>(points.begin(), points.end())});
  return true;
}

void CasedLineQueue::Draw(gdi::Canvas& canvas, bool blackWhiteOutput, bool streetStyle) {
  std::stable_sort(lines_.begin(), lines_.end(),
                   [](const Line& a, const Line& b) { return a.style.Layer > b.style.Layer; });
  canvas.SetBkMode(gdi::BkMode::Opaque);
  for (const Line& line : lines_) {
    canvas.SetPen(CasedOuterPass(line.style, blackWhiteOutput).Pen);
    canvas.Polyline(line.points);
  }
  for (const Line& line : lines_) {
    canvas.SetPen(CasedInnerPass(line.style, streetStyle).Pen);
    canvas.Polyline(line.points);
  }
  lines_.clear();
}

StrokeList CasedLineStrokes(const CasedLineStyle& style, bool blackWhiteOutput, bool streetStyle) {
  StrokeList strokes;
  strokes.Add(CasedOuterPass(style, blackWhiteOutput));
  strokes.Add(CasedInnerPass(style, streetStyle));
  return strokes;
}

}  // namespace quelmar::render
