#include "control/dialogs/print_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "control/printing/print_layout.h"
#include "platform/gdi/cairo_canvas.h"

namespace quelmar::dialogs {
namespace {

using ui::FieldKind;

constexpr const char* kPrinterGroup = " Selected Printer ";
constexpr const char* kTitleGroup = " Title: ";
constexpr const char* kMarginGroup = " Margins (inch) ";
constexpr const char* kOptionsGroup = " Options ";
constexpr const char* kPaperGroup = " Paper: ";
constexpr const char* kMaximized = "Maximized";
constexpr const char* kShading = "&Shading";
constexpr const char* kBlackWhite = "Black&&&White";
constexpr const char* kRouteMaps = "Route Maps";
constexpr const char* kDirections = "Directions";
constexpr const char* kMapArea = "Map area";
constexpr const char* kPreview = "Preview";

std::string TwoDecimals(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

// A field's number as typed: 0 when it does not start with one.
double Number(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  return end == text.c_str() || !std::isfinite(value) ? 0 : value;
}

}  // namespace

std::string SpinButtonOf(const char* field, bool up) { return std::string(field) + (up ? " up" : " down"); }

PrintDialog::PrintDialog(PrintPage page, const core::PrintSettings& print, const std::string& title,
                         ui::Printer* printer, PreviewDrawer preview)
    : page_(page), printer_(printer), preview_(std::move(preview)) {
  dialog_.Add(kPrinterGroup, FieldKind::Group, {}, kPrinterGroup);
  dialog_.Add("Printer name", FieldKind::Label, kPrinterGroup);
  dialog_.Add("Size:", FieldKind::Label, kPrinterGroup);
  dialog_.Add(kTitleGroup, FieldKind::Group, {}, kTitleGroup);
  dialog_.Add("Title", FieldKind::Edit, kTitleGroup, title);
  if (page == PrintPage::Map) {
    dialog_.Add(kMarginGroup, FieldKind::Group, {}, kMarginGroup);
    const double margins[] = {print.MarginLeft, print.MarginRight, print.MarginTop, print.MarginBottom};
    for (int i = 0; i < 4; ++i) {
      const char* field = kMarginFields[i];
      dialog_.Add(field, FieldKind::Edit, kMarginGroup, TwoDecimals(margins[i]));
      for (const bool up : {true, false}) {
        const std::string button = SpinButtonOf(field, up);
        dialog_.Add(button, FieldKind::Button, kMarginGroup, up ? "+" : "-");
        dialog_.OnPress(button, [this, field, up] {
          dialog_.Field(field).text = TwoDecimals(printing::SpinMargin(MarginOf(field), up));
          ShowMapArea();
        });
      }
      // Leaving a margin field shows the new map area.
      dialog_.OnChange(field, [this] { ShowMapArea(); });
    }
    dialog_.Add(kMaximized, FieldKind::Check, {}, kMaximized).checked = print.Maximized;
    dialog_.OnChange(kMaximized, [this] { ShowMapArea(); });
    dialog_.Add(kOptionsGroup, FieldKind::Group, {}, kOptionsGroup);
    dialog_.Add(kShading, FieldKind::Check, kOptionsGroup, kShading).checked = print.Shading;
    dialog_.Add(kBlackWhite, FieldKind::Check, kOptionsGroup, kBlackWhite).checked = print.BlackWhite;
    dialog_.Add(kPaperGroup, FieldKind::Group, {}, kPaperGroup);
    dialog_.Add(kMapArea, FieldKind::Label, kPaperGroup);
    dialog_.Add(kPreview, FieldKind::Button, {}, kPreview);
    dialog_.OnPress(kPreview, [this] { DrawPicture(true); });
  } else {
    dialog_.Add(kOptionsGroup, FieldKind::Group, {}, kOptionsGroup);
    dialog_.Add(kRouteMaps, FieldKind::Check, kOptionsGroup, kRouteMaps).checked = print.RouteMaps;
    dialog_.Add(kDirections, FieldKind::Check, kOptionsGroup, kDirections).checked = print.Directions;
  }
  dialog_.Add(kPrintButton, FieldKind::Button, {}, kPrintButton);
  dialog_.Add(kPrintSetup, FieldKind::Button, {}, kPrintSetup);
  dialog_.Add(kPrintCancel, FieldKind::Button, {}, kPrintCancel);
  dialog_.OnPress(kPrintSetup, [this] {
    if (!printer_) return;
    const bool wasLandscape = printer_->Info().Landscape;
    printer_->Setup();
    if (page_ == PrintPage::Map && printer_->Info().Landscape != wasLandscape) {
      // The paper turned: left and top margins change places, and right and bottom.
      std::swap(dialog_.Field("&Left:").text, dialog_.Field("&Top:").text);
      std::swap(dialog_.Field("&Right :").text, dialog_.Field("&Bot :").text);
    }
    ShowPrinter();
    if (page_ == PrintPage::Map) ShowMapArea();
  });
  ShowPrinter();
  if (page == PrintPage::Map) ShowMapArea();
}

void PrintDialog::ShowPrinter() {
  if (!printer_) {
    dialog_.Field("Printer name").text = kPrintNoPrinter;
    dialog_.Field("Size:").text = "Size:";
    return;
  }
  const ui::PrinterInfo info = printer_->Info();
  dialog_.Field("Printer name").text = info.Name;
  dialog_.Field("Size:").text = "Size: " + TwoDecimals(static_cast<double>(info.PageSize.cx) / info.DotsPerInch) +
                                " x " + TwoDecimals(static_cast<double>(info.PageSize.cy) / info.DotsPerInch) + " in.";
}

double PrintDialog::MarginOf(const char* field) const { return Number(dialog_.Field(field).text); }

// The page less the margins (0 when maximized), width "x" height in inches.
void PrintDialog::ShowMapArea() {
  if (!printer_) {
    dialog_.Field(kMapArea).text = "";
    return;
  }
  const ui::PrinterInfo info = printer_->Info();
  const bool maximized = dialog_.Field(kMaximized).checked;
  const double w = static_cast<double>(info.PageSize.cx) / info.DotsPerInch -
                   (maximized ? 0 : MarginOf("&Left:") + MarginOf("&Right :"));
  const double h = static_cast<double>(info.PageSize.cy) / info.DotsPerInch -
                   (maximized ? 0 : MarginOf("&Top:") + MarginOf("&Bot :"));
  dialog_.Field(kMapArea).text = TwoDecimals(w) + "x" + TwoDecimals(h);
  DrawPicture(false);
}

core::PrintSettings PrintDialog::FieldMargins() const {
  core::PrintSettings print;
  print.MarginLeft = MarginOf("&Left:");
  print.MarginRight = MarginOf("&Right :");
  print.MarginTop = MarginOf("&Top:");
  print.MarginBottom = MarginOf("&Bot :");
  print.Maximized = dialog_.Field(kMaximized).checked;
  return print;
}

// The white page with its shadow 4 pixels off, the map rectangle framed in
// black, and with `withView` the current view drawn into it.
void PrintDialog::DrawPicture(bool withView) {
  const ui::PrinterInfo info = printer_ ? printer_->Info() : ui::PrinterInfo{"", {1275, 1650}, 150, false};
  layout_ = printing::MakePagePicture(kPaperPictureSize, info.Landscape,
                                      static_cast<double>(info.PageSize.cx) / info.DotsPerInch,
                                      static_cast<double>(info.PageSize.cy) / info.DotsPerInch, FieldMargins());
  gdi::CairoCanvas canvas(picture_);
  canvas.FillRect({0, 0, kPaperPictureSize.cx, kPaperPictureSize.cy}, gdi::Brush::Solid(gdi::kColorBtnFace));
  const gdi::Rect& page = layout_.Page;
  canvas.FillRect({page.left + 4, page.top + 4, page.right + 4, page.bottom + 4}, gdi::Brush::Solid(gdi::kColorBtnShadow));
  canvas.FillRect(page, gdi::Brush::Solid(gdi::RGB(255, 255, 255)));
  const gdi::Rect& map = layout_.Map;
  if (map.IsEmpty()) return;
  if (withView && preview_) preview_(canvas, map, dialog_.Field(kBlackWhite).checked);
  canvas.SetPen(gdi::Pen{gdi::PenStyle::Solid, 1, gdi::RGB(0, 0, 0)});
  canvas.SetBrush(gdi::Brush::Null());
  canvas.Rectangle(map);
}

void PrintDialog::Drag(gdi::Point from, gdi::Point to) {
  if (page_ != PrintPage::Map || dialog_.Field(kMaximized).checked) return;
  const gdi::Rect map = layout_.Map;
  const auto near = [](int a, int b) { return std::abs(a - b) <= 3; };
  const bool within = from.x >= map.left - 3 && from.x <= map.right + 3 && from.y >= map.top - 3 && from.y <= map.bottom + 3;
  if (!within) return;
  const bool left = near(from.x, map.left), right = near(from.x, map.right);
  const bool top = near(from.y, map.top), bottom = near(from.y, map.bottom);
  const int dx = to.x - from.x, dy = to.y - from.y;
  gdi::Rect moved = map;
  if (left || right || top || bottom) {
    if (left) moved.left += dx;
    if (right) moved.right += dx;
    if (top) moved.top += dy;
    if (bottom) moved.bottom += dy;
  } else {
    moved = {map.left + dx, map.top + dy, map.right + dx, map.bottom + dy};
  }
  // At least 8 pixels inside the page picture, and never turned inside out.
  const gdi::Rect& page = layout_.Page;
  const gdi::Rect inner{page.left + 8, page.top + 8, page.right - 8, page.bottom - 8};
  if (!(left || right || top || bottom)) {
    const int shiftX = std::max(0, inner.left - moved.left) - std::max(0, moved.right - inner.right);
    const int shiftY = std::max(0, inner.top - moved.top) - std::max(0, moved.bottom - inner.bottom);
    moved = {moved.left + shiftX, moved.top + shiftY, moved.right + shiftX, moved.bottom + shiftY};
  }
  moved.left = std::clamp(moved.left, inner.left, inner.right);
  moved.right = std::clamp(moved.right, moved.left, inner.right);
  moved.top = std::clamp(moved.top, inner.top, inner.bottom);
  moved.bottom = std::clamp(moved.bottom, moved.top, inner.bottom);
  if (!(layout_.PixelsPerInchX > 0) || !(layout_.PixelsPerInchY > 0)) return;
  const auto inches = [](int pixels, double perInch) {
    return std::clamp(std::round(pixels / perInch * 100) / 100, 0.0, printing::kMaxMargin);
  };
  // Only the edges that moved change their margins: the picture's pixels
  // are coarser than the margins' hundredths.
  if (moved.left != map.left) dialog_.Field("&Left:").text = TwoDecimals(inches(moved.left - inner.left, layout_.PixelsPerInchX));
  if (moved.right != map.right) {
    dialog_.Field("&Right :").text = TwoDecimals(inches(inner.right - moved.right, layout_.PixelsPerInchX));
  }
  if (moved.top != map.top) dialog_.Field("&Top:").text = TwoDecimals(inches(moved.top - inner.top, layout_.PixelsPerInchY));
  if (moved.bottom != map.bottom) {
    dialog_.Field("&Bot :").text = TwoDecimals(inches(inner.bottom - moved.bottom, layout_.PixelsPerInchY));
  }
  ShowMapArea();
}

core::PrintSettings PrintDialog::Result(core::PrintSettings print) const {
  if (page_ == PrintPage::Map) {
    print.Shading = dialog_.Field(kShading).checked;
    print.BlackWhite = dialog_.Field(kBlackWhite).checked;
    if (Ok()) {
      auto margin = [&](const char* field) { return std::clamp(MarginOf(field), 0.0, printing::kMaxMargin); };
      print.MarginLeft = margin("&Left:");
      print.MarginRight = margin("&Right :");
      print.MarginTop = margin("&Top:");
      print.MarginBottom = margin("&Bot :");
      print.Maximized = dialog_.Field(kMaximized).checked;
    }
  } else if (Ok()) {
    print.RouteMaps = dialog_.Field(kRouteMaps).checked;
    print.Directions = dialog_.Field(kDirections).checked;
  }
  return print;
}

std::string PrintDialog::Title() const { return dialog_.Field("Title").text.substr(0, 255); }

}  // namespace quelmar::dialogs
