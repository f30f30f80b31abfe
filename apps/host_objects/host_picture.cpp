#include "apps/host_objects/host_picture.h"

#include <cmath>
#include <stdexcept>

namespace quelmar::app {
namespace {

using com::Variant;

double Number(const Variant& v, const char* what) {
  double d = 0;
  if (v.ToDouble(&d) < 0 || !std::isfinite(d)) throw com::Fault(com::DISP_E_TYPEMISMATCH, std::string(what) + " is not a number");
  return d;
}

std::int32_t Whole(const Variant& v, const char* what) {
  std::int32_t i = 0;
  if (v.ToInt32(&i) < 0) throw com::Fault(com::DISP_E_TYPEMISMATCH, std::string(what) + " is not a whole number");
  return i;
}

int CheckedSide(int side) {
  if (side < 1 || side > 16384) throw std::invalid_argument("a picture side must be 1 to 16384 pixels");
  return side;
}

void Fill(gdi::Bitmap& bitmap, gdi::COLORREF colour) {
  gdi::CairoCanvas canvas(bitmap);
  canvas.FillRect({0, 0, bitmap.Width(), bitmap.Height()}, gdi::Brush::Solid(colour));
}

}  // namespace

HostPicture::HostPicture(int width, int height)
    : TableDispatch("HostPicture"),
      surface_(CheckedSide(width), CheckedSide(height)),
      picture_(width, height),
      canvas_(surface_),
      dc_(canvas_),
      scaleWidth_(width),
      scaleHeight_(height) {
  Fill(surface_, 0xFFFFFF);
  Fill(picture_, 0xFFFFFF);
  auto number = [this](com::DISPID id, const char* name, double* value) {
    Property(id, name, [value] { return Variant(*value); }, [value, name](const Variant& v) { *value = Number(v, name); });
  };
  Property(1, "ScaleMode", [this] { return Variant(scaleMode_); }, [this](const Variant& v) {
    scaleMode_ = Whole(v, "ScaleMode");
    if (scaleMode_ == 3) {  // pixels
      scaleLeft_ = scaleTop_ = 0;
      scaleWidth_ = surface_.Width();
      scaleHeight_ = surface_.Height();
    }
  });
  number(2, "ScaleLeft", &scaleLeft_);
  number(3, "ScaleTop", &scaleTop_);
  number(4, "ScaleWidth", &scaleWidth_);
  number(5, "ScaleHeight", &scaleHeight_);
  Property(6, "hDC", [this] { return Variant(static_cast<std::int32_t>(dc_.Handle())); }, {});
  auto whole = [this](com::DISPID id, const char* name, std::int32_t* value) {
    Property(id, name, [value] { return Variant(*value); }, [value, name](const Variant& v) { *value = Whole(v, name); });
  };
  whole(7, "DrawWidth", &drawWidth_);
  whole(8, "DrawMode", &drawMode_);
  whole(9, "DrawStyle", &drawStyle_);
  // Image: what is drawn now, as a token Picture takes; Picture = Nothing clears.
  Property(10, "Image", [] { return Variant(std::int32_t{1}); }, {});
  Property(11, "Picture", {}, [this](const Variant& v) {
    if (v.vt() == com::VT_DISPATCH && !v.dispatch()) {
      Fill(picture_, 0xFFFFFF);
      return;
    }
    gdi::CairoCanvas to(picture_);
    to.BitBlt({0, 0, picture_.Width(), picture_.Height()}, canvas_, {0, 0}, gdi::Rop3::SrcCopy);
  });
  Method(12, "Cls", [this](Arguments&) {
    gdi::CairoCanvas from(picture_);
    canvas_.BitBlt({0, 0, surface_.Width(), surface_.Height()}, from, {0, 0}, gdi::Rop3::SrcCopy);
    return Variant();
  });
  Method(13, "Line", [this](Arguments& a) {
    if (a.size() < 4) throw com::Fault(com::DISP_E_BADPARAMCOUNT, "Line takes x1, y1, x2, y2 and a colour");
    const gdi::Point from = ToPixel(Number(a[0], "x1"), Number(a[1], "y1"));
    const gdi::Point to = ToPixel(Number(a[2], "x2"), Number(a[3], "y2"));
    const gdi::COLORREF colour = a.size() > 4 ? static_cast<gdi::COLORREF>(Whole(a[4], "colour")) : 0;
    canvas_.SetPen(gdi::Pen{gdi::PenStyle::Solid, std::max(1, drawWidth_), colour});
    canvas_.MoveTo(from);
    canvas_.LineTo(to);
    return Variant();
  });
}

gdi::Point HostPicture::ToPixel(double x, double y) const {
  const double px = scaleWidth_ != 0 ? (x - scaleLeft_) / scaleWidth_ * surface_.Width() : 0;
  const double py = scaleHeight_ != 0 ? (y - scaleTop_) / scaleHeight_ * surface_.Height() : 0;
  auto clamp = [](double v) { return static_cast<std::int32_t>(std::clamp(std::round(v), -1e6, 1e6)); };
  return {clamp(px), clamp(py)};
}

}  // namespace quelmar::app
