#include "platform/gdi/pdf_canvas.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/brush_source.h"
#include "platform/gdi/font_faces.h"
#include "platform/gdi/text_layout.h"
#include "platform/gdi/text_measurer.h"

namespace quelmar::gdi {
namespace {

cairo_status_t WriteToSink(void* closure, const unsigned char* data, unsigned int length) {
  auto* canvas = static_cast<PdfCanvas::Sink*>(closure);
  return (*canvas)(std::span<const unsigned char>(data, length)) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

// The dash patterns of the desktop's pen styles, in pen widths.
std::vector<double> DashesOf(PenStyle style) {
  switch (style) {
    case PenStyle::Dash: return {18, 6};
    case PenStyle::Dot: return {3, 3};
    case PenStyle::DashDot: return {9, 6, 3, 6};
    case PenStyle::DashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
  }
}

// Lines and outlines run through pixel centres, as the screen draws them.
void AddPath(cairo_t* cr, const CanvasState& s, std::span<const Point> points, bool close) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Point d = s.ToDevice(points[i]);
    if (i == 0) {
      cairo_move_to(cr, d.x + 0.5, d.y + 0.5);
    } else {
      cairo_line_to(cr, d.x + 0.5, d.y + 0.5);
    }
  }
  if (close) cairo_close_path(cr);
}

}  // namespace

PdfCanvas::PdfCanvas(Sink sink, Size pageSize, int dotsPerInch)
    : sink_([this, out = std::move(sink)](std::span<const unsigned char> bytes) {
        if (writeFailed_ || !out(bytes)) writeFailed_ = true;
        return !writeFailed_;
      }),
      pageSize_{std::max(1, pageSize.cx), std::max(1, pageSize.cy)},
      dpi_(std::max(1, dotsPerInch)) {
  const double points = 72.0 / dpi_;
  surface_ = cairo_pdf_surface_create_for_stream(WriteToSink, &sink_, pageSize_.cx * points, pageSize_.cy * points);
}

PdfCanvas::~PdfCanvas() {
  if (!finished_) Finish();
  cairo_surface_destroy(surface_);
}

void PdfCanvas::SetUnitTransform(double scale, Point offset) {
  scale_ = std::isfinite(scale) && scale > 0 ? scale : 1;
  offset_ = offset;
}

void PdfCanvas::ShowPage() {
  cairo_t* cr = cairo_create(surface_);
  cairo_show_page(cr);
  cairo_destroy(cr);
  ++pages_;
  drawnOnPage_ = false;
}

bool PdfCanvas::Finish() {
  if (!finished_) {
    finished_ = true;
    cairo_surface_finish(surface_);
  }
  return !writeFailed_ && cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS;
}

cairo_t* PdfCanvas::Begin() {
  drawnOnPage_ = true;
  cairo_t* cr = cairo_create(surface_);
  cairo_scale(cr, 72.0 / dpi_, 72.0 / dpi_);
  cairo_translate(cr, offset_.x, offset_.y);
  cairo_scale(cr, scale_, scale_);
  if (const std::optional<Region>& clip = State().clip) {
    for (const Rect& r : clip->Rects()) cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    if (clip->IsEmpty()) cairo_rectangle(cr, 0, 0, 0, 0);
    cairo_clip(cr);
  }
  return cr;
}

void PdfCanvas::End(cairo_t* cr) { cairo_destroy(cr); }

bool PdfCanvas::PenDraws() const {
  const CanvasState& s = State();
  // An exclusive-or or inverting pen only marks a screen; on paper it draws nothing.
  return s.pen.style != PenStyle::Null && s.rop2 != Rop2::XorPen && s.rop2 != Rop2::Not;
}

void PdfCanvas::SetPenStroke(cairo_t* cr) const {
  const Pen& pen = State().pen;
  const double width = std::max(1, pen.width);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  std::vector<double> dashes = DashesOf(pen.style);
  if (!dashes.empty()) {
    for (double& d : dashes) d *= width;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
  }
  SetSourceColor(cr, pen.color);
}

// Fills the current path with the brush (even-odd), then strokes it with the pen.
void PdfCanvas::FillAndStroke(cairo_t* cr, bool fill, bool stroke) {
  const CanvasState& s = State();
  if (fill) {
    if (cairo_pattern_t* source = CreateBrushSource(s.brush, s.bkColor, s.bkMode)) {
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
      cairo_set_source(cr, source);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(source);
    }
  }
  if (stroke && PenDraws()) {
    SetPenStroke(cr);
    cairo_stroke_preserve(cr);
  }
  cairo_new_path(cr);
}

void PdfCanvas::LineTo(Point p) {
  const Point from = State().currentPosition;
  MoveTo(p);
  if (!PenDraws()) return;
  cairo_t* cr = Begin();
  const Point line[] = {from, p};
  AddPath(cr, State(), line, false);
  FillAndStroke(cr, false, true);
  End(cr);
}

void PdfCanvas::Polyline(std::span<const Point> points) {
  if (points.size() < 2 || !PenDraws()) return;
  cairo_t* cr = Begin();
  AddPath(cr, State(), points, false);
  FillAndStroke(cr, false, true);
  End(cr);
}

void PdfCanvas::Polygon(std::span<const Point> points) {
  if (points.size() < 2) return;
  cairo_t* cr = Begin();
  AddPath(cr, State(), points, true);
  FillAndStroke(cr, true, true);
  End(cr);
}

