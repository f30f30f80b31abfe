#include "control/render/layer_style_table.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quelmar::render {
namespace {

TEST(PenWidthForStep, StepsToPixels) {
  const std::pair<int, int> cases[] = {{0, 1},  {1, 1},  {3, 3},   {5, 5},  {6, 8},  {12, 14},
                                       {14, 16}, {15, 1}, {-1, 1}, {-2, 1}, {16, 1}};
  for (const auto& [step, pixels] : cases) EXPECT_EQ(PenWidthForStep(step), pixels) << step;
}

TEST(LayerStyleTable, InitialWordsMarkersAndBounds) {
  LayerStyleTable table;
  const std::pair<int, std::uint16_t> words[] = {{0, 2},       {1, 3},       {9, 0x0207}, {10, 0x0407},
                                                 {28, 0x010C}, {29, 14},     {30, 0},     {40, 0}};
  for (const auto& [layer, word] : words) EXPECT_EQ(table[layer].ColorWord, word) << layer;

  const std::tuple<int, std::uint16_t, std::uint16_t> markers[] = {
      {255, 0x0B01, 20}, {254, 0x0B04, 20}, {253, 0x0604, 19}, {252, 0x0E04, 19}, {251, 0x0F04, 2}, {250, 0x0701, 20},
      {249, 0x0F04, 1},  {248, 0x0F04, 2},  {247, 0x0B01, 20}, {246, 0x0B01, 20}, {245, 0x0E04, 19}, {244, 0x0F08, 1}};
  for (const auto& [layer, word, width] : markers) {
    EXPECT_EQ(table[layer].ColorWord, word) << layer;
    EXPECT_EQ(table[layer].WidthCode, width) << layer;
  }

  EXPECT_EQ(table[-1], TLayerStyle{});
  EXPECT_EQ(table[256], TLayerStyle{});
  EXPECT_THROW(table.At(256), std::out_of_range);
  EXPECT_THROW(table.At(-1), std::out_of_range);

  TLayerStyle style;
  style.ColorWord = 0x040E;
  style.WidthCode = 19;
  EXPECT_EQ(style.LineIndex(), 0x0E);
  EXPECT_EQ(style.OutlineIndex(), 0x04);
  EXPECT_EQ(style.WidthStep(), 3);
}

}  // namespace
}  // namespace quelmar::render
