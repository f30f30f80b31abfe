#pragma once
// The configuration dialog (" Configure"): the data paths in the group
// " Define Data Location ", each edit with a "..." button that opens the
// folder chooser from the edit's text, "Set Default Paths", "&Ok" and
// "&Cancel". The help folder is shown and may be chosen, but only the five
// data paths are taken.
#include <functional>
#include <optional>
#include <string>

#include "control/core/startup_settings.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::dialogs {

inline constexpr const char* kConfigureCaption = " Configure";
inline constexpr const char* kConfigureGroup = " Define Data Location ";
inline constexpr const char* kConfigureOk = "&Ok";
inline constexpr const char* kConfigureCancel = "&Cancel";
inline constexpr const char* kConfigureDefaults = "Set Default Paths";

// One edit of the dialog: its caption, its hint, the default folder name
// "Set Default Paths" gives, and the path it edits (none for the help folder).
struct ConfigurePathField {
  const char* Caption;
  const char* Hint;
  const char* DefaultFolder;
  std::string core::StartupSettings::*Path;
};
inline const ConfigurePathField kConfigurePathFields[] = {
    {"States0:", "Primary Street Level", "\\states0", &core::StartupSettings::Path_states0},
    {"Data1:", "Map Overlays", "\\data1", &core::StartupSettings::Path_data1},
    {"Data2:", "Landmarks", "\\data2", &core::StartupSettings::Path_data2},
    {"Data3:", "Search files", "\\data3", &core::StartupSettings::Path_data3},
    {"States1:", "Secondary Street Level", "\\states1", &core::StartupSettings::Path_states1},
    {"Help files :", "", "\\help", nullptr},
};

// The name of the "..." button beside an edit.
std::string BrowseButtonOf(const char* caption);

class ConfigureDialog {
 public:
  using FolderChooser = std::function<std::string(const std::string& start)>;
  ConfigureDialog(const core::StartupSettings& paths, const std::string& helpFolder, FolderChooser choose);
  ui::DialogModel& Dialog() { return dialog_; }

  // After "&Ok": `paths` with the five data paths of the edits; nullopt
  // after "&Cancel".
  std::optional<core::StartupSettings> Result(core::StartupSettings paths) const;

 private:
  ui::DialogModel dialog_{kConfigureCaption};
};

}  // namespace quelmar::dialogs
