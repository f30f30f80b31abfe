// The configuration file's text: which lines are settings, how values read
// as numbers, booleans, lists and colours, how the writer lays sections out,
// and saves that keep the old file and its backup.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "control/config/config_file.h"
#include "control/config/config_text.h"

namespace quelmar::config {
namespace {

namespace fs = std::filesystem;

TEST(ConfigText, SettingLinesInOrder) {
  const std::string text =
      "[Directories]\r\nCDSTATE=d:\\states0   ; the primary streets\r\nno equals here\r\n"
      "\r\n[Visible]\r\nUNDER=TRUE\nAVERYLONGKEYNAME1=x\r\nLAYER=3,1\r\nLAYER=30,1\r\n=empty key\r\n";
  EXPECT_EQ(ParseConfigText(text),
            (std::vector<ConfigEntry>{{"CDSTATE=", "d:\\states0   "},
                                      {"UNDER=", "TRUE"},
                                      {"LAYER=", "3,1"},
                                      {"LAYER=", "30,1"},
                                      {"=", "empty key"}}));
  EXPECT_TRUE(ParseConfigText("").empty());
}

TEST(ConfigText, ValuesReadAsTheirKinds) {
  struct Case {
    const char* value;
    double real;
    std::int32_t integer;
    bool boolean;
  };
  const Case cases[] = {
      {"2.5", 2.5, 3, false},       {" 12 ", 12, 12, false},    {"abc", 0, 0, false},
      {"TRUE", 0, 0, true},         {"true", 0, 0, false},      {"NOT TRUE", 0, 0, true},
      {"1e400", 0, 0, false},       {"-3e9", -3e9, INT32_MIN, false}, {"nan", 0, 0, false},
      {"9999999999", 9999999999.0, INT32_MAX, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConfigReal(c.value), c.real) << c.value;
    EXPECT_EQ(ConfigInteger(c.value), c.integer) << c.value;
    EXPECT_EQ(ConfigBoolean(c.value), c.boolean) << c.value;
  }
  EXPECT_EQ(ConfigList("3,200, 7"), (std::vector<double>{3, 200, 7}));
  EXPECT_EQ(ConfigList("x"), (std::vector<double>{0}));
  EXPECT_EQ(ConfigColour("$00AFFFFF"), 0xAFFFFFu);
  EXPECT_EQ(ConfigColour("$ff"), 0xFFu);
  EXPECT_EQ(ConfigColour("$1234567890"), 0u);  // more digits than a colour has
  EXPECT_EQ(ConfigColour("$"), 0u);
  EXPECT_EQ(ConfigColour("255"), 255u);
}

TEST(ConfigWriter, SectionsKeysAndValues) {
  ConfigWriter w;
  w.Section("Directories");
  w.Text("CDSTATE=", "f:\\TARVO50\\States0");
  w.Section("Modules");
  w.Boolean("BKPNT=", false);
  w.Integer("TIGER=", 2);
  w.Real2("MLT=", 0.755);
  w.Real2("MRT=", 1e308 * 10);
  w.Number("ASP=", 1.25);
  w.Colour("STSHD=", 0xAFFFFF);
  w.List("LAYER=", {3, 1});
  EXPECT_EQ(w.Text(),
            "[Directories]\r\nCDSTATE=f:\\TARVO50\\States0\r\n\r\n[Modules]\r\nBKPNT=FALSE\r\nTIGER=2\r\n"
            "MLT=0.76\r\nMRT=0.00\r\nASP=1.25\r\nSTSHD=$00AFFFFF\r\nLAYER=3,1\r\n");
  // What is written reads back the same.
  const std::vector<ConfigEntry> back = ParseConfigText(w.Text());
  ASSERT_EQ(back.size(), 8u);
  EXPECT_EQ(ConfigColour(back[6].Value), 0xAFFFFFu);
}

class ConfigFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("config-files-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  static std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  fs::path folder_;
};

TEST_F(ConfigFiles, SavesKeepThePreviousFileAsTheBackup) {
  const fs::path file = folder_ / "Quelmar50.Cfg";
  EXPECT_EQ(BackupPath(file), folder_ / "Quelmar50.Cfb");
  EXPECT_EQ(BackupPath(folder_ / "settings.cfb"), folder_ / "settings.cfbb");  // never the file itself
  ASSERT_TRUE(SaveConfigFile(file, "A=1\r\n"));
  EXPECT_FALSE(fs::exists(BackupPath(file)));
  ASSERT_TRUE(SaveConfigFile(file, "A=2\r\n"));
  ASSERT_TRUE(SaveConfigFile(file, "A=3\r\n"));
  EXPECT_EQ(Read(file), "A=3\r\n");
  EXPECT_EQ(Read(BackupPath(file)), "A=2\r\n");  // only the previous version
  // A save that cannot be written leaves the file as it was.
  std::error_code error;
  EXPECT_FALSE(SaveConfigFile(folder_ / "missing" / "Quelmar50.Cfg", "A=4\r\n", &error));
  EXPECT_TRUE(error);
  EXPECT_EQ(ReadConfigFile(file)->front().Value, "3");
  EXPECT_FALSE(ReadConfigFile(folder_ / "none.cfg", &error));
}

}  // namespace
}  // namespace quelmar::config
