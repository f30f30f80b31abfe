#pragma once
// CairoCanvas: a memory device context drawing into a Bitmap with Cairo.
// Shapes are aliased by default, as the classic desktop drawing looks; an
// option turns anti-aliasing on. One-pixel lines are stepped pixel by pixel so
// they land exactly on pixel rows and columns.
#include <optional>
#include <span>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/region.h"
#include "platform/gdi/stateful_canvas.h"

namespace quelmar::gdi {

class ShapePainter;

class CairoCanvas final : public StatefulCanvas {
 public:
  explicit CairoCanvas(Bitmap& target);
  ~CairoCanvas() override;
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;

  // Draws into another bitmap from now on (selecting a bitmap into a memory
  // device context); the rest of the state is kept.
  void SelectBitmap(Bitmap& target);
  void SetAntialias(bool antialias) { antialias_ = antialias; }
  bool Antialias() const { return antialias_; }

  // A clip the owner of the device imposes (a window's invalid region while it
  // paints), in device coordinates. It holds whatever the drawing code does
  // with its own clip, RemoveClip and RestoreState included.
  void SetSystemClip(std::span<const Rect> deviceRects);
  void ClearSystemClip() { systemClip_.reset(); }

  Size DeviceSize() const override;
  void LineTo(Point p) override;
  void Polyline(std::span<const Point> points) override;
  // Wide pens in copy mode stroke every line in one path: the pixels of one
  // call per line, but for the rare pixel whose centre lies exactly on a
  // stroke's edge. Other pens and mixes draw line by line.
  void PolyPolyline(std::span<const std::vector<Point>> lines) override;
  void Polygon(std::span<const Point> points) override;
  void Rectangle(const Rect& rect) override;
  void Ellipse(const Rect& rect) override;
  void FillRect(const Rect& rect, const Brush& brush) override;
  void TextOut(Point p, std::string_view ansiText) override;
  Size MeasureText(std::string_view ansiText) override;
  void BitBlt(const Rect& dst, Canvas& src, Point srcOrigin, Rop3 rop) override;
  Bitmap* TargetBitmap() override { return target_; }

 private:
  struct Shape;
  void PaintShape(const Shape& shape);
  void PaintOutline(ShapePainter& painter, const Shape& shape);
  // Device bounds, the system clip and the canvas clip together.
  Region EffectiveClip() const;

  Bitmap* target_;
  bool antialias_ = false;
  std::optional<Region> systemClip_;
};

}  // namespace quelmar::gdi
