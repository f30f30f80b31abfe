#include "control/render/underlay_service.h"

namespace quelmar::render {

std::optional<core::MapRect> UnderlayExtentService::UnderlayBounds() {
  if (!underlay_->State.Drawn) return std::nullopt;
  return underlay_->State.Extent;
}

}  // namespace quelmar::render
