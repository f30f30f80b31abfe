#include "control/render/underlay_service.h"

namespace quelmar::render {

std::optional<core::MapRect> UnderlayExtentService::UnderlayBounds() {
  if (!state_->Drawn) return std::nullopt;
  return state_->Extent;
}

}  // namespace quelmar::render
