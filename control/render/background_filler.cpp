#include "control/render/background_filler.h"

#include "control/render/background_fill.h"
#include "control/render/underlay_drawer.h"

namespace quelmar::render {

void UnderlayBackgroundFiller::Fill(gdi::Canvas& canvas, const gdi::Rect& rect, const core::PaintRequest& request) {
  FillMapBackground(canvas, rect, request.Background, random_);
  DrawUnderlayImages(canvas, rect, *request.View, request.Underlay, request.Layers.Grid, *state_);
}

}  // namespace quelmar::render
