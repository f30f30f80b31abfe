#pragma once
// Drawing a host asks for once, into a device context it supplies (usually
// from its after-paint or direct-drawing handler): marker symbols, lines,
// text bubbles, the north needle and the scale bar. Positions are map units
// placed by the view; nothing here keeps state between calls.
#include <cstdint>
#include <string>

#include "control/core/view_state.h"
#include "platform/gdi/canvas.h"

namespace quelmar::items {

// DrawObject: symbol `type` 1 circle, 2 square, 3 diamond, 4 triangle, 5..8
// arrows with their tip at the point (pointing west, east, north, south), a
// white outer shape and an inner one in `colour`, both outlined black.
// Nothing for another type or for the point (0, 0).
void DrawObject(gdi::Canvas& canvas, const core::ViewState& view, core::TMapPoint point, std::int32_t type,
                gdi::COLORREF colour);

// The pen raster operation of a host's mode number (R2_COPYPEN 13, R2_XORPEN
// 7, R2_NOT 6, R2_MASKPEN 9, R2_MERGEPEN 15, R2_NOTCOPYPEN 4); ArgumentError
// for any other.
gdi::Rop2 PenModeOf(std::int32_t mode);

// DrawLine: the segment clipped to the view's window, in a solid pen of
// `width` and `colour` with the raster operation `mode`; the canvas's pen
// and operation are left as they were.
void DrawLine(gdi::Canvas& canvas, const core::ViewState& view, core::TMapPoint from, core::TMapPoint to,
              std::int32_t width, gdi::COLORREF colour, gdi::Rop2 mode);

// DrawBubble: the text (lines split at CR, a following LF skipped) in a white
// balloon whose tip is at the point, in `font`. Returns the balloon's box.
gdi::Rect DrawBubble(gdi::Canvas& canvas, const core::ViewState& view, core::TMapPoint point,
                     const std::string& text, const gdi::Font& font);

// DrawNorth: the compass needle centred at (x, y), turned with the view.
void DrawNorth(gdi::Canvas& canvas, const core::ViewState& view, std::int32_t x, std::int32_t y);

// The scale bar's text and length in pixels for the view.
struct ScalebarText {
  std::string Text;
  std::int32_t Pixels = 0;
};
ScalebarText ScalebarOf(const core::ViewState& view);

// DrawScalebar: the bar from (x, y) with its text at its right end, in `font`.
void DrawScalebar(gdi::Canvas& canvas, const core::ViewState& view, std::int32_t x, std::int32_t y,
                  const gdi::Font& font);

}  // namespace quelmar::items
