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
  // Each pass draws runs of lines that share a pen in one call.
  std::vector<std::vector<gdi::Point>> batch;
  auto pass = [&](auto penOf) {
    for (std::size_t i = 0; i < lines_.size();) {
      const gdi::Pen pen = penOf(lines_[i].style);
      batch.clear();
      for (; i < lines_.size() && penOf(lines_[i].style) == pen; ++i) batch.push_back(lines_[i].points);
      canvas.SetPen(pen);
      canvas.PolyPolyline(batch);
    }
  };
  pass([&](const CasedLineStyle& style) { return CasedOuterPass(style, blackWhiteOutput).Pen; });
  pass([&](const CasedLineStyle& style) { return CasedInnerPass(style, streetStyle).Pen; });
  lines_.clear();
}

StrokeList CasedLineStrokes(const CasedLineStyle& style, bool blackWhiteOutput, bool streetStyle) {
  StrokeList strokes;
  strokes.Add(CasedOuterPass(style, blackWhiteOutput));
  strokes.Add(CasedInnerPass(style, streetStyle));
  return strokes;
}

}  // namespace quelmar::render
