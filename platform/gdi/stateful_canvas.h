#pragma once
// StatefulCanvas: the device-context state shared by every canvas backend —
// selected objects, colours, modes, window origin, clip, current position and
// the SaveState / RestoreState stack. Backends add the drawing.
#include <vector>

#include "platform/gdi/canvas.h"
#include "platform/gdi/canvas_state.h"

namespace quelmar::gdi {

class StatefulCanvas : public Canvas {
 public:
  int SaveState() override;
  void RestoreState(int depth) override;
  void SetPen(const Pen& pen) override { state_.pen = pen; }
  void SetBrush(const Brush& brush) override { state_.brush = brush; }
  void SetFont(const Font& font) override { state_.font = font; }
  void SetTextColor(COLORREF color) override { state_.textColor = color; }
  void SetBkColor(COLORREF color) override { state_.bkColor = color; }
  void SetBkMode(BkMode mode) override { state_.bkMode = mode; }
  void SetTextAlign(std::uint32_t align) override { state_.textAlign = align; }
  void SetRop2(Rop2 rop) override { state_.rop2 = rop; }
  void SetWindowOrigin(Point origin) override { state_.windowOrigin = origin; }
  Point WindowOrigin() const override { return state_.windowOrigin; }
  void IntersectClipRect(const Rect& rect) override;
  void SetClipRects(std::span<const Rect> rects) override;
  void RemoveClip() override { state_.clip.reset(); }
  void MoveTo(Point p) override { state_.currentPosition = p; }

  const CanvasState& State() const { return state_; }
  int SavedDepth() const { return static_cast<int>(saved_.size()); }

 protected:
  CanvasState& MutableState() { return state_; }

 private:
  CanvasState state_;
  std::vector<CanvasState> saved_;
};

}  // namespace quelmar::gdi
