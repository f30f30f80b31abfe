#include "control/data/layer_table.h"

#include <gtest/gtest.h>

namespace quelmar::data {
namespace {

TEST(LayerDefaults, NamesAndStyleWords) {
  struct Case {
    int layer;
    std::string_view name;
    std::uint16_t style;
  };
  const Case cases[] = {
      {0, "Country", 2},       {2, "State Interior", 15}, {9, "Highway:", 519},    {10, "Highway: US", 1031},
      {13, "Roads:", 4},       {20, "Vegatation", 6},     {24, "IHydro", 9},       {28, "Interstates", 268},
      {29, "Major Islands", 14}, {30, "Undefined", 0},    {32, "Undefined", 0},    {kRouteLabelLayer, "Undefined", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LayerName(c.layer), c.name) << c.layer;
    EXPECT_EQ(kLayerDefaults[c.layer].Style, c.style) << c.layer;
  }
  for (const LayerDefault& layer : kLayerDefaults) EXPECT_LE(layer.Name.size(), kLayerNameMax) << layer.Name;
  EXPECT_EQ(LayerName(-1), "");
  EXPECT_EQ(LayerName(kLayerCount), "");
}

TEST(LayerTable, StartsWithDefaultsAllVisibleAndResetsToThem) {
  LayerTable table;
  for (int layer = 0; layer < kLayerCount; ++layer) {
    EXPECT_EQ(table.Style(layer), kLayerDefaults[layer].Style) << layer;
    EXPECT_TRUE(table.Visible(layer)) << layer;
  }
  EXPECT_TRUE(table.SetStyle(9, 7));
  EXPECT_TRUE(table.SetVisible(kRouteLabelLayer, false));
  EXPECT_EQ(table.Style(9), 7);
  EXPECT_FALSE(table.Visible(kRouteLabelLayer));
  EXPECT_TRUE(table.Visible(9)) << "other layers untouched";

  table.Reset();
  EXPECT_EQ(table.Style(9), 519);
  EXPECT_TRUE(table.Visible(kRouteLabelLayer));
}

TEST(LayerTable, RefusesNumbersThatAreNoLayer) {
  LayerTable table;
  for (int layer : {-1, kLayerCount, 255, -2147483647 - 1}) {
    EXPECT_FALSE(table.SetStyle(layer, 1)) << layer;
    EXPECT_FALSE(table.SetVisible(layer, true)) << layer;
    EXPECT_EQ(table.Style(layer), 0) << layer;
    EXPECT_FALSE(table.Visible(layer)) << layer;
  }
}

TEST(LayerFeatureTable, MapsCodeRangesToLayers) {
  struct Case {
    int first, last, layer;
  };
  const Case cases[] = {
      {41, 49, 13},   {50, 58, 9},    {59, 67, 10},   {68, 73, 11},   {74, 76, 12},
      {77, 81, 14},   {82, 99, 13},   {100, 119, 17}, {120, 124, 18}, {125, 172, 19},
      {173, 177, 20}, {178, 202, 21}, {231, 231, 26}, {232, 255, 0},
  };
  for (const Case& c : cases) {
    for (int code = c.first; code <= c.last; ++code) EXPECT_EQ(kFeatureLayers[code], c.layer) << code;
  }
  for (int code = 0; code <= 40; ++code) EXPECT_EQ(kFeatureLayers[code], code);
  for (int code = 203; code <= 230; ++code) {
    const bool intermittent = code == 205 || code == 208 || code == 212 || code == 215 || code == 218 || code == 225;
    EXPECT_EQ(kFeatureLayers[code], intermittent ? 24 : 23) << code;
  }
}

TEST(LayerTable, FeatureVisibleFollowsTheFeaturesLayer) {
  LayerTable table;
  table.SetVisible(24, false);  // IHydro
  EXPECT_FALSE(table.FeatureVisible(205));
  EXPECT_TRUE(table.FeatureVisible(203)) << "Hydro stays";
  EXPECT_FALSE(table.FeatureVisible(24)) << "codes 0..40 are their own layer";
  table.SetVisible(0, false);
  EXPECT_FALSE(table.FeatureVisible(255)) << "unassigned codes draw on layer 0";
}

}  // namespace
}  // namespace quelmar::data
