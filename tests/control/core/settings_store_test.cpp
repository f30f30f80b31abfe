// The settings store: a change names its section to every listener, and a
// whole copy taken back names exactly the sections that differ.
#include "control/core/settings_store.h"

#include <gtest/gtest.h>

#include <vector>

namespace quelmar::core {
namespace {

TEST(SettingsStore, ChangesNameTheirSection) {
  SettingsStore store;
  std::vector<SettingSection> heard;
  const int id = store.Listen([&](SettingSection s) { heard.push_back(s); });
  store.Change(&ControlSettings::Labels, [](LabelSettings& l) { l.TextSize = 12; });
  store.Change(&ControlSettings::Search, [](SearchSettings& s) { s.RadiusMiles = 4; });
  EXPECT_EQ(store.Labels().TextSize, 12);
  EXPECT_EQ(heard, (std::vector<SettingSection>{SettingSection::Labels, SettingSection::Search}));
  store.Unlisten(id);
  store.Change(&ControlSettings::Labels, [](LabelSettings& l) { l.TextSize = 9; });
  EXPECT_EQ(heard.size(), 2u) << "no longer listening";
}

TEST(SettingsStore, ReplaceNamesOnlyTheSectionsThatDiffer) {
  SettingsStore store;
  ControlSettings copy = store.Get();
  copy.Layers.Grid = true;
  copy.Underlay.SetUnderlayFile("relief.bmp");
  std::vector<SettingSection> heard;
  store.Listen([&](SettingSection s) { heard.push_back(s); });
  store.Replace(copy);
  EXPECT_TRUE(store.Layers().Grid);
  EXPECT_EQ(store.Underlay().UnderlayFile(), "relief.bmp");
  EXPECT_EQ(heard, (std::vector<SettingSection>{SettingSection::Layers, SettingSection::Underlay}));
  heard.clear();
  store.Replace(copy);
  EXPECT_TRUE(heard.empty()) << "nothing differs";
}

TEST(SettingsStore, OnlyTheMapSectionsDrawTheMapAgain) {
  for (SettingSection s : {SettingSection::Layers, SettingSection::Look, SettingSection::Labels, SettingSection::Underlay}) {
    EXPECT_TRUE(ChangesTheMap(s));
  }
  for (SettingSection s : {SettingSection::Panel, SettingSection::Options, SettingSection::Startup, SettingSection::Roads,
                           SettingSection::Search}) {
    EXPECT_FALSE(ChangesTheMap(s));
  }
}

}  // namespace
}  // namespace quelmar::core
