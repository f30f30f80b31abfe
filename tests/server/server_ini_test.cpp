// The server's INI access: values read back as a private-profile read gives
// them, the empty value kept as two double quotes, refused writes that leave
// the file alone, and damaged files that read as what they hold.
#include "server/engine/server_ini.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "tests/platform/kernel/test_files.h"

namespace quelmar::server {
namespace {

using quelmar::testing::FileCount;
using quelmar::testing::ReadText;
using quelmar::testing::TempDir;
using quelmar::testing::WriteText;

TEST(ServerIni, ValuesReadBackAsTheProfileReadGivesThem) {
  struct Case {
    const char* name;
    std::string written;
    std::string read;
  };
  const Case cases[] = {
      {"plain", "C:/maps/data1", "C:/maps/data1"},
      {"empty", "", ""},
      {"blanks around", "  padded \t", "padded"},
      {"double quotes", "\"quoted\"", "quoted"},
      {"single quotes", "'single'", "single"},
      {"quotes kept inside", "a \"b\" c", "a \"b\" c"},
      {"one quote", "\"", "\""},
      {"semicolon", "a;b", "a;b"},
      {"high bytes", "Caf\xE9", "Caf\xE9"},
      {"longer than 499", std::string(600, 'x'), std::string(499, 'x')},
  };
  TempDir dir;
  const ServerIni ini(dir / "TarvoServer.INI");
  for (const Case& c : cases) {
    std::error_code error;
    ASSERT_TRUE(ini.SaveIniString("SETUP", c.name, c.written, &error)) << c.name << ": " << error.message();
    EXPECT_EQ(ini.GetIniString("SETUP", c.name, "default"), c.read) << c.name;
  }
  // Read from a fresh object: nothing is cached.
  EXPECT_EQ(ServerIni(dir / "TarvoServer.INI").GetIniString("setup", "PLAIN", ""), "C:/maps/data1");
}

TEST(ServerIni, AnEmptyValueIsWrittenAsTwoQuotesAndKeepsTheKey) {
  TempDir dir;
  const ServerIni ini(dir / "TarvoServer.INI");
  ASSERT_TRUE(ini.SaveIniString("SETUP", "OVERLAY", ""));
  EXPECT_EQ(ReadText(dir / "TarvoServer.INI"), "[SETUP]\r\nOVERLAY=\"\"\r\n");
  EXPECT_EQ(ini.GetIniString("SETUP", "OVERLAY", "missing"), "");
}

TEST(ServerIni, MissingKeysFilesAndNames) {
  TempDir dir;
  WriteText(dir / "a.ini", "[SETUP]\nMONOCHROME=True\n");
  const ServerIni ini(dir / "a.ini");
  EXPECT_EQ(ini.GetIniString("SETUP", "MONOCHROME", "x"), "True");
  EXPECT_EQ(ini.GetIniString("SETUP", "OTHER", "fallback"), "fallback");
  EXPECT_EQ(ini.GetIniString("PATHS", "DATA1", "fallback"), "fallback");
  EXPECT_EQ(ini.GetIniString("SETUP", "OTHER", std::string(700, 'd')), std::string(499, 'd'));
  EXPECT_EQ(ServerIni(dir / "missing.ini").GetIniString("SETUP", "MONOCHROME", "fallback"), "fallback");
  // Without a file name there is nothing to read or write.
  const ServerIni nameless;
  EXPECT_EQ(nameless.GetIniString("SETUP", "MONOCHROME", "fallback"), "");
  std::error_code error;
  EXPECT_FALSE(nameless.SaveIniString("SETUP", "MONOCHROME", "True", &error));
  EXPECT_EQ(error, std::errc::invalid_argument);
  EXPECT_TRUE(nameless.LoadAllKeysInSection("SETUP").empty());
}

TEST(ServerIni, NewFilesUseCrLfAndOldOnesKeepTheirLineEnds) {
  TempDir dir;
  ASSERT_TRUE(ServerIni(dir / "new.ini").SaveIniString("A", "k", "v"));
  EXPECT_EQ(ReadText(dir / "new.ini"), "[A]\r\nk=v\r\n");
  WriteText(dir / "old.ini", "[A]\nk=v\n");
  ASSERT_TRUE(ServerIni(dir / "old.ini").SaveIniString("A", "j", "w"));
  EXPECT_EQ(ReadText(dir / "old.ini"), "[A]\nk=v\nj=w\n");
}

TEST(ServerIni, WritesThatCouldNotReadBackAreRefusedAndChangeNothing) {
  struct Case {
    const char* name;
    std::string section, key, value;
  };
  const Case cases[] = {
      {"line break in the value", "SETUP", "OVERLAY", "a\nb"},
      {"carriage return in the value", "SETUP", "OVERLAY", "a\rb"},
      {"equals sign in the key", "SETUP", "A=B", "v"},
      {"empty key", "SETUP", "", "v"},
      {"comment key", "SETUP", ";k", "v"},
      {"header key", "SETUP", "[k", "v"},
      {"blanks around the key", "SETUP", " k", "v"},
      {"bracket in the section", "SE]TUP", "k", "v"},
      {"line break in the section", "SE\nTUP", "k", "v"},
  };
  TempDir dir;
  const std::string before = "[SETUP]\r\nMONOCHROME=True\r\n";
  WriteText(dir / "s.ini", before);
  const ServerIni ini(dir / "s.ini");
  for (const Case& c : cases) {
    std::error_code error;
    EXPECT_FALSE(ini.SaveIniString(c.section, c.key, c.value, &error)) << c.name;
    EXPECT_EQ(error, std::errc::invalid_argument) << c.name;
    EXPECT_FALSE(ini.SaveIniStrings(c.section, {{"GOOD", "v"}, {c.key, c.value}}, &error)) << c.name;
    EXPECT_EQ(ReadText(dir / "s.ini"), before) << c.name;
  }
}

TEST(ServerIni, AFileThatCannotBeReadIsNeverReplaced) {
  TempDir dir;
  // A FIFO: reading it must not wait for a writer, and a write must not go into it.
  ASSERT_EQ(::mkfifo((dir / "fifo.ini").c_str(), 0600), 0);
  std::error_code error;
  EXPECT_EQ(ServerIni(dir / "fifo.ini").GetIniString("S", "k", "fallback"), "fallback");
  EXPECT_FALSE(ServerIni(dir / "fifo.ini").SaveIniString("S", "k", "v", &error));
  EXPECT_TRUE(error);
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "fifo.ini"));
  // A folder in the file's place.
  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_FALSE(ServerIni(dir / "folder.ini").SaveIniString("S", "k", "v", &error));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.ini"));
  // A missing folder.
  EXPECT_FALSE(ServerIni(dir / "none" / "s.ini").SaveIniString("S", "k", "v", &error));
  EXPECT_FALSE(std::filesystem::exists(dir / "none"));
}

