#include "platform/gdi/canvas.h"

namespace quelmar::gdi {

// Each ring is one pixel wide: the top row and left column in `topLeft`, the
// bottom row and right column in `bottomRight`, which also takes the two
// corners where the colours meet (top-right and bottom-left).
void DrawFrame3D(Canvas& canvas, Rect rect, COLORREF topLeft, COLORREF bottomRight, int width) {
  const Brush light = Brush::Solid(topLeft);
  const Brush dark = Brush::Solid(bottomRight);
  for (int ring = 0; ring < width && !rect.IsEmpty(); ++ring) {
    canvas.FillRect(Rect{rect.left, rect.top, rect.right - 1, rect.top + 1}, light);
    canvas.FillRect(Rect{rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1}, light);
    canvas.FillRect(Rect{rect.right - 1, rect.top, rect.right, rect.bottom}, dark);
    canvas.FillRect(Rect{rect.left, rect.bottom - 1, rect.right - 1, rect.bottom}, dark);
    rect = Rect{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
  }
}

}  // namespace quelmar::gdi
