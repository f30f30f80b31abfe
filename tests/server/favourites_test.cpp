// The favourites file: lines kept exactly as given, appends and rewrites
// that never lose the old file, the read limits, and damaged files that give
// what they hold.
#include "server/engine/favourites.h"

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
using Lines = std::vector<std::string>;

TEST(Favourites, LineEndsOfEveryKind) {
  struct Case {
    std::string text;
    Lines lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"\r\n", {""}},
      {"a\n\r", {"a", ""}},
      {"a\r\r\n", {"a", ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseFavourites(c.text, 100), c.lines) << c.text;
  bool cut = false;
  EXPECT_EQ(ParseFavourites("a\nb\nc\n", 2, &cut), (Lines{"a", "b"}));
  EXPECT_TRUE(cut);
  EXPECT_EQ(ParseFavourites("a\nb\n", 2, &cut), (Lines{"a", "b"}));
  EXPECT_FALSE(cut);
}

TEST(Favourites, SavedLinesReadBackExactly) {
  TempDir dir;
  const auto file = dir / kFavouritesFileName;
  const Lines lines = {"Chicago|-87.9|41.6|-87.5|42.0", "", "  blanks kept  ", "tab\there", "Caf\xE9",
                       std::string("nul\0inside", 10)};
  ASSERT_TRUE(SaveFavourites(file, lines));
  EXPECT_EQ(ReadText(file).substr(0, 31), "Chicago|-87.9|41.6|-87.5|42.0\r\n");
  std::error_code error;
  EXPECT_EQ(LoadFavourites(file, &error), lines);
  EXPECT_FALSE(error);
  // Three lines give three favourites.
  WriteText(file, "one\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(LoadFavourites(file).size(), 3u);
  // An empty list leaves an empty file.
  ASSERT_TRUE(SaveFavourites(file, {}));
  EXPECT_EQ(ReadText(file), "");
  EXPECT_TRUE(LoadFavourites(file).empty());
}

TEST(Favourites, AppendsMakeTheFileAndEndTheLastLine) {
  TempDir dir;
  const auto file = dir / kFavouritesFileName;
  ASSERT_TRUE(AppendFavourite(file, "first"));
  ASSERT_TRUE(AppendFavourite(file, ""));
  ASSERT_TRUE(AppendFavourite(file, "third"));
  EXPECT_EQ(ReadText(file), "first\r\n\r\nthird\r\n");
  // A file whose last line has no end, written by another program.
  WriteText(file, "a\nb");
  ASSERT_TRUE(AppendFavourite(file, "c"));
  EXPECT_EQ(LoadFavourites(file), (Lines{"a", "b", "c"}));
}

TEST(Favourites, FilesThatCannotBeReadGiveNoLines) {
  TempDir dir;
  std::error_code error;
  EXPECT_TRUE(LoadFavourites(dir / "missing.FAV", &error).empty());
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
  EXPECT_TRUE(LoadFavourites(dir.path(), &error).empty());
  EXPECT_TRUE(error);
  ASSERT_EQ(::mkfifo((dir / "fifo.FAV").c_str(), 0600), 0);
  EXPECT_TRUE(LoadFavourites(dir / "fifo.FAV", &error).empty());  // without waiting for a writer
  EXPECT_TRUE(error);
  EXPECT_FALSE(AppendFavourite(dir / "fifo.FAV", "x", &error));
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "fifo.FAV"));
  EXPECT_FALSE(SaveFavourites(dir / "no-folder" / "a.FAV", {"x"}, &error));
  EXPECT_FALSE(AppendFavourite(dir / "no-folder" / "a.FAV", "x", &error));
  EXPECT_FALSE(std::filesystem::exists(dir / "no-folder"));
}

