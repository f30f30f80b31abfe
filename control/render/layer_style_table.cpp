#include "control/render/layer_style_table.h"

#include <stdexcept>
#include <string>

namespace quelmar::render {
namespace {

struct MarkerStyle {
  std::uint16_t colorWord;
  std::uint16_t widthCode;
};

// Layers 244..255 in order.
constexpr std::array<MarkerStyle, 12> kMarkerStyles = {{
    {0x0F08, 1}, {0x0E04, 19}, {0x0B01, 20}, {0x0B01, 20}, {0x0F04, 2}, {0x0F04, 1},
    {0x0701, 20}, {0x0F04, 2}, {0x0E04, 19}, {0x0604, 19}, {0x0B04, 20}, {0x0B01, 20},
}};

const TLayerStyle kNoStyle{};

}  // namespace

int PenWidthForStep(int step) {
  if (step >= 6 && step <= 14) return step + 2;
  if (step >= 1 && step <= 5) return step;
  return 1;
}

LayerStyleTable::LayerStyleTable(const data::LayerTable& layers) {
  for (int layer = 0; layer < data::kLayerCount; ++layer) styles_[layer].ColorWord = layers.Style(layer);
  ResetMarkerStyles();
}

const TLayerStyle& LayerStyleTable::operator[](int layer) const {
  return layer >= 0 && layer < kLayerStyleCount ? styles_[layer] : kNoStyle;
}

TLayerStyle& LayerStyleTable::At(int layer) {
  if (layer < 0 || layer >= kLayerStyleCount) throw std::out_of_range("no layer style " + std::to_string(layer));
  return styles_[layer];
}

void LayerStyleTable::ResetMarkerStyles() {
  for (std::size_t i = 0; i < kMarkerStyles.size(); ++i) {
    TLayerStyle& style = styles_[kFirstMarkerStyle + i];
    style.ColorWord = kMarkerStyles[i].colorWord;
    style.WidthCode = kMarkerStyles[i].widthCode;
  }
}

}  // namespace quelmar::render
