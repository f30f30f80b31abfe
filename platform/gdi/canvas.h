#pragma once
// Canvas: a device context with the drawing semantics of the Windows GDI
// (current pen, brush, font, text colour, background mode, raster operation,
// window origin, clip rectangle). Coordinates are logical pixels: device
// = logical - window origin. Rectangles exclude their right and bottom edges.
// Text is 8-bit Windows-1252.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/gdi_types.h"

namespace quelmar::gdi {

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Device size in pixels (the selected bitmap's size for a memory context).
  virtual Size DeviceSize() const = 0;

  // --- state (SaveDC / RestoreDC) ---
  virtual int SaveState() = 0;             // returns the new depth
  virtual void RestoreState(int depth) = 0;  // -1: the last saved state
  virtual void SetPen(const Pen& pen) = 0;
  virtual void SetBrush(const Brush& brush) = 0;
  virtual void SetFont(const Font& font) = 0;
  virtual void SetTextColor(COLORREF color) = 0;
  virtual void SetBkColor(COLORREF color) = 0;
  virtual void SetBkMode(BkMode mode) = 0;
  virtual void SetTextAlign(std::uint32_t align) = 0;  // TA_* flags
  virtual void SetRop2(Rop2 rop) = 0;
  virtual void SetWindowOrigin(Point origin) = 0;
  virtual Point WindowOrigin() const = 0;
  // Clip to a rectangle in logical coordinates (intersected with the current clip).
  virtual void IntersectClipRect(const Rect& rect) = 0;
  // Replace the clip by a union of rectangles (logical coordinates); an empty
  // list leaves nothing visible. Clips are kept in device coordinates: a later
  // SetWindowOrigin does not move them.
  virtual void SetClipRects(std::span<const Rect> rects) = 0;
  virtual void RemoveClip() = 0;

  // --- drawing with the current pen and brush ---
  virtual void MoveTo(Point p) = 0;
  virtual void LineTo(Point p) = 0;
  virtual void Polyline(std::span<const Point> points) = 0;
  // Several polylines in the current pen, as Polyline on each (GDI's
  // PolyPolyline); a backend may draw them in one go.
  virtual void PolyPolyline(std::span<const std::vector<Point>> lines) {
    for (const std::vector<Point>& line : lines) Polyline(line);
  }
  virtual void Polygon(std::span<const Point> points) = 0;  // even-odd fill, then outline
  virtual void Rectangle(const Rect& rect) = 0;             // brush fill, pen outline
  virtual void Ellipse(const Rect& rect) = 0;
  virtual void FillRect(const Rect& rect, const Brush& brush) = 0;  // no outline, ignores the pen
  virtual void TextOut(Point p, std::string_view ansiText) = 0;
  virtual Size MeasureText(std::string_view ansiText) = 0;

  // --- blits: copies a rectangle of another canvas's pixels (logical on both sides) ---
  virtual void BitBlt(const Rect& dst, Canvas& src, Point srcOrigin, Rop3 rop) = 0;

  // Pixel access for blits and tests; nullptr when the backend has no pixels.
  virtual Bitmap* TargetBitmap() = 0;
};

// A 3-D frame as a panel draws its bevel: light edge top-left when raised.
void DrawFrame3D(Canvas& canvas, Rect rect, COLORREF topLeft, COLORREF bottomRight, int width);

}  // namespace quelmar::gdi
