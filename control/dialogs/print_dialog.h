#pragma once
// The "Printer" dialog: the printer's name and page size, the title, and
// either the map page (margins with their spin buttons, "Maximized", the
// shading and black-and-white boxes, the map area's size) or the route page
// ("Route Maps", "Directions"); "&Print", "&Setup..." and "&Cancel".
// "&Print" closes it as OK; the shading and black-and-white boxes and the
// title are kept however it closes, the margins and the route choice only
// with OK.
#include <functional>
#include <string>

#include "control/core/print_settings.h"
#include "control/printing/print_layout.h"
#include "platform/gdi/bitmap.h"
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

// The size of the " Paper: " group's picture on the map page.
inline constexpr gdi::Size kPaperPictureSize{200, 260};

class PrintDialog {
 public:
  // Draws the current view into a rectangle of a canvas (no fill, no aspect
  // correction), in black and white when asked: "Preview".
  using PreviewDrawer = std::function<void(gdi::Canvas&, const gdi::Rect&, bool mono)>;

  // `printer` may be null (none installed); `preview` may be empty.
  PrintDialog(PrintPage page, const core::PrintSettings& print, const std::string& title, ui::Printer* printer,
              PreviewDrawer preview = {});
  ui::DialogModel& Dialog() { return dialog_; }
  PrintPage Page() const { return page_; }
  // The dialog's height in pixels: 387 on the map page, 250 on the route page.
  int Height() const { return page_ == PrintPage::Map ? 387 : 250; }

  // After the dialog closed: whether it closed with "&Print".
  bool Ok() const { return dialog_.Pressed() == kPrintButton; }
  // `print` with what the dialog's closing keeps (see the top of the file).
  core::PrintSettings Result(core::PrintSettings print) const;
  std::string Title() const;

  // The page picture of the map page as it stands (the white page, its
  // shadow, the map rectangle framed; the view in it after "Preview").
  const gdi::Bitmap& Picture() const { return picture_; }
  const printing::PagePicture& PictureLayout() const { return layout_; }
  // A drag on the page picture from `from` to `to` (picture pixels), not
  // while "Maximized" is ticked: within 3 pixels of an edge of the map
  // rectangle that edge moves (two at a corner), inside it the rectangle
  // moves; it stays 8 pixels inside the page. The margins follow.
  void Drag(gdi::Point from, gdi::Point to);

 private:
  void ShowPrinter();
  void ShowMapArea();
  void DrawPicture(bool withView);
  core::PrintSettings FieldMargins() const;
  double MarginOf(const char* field) const;

  PrintPage page_;
  ui::Printer* printer_;
  PreviewDrawer preview_;
  ui::DialogModel dialog_{kPrintCaption};
  gdi::Bitmap picture_{kPaperPictureSize.cx, kPaperPictureSize.cy};
  printing::PagePicture layout_;
};

}  // namespace quelmar::dialogs
