#pragma once
// PdfCanvas: a printer's device context that writes a PDF document with
// Cairo, in vector form: lines, shapes and text stay paths and glyphs (the
// fonts are embedded), bitmaps become images. Device units are printer
// pixels at `dotsPerInch`; a page is `pageSize` of them.
//
// Paper has no pixels to mix with: pens draw in their colour whatever the
// mix mode (an exclusive-or pen, which only marks a screen, draws nothing),
// and blits paint the source as a picture on white paper reads: a mask
// blit (SrcAnd) paints the source where it is not white, a picture blit
// (SrcPaint) where it is not black, so a symbol drawn mask-then-picture
// comes out as on the screen.
//
//   PdfCanvas pdf(stream, {1275, 1650}, 150);   // a letter page at 150 dpi
//   ... draw ...; pdf.ShowPage(); ... ; pdf.Finish();
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "platform/gdi/stateful_canvas.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace quelmar::gdi {

class PdfCanvas final : public StatefulCanvas {
 public:
  // Receives the document's bytes as they are made; false stops the output
  // (the document then reports the failure at Finish).
  using Sink = std::function<bool(std::span<const unsigned char>)>;

  PdfCanvas(Sink sink, Size pageSize, int dotsPerInch);
  ~PdfCanvas() override;
  PdfCanvas(const PdfCanvas&) = delete;
  PdfCanvas& operator=(const PdfCanvas&) = delete;

  int DotsPerInch() const { return dpi_; }
  // Draws in units of `scale` printer pixels from `offset` (printer pixels)
  // on: a picture made for a screen of another size lands on the page at
  // any size and stays vector drawing. (1, {0, 0}) is the page itself.
  void SetUnitTransform(double scale, Point offset);
  // Ends the page; the next drawing starts a new one.
  void ShowPage();
  // Ends the document. False when any byte could not be written or Cairo
  // reported an error; the document is then incomplete.
  bool Finish();
  int PageCount() const { return pages_ + (drawnOnPage_ ? 1 : 0); }

  Size DeviceSize() const override { return pageSize_; }
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
  // A context for one figure: the page's scale and the clip applied.
  cairo_t* Begin();
  void End(cairo_t* cr);
  bool PenDraws() const;
  void SetPenStroke(cairo_t* cr) const;
  void FillAndStroke(cairo_t* cr, bool fill, bool stroke);

  Sink sink_;
  Size pageSize_;
  int dpi_;
  cairo_surface_t* surface_ = nullptr;
  double scale_ = 1;
  Point offset_;
  int pages_ = 0;
  bool drawnOnPage_ = false;
  bool finished_ = false;
  bool writeFailed_ = false;
};

}  // namespace quelmar::gdi
