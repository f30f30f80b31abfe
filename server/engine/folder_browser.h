#pragma once
// Browsing for a folder: a request (the prompt, the folder to start in), a
// chooser that answers it, and the server's own chooser, a dialog model a
// host's dialog runner shows (or a test scripts). A host may hand the
// server any other chooser instead.
#include <functional>
#include <string>

#include "platform/ui/dialog_model.h"

namespace quelmar::server {

struct FolderRequest {
  std::string Title;        // the prompt shown above the folders
  std::string StartFolder;  // "" starts at the top
};
// Returns the folder chosen, or "" when the user chose none.
using FolderChooser = std::function<std::string(const FolderRequest&)>;

inline constexpr const char* kBrowseCaption = "Browse for Folder";
inline constexpr const char* kBrowsePrompt = "Prompt";
inline constexpr const char* kBrowseFolder = "Folder";
inline constexpr const char* kBrowseOk = "OK";
inline constexpr const char* kBrowseCancel = "Cancel";

// The dialog: the prompt, an edit holding the start folder, OK and Cancel.
// Without a runner a dialog closes by its first button, OK: the start
// folder is taken.
ui::DialogModel MakeFolderBrowser(const FolderRequest& request);
// After the dialog closed: the edit's folder after OK when it names a
// folder, else "".
std::string FolderBrowserResult(const ui::DialogModel& browser);
// Shows the dialog modally and returns its result.
std::string BrowseForFolder(const FolderRequest& request);

}  // namespace quelmar::server
