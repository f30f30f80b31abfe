#pragma once
// Writing label lines: each with a transparent background and, with the
// label shadow on, a white halo (the line drawn eight times in white, one
// pixel off in each direction) under it. Anchored texts (landmark and fixed
// names) are written line by line below an anchor, each line only where it
// meets no rectangle already taken.
#include <string_view>

#include "control/render/label_occupied_rects.h"
#include "platform/gdi/canvas.h"

namespace quelmar::render {

// Writes one line at `p` with the canvas's font and alignment in force.
// `halo`: the white halo first (never under white text).
void WriteLabelLine(gdi::Canvas& canvas, gdi::Point p, std::string_view text, gdi::COLORREF colour, bool halo);

// Where an anchored text's lines stand against the anchor's x.
enum class AnchorAlign { Centred, LeftFrom, RightTo };

// Writes `text` (lines separated by carriage returns) against `anchor`'s x,
// from its y down, in `font`. A line is written only when its box (the line's
// width placed by `align`, its height less 2 pixels at top and bottom) fits in
// `occupied`, which then holds it. Returns the number of lines written.
int WriteAnchoredText(gdi::Canvas& canvas, gdi::Point anchor, std::string_view text, const gdi::Font& font,
                      gdi::COLORREF colour, bool halo, OccupiedRects& occupied,
                      AnchorAlign align = AnchorAlign::Centred);

}  // namespace quelmar::render
