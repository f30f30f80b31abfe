#include "control/data/layer_table.h"

namespace quelmar::data {

void LayerTable::Reset() {
  for (int layer = 0; layer < kLayerCount; ++layer) {
    styles_[layer] = kLayerDefaults[layer].Style;
    visible_[layer] = true;
  }
}

bool LayerTable::SetStyle(int layer, std::uint16_t style) {
  if (!IsLayer(layer)) return false;
  styles_[layer] = style;
  return true;
}

bool LayerTable::SetVisible(int layer, bool visible) {
  if (!IsLayer(layer)) return false;
  visible_[layer] = visible;
  return true;
}

}  // namespace quelmar::data