TEST(Favourites, LimitsOnReadingAndOnChanges) {
  TempDir dir;
  const auto file = dir / "a.FAV";
  const FavouritesLimits limits{3, 40};
  std::error_code error;

  WriteText(file, "1\r\n2\r\n3\r\n4\r\n");
  EXPECT_EQ(LoadFavourites(file, &error, limits), (Lines{"1", "2", "3"}));
  EXPECT_EQ(error, std::errc::file_too_large);
  // An append to a file already past a limit is refused: a rewrite would lose lines.
  EXPECT_FALSE(AppendFavourite(file, "5", &error, limits));
  EXPECT_EQ(error, std::errc::file_too_large);
  EXPECT_EQ(ReadText(file), "1\r\n2\r\n3\r\n4\r\n");

  WriteText(file, std::string(41, 'x'));
  EXPECT_TRUE(LoadFavourites(file, &error, limits).empty());
  EXPECT_EQ(error, std::errc::file_too_large);
  EXPECT_FALSE(AppendFavourite(file, "y", &error, limits));
  EXPECT_EQ(ReadText(file), std::string(41, 'x'));

  // Changes that would pass a limit are refused and leave the file.
  WriteText(file, "1\r\n2\r\n3\r\n");
  EXPECT_FALSE(AppendFavourite(file, "4", &error, limits));
  EXPECT_EQ(error, std::errc::file_too_large);
  EXPECT_FALSE(SaveFavourites(file, {"a", "b", "c", "d"}, &error, limits));
  EXPECT_FALSE(SaveFavourites(file, {std::string(39, 'z')}, &error, limits));
  EXPECT_EQ(ReadText(file), "1\r\n2\r\n3\r\n");
  EXPECT_TRUE(SaveFavourites(file, {std::string(38, 'z')}, &error, limits));
}

TEST(Favourites, LinesWithLineBreaksAreRefused) {
  TempDir dir;
  const auto file = dir / "a.FAV";
  WriteText(file, "kept\r\n");
  for (const std::string bad : {"a\nb", "a\rb", "\n"}) {
    std::error_code error;
    EXPECT_FALSE(AppendFavourite(file, bad, &error));
    EXPECT_EQ(error, std::errc::invalid_argument);
    EXPECT_FALSE(SaveFavourites(file, {"good", bad}, &error));
    EXPECT_EQ(error, std::errc::invalid_argument);
  }
  EXPECT_EQ(ReadText(file), "kept\r\n");
}

TEST(Favourites, AFailedWriteLeavesTheOldFile) {
  TempDir dir;
  const auto file = dir / "a.FAV";
  WriteText(file, "kept\r\n");
  {
    quelmar::testing::ScopedFileSizeLimit limit(16);
    std::error_code error;
    EXPECT_FALSE(AppendFavourite(file, std::string(100, 'v'), &error));
    EXPECT_FALSE(SaveFavourites(file, {std::string(100, 'v')}, &error));
    EXPECT_TRUE(error);
  }
  EXPECT_EQ(ReadText(file), "kept\r\n");
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

// A file cut at every byte gives a prefix of its lines, the last one maybe
// cut short; random bytes give lines that save and read back as themselves.
TEST(Favourites, TruncatedAndGarbageFiles) {
  TempDir dir;
  const auto file = dir / "a.FAV";
  const Lines whole = {"first view", "", "third\tview"};
  const std::string text = "first view\r\n\r\nthird\tview\r\n";
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    WriteText(file, text.substr(0, cut));
    const Lines lines = LoadFavourites(file);
    ASSERT_LE(lines.size(), whole.size()) << cut;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i + 1 < lines.size()) {
        EXPECT_EQ(lines[i], whole[i]) << cut;
      } else {
        EXPECT_TRUE(whole[i].starts_with(lines[i])) << cut;
      }
    }
  }
  std::mt19937 random(11);
  for (int round = 0; round < 50; ++round) {
    std::string bytes(random() % 3000, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 6 == 0 ? "\r\n"[random() % 2] : random());
    WriteText(file, bytes);
    const Lines lines = LoadFavourites(file);
    for (const std::string& line : lines) ASSERT_EQ(line.find_first_of("\r\n"), std::string::npos);
    ASSERT_TRUE(SaveFavourites(dir / "b.FAV", lines));
    EXPECT_EQ(LoadFavourites(dir / "b.FAV"), lines) << round;
  }
}

}  // namespace
}  // namespace quelmar::server
