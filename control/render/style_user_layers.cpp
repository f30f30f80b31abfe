#include "control/render/style_user_layers.h"

#include "control/render/scale_visibility.h"

namespace quelmar::render {

bool UserLayerChoices::Visible(int layer) const {
  if (layer >= 1 && layer < data::kLayerCount) return layers_.Visible(layer);
  return layer >= data::kLayerCount && layer <= kLastVisibilityLayer;
}

bool UserLayerChoices::SetVisible(int layer, bool visible) {
  if (layer < 1) return false;
  return layers_.SetVisible(layer, visible);
}

}  // namespace quelmar::render
