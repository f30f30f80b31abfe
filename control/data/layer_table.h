#pragma once
// The map layers: 33 named layers (0..32) and the route-label layer 33, each
// with a name, a default style word and a visible flag. The names and
// defaults never change; the style words and flags are per control and live
// in a LayerTable the control owns.
#include <array>
#include <cstdint>
#include <string_view>

#include "control/data/feature_code.h"

namespace quelmar::data {

inline constexpr int kLayerCount = 34;           // layers 0..33
inline constexpr int kRouteLabelLayer = 33;      // drawn by feature code 33
inline constexpr std::size_t kLayerNameMax = 20;  // characters of a layer name

struct LayerDefault {
  std::string_view Name;
  std::uint16_t Style = 0;  // default style word
};

// Layer 33 has no name of its own in the layer dialog; it shows as the
// spare layers 30..32 do.
inline constexpr std::array<LayerDefault, kLayerCount> kLayerDefaults = {{
    {"Country", 2},         {"State Bdry", 3},     {"State Interior", 15}, {"I-State Shield", 0},
    {"Major City", 0},      {"County Bdry", 0},    {"MCD Bdry", 7},        {"Place Bdry", 15},
    {"MCD Interior", 15},   {"Highway:", 519},     {"Highway: US", 1031},  {"Roads: Cnty", 4},
    {"Roads: State", 4},    {"Roads:", 4},         {"Streets", 4},         {"Landmark", 15},
    {"Place Name", 8},      {"Railroads", 0},      {"Power Line", 13},     {"Parks", 2},
    {"Vegatation", 6},      {"Non-Visible", 8},    {"Industrial", 8},      {"Hydro", 1},
    {"IHydro", 9},          {"Ocean Blocks", 9},   {"Small Islands", 14},  {"Built-Up Areas", 3},
    {"Interstates", 268},   {"Major Islands", 14}, {"Undefined", 0},       {"Undefined", 0},
    {"Undefined", 0},       {"Undefined", 0},
}};

constexpr bool IsLayer(int layer) { return layer >= 0 && layer < kLayerCount; }

// The layer name, or "" for a number that is no layer.
constexpr std::string_view LayerName(int layer) { return IsLayer(layer) ? kLayerDefaults[layer].Name : ""; }

// The 256-entry feature-code table. Loading the base map "rebuilds" it, but
// always to these same values, so it is fixed data.
inline constexpr std::array<std::uint8_t, 256> kFeatureLayers = [] {
  std::array<std::uint8_t, 256> table{};
  for (int code = 0; code < 256; ++code) table[code] = FeatureLayer(static_cast<std::uint8_t>(code));
  return table;
}();

// Per-control layer settings. Numbers that are no layer read as style 0 and
// not visible, and setting them changes nothing (they come from hosts).
class LayerTable {
 public:
  LayerTable() { Reset(); }

  // Back to the default style words, every layer visible.
  void Reset();

  std::uint16_t Style(int layer) const { return IsLayer(layer) ? styles_[layer] : 0; }
  bool Visible(int layer) const { return IsLayer(layer) && visible_[layer]; }

  // False (and nothing changed) when `layer` is no layer.
  bool SetStyle(int layer, std::uint16_t style);
  bool SetVisible(int layer, bool visible);

  // Whether objects of feature code `code` are on a visible layer.
  bool FeatureVisible(std::uint8_t code) const { return Visible(kFeatureLayers[code]); }

 private:
  std::array<std::uint16_t, kLayerCount> styles_{};
  std::array<bool, kLayerCount> visible_{};
};

}  // namespace quelmar::data
