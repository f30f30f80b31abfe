#pragma once
// The one-page map print: the title above, the current view drawn into the
// page's map rectangle (at the view's scale about its centre, the
// rectangle's shape deciding how much more map shows east-west or
// north-south), a black frame, and the footer. The map stays vector
// drawing where the printer can scale (the PDF printer); the panel's view
// is as it was afterwards.
#include <string>

#include "control/core/print_settings.h"
#include "control/core/tv_object.h"
#include "control/printing/page_decorations.h"
#include "platform/ui/printer.h"

namespace quelmar::printing {

struct MapPrintRequest {
  core::PrintSettings Print;
  std::string TitlePrint;  // above the map
  std::string TitleUser;   // bottom left of the page
  std::string CreatedAt;   // the footer's date and time
};

// Draws the page on `job`'s current page and returns the map rectangle (in
// printer pixels); a rectangle too small to print is returned as it is and
// nothing is drawn.
gdi::Rect PrintMap(core::Ttvmap& panel, ui::PrintJob& job, const ui::PrinterInfo& printer,
                   const MapPrintRequest& request, PageCounter& pages);

}  // namespace quelmar::printing
