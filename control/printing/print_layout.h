#pragma once
// The geometry of a printed page: where the map goes on the printer's page
// (margins, the title's band above it and the footer's below), the Printer
// dialog's margin steps, and its picture of the page.
#include <cstdint>

#include "control/core/print_settings.h"
#include "platform/gdi/gdi_types.h"

namespace quelmar::printing {

inline constexpr double kMaxMargin = 4;     // inches
inline constexpr double kMarginStep = 0.25;  // inches per spin click
// Above the map: the title's band; below it: the footer's.
inline constexpr double kTitleBandInches = 17.0 / 72;
inline constexpr double kFooterBandInches = 0.5;
// A map rectangle this small or smaller (printer pixels) is not printed.
inline constexpr std::int32_t kSmallestPrintedMap = 100;

// The map's rectangle on a page of `page` printer pixels at `dpi`, inset by
// the margins (none when Maximized) and the title and footer bands. May be
// empty or inverted when the margins leave no room.
gdi::Rect MapPrintRectangle(gdi::Size page, int dpi, const core::PrintSettings& print);

// Whether a map rectangle is large enough to print.
bool PrintsMap(const gdi::Rect& map);

// One spin click on a margin field: the value rounded to the nearest
// multiple of 0.25 (halves up), then 0.25 more or less, held within 0..4.
double SpinMargin(double value, bool up);

// The dialog's picture of the page inside the " Paper: " group: the white
// page (portrait: the group's height - 40 high and 17/22 of that wide;
// landscape: the group's width - 40 wide and 17/22 of that high), centred
// in the group, and the map rectangle inside it, 8 pixels in from the edge
// at the scale of the printable page.
struct PagePicture {
  gdi::Rect Page;
  gdi::Rect Map;
  double PixelsPerInchX = 0, PixelsPerInchY = 0;
};
PagePicture MakePagePicture(gdi::Size group, bool landscape, double pageWidthInches, double pageHeightInches,
                            const core::PrintSettings& print);

}  // namespace quelmar::printing
