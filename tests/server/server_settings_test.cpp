// The server's settings: the keys with their defaults and Boolean reading,
// and the finding of the data folders through the data tree's MAP.INI with
// its messages, what it writes and what it never overwrites.
#include "server/engine/server_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/platform/kernel/test_files.h"
#include "tests/server/dialog_script.h"

namespace quelmar::server {
namespace {

namespace fs = std::filesystem;
using quelmar::testing::ReadText;
using quelmar::testing::ScopedEnv;
using quelmar::testing::TempDir;
using quelmar::testing::WriteText;
using testing::DialogScript;

const std::string kFailure = kDiscoveryFailure;

TEST(ServerSettings, AMissingFileGivesTheDefaults) {
  TempDir dir;
  const ServerSettings s = ReadSettings(ServerIni::ForServerFolder(dir.path()));
  EXPECT_EQ(s, ServerSettings{});
  EXPECT_FALSE(s.Mono);
  EXPECT_TRUE(s.ShadeMcd && s.ShadeCounties && s.ShadePlaces && s.ShadeStates);
  EXPECT_FALSE(s.WhiteBackground);
  EXPECT_EQ(s.SearchType, 0);
  EXPECT_EQ(ServerIni::ForServerFolder(dir.path()).File(), dir / "TarvoServer.INI");
}

TEST(ServerSettings, BooleansReadAsTextOrNumber) {
  struct Case {
    const char* text;
    bool whenDefaultFalse, whenDefaultTrue;  // MONOCHROME defaults to False, SHADE_MCD to True
  };
  const Case cases[] = {
      {"True", true, true},   {"TRUE", true, true},    {"false", false, false}, {"FALSE", false, false},
      {"1", true, true},      {"-1", true, true},      {"0", false, false},     {"0.0", false, false},
      {"2.5", true, true},    {"  true ", true, true}, {"\"False\"", false, false},
      {"yes", false, true},   {"", false, true},       {"1x", false, true},     {"nan", false, true},
  };
  TempDir dir;
  const ServerIni ini(dir / "s.ini");
  for (const Case& c : cases) {
    WriteText(ini.File(), std::string("[SETUP]\nMONOCHROME=") + c.text + "\nSHADE_MCD=" + c.text + "\n");
    const ServerSettings s = ReadSettings(ini);
    EXPECT_EQ(s.Mono, c.whenDefaultFalse) << c.text;
    EXPECT_EQ(s.ShadeMcd, c.whenDefaultTrue) << c.text;
  }
}

TEST(ServerSettings, TheSearchKindIsOneOfTheSix) {
  TempDir dir;
  const ServerIni ini(dir / "s.ini");
  for (const auto& [text, kind] : std::vector<std::pair<std::string, int>>{
           {"3", 3}, {"5", 5}, {"0", 0}, {"6", 0}, {"-1", 0}, {"2.0", 0}, {"x", 0}, {"99999999999", 0}}) {
    WriteText(ini.File(), "[SETUP]\nSEARCH_TYPE=" + text + "\n");
    EXPECT_EQ(ReadSettings(ini).SearchType, kind) << text;
  }
}

TEST(ServerSettings, EverySettingSavesAndReadsBack) {
  TempDir dir;
  const ServerIni ini(dir / "s.ini");
  ServerSettings s;
  s.Mono = true;
  s.ShadeMcd = s.ShadeCounties = s.ShadePlaces = s.ShadeStates = false;
  s.WhiteBackground = true;
  s.Overlay = "/ovr/a.ovr";
  s.Underlay = "";
  s.SearchType = 4;
  s.Data1 = "/d1";
  s.Data2 = "/d2";
  s.Data3 = "/d3";
  s.States0 = "/s0";
  s.States1 = "/s1";
  for (bool ServerSettings::*f : {&ServerSettings::Mono, &ServerSettings::ShadeMcd, &ServerSettings::ShadeCounties,
                                  &ServerSettings::ShadePlaces, &ServerSettings::ShadeStates,
                                  &ServerSettings::WhiteBackground}) {
    ASSERT_TRUE(SaveSetting(ini, s, f));
  }
  for (std::string ServerSettings::*f : {&ServerSettings::Overlay, &ServerSettings::Underlay}) {
    ASSERT_TRUE(SaveSetting(ini, s, f));
  }
  ASSERT_TRUE(SaveSetting(ini, s, &ServerSettings::SearchType));
  ASSERT_TRUE(SavePaths(ini, s));
  EXPECT_EQ(ReadSettings(ini), s);
  EXPECT_EQ(ReadText(ini.File()),
            "[SETUP]\r\nMONOCHROME=True\r\nSHADE_MCD=False\r\nSHADE_COUNTY=False\r\nSHADE_PLACE=False\r\n"
            "SHADE_STATE=False\r\nWHITE_BACKGROUND=True\r\nOVERLAY=/ovr/a.ovr\r\nUNDERLAY=\"\"\r\nSEARCH_TYPE=4\r\n"
            "\r\n[PATHS]\r\nDATA1=/d1\r\nDATA2=/d2\r\nDATA3=/d3\r\nSTATES0=/s0\r\nSTATES1=/s1\r\n");
}

// A data tree: MAP.INI with the given text, and the folders named.
struct Tree {
  TempDir dir;
  fs::path Folder(const std::string& name) const {
    fs::create_directories(dir / name);
    return dir / name;
  }
  void MapIni(const std::string& text, const std::string& name = "MAP.INI") const { WriteText(dir / name, text); }
  std::string Path(const std::string& relative) const { return (dir / relative).string(); }
};

const char* kCompleteMapIni =
    "[Application Interface]\r\nData1Path=DATA1\\\r\nData2Path=DATA2\r\nData3Path=sub\\DATA3\\\r\n"
    "StatesPath=STATES0/\r\n";

// Complete stored paths: used as they are, without a word or a write; Easy
// Setup browses all the same, and when cancelled keeps them.
TEST(ServerSettings, CompleteStoredPaths) {
  for (const bool easySetup : {false, true}) {
    SCOPED_TRACE(easySetup);
    TempDir dir;
    const ServerIni ini(dir / "s.ini");
    const std::string text = "[PATHS]\nDATA1=/d1\nDATA2=/d2\nDATA3=/d3\nSTATES0=/s0\n";
    WriteText(ini.File(), text);
    DialogScript script;
    const ServerSettings s = LoadSettings(ini, easySetup, script.Chooser(), "/start");
    EXPECT_EQ(s.Data1, "/d1");
    EXPECT_EQ(s.States1, "/s0");  // in memory only
    EXPECT_EQ(script.requests.size(), easySetup ? 1u : 0u);
    const std::vector<std::string> told = easySetup ? std::vector<std::string>{kBrowseInstruction, kFailure}
                                                    : std::vector<std::string>();
    EXPECT_EQ(script.Messages(), told);
    EXPECT_EQ(ReadText(ini.File()), text);
  }
}

TEST(ServerSettings, DiscoveryOutcomes) {
  enum class Outcome { Configured, Failed };
  struct Case {
    const char* name;
    bool easySetup;
    std::function<std::string(const Tree&)> prepare;  // the folder the user chooses
    std::vector<std::string> messages;
    Outcome outcome;
  };
  const std::string need = std::string(kNeedPathsPrefix) + kBrowseInstruction;
  const std::string configured = std::string(kPathsConfigured) + kPathsConfiguredMore;
  const Case cases[] = {
      {"cancelled", false, [](const Tree&) { return ""; }, {need, kFailure}, Outcome::Failed},
      {"no MAP.INI", false, [](const Tree& t) { return t.dir.path().string(); }, {need, kNoMapIni + kFailure},
       Outcome::Failed},
      {"a folder named MAP.INI", false,
       [](const Tree& t) {
         t.Folder("MAP.INI");
         return t.dir.path().string();
       },
       {need, kNoMapIni + kFailure}, Outcome::Failed},
      {"MAP.INI without StatesPath", false,
       [](const Tree& t) {
         t.MapIni("[Application Interface]\nData1Path=D1\nData2Path=D2\nData3Path=D3\n");
         return t.dir.path().string();
       },
       {need, kMapIniIncomplete + kFailure}, Outcome::Failed},
      {"MAP.INI of garbage", false,
       [](const Tree& t) {
         t.MapIni(std::string("\0\xff[Application\r\n=\n\x01", 19));
         return t.dir.path().string();
       },
       {need, kMapIniIncomplete + kFailure}, Outcome::Failed},
      {"MAP.INI that cannot be read", false,
       [](const Tree& t) {
         ::mkfifo((t.dir / "MAP.INI").c_str(), 0600);
         return t.dir.path().string();
       },
       {need, kMapIniUnreadable + std::make_error_code(std::errc::invalid_argument).message() + ". " + kFailure},
       Outcome::Failed},
      {"a complete MAP.INI", false,
       [](const Tree& t) {
         t.MapIni(kCompleteMapIni);
         return t.dir.path().string();
       },
       {need, configured}, Outcome::Configured},
      {"a complete map.ini in lower case, chosen with a trailing slash", false,
       [](const Tree& t) {
         t.MapIni(kCompleteMapIni, "map.ini");
         return t.dir.path().string() + "/";
       },
       {need, configured}, Outcome::Configured},
      {"Easy Setup", true,
       [](const Tree& t) {
         t.MapIni(kCompleteMapIni);
         return t.dir.path().string();
       },
       {kBrowseInstruction, kPathsConfigured}, Outcome::Configured},
      {"Easy Setup cancelled", true, [](const Tree&) { return ""; }, {kBrowseInstruction, kFailure},
       Outcome::Failed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Tree tree;
    TempDir server;
    const ServerIni ini(server / "TarvoServer.INI");
    // Incomplete stored paths (no DATA3), which a failure must keep.
    const std::string stored = "[PATHS]\r\nDATA1=/old1\r\nDATA2=/old2\r\nSTATES0=/olds\r\n";
    WriteText(ini.File(), stored);
    DialogScript script;
    script.answers.push_back(c.prepare(tree));
    const ServerSettings s = LoadSettings(ini, c.easySetup, script.Chooser(), "/start/here");
    EXPECT_EQ(script.Messages(), c.messages);
    ASSERT_EQ(script.requests.size(), 1u);
    EXPECT_EQ(script.requests[0].Title, "Browse to the Tarvo Mapping program folder");
    EXPECT_EQ(script.requests[0].StartFolder, "/start/here");
    if (c.outcome == Outcome::Failed) {
      EXPECT_EQ(s.Data1, "/old1");
      EXPECT_EQ(s.Data3, "");
      EXPECT_EQ(s.States1, "");  // only complete paths fill STATES1
      EXPECT_EQ(ReadText(ini.File()), stored);
    } else {
      ServerSettings expected;
      expected.Data1 = tree.Path("DATA1");
      expected.Data2 = tree.Path("DATA2");
      expected.Data3 = tree.Path("sub/DATA3");
      expected.States0 = tree.Path("STATES0");
      expected.States1 = expected.States0;  // DATA1 and STATES0 share their folder
      EXPECT_EQ(s, expected);
      EXPECT_EQ(ReadSettings(ini), expected);
    }
  }
}

TEST(ServerSettings, TheSupplementaryStreetFolder) {
  struct Case {
    const char* name;
    const char* data1;   // relative to the tree
    const char* states;  // relative to the tree
    const char* statesFolder;  // the folder made beside DATA1 (nullptr: none)
    const char* states1;  // expected, relative to the tree
  };
  const Case cases[] = {
      {"different parents, States there", "MAPS/DATA1/", "E/STATES", "MAPS/States", "MAPS/States"},
      {"different parents, STATES in capitals", "MAPS/DATA1", "E/STATES", "MAPS/STATES", "MAPS/STATES"},
      {"different parents, no States", "MAPS/DATA1\\", "E/STATES", nullptr, "E/STATES"},
      {"same parent", "DATA1", "STATES", "States", "STATES"},
      {"same parent in another case", "maps/DATA1", "MAPS/STATES", nullptr, "MAPS/STATES"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Tree tree;
    if (c.statesFolder) tree.Folder(c.statesFolder);
    tree.MapIni(std::string("[Application Interface]\nData1Path=") + c.data1 + "\nData2Path=D2\nData3Path=D3\n" +
                "StatesPath=" + c.states + "\n");
    ServerSettings s;
    ASSERT_TRUE(ReadMapIni(tree.dir.path(), &s));
    EXPECT_NE(s.Data1.back(), '/');
    EXPECT_EQ(s.States1, tree.Path(c.states1));
  }
}

TEST(ServerSettings, MapIniFoldersAsPathsOfThisSystem) {
  Tree tree;
  tree.MapIni("[application interface]\nData1Path=/abs/DATA1/\nData2Path=\"./two\\\"\nData3Path=/\n"
              "StatesPath=  ../up/STATES  \n");
  ServerSettings s;
  ASSERT_TRUE(ReadMapIni(tree.dir.path(), &s));
  EXPECT_EQ(s.Data1, "/abs/DATA1");
  EXPECT_EQ(s.Data2, tree.Path("two"));
  EXPECT_EQ(s.Data3, "/");  // the root keeps its separator
  EXPECT_EQ(s.States0, (tree.dir.path().parent_path() / "up/STATES").string());
  std::error_code error;
  ServerSettings untouched;
  untouched.Data1 = "kept";
  TempDir empty;
  EXPECT_FALSE(ReadMapIni(empty.path(), &untouched, &error));
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
  EXPECT_EQ(untouched.Data1, "kept");
}

TEST(ServerSettings, PathsThatCannotBeSavedAreToldAndStillUsed) {
  Tree tree;
  tree.MapIni(kCompleteMapIni);
  TempDir server;
  const ServerIni ini(server / "missing-folder" / "TarvoServer.INI");
  DialogScript script;
  script.answers.push_back(tree.dir.path().string());
  const ServerSettings s = LoadSettings(ini, false, script.Chooser(), "");
  EXPECT_EQ(s.Data1, tree.Path("DATA1"));
  ASSERT_EQ(script.Messages().size(), 3u);
  EXPECT_EQ(script.Messages()[2],
            SaveFailedText(ini.File(), std::make_error_code(std::errc::no_such_file_or_directory)));
}

TEST(ServerSettings, TheBrowseStartsInTheDefaultDataTree) {
  TempDir home, data;
  const ScopedEnv unsetData("QUELMAR_DATA", std::nullopt);
  const ScopedEnv unsetXdg("XDG_DATA_HOME", std::nullopt);
  const ScopedEnv setHome("HOME", home.path().string());
  EXPECT_EQ(DefaultDataTreeFolder(), "");  // no tree built
  fs::create_directories(home / ".local/share/quelmar/map");
  WriteText(home / ".local/share/quelmar/map/MAP.INI", kCompleteMapIni);
  EXPECT_EQ(DefaultDataTreeFolder(), (home / ".local/share/quelmar/map").string());
  {
    const ScopedEnv xdg("XDG_DATA_HOME", data.path().string());
    EXPECT_EQ(DefaultDataTreeFolder(), "");  // the XDG folder holds no tree
  }
  WriteText(data / "MAP.INI", kCompleteMapIni);
  const ScopedEnv quelmarData("QUELMAR_DATA", data.path().string());
  EXPECT_EQ(DefaultDataTreeFolder(), data.path().string());
}

TEST(ServerSettings, BrowsingForOneDataFolder) {
  TempDir dir;
  DialogScript script;
  script.answers = {"/chosen", ""};
  EXPECT_EQ(BrowseDataFolder(dir.path().string(), "Data1", script.Chooser()), "/chosen");
  EXPECT_EQ(BrowseDataFolder((dir / "gone").string(), "States (Supplementary)", script.Chooser()), "");
  ASSERT_EQ(script.requests.size(), 2u);
  EXPECT_EQ(script.requests[0].Title, "Browse to the Tarvo Mapping Data1 folder");
  EXPECT_EQ(script.requests[0].StartFolder, dir.path().string());
  EXPECT_EQ(script.requests[1].Title, "Browse to the Tarvo Mapping States (Supplementary) folder");
  EXPECT_EQ(script.requests[1].StartFolder, "");  // no such folder: from the top
  EXPECT_EQ(BrowseDataFolder(dir.path().string(), "Data1", FolderChooser()), "");
}

TEST(ServerSettings, TheServersOwnFolderBrowser) {
  TempDir dir;
  struct Case {
    const char* name;
    std::string typed;
    const char* button;
    std::string result;
  };
  const Case cases[] = {
      {"a folder", dir.path().string(), kBrowseOk, dir.path().string()},
      {"no folder", (dir / "gone").string(), kBrowseOk, ""},
      {"nothing", "", kBrowseOk, ""},
      {"cancelled", dir.path().string(), kBrowseCancel, ""},
  };
  for (const Case& c : cases) {
    DialogScript script;
    script.On(kBrowseCaption, [&](ui::DialogModel& d) {
      EXPECT_EQ(d.Field(kBrowsePrompt).text, "Browse to it");
      EXPECT_EQ(d.Field(kBrowseFolder).text, "/start");
      d.Field(kBrowseFolder).text = c.typed;
      d.Press(c.button);
    });
    EXPECT_EQ(BrowseForFolder({"Browse to it", "/start"}), c.result) << c.name;
  }
  // A desktop without a runner takes the start folder.
  EXPECT_EQ(BrowseForFolder({"Browse to it", dir.path().string()}), dir.path().string());
}

}  // namespace
}  // namespace quelmar::server
