#pragma once
// ShapePainter: where one pen-and-brush primitive is drawn. With the copy pen
// mode the shape goes straight onto the bitmap. With a bitwise mode (XOR, NOT,
// AND, OR, inverted copy) it is first drawn opaque onto a transparent scratch
// layer, and the covered pixels are then combined with the bitmap bit by bit,
// each pixel once — Cairo's own operators blend colours, they are not bitwise.
#include <cairo.h>

#include <cstdint>
#include <vector>

#include "platform/gdi/bitmap_impl.h"
#include "platform/gdi/gdi_types.h"
#include "platform/gdi/region.h"

namespace quelmar::gdi {

// A Cairo context on `surface`, clipped to `clip` (device coordinates), with
// aliased or anti-aliased rasterisation. Release with cairo_destroy.
cairo_t* CreateClippedContext(cairo_surface_t* surface, const Region& clip, bool antialias);

class ShapePainter {
 public:
  // `reach` bounds every pixel the shape may touch (device coordinates).
  ShapePainter(Bitmap::Impl& target, const Region& clip, Rop2 rop, bool antialias, const Rect& reach);
  ~ShapePainter();
  ShapePainter(const ShapePainter&) = delete;
  ShapePainter& operator=(const ShapePainter&) = delete;

  // False when nothing of the shape can be visible.
  bool IsVisible() const { return !clip_.IsEmpty(); }
  // The visible part of the reach: a guard for clipping paths.
  Rect Area() const { return clip_.Bounds(); }
  // A context in device coordinates; pixels plotted so far are written first.
  cairo_t* Cairo();
  // One pixel in device coordinates; pixels outside the clip are dropped.
  void Plot(int x, int y, COLORREF color);
  // Writes everything out (combining the scratch layer under a bitwise mode).
  void Finish();

 private:
  void WritePlotted();
  void CombineScratch();

  Bitmap::Impl& target_;
  Region clip_;
  Rop2 rop_;
  bool antialias_;
  bool singleRect_;
  cairo_surface_t* scratch_ = nullptr;  // only under a bitwise mode
  Rect scratchArea_;
  cairo_t* cr_ = nullptr;
  struct Plotted {
    int x, y;
    std::uint32_t pixel;
  };
  std::vector<Plotted> plotted_;
};

}  // namespace quelmar::gdi
