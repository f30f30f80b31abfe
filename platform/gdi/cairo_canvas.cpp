#include "platform/gdi/cairo_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "platform/gdi/bitmap_impl.h"
#include "platform/gdi/brush_source.h"
#include "platform/gdi/cosmetic_line.h"
#include "platform/gdi/font_faces.h"
#include "platform/gdi/path_geometry.h"
#include "platform/gdi/pixel_ops.h"
#include "platform/gdi/shape_painter.h"
#include "platform/gdi/text_layout.h"
#include "platform/gdi/text_measurer.h"

namespace quelmar::gdi {
namespace {

// Paths within this distance of the origin go to Cairo as they are; larger
// ones are first cut to the visible area (Cairo's fixed point tops out near 8M).
constexpr double kSafeMagnitude = 1 << 20;
constexpr double kIntLimit = 1 << 30;

Rect Normalized(const Rect& r) {
  return Rect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

int ClampToInt(double v) { return static_cast<int>(std::clamp(v, -kIntLimit, kIntLimit)); }

// The integer rectangle covering `points` grown by `margin` on every side.
Rect ReachOf(std::span<const PointD> points, double margin, Rect acc) {
  for (const PointD& p : points) {
    const Rect r{ClampToInt(std::floor(p.x - margin)), ClampToInt(std::floor(p.y - margin)),
                 ClampToInt(std::ceil(p.x + margin)) + 1, ClampToInt(std::ceil(p.y + margin)) + 1};
    if (acc.IsEmpty()) {
      acc = r;
    } else {
      acc = Rect{std::min(acc.left, r.left), std::min(acc.top, r.top), std::max(acc.right, r.right),
                 std::max(acc.bottom, r.bottom)};
    }
  }
  return acc;
}

// Device positions of logical points, in double so that nothing overflows.
std::vector<PointD> ToPointsD(std::span<const Point> points, Point origin) {
  std::vector<PointD> out;
  out.reserve(points.size());
  for (const Point& p : points) {
    out.push_back(PointD{static_cast<double>(p.x) - origin.x, static_cast<double>(p.y) - origin.y});
  }
  return out;
}

std::vector<PointD> RectCorners(double left, double top, double right, double bottom) {
  return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

std::vector<PointD> Shifted(std::vector<PointD> points, double by) {
  for (PointD& p : points) {
    p.x += by;
    p.y += by;
  }
  return points;
}

void AddPath(cairo_t* cr, std::span<const PointD> points, bool close) {
  cairo_move_to(cr, points[0].x, points[0].y);
  for (std::size_t i = 1; i < points.size(); ++i) cairo_line_to(cr, points[i].x, points[i].y);
  if (close) cairo_close_path(cr);
}

RectD Grown(const Rect& r, double by) { return RectD{r.left - by, r.top - by, r.right + by, r.bottom + by}; }

}  // namespace

// One pen-and-brush figure in device coordinates. The fill is in pixel-edge
// coordinates (a pixel covers [x, x+1)); the outline runs through pixel
// centres, with integer values naming pixels, as one-pixel pens step.
struct CairoCanvas::Shape {
  std::vector<PointD> fill;
  std::vector<PointD> outline;
  bool closed = false;
  std::vector<std::vector<PointD>> moreOutlines;  // further open lines stroked with the outline
};

CairoCanvas::CairoCanvas(Bitmap& target) : target_(&target) {}
CairoCanvas::~CairoCanvas() = default;

void CairoCanvas::SelectBitmap(Bitmap& target) { target_ = &target; }

void CairoCanvas::SetSystemClip(std::span<const Rect> deviceRects) { systemClip_ = Region::FromRects(deviceRects); }

Size CairoCanvas::DeviceSize() const { return Size{target_->Width(), target_->Height()}; }

Region CairoCanvas::EffectiveClip() const {
  Region clip(Rect{0, 0, target_->Width(), target_->Height()});
  if (systemClip_) clip = clip.Intersect(*systemClip_);
  if (State().clip) clip = clip.Intersect(*State().clip);
  return clip;
}

void CairoCanvas::PaintShape(const Shape& shape) {
  const CanvasState& s = State();
  const bool hasFill = shape.fill.size() >= 3 && s.brush.style != BrushStyle::Null;
  const bool hasOutline = shape.outline.size() >= 2 && s.pen.style != PenStyle::Null;
  if (!hasFill && !hasOutline) return;
  const Region clip = EffectiveClip();
  if (clip.IsEmpty()) return;

  const double penReach = std::max(1, s.pen.width) / 2.0 + 2;
  Rect reach = ReachOf(shape.fill, 1, Rect{});
  if (hasOutline) reach = ReachOf(shape.outline, penReach, reach);
  for (const std::vector<PointD>& more : shape.moreOutlines) reach = ReachOf(more, penReach, reach);
  ShapePainter painter(target_->impl(), clip, s.rop2, antialias_, reach);
  if (!painter.IsVisible()) return;

  if (hasFill) {
    const RectD guard = Grown(painter.Area(), 16);
    const std::vector<PointD> fill =
        WithinMagnitude(shape.fill, kSafeMagnitude) ? shape.fill : ClipPolygonToRect(shape.fill, guard);
    if (fill.size() >= 3) {
      cairo_t* cr = painter.Cairo();
      cairo_new_path(cr);
      AddPath(cr, fill, true);
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
      cairo_pattern_t* source = CreateBrushSource(s.brush, s.bkColor, s.bkMode);
      cairo_set_source(cr, source);
      cairo_fill(cr);
      cairo_pattern_destroy(source);
    }
  }
  if (hasOutline) PaintOutline(painter, shape);
  painter.Finish();
}

// One-pixel pens step through pixels (exact rows and columns, last pixel of
// an open line left out, dash gaps in the background colour when the
// background is opaque). Wider pens are stroked by Cairo with round caps and
// joins; dash styles apply to one-pixel pens only, wider ones draw solid.
void CairoCanvas::PaintOutline(ShapePainter& painter, const Shape& shape) {
  const CanvasState& s = State();
  const int width = std::max(1, s.pen.width);
  const bool opaqueGaps = s.bkMode == BkMode::Opaque;

  if (width == 1 && !antialias_) {
    std::vector<PixelPoint> pixels;
    pixels.reserve(shape.outline.size());
    for (const PointD& p : shape.outline) pixels.push_back(PixelPoint{std::llround(p.x), std::llround(p.y)});
    DashCursor dashes(s.pen.style);
    const Rect bounds = painter.Area();
    const std::size_t n = pixels.size();
    const std::size_t segments = shape.closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
      const PixelPoint a = pixels[i];
      const PixelPoint b = pixels[(i + 1) % n];
      RasterizeSegment(a, b, bounds, dashes, [&](int x, int y, bool on) {
        if (on) {
          painter.Plot(x, y, s.pen.color);
        } else if (opaqueGaps) {
          painter.Plot(x, y, s.bkColor);
        }
      });
      dashes.Advance(std::max(std::llabs(b.x - a.x), std::llabs(b.y - a.y)));
    }
    return;
  }

  cairo_t* cr = painter.Cairo();
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, s.pen.style == PenStyle::InsideFrame ? CAIRO_LINE_JOIN_MITER : CAIRO_LINE_JOIN_ROUND);
  cairo_new_path(cr);
  auto addOutline = [&](const std::vector<PointD>& outline, bool closed) {
    const std::vector<PointD> edges = Shifted(outline, 0.5);
    if (WithinMagnitude(edges, kSafeMagnitude)) {
      AddPath(cr, edges, closed);
    } else {
      for (const auto& run : ClipPolylineToRect(edges, closed, Grown(painter.Area(), width + 16))) {
        if (run.size() >= 2) AddPath(cr, run, false);
      }
    }
  };
  addOutline(shape.outline, shape.closed);
  for (const std::vector<PointD>& more : shape.moreOutlines) {
    if (more.size() >= 2) addOutline(more, false);
  }
  const DashCursor dashes(s.pen.style);
  if (width == 1 && !dashes.IsSolid()) {
    if (opaqueGaps) {
      SetSourceColor(cr, s.bkColor);
      cairo_stroke_preserve(cr);
    }
    std::vector<double> lengths(dashes.Pattern().begin(), dashes.Pattern().end());
    cairo_set_dash(cr, lengths.data(), static_cast<int>(lengths.size()), 0);
  }
  SetSourceColor(cr, s.pen.color);
  cairo_stroke(cr);
}

void CairoCanvas::LineTo(Point p) {
  const Point from = State().currentPosition;
  const Point points[2] = {from, p};
  Shape shape;
  shape.outline = ToPointsD(points, State().windowOrigin);
  PaintShape(shape);
  MutableState().currentPosition = p;
}

void CairoCanvas::Polyline(std::span<const Point> points) {
  if (points.size() < 2) return;
  Shape shape;
  shape.outline = ToPointsD(points, State().windowOrigin);
  PaintShape(shape);
}

void CairoCanvas::PolyPolyline(std::span<const std::vector<Point>> lines) {
  const CanvasState& s = State();
  // One-pixel pens step pixel by pixel, and other mixes than copy combine
  // with what is already there: those take one line at a time.
  if (s.pen.width <= 1 || s.rop2 != Rop2::CopyPen || antialias_) {
    Canvas::PolyPolyline(lines);
    return;
  }
  Shape shape;
  for (const std::vector<Point>& line : lines) {
    if (line.size() < 2) continue;
    if (shape.outline.empty()) {
      shape.outline = ToPointsD(line, s.windowOrigin);
    } else {
      shape.moreOutlines.push_back(ToPointsD(line, s.windowOrigin));
    }
  }
  if (!shape.outline.empty()) PaintShape(shape);
}

// The fill takes vertices as pixel corners, so it covers the pixels left of
// and above the right and bottom edges; the outline then runs through the
// vertex pixels themselves.
void CairoCanvas::Polygon(std::span<const Point> points) {
  if (points.size() < 2) return;
  Shape shape;
  shape.fill = ToPointsD(points, State().windowOrigin);
  shape.outline = shape.fill;
  shape.closed = true;
  PaintShape(shape);
}

// The outline takes the outermost pixels of [left, right) x [top, bottom).
// Without a pen the filled area is one pixel narrower and shorter, as the
// desktop draws it.
void CairoCanvas::Rectangle(const Rect& rect) {
  const Rect d = State().ToDevice(Normalized(rect));
  if (d.IsEmpty()) return;
  const Pen& pen = State().pen;
  Shape shape;
  if (pen.style == PenStyle::Null) {
    if (d.Width() > 1 && d.Height() > 1) shape.fill = RectCorners(d.left, d.top, d.right - 1, d.bottom - 1);
  } else {
    shape.fill = RectCorners(d.left, d.top, d.right, d.bottom);
    // An inside-frame pen keeps its whole width within the rectangle.
    const double inset = pen.style == PenStyle::InsideFrame ? (std::max(1, pen.width) - 1) / 2.0 : 0.0;
    shape.outline = RectCorners(d.left + inset, d.top + inset, d.right - 1 - inset, d.bottom - 1 - inset);
    shape.closed = true;
  }
  PaintShape(shape);
}

void CairoCanvas::Ellipse(const Rect& rect) {
  const Rect d = State().ToDevice(Normalized(rect));
  if (d.IsEmpty()) return;
  const Pen& pen = State().pen;
  // Centre and radii of the curve through the outermost pixel centres.
  const double cx = (d.left + d.right - 1) / 2.0;
  const double cy = (d.top + d.bottom - 1) / 2.0;
  const double rx = (d.Width() - 1) / 2.0;
  const double ry = (d.Height() - 1) / 2.0;
  Shape shape;
  if (pen.style == PenStyle::Null) {
    // One pixel smaller, as with Rectangle: inscribed in [left, right-1) x [top, bottom-1).
    shape.fill = EllipsePoints(cx, cy, rx, ry);
  } else {
    const double inset = pen.style == PenStyle::InsideFrame ? (std::max(1, pen.width) - 1) / 2.0 : 0.0;
    shape.outline = EllipsePoints(cx, cy, std::max(0.0, rx - inset), std::max(0.0, ry - inset));
    shape.fill = Shifted(shape.outline, 0.5);
    shape.closed = true;
  }
  PaintShape(shape);
}

// FillRect paints with its own brush, leaves the pen and the mix mode aside,
// and covers exactly [left, right) x [top, bottom).
void CairoCanvas::FillRect(const Rect& rect, const Brush& brush) {
  if (brush.style == BrushStyle::Null) return;
  const Rect d = State().ToDevice(rect);
  if (d.IsEmpty()) return;
  const Region area = EffectiveClip().Intersect(d);
  if (area.IsEmpty()) return;
  Bitmap::Impl& target = target_->impl();

  if (brush.style == BrushStyle::Solid) {
    const std::uint32_t pixel = ToDevicePixel(brush.color);
    target.BeginPixelAccess();
    for (const Rect& r : area.Rects()) {
      for (int y = r.top; y < r.bottom; ++y) std::fill(target.Row(y) + r.left, target.Row(y) + r.right, pixel);
    }
    target.EndPixelAccess();
    return;
  }
  cairo_pattern_t* source = CreateBrushSource(brush, State().bkColor, State().bkMode);
  cairo_t* cr = CreateClippedContext(target.surface, area, false);
  cairo_set_source(cr, source);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_pattern_destroy(source);
}

// Text ignores the mix mode, as on the desktop. The escapement turns the text
// counter-clockwise about the reference point; alignment is measured in the
// text's own frame before turning.
void CairoCanvas::TextOut(Point p, std::string_view ansiText) {
  const CanvasState& s = State();
  const Region clip = EffectiveClip();
  if (clip.IsEmpty()) return;
  GlyphRun run = LayoutText(s.font, ansiText);
  const TextExtent& extent = run.extent;
  const Point baseline = TextMeasurer::BaselineOffset(extent, s.textAlign);
  const Point d = s.ToDevice(p);

  cairo_t* cr = CreateClippedContext(target_->impl().surface, clip, antialias_);
  cairo_translate(cr, d.x, d.y);
  cairo_rotate(cr, -s.font.escapement * std::numbers::pi / 1800.0);
  if (s.bkMode == BkMode::Opaque && extent.width > 0) {
    cairo_rectangle(cr, baseline.x, baseline.y - extent.ascent, extent.width, extent.ascent + extent.descent);
    SetSourceColor(cr, s.bkColor);
    cairo_fill(cr);
  }
  if (!run.glyphs.empty()) {
    // The glyphs keep the layout's positions; only their outlines come from
    // the face that suits the drawing mode.
    const FaceUse use = antialias_ ? FaceUse::DrawAntialiased : FaceUse::DrawAliased;
    cairo_set_font_face(cr, FaceFor(s.font, use).face);
    cairo_set_font_size(cr, run.emSize);
    cairo_font_options_t* options = CreateFontOptions(use);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    for (cairo_glyph_t& glyph : run.glyphs) {
      glyph.x += baseline.x;
      glyph.y += baseline.y;
    }
    SetSourceColor(cr, s.textColor);
    cairo_show_glyphs(cr, run.glyphs.data(), static_cast<int>(run.glyphs.size()));
  }
  cairo_destroy(cr);
}

Size CairoCanvas::MeasureText(std::string_view ansiText) {
  return TextMeasurer::Measure(State().font, ansiText).AsSize();
}

// Copies (or combines) pixel by pixel. The area is cut to the destination's
// clip and, for operations that read a source, to the pixels the source
// bitmap has; destination pixels without a source pixel stay as they are.
void CairoCanvas::BitBlt(const Rect& dst, Canvas& src, Point srcOrigin, Rop3 rop) {
  if (!IsSupportedRop3(rop)) return;
  const Rect dDev = State().ToDevice(dst);
  if (dDev.IsEmpty()) return;
  const bool usesSource = Rop3UsesSource(rop);
  Bitmap* srcBitmap = usesSource ? src.TargetBitmap() : nullptr;
  if (usesSource && srcBitmap == nullptr) return;

  Region area = EffectiveClip().Intersect(dDev);
  // Source device position of the destination's top-left pixel.
  const Point srcWindow = src.WindowOrigin();
  const int shiftX = CanvasState::DeviceCoordinate(srcOrigin.x, srcWindow.x) - dDev.left;
  const int shiftY = CanvasState::DeviceCoordinate(srcOrigin.y, srcWindow.y) - dDev.top;
  if (usesSource) {
    area = area.Intersect(OffsetRect(Rect{0, 0, srcBitmap->Width(), srcBitmap->Height()}, -shiftX, -shiftY));
  }
  if (area.IsEmpty()) return;

  Bitmap::Impl& target = target_->impl();
  target.BeginPixelAccess();
  // Reading from the bitmap being written: take a copy of the source first so
  // overlapping areas read the pixels as they were.
  std::vector<std::uint32_t> snapshot;
  Rect snapshotArea;
  if (usesSource && srcBitmap == target_) {
    snapshotArea = OffsetRect(area.Bounds(), shiftX, shiftY);
    snapshot.resize(static_cast<std::size_t>(snapshotArea.Width()) * snapshotArea.Height());
    for (int y = snapshotArea.top; y < snapshotArea.bottom; ++y) {
      std::memcpy(&snapshot[static_cast<std::size_t>(y - snapshotArea.top) * snapshotArea.Width()],
                  target.Row(y) + snapshotArea.left, sizeof(std::uint32_t) * snapshotArea.Width());
    }
  } else if (usesSource) {
    srcBitmap->impl().BeginPixelAccess();
  }

  for (const Rect& r : area.Rects()) {
    for (int y = r.top; y < r.bottom; ++y) {
      const std::uint32_t* srcRow = nullptr;
      if (!snapshot.empty()) {
        srcRow = &snapshot[static_cast<std::size_t>(y + shiftY - snapshotArea.top) * snapshotArea.Width() +
                           (r.left + shiftX - snapshotArea.left)];
      } else if (usesSource) {
        srcRow = srcBitmap->impl().Row(y + shiftY) + r.left + shiftX;
      }
      BlendRow(rop, srcRow, target.Row(y) + r.left, r.Width());
    }
  }
  target.EndPixelAccess();
}

}  // namespace quelmar::gdi
