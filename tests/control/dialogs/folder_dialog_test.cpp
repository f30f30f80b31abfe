// The folder chooser: it lists the folders of the folder it looks at, moves
// into one or up, and gives the chosen folder on "&Set Path" and the start
// path unchanged on "&Cancel", also when the start path is no folder.
#include "control/dialogs/folder_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace quelmar::dialogs {
namespace {

namespace fs = std::filesystem;

class FolderChooser : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::weakly_canonical(fs::current_path()) / "chooser";
    fs::create_directories(root_ / "beta" / "inner");
    fs::create_directories(root_ / "alpha");
    std::ofstream(root_ / "a-file.txt") << "not a folder";
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_;
};

TEST_F(FolderChooser, ListsFoldersMovesAndChooses) {
  FolderDialog chooser(root_.string());
  ui::DialogModel& d = chooser.Dialog();
  EXPECT_EQ(d.Caption(), " Select New Data Path");
  EXPECT_EQ(d.Field(kFolderList).items, (std::vector<std::string>{"..", "alpha", "beta"}));
  EXPECT_EQ(d.Field(kFolderCurrent).text, root_.string());
  EXPECT_FALSE(d.Field(kFolderDrives).text.empty());

  d.Change(kFolderList, "beta");
  EXPECT_EQ(chooser.Current(), root_ / "beta");
  EXPECT_EQ(d.Field(kFolderList).items, (std::vector<std::string>{"..", "inner"}));
  d.Change(kFolderList, "..");
  EXPECT_EQ(chooser.Current(), root_);
  d.Change(kFolderList, "alpha");
  d.Press(kFolderSetPath);
  EXPECT_EQ(chooser.Result(), (root_ / "alpha").string());
}

TEST_F(FolderChooser, CancelAndABadStartKeepTheStartPath) {
  struct Case {
    std::string start;
    fs::path shown;
  };
  for (const Case& c : {Case{root_.string(), root_}, Case{(root_ / "missing").string(), "/"},
                        Case{(root_ / "a-file.txt").string(), "/"}, Case{"", "/"}}) {
    FolderDialog chooser(c.start);
    EXPECT_EQ(chooser.Current(), c.shown) << c.start;
    chooser.Dialog().Change(kFolderList, chooser.Dialog().Field(kFolderList).items.back());
    chooser.Dialog().Press(kFolderCancel);
    EXPECT_EQ(chooser.Result(), c.start) << "Cancel gives the start path back";
  }
  FolderDialog chooser(root_.string());
  EXPECT_FALSE(chooser.Show(root_ / "a-file.txt")) << "a file is no folder to look at";
  EXPECT_EQ(chooser.Current(), root_);
}

TEST(DriveList, StartsAtTheRootAndHoldsNoPseudoFileSystems) {
  const std::vector<std::string> drives = DriveList();
  ASSERT_FALSE(drives.empty());
  EXPECT_EQ(drives.front(), "/");
  for (const std::string& d : drives) EXPECT_FALSE(d.starts_with("/proc")) << d;
}

}  // namespace
}  // namespace quelmar::dialogs