void PdfCanvas::Rectangle(const Rect& rect) {
  const Rect d = State().ToDevice(rect);
  if (d.IsEmpty()) return;
  cairo_t* cr = Begin();
  // The outline runs through the outermost pixels, the fill covers the rest.
  cairo_rectangle(cr, d.left + 0.5, d.top + 0.5, d.Width() - 1, d.Height() - 1);
  FillAndStroke(cr, true, true);
  End(cr);
}

void PdfCanvas::Ellipse(const Rect& rect) {
  const Rect d = State().ToDevice(rect);
  if (d.IsEmpty()) return;
  cairo_t* cr = Begin();
  cairo_save(cr);
  cairo_translate(cr, (d.left + d.right) / 2.0, (d.top + d.bottom) / 2.0);
  cairo_scale(cr, std::max(0.5, (d.Width() - 1) / 2.0), std::max(0.5, (d.Height() - 1) / 2.0));
  cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
  cairo_restore(cr);
  FillAndStroke(cr, true, true);
  End(cr);
}

void PdfCanvas::FillRect(const Rect& rect, const Brush& brush) {
  const Rect d = State().ToDevice(rect);
  if (d.IsEmpty()) return;
  cairo_pattern_t* source = CreateBrushSource(brush, State().bkColor, State().bkMode);
  if (!source) return;
  cairo_t* cr = Begin();
  cairo_rectangle(cr, d.left, d.top, d.Width(), d.Height());
  cairo_set_source(cr, source);
  cairo_fill(cr);
  cairo_pattern_destroy(source);
  End(cr);
}

// As on the screen: the escapement turns the text counter-clockwise about the
// reference point, alignment is measured in the text's own frame. The glyphs
// are drawn from the faces the screen uses and embedded in the document.
void PdfCanvas::TextOut(Point p, std::string_view ansiText) {
  const CanvasState& s = State();
  GlyphRun run = LayoutText(s.font, ansiText);
  const TextExtent& extent = run.extent;
  const Point baseline = TextMeasurer::BaselineOffset(extent, s.textAlign);
  const Point d = s.ToDevice(p);
  cairo_t* cr = Begin();
  cairo_translate(cr, d.x, d.y);
  cairo_rotate(cr, -s.font.escapement * std::numbers::pi / 1800.0);
  if (s.bkMode == BkMode::Opaque && extent.width > 0) {
    cairo_rectangle(cr, baseline.x, baseline.y - extent.ascent, extent.width, extent.ascent + extent.descent);
    SetSourceColor(cr, s.bkColor);
    cairo_fill(cr);
  }
  if (!run.glyphs.empty()) {
    cairo_set_font_face(cr, FaceFor(s.font, FaceUse::DrawAntialiased).face);
    cairo_set_font_size(cr, run.emSize);
    for (cairo_glyph_t& glyph : run.glyphs) {
      glyph.x += baseline.x;
      glyph.y += baseline.y;
    }
    SetSourceColor(cr, s.textColor);
    cairo_show_glyphs(cr, run.glyphs.data(), static_cast<int>(run.glyphs.size()));
  }
  End(cr);
}

Size PdfCanvas::MeasureText(std::string_view ansiText) { return TextMeasurer::Measure(State().font, ansiText).AsSize(); }

void PdfCanvas::BitBlt(const Rect& dst, Canvas& src, Point srcOrigin, Rop3 rop) {
  const Rect d = State().ToDevice(dst);
  if (d.IsEmpty()) return;
  if (rop == Rop3::Blackness || rop == Rop3::Whiteness) {
    cairo_t* cr = Begin();
    cairo_rectangle(cr, d.left, d.top, d.Width(), d.Height());
    SetSourceColor(cr, rop == Rop3::Blackness ? RGB(0, 0, 0) : RGB(255, 255, 255));
    cairo_fill(cr);
    End(cr);
    return;
  }
  // Inverting blits only mark a screen.
  if (rop != Rop3::SrcCopy && rop != Rop3::SrcAnd && rop != Rop3::SrcPaint) return;
  const Bitmap* pixels = src.TargetBitmap();
  if (!pixels) return;
  const Point from{srcOrigin.x - src.WindowOrigin().x, srcOrigin.y - src.WindowOrigin().y};
  const int width = std::min(d.Width(), pixels->Width() - from.x);
  const int height = std::min(d.Height(), pixels->Height() - from.y);
  if (width <= 0 || height <= 0 || from.x < 0 || from.y < 0) return;

  // The source as an image with the pixels this operation leaves alone transparent.
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_surface_flush(image);
  unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < width; ++x) {
      const COLORREF c = pixels->Pixel(from.x + x, from.y + y) & 0xFFFFFF;
      const bool kept = rop == Rop3::SrcCopy || (rop == Rop3::SrcAnd ? c != 0xFFFFFF : c != 0);
      row[x] = kept ? 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c) : 0;
    }
  }
  cairo_surface_mark_dirty(image);
  cairo_t* cr = Begin();
  cairo_set_source_surface(cr, image, d.left, d.top);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_rectangle(cr, d.left, d.top, width, height);
  cairo_fill(cr);
  End(cr);
  cairo_surface_destroy(image);
}

}  // namespace quelmar::gdi
