#pragma once
// The route's printouts: the route maps (one small map per leg, six to a
// page, each with its manoeuvre, drive time and distance) and the
// directions report (every row of the route list as text), both in
// hundredths of an inch, each page with its header, the disclaimer and the
// footer. The panel's view is as it was afterwards.
#include <string>
#include <vector>

#include "control/core/tv_object.h"
#include "control/printing/page_decorations.h"
#include "platform/ui/printer.h"

namespace quelmar::printing {

inline constexpr const char* kRouteDisclaimer =
    "The information contained herein has been derived from public records and other sources independent of the "
    "Company.  While the Company has endeavored to include only information that it believes to be reliable and "
    "current, it makes no representation or warranty as to the accuracy or completeness of such information, or as "
    "to any changes that may have occurred subsequent to the date such information was first obtained by the "
    "Company. In addition, actual routing, and street and driving conditions may change at any time.  Therefore, the "
    "user is advised not to rely upon this program as your primary source of navigation or while in the process of "
    "driving or operating any motor vehicle.";

struct RoutePrintRequest {
  std::vector<std::string> Rows;  // the route list: nine tab-separated fields, start and finish rows included
  std::string StartLabel, FinishLabel;
  double TotalMiles = 0;
  std::string DriveTimeText;  // the total drive time
  std::string TotalsText;     // total distance, ", ", total time
  std::string RouteKind;      // "Shortest", "Fastest", ...
  bool Kilometres = false;
  bool BlackWhite = false;
  std::string TitlePrint, TitleUser, CreatedAt;
};

// One page per six legs (the rows with a manoeuvre; at least one page). Throws std::runtime_error when
// the printer cannot draw in hundredths of an inch.
void PrintRouteMaps(core::Ttvmap& panel, ui::PrintJob& job, const ui::PrinterInfo& printer,
                    const RoutePrintRequest& request, PageCounter& pages);

// The directions report, from a new page when the job has pages already.
void PrintDirections(ui::PrintJob& job, const ui::PrinterInfo& printer, const RoutePrintRequest& request,
                     PageCounter& pages);

// The cell of leg k (0..5) of a route-map page `pageHundredths` large.
gdi::Rect RouteMapCell(gdi::Size pageHundredths, int k);

// `text` broken at spaces into lines no wider than `width` on `canvas` in
// its current font (a word wider than that stands on a line of its own).
std::vector<std::string> WrapText(gdi::Canvas& canvas, const std::string& text, std::int32_t width);

}  // namespace quelmar::printing