TEST(ServerIni, AFailedSaveLeavesTheOldFileAndNoTemporary) {
  TempDir dir;
  const std::string before = "[SETUP]\r\nMONOCHROME=True\r\n";
  WriteText(dir / "s.ini", before);
  {
    quelmar::testing::ScopedFileSizeLimit limit(64);
    std::error_code error;
    EXPECT_FALSE(ServerIni(dir / "s.ini").SaveIniString("SETUP", "OVERLAY", std::string(400, 'o'), &error));
    EXPECT_TRUE(error);
  }
  EXPECT_EQ(ReadText(dir / "s.ini"), before);
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

TEST(ServerIni, SeveralKeysInOneSave) {
  TempDir dir;
  const ServerIni ini(dir / "s.ini");
  ASSERT_TRUE(ini.SaveIniStrings("PATHS", {{"DATA1", "/d1"}, {"DATA2", ""}, {"DATA1", "/again"}}));
  EXPECT_EQ(ReadText(dir / "s.ini"), "[PATHS]\r\nDATA1=/again\r\nDATA2=\"\"\r\n");
}

TEST(ServerIni, WriteDefaultOnlyWhenTheKeyIsMissing) {
  TempDir dir;
  const ServerIni ini(dir / "s.ini");
  EXPECT_EQ(ini.GetIniStringWriteDefault("SETUP", "SEARCH_TYPE", "0"), "0");
  EXPECT_EQ(ini.GetIniString("SETUP", "SEARCH_TYPE", "missing"), "0");
  ASSERT_TRUE(ini.SaveIniString("SETUP", "SEARCH_TYPE", "3"));
  EXPECT_EQ(ini.GetIniStringWriteDefault("SETUP", "SEARCH_TYPE", "0"), "3");
  // A default with blanks at its ends is written in quotes, so they read back.
  EXPECT_EQ(ini.GetIniStringWriteDefault("SETUP", "TITLE", " A Title "), " A Title ");
  EXPECT_NE(ReadText(dir / "s.ini").find("TITLE=\" A Title \""), std::string::npos);
  EXPECT_EQ(ini.GetIniString("SETUP", "TITLE", ""), " A Title ");
  // The stored marker itself reads as missing, as the marker means.
  ASSERT_TRUE(ini.SaveIniString("SETUP", "ODD", std::string(ServerIni::kMissingMarker)));
  EXPECT_EQ(ini.GetIniStringWriteDefault("SETUP", "ODD", "fixed"), "fixed");
  EXPECT_EQ(ini.GetIniString("SETUP", "ODD", ""), "fixed");
}

TEST(ServerIni, AllKeysOfASectionWithinTheBuffer) {
  TempDir dir;
  WriteText(dir / "s.ini", "[Visible]\nOVER=TRUE\nUNDER=\"\"\n[Other]\nx=1\n");
  const ServerIni ini(dir / "s.ini");
  EXPECT_EQ(ini.LoadAllKeysInSection("visible"), (std::vector<std::string>{"OVER=TRUE", "UNDER=\"\""}));
  EXPECT_TRUE(ini.LoadAllKeysInSection("Missing").empty());

  // 2000 entries of 9 characters ("Knnnn=vvv") and their end marks: only whole
  // entries within 10,000 characters come back.
  std::string big = "[Big]\n";
  for (int i = 0; i < 2000; ++i) big += "K" + std::to_string(1000 + i) + "=vvv\n";
  WriteText(dir / "big.ini", big);
  const std::vector<std::string> entries = ServerIni(dir / "big.ini").LoadAllKeysInSection("Big");
  std::size_t used = 1;
  for (const std::string& e : entries) used += e.size() + 1;
  EXPECT_LE(used, ServerIni::kMaxSectionLength);
  EXPECT_EQ(entries.size(), (ServerIni::kMaxSectionLength - 1) / 10);
  EXPECT_EQ(entries.front(), "K1000=vvv");
}

TEST(ServerIni, DeletingKeysAndSections) {
  TempDir dir;
  WriteText(dir / "s.ini", "[A]\r\nk=1\r\nj=2\r\n[B]\r\nx=3\r\n");
  const ServerIni ini(dir / "s.ini");
  ASSERT_TRUE(ini.DeleteKey("a", "K"));
  EXPECT_EQ(ReadText(dir / "s.ini"), "[A]\r\nj=2\r\n\r\n[B]\r\nx=3\r\n");
  ASSERT_TRUE(ini.DeleteSection("b"));
  EXPECT_EQ(ReadText(dir / "s.ini"), "[A]\r\nj=2\r\n");
  // Nothing to remove: nothing written, and no file made.
  EXPECT_TRUE(ini.DeleteKey("A", "none"));
  EXPECT_TRUE(ServerIni(dir / "missing.ini").DeleteSection("A"));
  EXPECT_FALSE(std::filesystem::exists(dir / "missing.ini"));
}

TEST(ServerIni, TrueAndFalseTexts) {
  for (const char* t : {"TRUE", "true", "True", "tRuE"}) EXPECT_TRUE(ServerIni::IsItTrue(t)) << t;
  for (const char* t : {"", "FALSE", "1", "-1", " TRUE", "TRUE ", "yes"}) EXPECT_FALSE(ServerIni::IsItTrue(t)) << t;
  EXPECT_EQ(ServerIni::TrueOrFalse(true), "TRUE");
  EXPECT_EQ(ServerIni::TrueOrFalse(false), "FALSE");
}

// A settings file cut at every byte, and files of random bytes: every read
// gives a value within the limit, and a save keeps what could be read.
TEST(ServerIni, TruncatedAndGarbageFiles) {
  TempDir dir;
  const std::string whole =
      "[SETUP]\r\nMONOCHROME=True\r\nOVERLAY=\"/home/u/a b.ovr\"\r\n[PATHS]\r\nDATA1=/maps/DATA1\r\n";
  const ServerIni ini(dir / "s.ini");
  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    WriteText(dir / "s.ini", whole.substr(0, cut));
    const std::string overlay = ini.GetIniString("SETUP", "OVERLAY", "none");
    EXPECT_TRUE(overlay == "none" || std::string("/home/u/a b.ovr").starts_with(overlay) ||
                std::string("\"/home/u/a b.ovr").starts_with(overlay))
        << cut << ": " << overlay;
    ASSERT_TRUE(ini.SaveIniString("SETUP", "SEARCH_TYPE", "2")) << cut;
    EXPECT_EQ(ini.GetIniString("SETUP", "SEARCH_TYPE", ""), "2") << cut;
  }
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    std::string bytes(random() % 2000, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 8 == 0 ? "[]=\r\n\"';"[random() % 8] : random());
    WriteText(dir / "g.ini", bytes);
    const ServerIni garbage(dir / "g.ini");
    for (const std::string& entry : garbage.LoadAllKeysInSection("SETUP")) {
      EXPECT_EQ(entry.find('\n'), std::string::npos);
    }
    EXPECT_LE(garbage.GetIniString("SETUP", "OVERLAY", "").size(), ServerIni::kMaxValueLength);
    ASSERT_TRUE(garbage.SaveIniString("SETUP", "OVERLAY", "x")) << round;
    EXPECT_EQ(garbage.GetIniString("SETUP", "OVERLAY", ""), "x") << round;
  }
}

}  // namespace
}  // namespace quelmar::server
