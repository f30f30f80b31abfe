#pragma once
// The layer style table: one style record per layer number 0..255. Layers
// 0..40 are the map layers (names and initial colour words from the layer
// table); 244..255 are the marker styles that items and routes use.
#include <array>
#include <cstdint>

#include "control/data/layer_table.h"
#include "control/render/colour_standard.h"

namespace quelmar::render {

inline constexpr int kLayerStyleCount = 256;
inline constexpr int kFirstMarkerStyle = 244;
inline constexpr std::uint16_t kCasedWidthBit = 16;   // width code bit 4: the layer's lines are cased
inline constexpr int kPointByPointWidthStep = 15;    // a rendering mode rather than a width

struct TLayerStyle {
  std::uint16_t ColorWord = 0;  // low byte: line colour index; high byte: outline colour index
  COLORREF FillColor = 0;       // 0: the layer's rings are not filled
  std::uint16_t WidthCode = 0;  // low 4 bits: pen width step; bit 4: cased
  bool Cased = false;           // derived before each drawing
  bool Outlined = false;        // derived before each drawing

  std::uint8_t LineIndex() const { return static_cast<std::uint8_t>(ColorWord & 0xFF); }
  std::uint8_t OutlineIndex() const { return static_cast<std::uint8_t>(ColorWord >> 8); }
  int WidthStep() const { return WidthCode & 15; }

  friend bool operator==(const TLayerStyle&, const TLayerStyle&) = default;
};

// Pixels of a pen of width step n: 6..14 give n + 2, 1..5 give n; 0, 15 and
// anything else (a step reduced below 0) give 1.
int PenWidthForStep(int step);

class LayerStyleTable {
 public:
  // Colour words of the layer table's layers from `layers`, every other
  // record empty; the marker styles at their reset values.
  explicit LayerStyleTable(const data::LayerTable& layers = data::LayerTable());

  // Records of numbers outside 0..255 read as empty; writing them changes nothing.
  const TLayerStyle& operator[](int layer) const;
  TLayerStyle& At(int layer);  // throws std::out_of_range outside 0..255

  // The marker styles 244..255 back to their fixed colour words and width codes.
  void ResetMarkerStyles();

  friend bool operator==(const LayerStyleTable&, const LayerStyleTable&) = default;

 private:
  std::array<TLayerStyle, kLayerStyleCount> styles_{};
};

}  // namespace quelmar::render
