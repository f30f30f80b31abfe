#pragma once
// RecordingCanvas: a canvas without pixels that keeps every drawing call with
// the state in force at the time, so tests can check exact geometry, colours
// and clips. Text is measured exactly as the Cairo canvas measures it.
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/gdi/stateful_canvas.h"

namespace quelmar::gdi {

enum class DrawKind { MoveTo, LineTo, Polyline, Polygon, Rectangle, Ellipse, FillRect, TextOut, BitBlt };

struct DrawRecord {
  DrawKind kind = DrawKind::MoveTo;
  // Logical coordinates as passed. MoveTo: the point; LineTo: the current
  // position, then the end; Polyline and Polygon: the vertices; TextOut: the
  // reference point; BitBlt: the source origin.
  std::vector<Point> points;
  Rect rect;              // Rectangle, Ellipse, FillRect, BitBlt destination
  Brush fillBrush;        // FillRect's own brush
  std::string text;       // TextOut, Windows-1252
  Rop3 rop3 = Rop3::SrcCopy;          // BitBlt
  const Canvas* source = nullptr;     // BitBlt
  CanvasState state;      // pen, brush, font, colours, modes, origin and clip in force

  std::string ToString() const;
  friend bool operator==(const DrawRecord&, const DrawRecord&) = default;
};

// Lets test frameworks print records in failure messages.
void PrintTo(const DrawRecord& record, std::ostream* out);
std::string ToString(DrawKind kind);

class RecordingCanvas final : public StatefulCanvas {
 public:
  explicit RecordingCanvas(Size deviceSize) : deviceSize_(deviceSize) {}

  const std::vector<DrawRecord>& Records() const { return records_; }
  std::vector<DrawRecord> RecordsOf(DrawKind kind) const;
  void Clear() { records_.clear(); }

  Size DeviceSize() const override { return deviceSize_; }
  void MoveTo(Point p) override;
  void LineTo(Point p) override;
  void Polyline(std::span<const Point> points) override;
  void Polygon(std::span<const Point> points) override;
  void Rectangle(const Rect& rect) override;
  void Ellipse(const Rect& rect) override;
  void FillRect(const Rect& rect, const Brush& brush) override;
  void TextOut(Point p, std::string_view ansiText) override;
  Size MeasureText(std::string_view ansiText) override;
  void BitBlt(const Rect& dst, Canvas& src, Point srcOrigin, Rop3 rop) override;
  Bitmap* TargetBitmap() override { return nullptr; }

 private:
  DrawRecord& Add(DrawKind kind);

  Size deviceSize_;
  std::vector<DrawRecord> records_;
};

}  // namespace quelmar::gdi
