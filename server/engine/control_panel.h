#pragma once
// The server's control panel ("TarvoServer Control Panel"): a window that
// is only a menu bar over a picture, as a dialog model. Each menu is a
// group field, each menu item a button of its menu's group; a switch item
// shows its check mark in the button's `checked`; an item is unavailable
// when it or a menu above it is disabled, and pressing it then does nothing.
// Every item acts when pressed and leaves the panel open, except "E&xit",
// which closes it.
//
// The panel edits a copy of the server's settings and writes each change to
// the settings file at once (the white background only when the panel
// closes); a change that cannot be written is told in a message box and
// kept for the session. The host is told of each change through Changed,
// so that the server can set its own properties at once.
//
// Menus: "&Options" (disabled unless the server is ready) with the submenu
// "&Tarvo Mapping Data Paths" ("&Easy Setup", "Data&1", "Data&2", "Data&3",
// "&States", "States (Supplementary)"), the unavailable "&Background Color",
// a separator and the six switches; "O&verlays"; the unavailable
// "&Underlays" ("&Load Underlay", "&Make Underlay"); "&About"; "&Help";
// "E&xit".
#include <filesystem>
#include <functional>
#include <string>

#include "platform/ui/dialog_model.h"
#include "server/engine/folder_browser.h"
#include "server/engine/server_ini.h"
#include "server/engine/server_settings.h"

namespace quelmar::server {

inline constexpr const char* kPanelCaption = "TarvoServer Control Panel";
inline constexpr const char* kPanelPicture = "Picture";
inline constexpr const char* kOptionsMenu = "&Options";
inline constexpr const char* kDataPathsMenu = "&Tarvo Mapping Data Paths";
inline constexpr const char* kEasySetupItem = "&Easy Setup";
inline constexpr const char* kData1Item = "Data&1";
inline constexpr const char* kData2Item = "Data&2";
inline constexpr const char* kData3Item = "Data&3";
inline constexpr const char* kStatesItem = "&States";
inline constexpr const char* kStates1Item = "States (Supplementary)";
inline constexpr const char* kBackgroundColorItem = "&Background Color";
inline constexpr const char* kOptionsSeparator = "Options separator";
inline constexpr const char* kMonochromeItem = "&Monochrome Maps";
inline constexpr const char* kWhiteBackgroundItem = "&White Background";
inline constexpr const char* kShadeMcdItem = "Shade MC&Ds";
inline constexpr const char* kShadePlacesItem = "Shade P&laces";
inline constexpr const char* kShadeCountiesItem = "Shade &Counties";
inline constexpr const char* kShadeStatesItem = "Shade &States";
inline constexpr const char* kOverlaysMenu = "O&verlays";
inline constexpr const char* kUnderlaysMenu = "&Underlays";
inline constexpr const char* kLoadUnderlayItem = "&Load Underlay";
inline constexpr const char* kMakeUnderlayItem = "&Make Underlay";
inline constexpr const char* kAboutMenu = "&About";
inline constexpr const char* kHelpMenu = "&Help";
inline constexpr const char* kExitMenu = "E&xit";

inline constexpr const char* kAboutCaption = "About TarvoServer";
inline constexpr const char* kAboutControlButton = "&About Quelmar50.OCX";
inline constexpr const char* kAboutOk = "OK";

// The server's help file in its folder, and its topics.
inline constexpr const char* kHelpFileName = "TarvoServer.HLP";
inline constexpr int kAboutHelpContext = 10;
inline constexpr int kPanelHelpContext = 30;

enum class HelpCommand { ShowContext, CloseFile };
// The desktop's help engine: shows a topic of a help file, or closes it.
using HelpEngine = std::function<void(HelpCommand command, const std::filesystem::path& file, int context)>;

struct ControlPanelSetup {
  // Whether the server has its control (the "&Options" menu is enabled then).
  bool ServerReady = false;
  // The server's settings: the check marks, the requests and the paths start from them.
  ServerSettings Settings;
  // The settings file every change is written to.
  ServerIni Ini;
  // The server's folder, which holds the help file.
  std::filesystem::path ServerFolder;
  // Browses for the data folders (the data path items and Easy Setup).
  FolderChooser ChooseFolder;
  // The overlay chooser in overlay mode: given the panel's overlay request,
  // returns the new one. Without it, "O&verlays" changes nothing.
  std::function<std::string(const std::string& current)> ChooseOverlay;
  // The About box's "&About Quelmar50.OCX": the server shows the control's About box.
  std::function<void()> AboutQuelmar;
  HelpEngine Help;
  // Told after each change of the settings (may be empty).
  std::function<void(const ServerSettings&)> Changed;
};

class ControlPanel {
 public:
  explicit ControlPanel(ControlPanelSetup setup);
  ControlPanel(const ControlPanel&) = delete;
  ControlPanel& operator=(const ControlPanel&) = delete;

  ui::DialogModel& Dialog() { return dialog_; }
  const ServerSettings& Settings() const { return settings_; }
  const std::filesystem::path& HelpFile() const { return helpFile_; }

  // Shows the panel modally. When it has closed, the white background takes
  // the check mark of its item and is written, and the help file is closed.
  // Returns the settings as the panel left them.
  const ServerSettings& Show();

 private:
  void AddItem(const char* name, const char* menu, std::function<void()> action);
  bool Available(const std::string& name) const;
  void SetChecks();
  void Toggle(const char* item, bool ServerSettings::*field, bool write);
  void BrowsePath(const char* label, std::string ServerSettings::*field);
  void EasySetup();
  void ChooseOverlay();
  void ShowAbout();
  template <typename Field>
  void Save(Field ServerSettings::*field);
  void Changed();

  ControlPanelSetup setup_;
  ServerSettings settings_;
  std::filesystem::path helpFile_;
  ui::DialogModel dialog_{kPanelCaption};
};

// The About box: its button "&About Quelmar50.OCX" is enabled when
// `controlAbout` is (and then runs it); "OK" closes the box, as Escape does.
ui::DialogModel MakeAboutBox(bool controlAbout, std::function<void()> onControlAbout);

}  // namespace quelmar::server
