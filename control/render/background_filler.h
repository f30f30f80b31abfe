#pragma once
// The background fill of the map: the background colour (or its texture),
// then the underlay images, for one paint request. Called at the start of
// every rendering paint, direct drawing and export.
#include <memory>
#include <random>

#include "control/core/map_requests.h"
#include "control/render/underlay_state.h"
#include "platform/gdi/canvas.h"

namespace quelmar::render {

class UnderlayBackgroundFiller {
 public:
  // `state` is the underlay state of the control's map, which the drawing updates.
  explicit UnderlayBackgroundFiller(std::shared_ptr<UnderlayState> state) : state_(std::move(state)) {}

  // Fills `rect` for the request's view: its background colour, its
  // underlay settings and grid switch (the relief is not smoothed under the grid).
  void Fill(gdi::Canvas& canvas, const gdi::Rect& rect, const core::PaintRequest& request);

 private:
  std::shared_ptr<UnderlayState> state_;
  std::minstd_rand random_;  // fixed seed: the textured background repeats from run to run
};

}  // namespace quelmar::render
