// Relief shading: the light table by height step, and the shading and
// smoothing of one sampled row.
#include "control/render/relief_shading.h"

#include <gtest/gtest.h>

#include <vector>

namespace quelmar::render {
namespace {

struct StepCase {
  int k;
  int step;
  int shade;
};

class ReliefTableValues : public ::testing::TestWithParam<StepCase> {};

TEST_P(ReliefTableValues, ShadeOfStep) {
  const StepCase& c = GetParam();
  EXPECT_EQ(ReliefTable(c.k)(c.step), c.shade) << "k " << c.k << " step " << c.step;
}

// Worked from v(a) = (-a·k·cos 30° + 250) / sqrt((a·k)² + 250000).
INSTANTIATE_TEST_SUITE_P(Cases, ReliefTableValues,
                         ::testing::Values(StepCase{10, -255, 1},  // 0, kept at 1
                                           StepCase{10, -100, 1},  // below 0, kept at 1
                                           StepCase{10, -20, 19}, StepCase{10, -1, 51}, StepCase{10, 0, 53},
                                           StepCase{10, 1, 55}, StepCase{10, 2, 58}, StepCase{10, 10, 81},
                                           StepCase{10, 100, 222}, StepCase{10, 255, 255},
                                           // A negative exaggeration turns the light round.
                                           StepCase{-10, -1, 54}, StepCase{-10, 1, 55}, StepCase{-10, 255, 255}));

TEST(ReliefTable, ZeroExaggerationShadesEveryStepAsLevelGround) {
  const ReliefTable table(0);
  for (int step : {-255, -1, 0, 1, 255}) EXPECT_EQ(table(step), 55) << step;
}

// Heights 10 12 0 5 5 9 7 and the extra sample 200 past the right edge.
const std::vector<std::uint8_t> kSamples{10, 12, 0, 5, 5, 9, 7, 200};

TEST(ReliefRow, ShadesStepsAndLeavesNoDataDark) {
  std::vector<std::uint8_t> out(7);
  ShadeReliefRow(kSamples, ReliefTable(10), false, out);
  // First pixel kept; T(2), no data, left no data, T(0), T(4), T(-2).
  EXPECT_EQ(out, (std::vector<std::uint8_t>{10, 58, 0, 0, 53, 64, 49}));
}

TEST(ReliefRow, SmoothingUsesTheShadedRowAndTheExtraSample) {
  std::vector<std::uint8_t> out(7);
  ShadeReliefRow(kSamples, ReliefTable(10), true, out);
  // Pixels 2..5 become (p-2 + 3p-1 + 8p + 3p+1 + p+2) div 16; pixel 5 reads
  // the raw extra sample 200: (0 + 3·53 + 8·64 + 3·49 + 200) div 16 = 63.
  EXPECT_EQ(out, (std::vector<std::uint8_t>{10, 58, 14, 17, 41, 63, 49}));
}

TEST(ReliefRow, NarrowRowsAreNotSmoothed) {
  const std::vector<std::uint8_t> samples{9, 10, 11, 12};
  std::vector<std::uint8_t> out(3);
  ShadeReliefRow(samples, ReliefTable(10), true, out);
  EXPECT_EQ(out, (std::vector<std::uint8_t>{9, 55, 55}));
}

}  // namespace
}  // namespace quelmar::render
