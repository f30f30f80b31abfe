// The numbered options of SetOption, the registries they live in, and the road options.
#include "control/core/option_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "control/core/registries.h"
#include "control/core/road_options.h"
#include "control/core/settings_store.h"

namespace quelmar::core {
namespace {

// The control's own options in a registry of their own, over a settings store.
struct Options : ::testing::Test {
  SettingsStore store;
  OptionRegistry registry;
  std::int32_t problems = 3;
  int resets = 0;
  Options() {
    OptionSources sources;
    sources.baseBufferHandle = [] { return 0x40000007; };
    sources.problemCount = [this] { return problems; };
    sources.resetProblems = [this] { ++resets; };
    RegisterControlOptions(registry, store, sources);
  }
  OptionResult Run(std::int32_t n, std::int32_t v) { return RunOption(registry, n, v); }
  std::int32_t Write(std::int32_t n, std::int32_t v) { return Run(n, v).Value.value(); }
  std::int32_t Read(std::int32_t v) { return Run(0, v).Value.value(); }
};

TEST_F(Options, WritesAreReadBack) {
  struct Case {
    std::int32_t n, written, read;
  } cases[] = {
      {1, 0x123456, 0x123456},   // the background colour
      {128, 15, 15},             {129, 3, 3},   // tenths of a mile
      {130, 0x1FF, 0xFF},        {131, 1, 1},   // bytes keep the low eight bits
      {132, 0, 0},               {133, 25, 10}, // the label size factor is clamped to 1..10
      {133, -3, 1},              {134, 0, 0},
      {135, 0, 0},               {143, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Write(c.n, c.written), 0) << c.n;
    EXPECT_EQ(Read(c.n), c.read) << c.n;
  }
}

// Each option lands in the section of the store that its effect reads.
TEST_F(Options, WritesReachTheirSettings) {
  std::vector<SettingSection> changed;
  store.Listen([&](SettingSection s) { changed.push_back(s); });
  Write(1, 0x7F123456);
  EXPECT_EQ(store.Look().Color, 0x123456u) << "the high byte is no colour";
  Write(128, 15);
  Write(132, 0);
  Write(130, 0x100);
  EXPECT_EQ(store.Labels().StreetLabelMiles, 1.5);
  EXPECT_TRUE(ShowsSuffixes(store.Labels()));
  EXPECT_EQ(store.Labels().ShowStreetNames, 0) << "only the low byte counts";
  Write(65535, 1);
  EXPECT_EQ(store.Options().traceLog, 1);
  EXPECT_EQ(changed, (std::vector<SettingSection>{SettingSection::Look, SettingSection::Labels, SettingSection::Labels,
                                                  SettingSection::Labels, SettingSection::Options}));
}

TEST_F(Options, ArchiveExtensionAndStreetVersion) {
  EXPECT_EQ(Read(65523), 0x35505A);  // "ZP5", first letter in the low byte
  Write(65523, 0x59505A);
  EXPECT_EQ(store.Options().archiveExtension, ".ZPY");
  EXPECT_EQ(Read(65523), 0x59505A);
  Write(65523, 0x2F5A);  // a slash or a zero byte is no extension: ignored
  EXPECT_EQ(store.Options().archiveExtension, ".ZPY");
  store.Change(&ControlSettings::Options, [](OptionValues& o) { o.archiveExtension = ".ZP5"; });
  Write(65521, 12345);
  EXPECT_EQ(store.Options().archiveExtension, ".ZPY");
  EXPECT_EQ(store.Options().streetDataVersion, 400);
  Write(65522, 402);
  EXPECT_EQ(store.Options().streetDataVersion, 402);
}

TEST_F(Options, ReadOnlyAndUnknownOptions) {
  EXPECT_EQ(Read(61152), 0);
  EXPECT_EQ(store.Options().nameBufferReads, 1);
  EXPECT_EQ(Read(61153), 0x40000007) << "the base buffer's bitmap handle";
  EXPECT_EQ(Read(61154), 3) << "the data problems counted";
  EXPECT_EQ(Write(61154, 0), 0);
  EXPECT_EQ(resets, 1) << "a write starts the count again";
  for (std::int32_t n : {4, 15, 108, 127, 136, 999, 70000, -5}) {
    EXPECT_EQ(Write(n, 1), 0) << n;
    EXPECT_EQ(Read(n), 0) << n;
  }
  // The colour table waits for the layer styles, and says so.
  for (auto [n, v] : {std::pair{94, 1}, {0, 102}, {0, -1}, {0, 0}, {2, 5}, {0, 16}}) {
    const OptionResult r = Run(n, v);
    EXPECT_FALSE(r.Value) << n << ", " << v;
    EXPECT_EQ(r.MissingSubsystem, "layer styles") << n << ", " << v;
  }
}

TEST(OptionRegistry, RangesNeverOverlapAndReservationsGiveWay) {
  OptionRegistry registry;
  registry.Reserve(10, 20, "styles");
  EXPECT_THROW(registry.Register(15, 25, "other", [](OptionAccess, std::int32_t, std::int32_t) { return 0; }),
               std::logic_error);
  EXPECT_THROW(registry.Reserve(20, 20, "other"), std::logic_error);
  registry.Register(10, 20, "styles", [](OptionAccess a, std::int32_t n, std::int32_t v) {
    return a == OptionAccess::Read ? n * 100 : v;
  });
  EXPECT_EQ(RunOption(registry, 0, 12).Value, 1200);
  EXPECT_EQ(RunOption(registry, 12, 7).Value, 7);
  EXPECT_EQ(RunOption(registry, 21, 7).Value, 0) << "outside every range";
}

TEST(CommandRegistry, ReservedWordsNameTheirSubsystemUntilRegistered) {
  CommandRegistry commands;
  int runs = 0;
  commands.Reserve("LAYER", "layer dialog");
  ASSERT_NE(commands.Find("LAYER"), nullptr);
  EXPECT_FALSE(commands.Find("LAYER")->Run);
  EXPECT_EQ(commands.Find("LAYER")->Subsystem, "layer dialog");
  commands.Register("LAYER", "layer styles", [&] { ++runs; });
  commands.Find("LAYER")->Run();
  EXPECT_EQ(runs, 1);
  EXPECT_THROW(commands.Register("LAYER", "again", [] {}), std::logic_error);
  EXPECT_EQ(commands.Find("layer"), nullptr) << "words match exactly";
}

TEST(RoadOptions, ClassesGroupsAndClamps) {
  RoadOptions o;
  RoadOption(o, 17, 9);  // priority of class 1, clamped to 5
  EXPECT_EQ(o.priority[1], 5);
  RoadOption(o, 18, -2);
  EXPECT_EQ(o.priority[2], 0);
  RoadOption(o, 3, 55);  // speed of class 3
  EXPECT_EQ(o.speed[3], 55);
  RoadOption(o, 38, 7);  // third value of class 6
  EXPECT_EQ(o.third[6], 7);
  RoadOption(o, 48, 0xFF);  // route-line colour
  RoadOption(o, 49, 2);     // highlight
  EXPECT_EQ(o.routeLineColour, 0xFF);
  EXPECT_EQ(o.routeHighlight, 2);
  const RoadOptions before = o;
  for (std::int32_t n : {7, 0, 16 + 7, 50, 64, -1}) RoadOption(o, n, 30);  // outside the table
  EXPECT_EQ(o.speed, before.speed);
  EXPECT_EQ(o.priority, before.priority);
  EXPECT_EQ(o.third, before.third);
  EXPECT_EQ(o.routeLineColour, before.routeLineColour);
}

}  // namespace
}  // namespace quelmar::core
