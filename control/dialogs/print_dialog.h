#pragma once
// The "Printer" dialog: the printer's name and page size, the title, and
// either the map page (margins with their spin buttons, "Maximized", the
// shading and black-and-white boxes, the map area's size) or the route page
// ("Route Maps", "Directions"); "&Print", "&Setup..." and "&Cancel".
// "&Print" closes it as OK; the shading and black-and-white boxes and the
// title are kept however it closes, the margins and the route choice only
// with OK.
#include <string>

#include "control/core/print_settings.h"
#include "platform/ui/dialog_model.h"
#include "platform/ui/printer.h"

namespace quelmar::dialogs {

inline constexpr const char* kPrintCaption = "Printer";
inline constexpr const char* kPrintButton = "&Print";
inline constexpr const char* kPrintSetup = "&Setup...";
inline constexpr const char* kPrintCancel = "&Cancel";
inline constexpr const char* kPrintNoPrinter = "None Loaded";
inline constexpr const char* kMarginFields[] = {"&Left:", "&Right :", "&Top:", "&Bot :"};

enum class PrintPage { Map, Route };

// The name of a margin's spin button: "&Left: up" / "&Left: down".
std::string SpinButtonOf(const char* field, bool up);

class PrintDialog {
 public:
  // `printer` may be null (none installed).
  PrintDialog(PrintPage page, const core::PrintSettings& print, const std::string& title, ui::Printer* printer);
  ui::DialogModel& Dialog() { return dialog_; }
  PrintPage Page() const { return page_; }
  // The dialog's height in pixels: 387 on the map page, 250 on the route page.
  int Height() const { return page_ == PrintPage::Map ? 387 : 250; }

  // After the dialog closed: whether it closed with "&Print".
  bool Ok() const { return dialog_.Pressed() == kPrintButton; }
  // `print` with what the dialog's closing keeps (see the top of the file).
  core::PrintSettings Result(core::PrintSettings print) const;
  std::string Title() const;

 private:
  void ShowPrinter();
  void ShowMapArea();
  double MarginOf(const char* field) const;

  PrintPage page_;
  ui::Printer* printer_;
  ui::DialogModel dialog_{kPrintCaption};
};

}  // namespace quelmar::dialogs
