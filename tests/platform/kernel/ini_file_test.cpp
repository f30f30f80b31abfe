#include "platform/kernel/ini_file.h"

#include <gtest/gtest.h>

#include "platform/kernel/test_files.h"

namespace quelmar::kernel {
namespace {

using quelmar::testing::ReadText;
using quelmar::testing::TempDir;
using quelmar::testing::WriteText;

using Names = std::vector<std::string>;

TEST(KernelIniFileTest, ParsesSectionsKeysAndToleratesNoise) {
  IniFile ini;
  ini.Parse(
      "\xEF\xBB\xBF"          // byte order mark
      "top=level\r\n"         // before any header
      "; a comment\r\n"
      "\r\n"
      "[Paths]\r\n"
      "  DATA1 = C:\\MAPS\\DATA1 \r\n"
      "Under=a.bmp;b.bmp\r\n"  // ';' inside a value is not a comment
      "no equals sign here\r\n"
      "=no key\r\n"
      "[broken header\r\n"
      "Empty=\r\n"
      "[ Setup ]\r\n"
      "Mono=True\r\n"
      "mono=False\r\n"  // repeated key: the first wins
      "[paths]\r\n"     // repeated section: merged into the first
      "Data2=D:\\DATA2");  // last line without a line end

  EXPECT_EQ(ini.SectionNames(), (Names{"", "Paths", "Setup"}));
  EXPECT_EQ(ini.Get("", "top"), "level");
  EXPECT_EQ(ini.Get("Paths", "DATA1"), "C:\\MAPS\\DATA1");
  EXPECT_EQ(ini.Get("Paths", "Under"), "a.bmp;b.bmp");
  EXPECT_EQ(ini.Get("Paths", "Empty"), "");
  EXPECT_EQ(ini.KeyNames("PATHS"), (Names{"DATA1", "Under", "Empty", "Data2"}));
  EXPECT_EQ(ini.Get("setup", "MONO"), "True");
  EXPECT_EQ(ini.KeyNames("Setup"), (Names{"Mono"}));
  EXPECT_EQ(ini.line_ending(), IniFile::LineEnding::CrLf);
}

TEST(KernelIniFileTest, LookupIgnoresCaseAndKeepsSpelling) {
  IniFile ini;
  ini.Set("Directories", "CdState", "x");
  ini.Set("DIRECTORIES", "cdstate", "y");
  EXPECT_EQ(ini.SectionNames(), (Names{"Directories"}));
  EXPECT_EQ(ini.KeyNames("directories"), (Names{"CdState"}));
  EXPECT_EQ(ini.Get("Directories", "CDSTATE"), "y");
  EXPECT_EQ(ini.Get("Directories", "missing"), std::nullopt);
  EXPECT_EQ(ini.Get("Nowhere", "CdState"), std::nullopt);
  EXPECT_EQ(ini.GetOr("Nowhere", "CdState", "fallback"), "fallback");
}

TEST(KernelIniFileTest, RemovesKeysAndSections) {
  IniFile ini;
  ini.Parse("[A]\nx=1\ny=2\n[B]\nz=3\n");
  EXPECT_TRUE(ini.Remove("a", "X"));
  EXPECT_FALSE(ini.Remove("a", "X"));
  EXPECT_FALSE(ini.Remove("Nowhere", "y"));
  EXPECT_EQ(ini.KeyNames("A"), (Names{"y"}));
  EXPECT_TRUE(ini.RemoveSection("b"));
  EXPECT_FALSE(ini.RemoveSection("b"));
  EXPECT_FALSE(ini.HasSection("B"));
  EXPECT_EQ(ini.Serialize(), "[A]\ny=2\n");
}

TEST(KernelIniFileTest, SerializesInOrderWithTheUnnamedSectionFirst) {
  IniFile ini;
  ini.Set("First", "a", "1");
  ini.Set("", "loose", "0");
  ini.Set("Second", "b", "2");
  EXPECT_EQ(ini.Serialize(), "loose=0\n\n[First]\na=1\n\n[Second]\nb=2\n");
  ini.SetLineEnding(IniFile::LineEnding::CrLf);
  EXPECT_EQ(ini.Serialize(), "loose=0\r\n\r\n[First]\r\na=1\r\n\r\n[Second]\r\nb=2\r\n");
}

TEST(KernelIniFileTest, SaveAndLoadRoundTrip) {
  TempDir dir;
  const auto path = dir / "settings.ini";
  IniFile written;
  written.Set("SETUP", "MONOCHROME", "False");
  written.Set("SETUP", "SEARCH_TYPE", "3");
  written.Set("PATHS", "DATA1", "/data/one with spaces");
  written.SetLineEnding(IniFile::LineEnding::CrLf);
  ASSERT_TRUE(written.Save(path));

  IniFile read;
  ASSERT_TRUE(read.Load(path));
  EXPECT_EQ(read.Serialize(), written.Serialize());
  EXPECT_EQ(read.line_ending(), IniFile::LineEnding::CrLf);
  EXPECT_EQ(ReadText(path), "[SETUP]\r\nMONOCHROME=False\r\nSEARCH_TYPE=3\r\n\r\n[PATHS]\r\nDATA1=/data/one with spaces\r\n");
}

TEST(KernelIniFileTest, LoadOfMissingFileIsEmptyAndReadErrorsFail) {
  TempDir dir;
  IniFile ini;
  ini.Set("Old", "k", "v");
  EXPECT_TRUE(ini.Load(dir / "absent.ini"));
  EXPECT_TRUE(ini.SectionNames().empty());

  std::error_code error;
  EXPECT_FALSE(ini.Load(dir.path(), &error));  // a folder cannot be read as a file
  EXPECT_TRUE(error);
}

TEST(KernelIniFileTest, BinaryGarbageNeverBreaksTheReader) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919) % 256));
  garbage += "\n[Good]\nkey=value\n";
  IniFile ini;
  ini.Parse(garbage);
  EXPECT_EQ(ini.Get("Good", "key"), "value");
}

}  // namespace
}  // namespace quelmar::kernel

namespace quelmar::kernel {
namespace {

// Many sections, and a section of many keys, each found again in any case;
// a repeated section continues the first, a repeated key keeps its first value.
TEST(KernelIniFileTest, ManySectionsAndKeysAreFoundAsWritten) {
  std::string text;
  constexpr int kSections = 20000;
  for (int i = 0; i < kSections; ++i) text += "[S" + std::to_string(i) + "]\nK=" + std::to_string(i) + "\n";
  text += "[s7]\nK=again\nMore=yes\n[Big]\n";
  for (int i = 0; i < kSections; ++i) text += "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
  IniFile ini;
  ini.Parse(text);
  EXPECT_EQ(ini.SectionNames().size(), static_cast<std::size_t>(kSections + 1));
  EXPECT_EQ(ini.GetOr("S19999", "k", ""), "19999");
  EXPECT_EQ(ini.GetOr("S7", "K", ""), "7") << "the first value counts";
  EXPECT_EQ(ini.GetOr("S7", "more", ""), "yes") << "the repeated section continues the first";
  EXPECT_EQ(ini.KeyNames("big").size(), static_cast<std::size_t>(kSections));
  EXPECT_EQ(ini.GetOr("BIG", "KEY12345", ""), "12345");
}

}  // namespace
}  // namespace quelmar::kernel
