#pragma once
// The folder chooser (" Select New Data Path"): the start path, the list of
// drives (on this system the root and the mounted file systems), and the
// folders of the folder being looked at. Choosing a drive or a folder of the
// list moves there (".." moves up); "&Set Path" chooses the folder looked
// at, "&Cancel" keeps the start path. A start path that is no folder opens
// the chooser at the root; the start path is still what Cancel returns.
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ui/dialog_model.h"

namespace quelmar::dialogs {

inline constexpr const char* kFolderDialogCaption = " Select New Data Path";
inline constexpr const char* kFolderSetPath = "&Set Path";
inline constexpr const char* kFolderCancel = "&Cancel";
inline constexpr const char* kFolderDrives = "Drives";
inline constexpr const char* kFolderList = "Folders";
inline constexpr const char* kFolderCurrent = "Path";

class FolderDialog {
 public:
  explicit FolderDialog(std::string startPath);
  ui::DialogModel& Dialog() { return dialog_; }

  // Looks at `folder` (the lists follow); false and nothing changed when it
  // is no readable folder.
  bool Show(const std::filesystem::path& folder);
  const std::filesystem::path& Current() const { return current_; }
  // After the dialog closed: the chosen folder, or the start path.
  std::string Result() const;

 private:
  void ListFolders();

  ui::DialogModel dialog_{kFolderDialogCaption};
  std::string start_;
  std::filesystem::path current_;
};

// The mounted file systems' roots, "/" first.
std::vector<std::string> DriveList();

// Runs the chooser modally from `startPath`; returns its result.
std::string ChooseFolder(const std::string& startPath);

}  // namespace quelmar::dialogs
