// The control panel: its menus and check marks, what each item changes,
// writes and tells the server, the About box and the help calls, and a panel
// whose server has no control.
#include "server/engine/control_panel.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/platform/kernel/test_files.h"
#include "tests/server/dialog_script.h"

namespace quelmar::server {
namespace {

using quelmar::testing::ReadText;
using quelmar::testing::TempDir;
using quelmar::testing::WriteText;
using testing::DialogScript;

// A panel over a server folder with the server's calls recorded.
struct PanelFixture {
  TempDir folder;
  DialogScript script;
  std::vector<ServerSettings> changes;
  int aboutCalls = 0;
  std::vector<std::tuple<HelpCommand, std::filesystem::path, int>> helpCalls;
  std::vector<std::string> overlayAsked;
  std::string overlayAnswer;

  ControlPanelSetup Setup(bool ready, ServerSettings settings = {}) {
    ControlPanelSetup setup;
    setup.ServerReady = ready;
    setup.Settings = std::move(settings);
    setup.Ini = ServerIni::ForServerFolder(folder.path());
    setup.ServerFolder = folder.path();
    setup.ChooseFolder = script.Chooser();
    setup.ChooseOverlay = [this](const std::string& current) {
      overlayAsked.push_back(current);
      return overlayAnswer;
    };
    setup.AboutQuelmar = [this] { ++aboutCalls; };
    setup.Help = [this](HelpCommand c, const std::filesystem::path& f, int context) {
      helpCalls.emplace_back(c, f, context);
    };
    setup.Changed = [this](const ServerSettings& s) { changes.push_back(s); };
    return setup;
  }
  ServerSettings Stored() const { return ReadSettings(ServerIni::ForServerFolder(folder.path())); }
  std::string IniText() const { return ReadText(folder / kSettingsFileName); }
};

TEST(ControlPanel, MenusInOrderWithTheServersCheckMarks) {
  PanelFixture f;
  ServerSettings s;
  s.Mono = true;
  s.ShadeCounties = false;
  s.WhiteBackground = true;
  ControlPanel panel(f.Setup(true, s));
  ui::DialogModel& d = panel.Dialog();
  EXPECT_EQ(d.Caption(), "TarvoServer Control Panel");
  std::vector<std::string> bar, options, paths;
  for (const ui::DialogField& field : d.Fields()) {
    if (field.name == kPanelPicture) continue;
    if (field.group.empty()) bar.push_back(field.name);
    if (field.group == kOptionsMenu) options.push_back(field.name);
    if (field.group == kDataPathsMenu) paths.push_back(field.name);
  }
  EXPECT_EQ(bar, (std::vector<std::string>{"&Options", "O&verlays", "&Underlays", "&About", "&Help", "E&xit"}));
  EXPECT_EQ(options, (std::vector<std::string>{"&Tarvo Mapping Data Paths", "&Background Color", kOptionsSeparator,
                                                "&Monochrome Maps", "&White Background", "Shade MC&Ds",
                                                "Shade P&laces", "Shade &Counties", "Shade &States"}));
  EXPECT_EQ(paths, (std::vector<std::string>{"&Easy Setup", "Data&1", "Data&2", "Data&3", "&States",
                                              "States (Supplementary)"}));
  EXPECT_TRUE(d.Field(kOptionsMenu).enabled);
  EXPECT_TRUE(d.Field(kMonochromeItem).checked);
  EXPECT_TRUE(d.Field(kWhiteBackgroundItem).checked);
  EXPECT_FALSE(d.Field(kShadeCountiesItem).checked);
  EXPECT_TRUE(d.Field(kShadeMcdItem).checked && d.Field(kShadePlacesItem).checked && d.Field(kShadeStatesItem).checked);
  EXPECT_EQ(panel.HelpFile(), f.folder / "TarvoServer.HLP");
}

TEST(ControlPanel, UnavailableItemsDoNothingAndOnlyExitCloses) {
  PanelFixture f;
  ControlPanel panel(f.Setup(true));
  for (const char* item : {kBackgroundColorItem, kLoadUnderlayItem, kMakeUnderlayItem}) {
    panel.Dialog().Press(item);
    EXPECT_EQ(panel.Dialog().Pressed(), "") << item;
  }
  EXPECT_FALSE(std::filesystem::exists(f.folder / kSettingsFileName));
  EXPECT_TRUE(f.changes.empty());
  panel.Dialog().Press(kExitMenu);
  EXPECT_EQ(panel.Dialog().Pressed(), kExitMenu);
}

TEST(ControlPanel, SwitchesToggleWriteAndTellTheServerAtOnce) {
  struct Case {
    const char* item;
    bool ServerSettings::*field;
    const char* key;
  };
  const Case cases[] = {
      {kMonochromeItem, &ServerSettings::Mono, "MONOCHROME"},
      {kShadeMcdItem, &ServerSettings::ShadeMcd, "SHADE_MCD"},
      {kShadePlacesItem, &ServerSettings::ShadePlaces, "SHADE_PLACE"},
      {kShadeCountiesItem, &ServerSettings::ShadeCounties, "SHADE_COUNTY"},
      {kShadeStatesItem, &ServerSettings::ShadeStates, "SHADE_STATE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    PanelFixture f;
    ControlPanel panel(f.Setup(true));
    const bool before = ServerSettings{}.*c.field;
    panel.Dialog().Press(c.item);
    EXPECT_EQ(panel.Dialog().Field(c.item).checked, !before);
    EXPECT_EQ(panel.Settings().*c.field, !before);
    EXPECT_EQ(f.Stored().*c.field, !before);
    EXPECT_NE(f.IniText().find(std::string(c.key) + "=" + (before ? "False" : "True")), std::string::npos);
    ASSERT_EQ(f.changes.size(), 1u);
    EXPECT_EQ(f.changes[0].*c.field, !before);
    panel.Dialog().Press(c.item);
    EXPECT_EQ(f.Stored().*c.field, before);
    EXPECT_EQ(panel.Dialog().Pressed(), "");  // the panel stays open
  }
}

TEST(ControlPanel, TheWhiteBackgroundIsAppliedWhenThePanelCloses) {
  PanelFixture f;
  f.script.On(kPanelCaption, [&](ui::DialogModel& d) {
    d.Press(kWhiteBackgroundItem);
    EXPECT_TRUE(d.Field(kWhiteBackgroundItem).checked);
    EXPECT_FALSE(std::filesystem::exists(f.folder / kSettingsFileName));  // not yet written
    EXPECT_TRUE(f.changes.empty());
    d.Press(kExitMenu);
  });
  ControlPanel panel(f.Setup(true));
  const ServerSettings result = panel.Show();
  EXPECT_TRUE(result.WhiteBackground);
  EXPECT_TRUE(f.Stored().WhiteBackground);
  EXPECT_EQ(f.IniText(), "[SETUP]\r\nWHITE_BACKGROUND=True\r\n");
  ASSERT_EQ(f.changes.size(), 1u);
  EXPECT_TRUE(f.changes[0].WhiteBackground);
}

TEST(ControlPanel, DataPathItemsBrowseFromTheCurrentFolder) {
  struct Case {
    const char* item;
    const char* label;
    std::string ServerSettings::*field;
    const char* key;
  };
  const Case cases[] = {
      {kData1Item, "Data1", &ServerSettings::Data1, "DATA1"},
      {kData2Item, "Data2", &ServerSettings::Data2, "DATA2"},
      {kData3Item, "Data3", &ServerSettings::Data3, "DATA3"},
      {kStatesItem, "States", &ServerSettings::States0, "STATES0"},
      {kStates1Item, "States (Supplementary)", &ServerSettings::States1, "STATES1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    PanelFixture f;
    ServerSettings s;
    s.*c.field = f.folder.path().string();  // an existing folder: the browse starts there
    ControlPanel panel(f.Setup(true, s));
    f.script.answers = {"/new/folder", ""};
    panel.Dialog().Press(c.item);
    ASSERT_EQ(f.script.requests.size(), 1u);
    EXPECT_EQ(f.script.requests[0].Title, std::string("Browse to the Tarvo Mapping ") + c.label + " folder");
    EXPECT_EQ(f.script.requests[0].StartFolder, f.folder.path().string());
    EXPECT_EQ(panel.Settings().*c.field, "/new/folder");
    EXPECT_EQ(f.Stored().*c.field, "/new/folder");
    EXPECT_EQ(f.IniText(), std::string("[PATHS]\r\n") + c.key + "=/new/folder\r\n");
    EXPECT_EQ(f.changes.size(), 1u);
    // Nothing chosen: the path stays and nothing is written.
    panel.Dialog().Press(c.item);
    EXPECT_EQ(f.script.requests[1].StartFolder, "");  // /new/folder is no folder
    EXPECT_EQ(panel.Settings().*c.field, "/new/folder");
    EXPECT_EQ(f.changes.size(), 1u);
  }
}

TEST(ControlPanel, EasySetupFindsTheTreeAndKeepsTheCheckMarks) {
  PanelFixture f;
  TempDir tree;
  WriteText(tree / "MAP.INI",
            "[Application Interface]\nData1Path=DATA1\nData2Path=DATA2\nData3Path=DATA3\nStatesPath=STATES0\n");
  ServerSettings s;
  s.Overlay = "/o.ovr";
  ControlPanel panel(f.Setup(true, s));
  panel.Dialog().Press(kMonochromeItem);       // written at once
  panel.Dialog().Press(kWhiteBackgroundItem);  // not written until the panel closes
  f.script.answers = {tree.path().string()};
  panel.Dialog().Press(kEasySetupItem);
  EXPECT_EQ(f.script.Messages(), (std::vector<std::string>{kBrowseInstruction, kPathsConfigured}));
  EXPECT_EQ(panel.Settings().Data1, (tree / "DATA1").string());
  EXPECT_EQ(panel.Settings().States1, (tree / "STATES0").string());
  EXPECT_TRUE(panel.Settings().Mono);
  EXPECT_EQ(panel.Settings().Overlay, "/o.ovr");  // the request the panel was given, never written
  EXPECT_TRUE(panel.Dialog().Field(kWhiteBackgroundItem).checked);
  ASSERT_EQ(f.changes.size(), 2u);
  EXPECT_EQ(f.changes.back().Data3, (tree / "DATA3").string());
  EXPECT_EQ(f.Stored().Data3, (tree / "DATA3").string());
}

TEST(ControlPanel, TheOverlayChooserGivesTheNewRequest) {
  PanelFixture f;
  ServerSettings s;
  s.Overlay = "/old.ovr";
  ControlPanel panel(f.Setup(true, s));
  f.overlayAnswer = "/new.ovr";
  panel.Dialog().Press(kOverlaysMenu);
  EXPECT_EQ(f.overlayAsked, (std::vector<std::string>{"/old.ovr"}));
  EXPECT_EQ(panel.Settings().Overlay, "/new.ovr");
  EXPECT_EQ(f.Stored().Overlay, "/new.ovr");
  f.overlayAnswer = "";
  panel.Dialog().Press(kOverlaysMenu);
  EXPECT_EQ(f.IniText(), "[SETUP]\r\nOVERLAY=\"\"\r\n");
  EXPECT_EQ(f.changes.size(), 2u);
  EXPECT_EQ(f.changes.back().Overlay, "");
}

TEST(ControlPanel, TheAboutBoxAsksTheServerForTheControlsAbout) {
  for (const bool ready : {true, false}) {
    SCOPED_TRACE(ready);
    PanelFixture f;
    int shown = 0;
    f.script.On(kAboutCaption, [&](ui::DialogModel& d) {
      ++shown;
      EXPECT_EQ(d.Field(kAboutControlButton).enabled, ready);
      d.Press(kAboutControlButton);
      EXPECT_EQ(d.Pressed(), "");  // the box stays open
      d.Press(kAboutOk);
    });
    ControlPanel panel(f.Setup(ready));
    panel.Dialog().Press(kAboutMenu);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(f.aboutCalls, ready ? 1 : 0);
  }
  // Without a runner the box closes by OK and asks for nothing.
  int calls = 0;
  ui::DialogModel about = MakeAboutBox(true, [&] { ++calls; });
  ui::RunModal(about);
  EXPECT_EQ(about.Pressed(), kAboutOk);
  EXPECT_EQ(calls, 0);
}

TEST(ControlPanel, HelpShowsThePanelsTopicAndClosesWithThePanel) {
  PanelFixture f;
  f.script.On(kPanelCaption, [](ui::DialogModel& d) {
    d.Press(kHelpMenu);
    d.Press(kExitMenu);
  });
  ControlPanel panel(f.Setup(true));
  panel.Show();
  const std::filesystem::path help = f.folder / "TarvoServer.HLP";
  ASSERT_EQ(f.helpCalls.size(), 2u);
  EXPECT_EQ(f.helpCalls[0], std::make_tuple(HelpCommand::ShowContext, help, 30));
  EXPECT_EQ(std::get<0>(f.helpCalls[1]), HelpCommand::CloseFile);
  EXPECT_EQ(std::get<1>(f.helpCalls[1]), help);
}

TEST(ControlPanel, WithoutTheControlOnlyTheOptionsAreOff) {
  PanelFixture f;
  ServerSettings s;
  s.WhiteBackground = true;
  f.overlayAnswer = "/x.ovr";
  f.script.On(kPanelCaption, [](ui::DialogModel& d) {
    for (const char* item : {kMonochromeItem, kWhiteBackgroundItem, kData1Item, kEasySetupItem}) d.Press(item);
    d.Press(kOverlaysMenu);
    d.Press(kExitMenu);
  });
  ControlPanel panel(f.Setup(false, s));
  EXPECT_FALSE(panel.Dialog().Field(kOptionsMenu).enabled);
  const ServerSettings result = panel.Show();
  EXPECT_TRUE(f.script.requests.empty());
  EXPECT_TRUE(f.script.Messages().empty());
  EXPECT_FALSE(result.Mono);
  EXPECT_EQ(result.Overlay, "/x.ovr");
  // The stored white background is written back as it was, not switched off.
  EXPECT_TRUE(result.WhiteBackground);
  EXPECT_EQ(f.IniText(), "[SETUP]\r\nOVERLAY=/x.ovr\r\nWHITE_BACKGROUND=True\r\n");
}

TEST(ControlPanel, AChangeThatCannotBeWrittenIsToldAndKept) {
  PanelFixture f;
  ControlPanelSetup setup = f.Setup(true);
  setup.Ini = ServerIni(f.folder / "missing" / kSettingsFileName);
  ControlPanel panel(std::move(setup));
  panel.Dialog().Press(kShadeStatesItem);
  EXPECT_FALSE(panel.Settings().ShadeStates);
  ASSERT_EQ(f.script.Messages().size(), 1u);
  EXPECT_EQ(f.script.Messages()[0], SaveFailedText(f.folder / "missing" / kSettingsFileName,
                                                   std::make_error_code(std::errc::no_such_file_or_directory)));
  EXPECT_EQ(f.changes.size(), 1u);
}

}  // namespace
}  // namespace quelmar::server
