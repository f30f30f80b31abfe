// The per-control underlay settings: file list text, and the relief value
// that follows the UnderlayShadow property only when it changes.
#include "control/core/underlay_settings.h"

#include <gtest/gtest.h>

namespace quelmar::core {
namespace {

TEST(UnderlaySettings, Defaults) {
  const UnderlaySettings settings;
  EXPECT_FALSE(settings.Underlay());
  EXPECT_EQ(settings.UnderlayFile(), "");
  EXPECT_EQ(settings.UnderlayStyle(), UndUser);
  EXPECT_EQ(settings.UnderlayShadow(), 0);
  EXPECT_EQ(settings.ReliefValue(), 10);
}

TEST(UnderlaySettings, FileTextIsCutTo255AndSplitAtSemicolons) {
  UnderlaySettings settings;
  settings.SetUnderlayFile(std::string(300, 'a'));
  EXPECT_EQ(settings.UnderlayFile().size(), 255u);
  settings.SetUnderlayFile("relief.bmp;;maps\\topo.PCC;");
  EXPECT_EQ(settings.ImageFiles(), (std::vector<std::string>{"relief.bmp", "maps\\topo.PCC"}));
  settings.SetUnderlayFile("");
  EXPECT_TRUE(settings.ImageFiles().empty());
}

TEST(UnderlaySettings, ReliefValueFollowsChangesOfTheProperty) {
  UnderlaySettings settings;
  settings.SetUnderlayShadow(0);  // what the property already holds: no change
  EXPECT_EQ(settings.ReliefValue(), 10);
  settings.SetReliefFromConfiguration(25);  // "UMNT=25"
  EXPECT_EQ(settings.ReliefValue(), 25);
  EXPECT_EQ(settings.UnderlayShadow(), 0);
  settings.SetUnderlayShadow(40);
  EXPECT_EQ(settings.ReliefValue(), 40);
  settings.SetReliefFromConfiguration(5);
  settings.SetUnderlayShadow(40);  // the same value again leaves the configuration's
  EXPECT_EQ(settings.ReliefValue(), 5);
  settings.SetUnderlayShadow(0);
  EXPECT_EQ(settings.ReliefValue(), 0);
}

}  // namespace
}  // namespace quelmar::core
