#include "control/render/style_strokes.h"

namespace quelmar::render {

void DrawStrokes(gdi::Canvas& canvas, std::span<const gdi::Point> points, const StrokeList& strokes) {
  if (points.size() < 2) return;
  for (const StrokePass& pass : strokes.Passes()) {
    canvas.SetPen(pass.Pen);
    canvas.SetBkMode(pass.Background);
    canvas.Polyline(points);
  }
}

}  // namespace quelmar::render
