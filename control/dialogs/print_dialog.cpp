#include "control/dialogs/print_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "control/printing/print_layout.h"

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
                         ui::Printer* printer)
    : page_(page), printer_(printer) {
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
    dialog_.Add(kOptionsGroup, FieldKind::Group, {}, kOptionsGroup);
    dialog_.Add(kShading, FieldKind::Check, kOptionsGroup, kShading).checked = print.Shading;
    dialog_.Add(kBlackWhite, FieldKind::Check, kOptionsGroup, kBlackWhite).checked = print.BlackWhite;
    dialog_.Add(kPaperGroup, FieldKind::Group, {}, kPaperGroup);
    dialog_.Add(kMapArea, FieldKind::Label, kPaperGroup);
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
