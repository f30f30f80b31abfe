#include "control/render/basic_layer_renderer.h"

namespace quelmar::render {

void BasicLayerRenderer::DrawObject(gdi::Canvas& canvas, const ProjectedObject& object) {
  gdi::COLORREF line = gdi::RGB(0x40, 0x40, 0x40);
  gdi::COLORREF fill = 0;
  bool filled = false;
  int width = 1;
  switch (object.Layer) {
    case 2: filled = object.Closed; fill = gdi::RGB(0xEC, 0xF1, 0xDC); break;
    case 9: case 28: line = gdi::RGB(0xFF, 0, 0); width = 3; break;
    case 10: line = gdi::RGB(0x80, 0, 0); width = 2; break;
    case 19: filled = object.Closed; fill = gdi::RGB(0x99, 0xCC, 0x00); break;
    case 23: case 24: case 25: line = gdi::RGB(0, 0, 0x80); filled = object.Closed; fill = gdi::RGB(0x96, 0xBA, 0xE0); break;
    case 5: line = gdi::RGB(0x80, 0x80, 0x80); break;
    default: break;
  }
  if (filled) {
    canvas.SetPen(gdi::Pen{gdi::PenStyle::Null, 1, fill});
    canvas.SetBrush(gdi::Brush::Solid(fill));
    canvas.Polygon(object.Runs[0]);
    return;
  }
  canvas.SetPen(gdi::Pen{gdi::PenStyle::Solid, width, line});
  for (const auto& run : object.Runs) canvas.Polyline(run);
}

}  // namespace quelmar::render
