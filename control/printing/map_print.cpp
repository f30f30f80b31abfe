#include "control/printing/map_print.h"

#include "control/items/direct_draw.h"
#include "control/printing/print_layout.h"
#include "platform/gdi/dc_handles.h"

namespace quelmar::printing {

gdi::Rect PrintMap(core::Ttvmap& panel, ui::PrintJob& job, const ui::PrinterInfo& printer,
                   const MapPrintRequest& request, PageCounter& pages) {
  const int dpi = printer.DotsPerInch;
  const gdi::Rect map = MapPrintRectangle(printer.PageSize, dpi, request.Print);
  if (!PrintsMap(map)) return map;
  gdi::Canvas& page = job.Page();
  gdi::ScopedDc dc(page);

  DrawPrintTitle(page, request.TitlePrint, map.left + map.Width() / 2, map.top, dpi * 17 / 72);

  items::DirectDrawRequest draw;
  draw.Fill = true;
  draw.KeepAspect = true;
  draw.Mono = request.Print.BlackWhite;
  draw.Shading = request.Print.Shading;
  draw.Output = core::OutputKind::Printer;
  const gdi::Size picture = items::DirectPictureSize(panel, map.Width(), map.Height(), true);
  const double scale = static_cast<double>(map.Width()) / picture.cx;
  if (job.SetUnitTransform(scale, {map.left, map.top})) {
    // The view's picture drawn as it is, the printer scaling it onto the rectangle.
    draw.Target = gdi::Rect{0, 0, picture.cx, picture.cy};
    items::DirectDraw(panel, page, dc.Handle(), draw);
    job.SetUnitTransform(1, {0, 0});
  } else {
    draw.Target = map;
    items::DirectDraw(panel, page, dc.Handle(), draw);
  }

  const int saved = page.SaveState();
  const std::int32_t penWidth = std::max(1, dpi / 32), inset = dpi / 64;
  page.SetPen(gdi::Pen{gdi::PenStyle::Solid, penWidth, gdi::RGB(0, 0, 0)});
  page.SetBrush(gdi::Brush::Null());
  page.Rectangle(gdi::Rect{map.left + inset, map.top + inset, map.right - inset, map.bottom - inset});
  page.RestoreState(saved);

  FooterRequest footer;
  footer.Left = map.left;
  footer.Right = map.right;
  footer.TextHeight = dpi / 10;
  footer.RuleY = map.bottom + dpi / 5;
  footer.TitleUser = request.TitleUser;
  footer.CreatedAt = request.CreatedAt;
  DrawFooter(page, footer, pages);
  return map;
}

}  // namespace quelmar::printing
