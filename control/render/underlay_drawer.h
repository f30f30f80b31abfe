#pragma once
// Draws underlay images: reads an image's header and extent file, places it
// on the view, samples the visible part into a picture of the clipped screen
// size, applies the style (and for UndShadow the relief shading) and copies
// the picture to the canvas, clipped to the map rectangle.
#include <string>

#include "control/core/tx_enums.h"
#include "control/core/view_state.h"
#include "control/core/underlay_settings.h"
#include "control/render/underlay_state.h"
#include "platform/gdi/canvas.h"

namespace quelmar::render {

struct UnderlayStyleOptions {
  TxUndMode Style = UndUser;
  int Relief = core::UnderlaySettings::kInitialRelief;  // k of the relief shading
  bool Smooth = true;                             // smooth shaded rows (the coordinate grid is off)
};

// True when the file name marks the row-compressed variant (".PCC" anywhere in it).
bool IsRowCompressedName(const std::string& file);

// Draws one image file (a path with either separator, matched without regard
// to case when the exact name does not exist) into `mapRect`, whose size is
// the view's. Never throws for a bad or missing file: a missing file, a header
// the reader refuses or a missing or malformed extent file draw nothing; a row
// that cannot be read or decoded stops the sampling with a beep and the rows
// before it are shown. `state` takes the image's size, colours and extent
// once its header and extent are read; state.LastProblem says what went wrong.
void DrawUnderlayImage(gdi::Canvas& canvas, const gdi::Rect& mapRect, const core::ViewState& view,
                       const std::string& file, const UnderlayStyleOptions& options, UnderlayState& state);

// Draws every image named in settings.UnderlayFile() in order, when the
// Underlay switch is on. `gridOn`: the coordinate grid is shown (no smoothing).
void DrawUnderlayImages(gdi::Canvas& canvas, const gdi::Rect& mapRect, const core::ViewState& view,
                        const core::UnderlaySettings& settings, bool gridOn, UnderlayState& state);

}  // namespace quelmar::render
