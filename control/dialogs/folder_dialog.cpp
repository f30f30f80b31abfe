#include "control/dialogs/folder_dialog.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

namespace quelmar::dialogs {
namespace {

namespace fs = std::filesystem;

using ui::FieldKind;

bool IsFolder(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

}  // namespace

std::vector<std::string> DriveList() {
  std::vector<std::string> drives{"/"};
  std::ifstream mounts("/proc/self/mounts");
  std::string line;
  while (std::getline(mounts, line)) {
    std::istringstream fields(line);
    std::string device, mountPoint;
    if (!(fields >> device >> mountPoint) || mountPoint == "/") continue;
    // Pseudo file systems hold no data folders.
    if (mountPoint.starts_with("/proc") || mountPoint.starts_with("/sys") || mountPoint.starts_with("/dev") ||
        mountPoint.starts_with("/run")) {
      continue;
    }
    if (std::find(drives.begin(), drives.end(), mountPoint) == drives.end()) drives.push_back(mountPoint);
  }
  return drives;
}

FolderDialog::FolderDialog(std::string startPath) : start_(std::move(startPath)) {
  dialog_.Add(kFolderCurrent, FieldKind::Label, {}, start_);
  dialog_.Add(kFolderDrives, FieldKind::List).items = DriveList();
  dialog_.Add(kFolderList, FieldKind::List);
  dialog_.Add(kFolderSetPath, FieldKind::Button, {}, kFolderSetPath);
  dialog_.Add(kFolderCancel, FieldKind::Button, {}, kFolderCancel);
  dialog_.OnChange(kFolderDrives, [this] { Show(dialog_.Field(kFolderDrives).text); });
  dialog_.OnChange(kFolderList, [this] {
    const std::string& name = dialog_.Field(kFolderList).text;
    Show(name == ".." ? current_.parent_path() : current_ / name);
  });
  if (!Show(start_)) Show("/");
}

bool FolderDialog::Show(const fs::path& folder) {
  if (!IsFolder(folder)) return false;
  std::error_code ec;
  fs::path shown = fs::weakly_canonical(folder, ec);
  if (ec) shown = folder;
  std::vector<std::string> names;
  fs::directory_iterator it(shown, fs::directory_options::skip_permission_denied, ec);
  if (ec) return false;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::error_code kindError;
    if (it->is_directory(kindError)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  if (shown.has_relative_path()) names.insert(names.begin(), "..");
  current_ = shown;
  ui::DialogField& list = dialog_.Field(kFolderList);
  list.items = std::move(names);
  list.text.clear();
  dialog_.Field(kFolderCurrent).text = current_.string();
  // The drive that holds the folder: the longest mount point it starts with.
  ui::DialogField& drives = dialog_.Field(kFolderDrives);
  std::string drive = "/";
  for (const std::string& d : drives.items) {
    const std::string prefix = d.ends_with('/') ? d : d + "/";
    if ((current_.string() == d || current_.string().starts_with(prefix)) && d.size() > drive.size()) drive = d;
  }
  drives.text = drive;
  return true;
}

std::string FolderDialog::Result() const {
  return dialog_.Pressed() == kFolderSetPath ? current_.string() : start_;
}

std::string ChooseFolder(const std::string& startPath) {
  FolderDialog chooser(startPath);
  ui::RunModal(chooser.Dialog());
  return chooser.Result();
}

}  // namespace quelmar::dialogs
