#pragma once
// The underlay service of the map panel: the extent of the last image drawn,
// which ZoomUnderlay zooms to.
#include <memory>
#include <optional>

#include "control/core/engine_hooks.h"
#include "control/render/underlay_state.h"

namespace quelmar::render {

class UnderlayExtentService final : public core::UnderlayService {
 public:
  explicit UnderlayExtentService(std::shared_ptr<const UnderlayState> state) : state_(std::move(state)) {}
  // nullopt until the first image has been drawn.
  std::optional<core::MapRect> UnderlayBounds() override;

 private:
  std::shared_ptr<const UnderlayState> state_;
};

}  // namespace quelmar::render
