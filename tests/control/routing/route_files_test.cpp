// The route history and user road files: reading, writing, damaged and cut
// files, and the user road file's backups.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "control/core/errors.h"
#include "control/routing/route_files.h"

namespace quelmar::routing {
namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() : path_(fs::temp_directory_path() / ("route-files-" + std::to_string(::getpid()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() { fs::remove_all(path_); }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

constexpr const char* kTwoRoads =
    "Pline 2\r\n-1369531,654687\r\n-1369431,654687\r\n(NEW RD,14)\r\n"
    "Pline 3\r\n-1369431 654687\r\n-1369431,654787\r\n-1369331,654787\r\n(I-88 CONNECTOR,9)\r\n";

TEST(UserRoads, ReadsRecordsAndStopsAtADamagedOne) {
  const UserRoadFile file = ParseUserRoads(kTwoRoads);
  EXPECT_TRUE(file.Complete);
  ASSERT_EQ(file.Roads.size(), 2u);
  EXPECT_EQ(file.Roads[0], (UserRoad{{{-1369531, 654687}, {-1369431, 654687}}, "NEW RD", 14}));
  EXPECT_EQ(file.Roads[1].Points.size(), 3u);
  EXPECT_EQ(file.Roads[1].Points[0], (core::TMapPoint{-1369431, 654687}));
  EXPECT_EQ(file.Roads[1].Class, 9);

  struct Case {
    const char* text;
    std::size_t roads;
    std::size_t stoppedAt;
  };
  const Case damaged[] = {
      {"Pline 2\n1,2\n(A,14)\n", 0, 1},                          // a point line short
      {"Pline 1\n1,2\n(A,14)\nPline x\n", 1, 4},                 // no count
      {"Pline 99999999999\n", 0, 1},                             // a count beyond any file
      {"Pline 1\n1;2\n(A,14)\n", 0, 1},                          // no separator
      {"Pline 1\n1,2\nA,14\n", 0, 1},                            // no "("
      {"Pline 1\n1,2\n(A,300)\n", 0, 1},                         // no class code
      {"Pline 1\n99999999999,2\n(A,14)\n", 0, 1},                // beyond map units
      {"some note\nPline 1\n1,2\n(A,14)\n", 1, 0},               // lines outside records are skipped
  };
  for (const Case& c : damaged) {
    const UserRoadFile f = ParseUserRoads(c.text);
    EXPECT_EQ(f.Roads.size(), c.roads) << c.text;
    EXPECT_EQ(f.StoppedAtLine, c.stoppedAt) << c.text;
    EXPECT_EQ(f.Complete, c.stoppedAt == 0) << c.text;
  }
}

TEST(UserRoads, CutAtEveryByteKeepsTheWholeRecordsBefore) {
  const std::string text = kTwoRoads;
  for (std::size_t n = 0; n <= text.size(); ++n) {
    const UserRoadFile f = ParseUserRoads(std::string_view(text).substr(0, n));
    ASSERT_LE(f.Roads.size(), 2u);
    if (!f.Roads.empty()) {
      EXPECT_EQ(f.Roads[0].Name, "NEW RD") << n;
    }
  }
}

TEST(UserRoads, SavingKeepsTheOldFileAsABackup) {
  TempFolder folder;
  EXPECT_TRUE(LoadUserRoads(folder.Path()).Roads.empty());  // none yet
  const std::vector<std::string> first = {"Pline 2\t-1369531,654687\t-1369431,654687\t(NEW RD,14)"};
  EXPECT_EQ(SaveUserRoads(folder.Path(), first), fs::path());
  EXPECT_EQ(Read(folder.Path() / "Xmap.rte"), "Pline 2\r\n-1369531,654687\r\n-1369431,654687\r\n(NEW RD,14)\r\n");
  ASSERT_EQ(LoadUserRoads(folder.Path()).Roads.size(), 1u);
  std::vector<std::string> second = first;
  second.push_back("Pline 2\t1,1\t2,2\t(OTHER RD,10)");
  EXPECT_EQ(SaveUserRoads(folder.Path(), second), folder.Path() / "Xmap000.rte");
  EXPECT_EQ(SaveUserRoads(folder.Path(), second), folder.Path() / "Xmap001.rte");
  EXPECT_EQ(ParseUserRoads(Read(folder.Path() / "Xmap000.rte")).Roads.size(), 1u);
  EXPECT_EQ(LoadUserRoads(folder.Path()).Roads.size(), 2u);
  // A folder that cannot be written: an error, and the old file as it was.
  EXPECT_THROW(SaveUserRoads(folder.Path() / "missing", second), IoError);
}

TEST(RouteHistory, RoundTripAndNames) {
  TempFolder folder;
  const std::vector<RouteHistoryEntry> entries = {
      {"User Location to Wrigley Field", "-87.655552,41.946944", "-87.629824,41.878080"}, {"", "", ""}};
  SaveRouteHistory(folder.Path() / "trips.hst", entries);
  EXPECT_EQ(Read(folder.Path() / "trips.hst"),
            "User Location to Wrigley Field\t-87.655552,41.946944\t-87.629824,41.878080\r\n\t\t\r\n");
  EXPECT_EQ(LoadRouteHistory(folder.Path() / "trips.hst"), entries);
  EXPECT_EQ(ParseRouteHistory("only a description\nA\tB\n"),
            (std::vector<RouteHistoryEntry>{{"only a description", "", ""}, {"A", "B", ""}}));
  EXPECT_EQ(HistoryFileName("trips"), fs::path("trips.hst"));
  EXPECT_EQ(HistoryFileName("trips.txt"), fs::path("trips.txt"));
  EXPECT_THROW(LoadRouteHistory(folder.Path() / "none.hst"), IoError);
  const std::string text = RouteHistoryText(entries);
  for (std::size_t n = 0; n <= text.size(); ++n) EXPECT_LE(ParseRouteHistory(text.substr(0, n)).size(), 2u);
}

}  // namespace
}  // namespace quelmar::routing
