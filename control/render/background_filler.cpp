#include "control/render/background_filler.h"

#include <utility>

#include "control/render/background_fill.h"
#include "control/render/underlay_drawer.h"

namespace quelmar::render {

UnderlayBackgroundFiller::UnderlayBackgroundFiller(const core::ViewState& view, std::shared_ptr<UnderlayContext> underlay,
                                                   std::function<bool()> gridOn)
    : view_(view), underlay_(std::move(underlay)), gridOn_(std::move(gridOn)) {}

void UnderlayBackgroundFiller::FillBackground(gdi::Canvas& canvas, const gdi::Rect& rect, gdi::COLORREF color) {
  FillMapBackground(canvas, rect, color, random_);
  const bool gridOn = gridOn_ ? gridOn_() : false;
  DrawUnderlayImages(canvas, rect, view_, underlay_->Settings, gridOn, underlay_->State);
}

}  // namespace quelmar::render
