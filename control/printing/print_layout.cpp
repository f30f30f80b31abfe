#include "control/printing/print_layout.h"

#include <algorithm>
#include <cmath>

namespace quelmar::printing {
namespace {

std::int32_t Round(double v) {
  return static_cast<std::int32_t>(std::clamp(std::round(v), -1e9, 1e9));
}

double Margin(double inches) { return std::isfinite(inches) ? std::clamp(inches, 0.0, kMaxMargin) : 0.0; }

}  // namespace

gdi::Rect MapPrintRectangle(gdi::Size page, int dpi, const core::PrintSettings& print) {
  const bool none = print.Maximized;
  const double ml = none ? 0 : Margin(print.MarginLeft), mr = none ? 0 : Margin(print.MarginRight);
  const double mt = none ? 0 : Margin(print.MarginTop), mb = none ? 0 : Margin(print.MarginBottom);
  const std::int32_t left = Round(dpi * ml);
  const std::int32_t top = Round((mt + kTitleBandInches) * dpi);
  const std::int32_t width = page.cx - left - Round(dpi * mr);
  const std::int32_t height = page.cy - top - Round((mb + kFooterBandInches) * dpi);
  return gdi::Rect{left, top, left + width, top + height};
}

bool PrintsMap(const gdi::Rect& map) {
  return map.Width() > kSmallestPrintedMap && map.Height() > kSmallestPrintedMap;
}

double SpinMargin(double value, bool up) {
  if (!std::isfinite(value)) value = 0;
  const double steps = std::floor(std::clamp(value, -1e6, 1e6) / kMarginStep + 0.5);
  return std::clamp(steps * kMarginStep + (up ? kMarginStep : -kMarginStep), 0.0, kMaxMargin);
}

PagePicture MakePagePicture(gdi::Size group, bool landscape, double pageWidthInches, double pageHeightInches,
                            const core::PrintSettings& print) {
  PagePicture picture;
  std::int32_t w = 0, h = 0;
  if (landscape) {
    w = std::max(0, group.cx - 40);
    h = w * 17 / 22;
  } else {
    h = std::max(0, group.cy - 40);
    w = h * 17 / 22;
  }
  const std::int32_t left = (group.cx - w) / 2, top = (group.cy - h) / 2;
  picture.Page = gdi::Rect{left, top, left + w, top + h};
  if (!(pageWidthInches > 0) || !(pageHeightInches > 0)) return picture;
  picture.PixelsPerInchX = (w - 16) / pageWidthInches;
  picture.PixelsPerInchY = (h - 16) / pageHeightInches;
  const bool none = print.Maximized;
  const double ml = none ? 0 : Margin(print.MarginLeft), mr = none ? 0 : Margin(print.MarginRight);
  const double mt = none ? 0 : Margin(print.MarginTop), mb = none ? 0 : Margin(print.MarginBottom);
  const std::int32_t inset = 8;
  picture.Map = gdi::Rect{left + inset + Round(ml * picture.PixelsPerInchX), top + inset + Round(mt * picture.PixelsPerInchY),
                          left + w - inset - Round(mr * picture.PixelsPerInchX),
                          top + h - inset - Round(mb * picture.PixelsPerInchY)};
  return picture;
}

}  // namespace quelmar::printing
