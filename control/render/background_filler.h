#pragma once
// The background fill of the map panel: the background colour (or its
// texture), then the underlay images. The panel calls it at the start of
// every rendering paint, direct drawing and export.
#include <functional>
#include <memory>
#include <random>

#include "control/core/engine_hooks.h"
#include "control/core/view_state.h"
#include "control/render/underlay_context.h"

namespace quelmar::render {

class UnderlayBackgroundFiller final : public core::BackgroundFiller {
 public:
  // `view` is the panel's view (it must outlive the filler); `underlay` the
  // control's underlay settings and state; `gridOn` tells whether the
  // coordinate grid is shown (the relief is then not smoothed), off when empty.
  UnderlayBackgroundFiller(const core::ViewState& view, std::shared_ptr<UnderlayContext> underlay,
                           std::function<bool()> gridOn = {});

  void FillBackground(gdi::Canvas& canvas, const gdi::Rect& rect, gdi::COLORREF color) override;

 private:
  const core::ViewState& view_;
  std::shared_ptr<UnderlayContext> underlay_;
  std::function<bool()> gridOn_;
  std::minstd_rand random_;  // fixed seed: the textured background repeats from run to run
};

}  // namespace quelmar::render
