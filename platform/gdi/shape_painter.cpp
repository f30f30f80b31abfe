#include "platform/gdi/shape_painter.h"

#include "platform/gdi/pixel_ops.h"

namespace quelmar::gdi {

cairo_t* CreateClippedContext(cairo_surface_t* surface, const Region& clip, bool antialias) {
  cairo_t* cr = cairo_create(surface);
  cairo_set_antialias(cr, antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  // The rectangles are disjoint, so the winding rule gives their union.
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  for (const Rect& r : clip.Rects()) cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
  cairo_clip(cr);
  return cr;
}

ShapePainter::ShapePainter(Bitmap::Impl& target, const Region& clip, Rop2 rop, bool antialias, const Rect& reach)
    : target_(target),
      clip_(clip.Intersect(reach)),
      rop_(rop),
      antialias_(antialias),
      singleRect_(clip_.Rects().size() == 1) {
  if (clip_.IsEmpty() || rop_ == Rop2::CopyPen) return;
  scratchArea_ = clip_.Bounds();
  scratch_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, scratchArea_.Width(), scratchArea_.Height());
  // Device coordinates work unchanged on the scratch layer, and brush tiles
  // stay aligned to the device origin.
  cairo_surface_set_device_offset(scratch_, -scratchArea_.left, -scratchArea_.top);
}

ShapePainter::~ShapePainter() {
  if (cr_ != nullptr) cairo_destroy(cr_);
  if (scratch_ != nullptr) cairo_surface_destroy(scratch_);
}

cairo_t* ShapePainter::Cairo() {
  WritePlotted();
  if (cr_ == nullptr) cr_ = CreateClippedContext(scratch_ != nullptr ? scratch_ : target_.surface, clip_, antialias_);
  return cr_;
}

void ShapePainter::Plot(int x, int y, COLORREF color) {
  if (singleRect_) {
    const Rect& r = clip_.Rects().front();
    if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) return;
  } else if (!clip_.Contains(x, y)) {
    return;
  }
  plotted_.push_back(Plotted{x, y, ToDevicePixel(color)});
}

void ShapePainter::WritePlotted() {
  if (plotted_.empty()) return;
  if (scratch_ != nullptr) {
    cairo_surface_flush(scratch_);
    unsigned char* data = cairo_image_surface_get_data(scratch_);
    const int stride = cairo_image_surface_get_stride(scratch_);
    for (const Plotted& p : plotted_) {
      auto* row = reinterpret_cast<std::uint32_t*>(data + (p.y - scratchArea_.top) * stride);
      row[p.x - scratchArea_.left] = p.pixel;  // opaque: the top byte is 0xFF
    }
    cairo_surface_mark_dirty(scratch_);
  } else {
    target_.BeginPixelAccess();
    for (const Plotted& p : plotted_) target_.Row(p.y)[p.x] = p.pixel;
    target_.EndPixelAccess();
  }
  plotted_.clear();
}

void ShapePainter::Finish() {
  WritePlotted();
  if (cr_ != nullptr) {
    cairo_destroy(cr_);
    cr_ = nullptr;
  }
  if (scratch_ != nullptr) CombineScratch();
}

// A scratch pixel counts as covered when it is at least half opaque (all or
// nothing when aliased); its colour is then the pen or brush colour there.
void ShapePainter::CombineScratch() {
  cairo_surface_flush(scratch_);
  const unsigned char* data = cairo_image_surface_get_data(scratch_);
  const int stride = cairo_image_surface_get_stride(scratch_);
  target_.BeginPixelAccess();
  for (int y = 0; y < scratchArea_.Height(); ++y) {
    const auto* src = reinterpret_cast<const std::uint32_t*>(data + y * stride);
    std::uint32_t* dst = target_.Row(y + scratchArea_.top) + scratchArea_.left;
    for (int x = 0; x < scratchArea_.Width(); ++x) {
      const std::uint32_t alpha = src[x] >> 24;
      if (alpha < 128) continue;
      std::uint32_t pen = src[x];
      if (alpha < 255) {  // premultiplied: recover the colour
        const auto channel = [&](int shift) { return (((pen >> shift) & 0xFF) * 255 + alpha / 2) / alpha; };
        pen = (channel(16) << 16) | (channel(8) << 8) | channel(0);
      }
      dst[x] = ApplyRop2(rop_, pen, dst[x]);
    }
  }
  target_.EndPixelAccess();
}

}  // namespace quelmar::gdi
