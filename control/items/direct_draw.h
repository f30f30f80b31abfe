#pragma once
// DirectDraw: the panel's current view drawn into a host's device context at
// a rectangle, through the same passes as a screen paint (load, background,
// layers, overlays, items, with the host's DirectBefore and Direct handlers),
// at the view's scale about the view's centre. The panel's view and window are
// as they were afterwards, whatever happens.
#include <cstdint>

#include "control/core/tv_object.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/dc_handles.h"

namespace quelmar::items {

struct DirectDrawRequest {
  gdi::Rect Target;        // logical rectangle of the device context (x, y, x + w, y + h)
  bool Fill = false;       // fill the rectangle white first
  bool KeepAspect = false;  // grow the view's width or height to the rectangle's shape, then fit it in
  bool Mono = false;         // the map in black and white
  bool Shading = true;       // false: no area shaded in this drawing
  core::OutputKind Output = core::OutputKind::Device;
};

// The largest rectangle side taken, in pixels.
inline constexpr std::int32_t kMaxDirectSide = 16384;

// The size of the view's picture for a w × h rectangle: the rectangle itself,
// or with KeepAspect the control's map area grown to the rectangle's shape.
// ArgumentError when it would be larger than kMaxDirectSide.
gdi::Size DirectPictureSize(core::Ttvmap& panel, std::int32_t w, std::int32_t h, bool keepAspect);

// ArgumentError for a width or height below 1 or above kMaxDirectSide, or a
// view that the rectangle would make larger than that.
void DirectDraw(core::Ttvmap& panel, gdi::Canvas& canvas, gdi::HDC dc, const DirectDrawRequest& request);

}  // namespace quelmar::items
