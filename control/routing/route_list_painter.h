#pragma once
// Drawing the route list: each row's tab-separated fields in the header's
// columns, every cell framed in light grey; even rows pale yellow, odd ones
// white, the selected row white on blue; the class field as a small coloured
// bar; a field with a line break on two lines (its row 2.5 lines high);
// other fields too wide for their column cut and ended with "...".
#include <string>
#include <vector>

#include "control/routing/directions.h"
#include "platform/gdi/canvas.h"

namespace quelmar::routing {

struct RouteListLook {
  int Top = 0;        // the first row's top, pixels
  int LineHeight = 16;
  int Selected = -1;  // the selected row, or -1
};

// Draws `rows` below look.Top; returns the bottom of the last row.
int PaintRouteList(gdi::Canvas& canvas, const std::vector<std::string>& rows,
                   const std::vector<RouteListColumn>& header, const RouteListLook& look);

// What fits `width` pixels of `text` on `canvas`: the text, or its start
// ended with "..." (just "..." when nothing more fits).
std::string FitText(gdi::Canvas& canvas, const std::string& text, int width);

}  // namespace quelmar::routing
