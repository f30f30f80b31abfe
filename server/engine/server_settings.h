#pragma once
// The server's settings (section SETUP: the switches, the overlay and
// underlay requests, the last search kind; section PATHS: the five data
// folders) as kept in its INI file, and the finding of the data folders
// through the data tree's "MAP.INI" the first time the server runs or when
// the user asks for Easy Setup.
//
// Booleans are written "True" or "False" and read as "True"/"False" in any
// letter case or as a number (0 is False); any other text, or none, reads as
// the key's default. The search kind is a decimal number of 0 to 5 (another
// value reads as 0).
#include <filesystem>
#include <string>
#include <system_error>

#include "server/engine/folder_browser.h"
#include "server/engine/server_ini.h"

namespace quelmar::server {

struct ServerSettings {
  // SETUP
  bool Mono = false;
  bool ShadeMcd = true, ShadeCounties = true, ShadePlaces = true, ShadeStates = true;
  bool WhiteBackground = false;
  std::string Overlay, Underlay;
  int SearchType = 0;
  // PATHS
  std::string Data1, Data2, Data3, States0, States1;

  bool operator==(const ServerSettings&) const = default;
};

inline constexpr const char* kSetupSection = "SETUP";
inline constexpr const char* kPathsSection = "PATHS";

// Reads every key of the table, with the defaults of ServerSettings.
ServerSettings ReadSettings(const ServerIni& ini);
// Writes one setting's key ("True"/"False", the text, or the number).
bool SaveSetting(const ServerIni& ini, const ServerSettings& settings, bool ServerSettings::*field,
                 std::error_code* error = nullptr);
bool SaveSetting(const ServerIni& ini, const ServerSettings& settings, std::string ServerSettings::*field,
                 std::error_code* error = nullptr);
bool SaveSetting(const ServerIni& ini, const ServerSettings& settings, int ServerSettings::*field,
                 std::error_code* error = nullptr);
// Writes the five PATHS keys.
bool SavePaths(const ServerIni& ini, const ServerSettings& settings, std::error_code* error = nullptr);

// The "Application Interface" keys of the data tree's MAP.INI.
inline constexpr const char* kMapIniName = "MAP.INI";
inline constexpr const char* kMapIniSection = "Application Interface";

// Where the browse for the data tree starts: the data tree the project's
// builder writes by default ($QUELMAR_DATA, else $XDG_DATA_HOME/quelmar/map,
// else ~/.local/share/quelmar/map) when it holds a MAP.INI, else "".
std::string DefaultDataTreeFolder();

// The settings the server applies. With easySetup false the stored paths
// are used when DATA1, DATA2, DATA3 and STATES0 are all set (an empty
// STATES1 then takes STATES0's value, in memory only), and nothing is shown
// or written. Otherwise the user is told why, asked to browse to the data
// tree's folder (from `startFolder`), and the folders MAP.INI names are
// taken (relative ones count from MAP.INI's folder) and written to PATHS;
// each outcome is told in a message box. When the browse is cancelled or
// the tree is unusable, the stored paths stay, in the file and in the result.
ServerSettings LoadSettings(const ServerIni& ini, bool easySetup, const FolderChooser& choose,
                            const std::string& startFolder = DefaultDataTreeFolder());

// Reads the MAP.INI of the data tree in `folder` (its name in any letter
// case) into the settings' DATA1, DATA2, DATA3 and STATES0 (empty where it
// names none; a "\" is read as "/", a relative folder counts from MAP.INI's
// own, a trailing separator is dropped) and STATES1: when all four are set,
// the "States" folder beside DATA1 if DATA1 and STATES0 lie in different
// folders and it exists, else STATES0; "" when one of the four is missing.
// False when there is no MAP.INI (errc::no_such_file_or_directory) or it
// cannot be read (the reason in *error); `paths` is then unchanged.
bool ReadMapIni(const std::filesystem::path& folder, ServerSettings* paths, std::error_code* error = nullptr);

// Asks for a new folder for one data path: the browse starts at `current`
// when that is a folder, and its prompt names `label` ("Data1", "States
// (Supplementary)", ...). "" when nothing was chosen.
std::string BrowseDataFolder(const std::string& current, const std::string& label, const FolderChooser& choose);

// The exact texts the discovery shows.
inline constexpr const char* kNeedPathsPrefix =
    "You need to tell TarvoServer the location of your Tarvo Mapping data files. ";
inline constexpr const char* kBrowseInstruction =
    " In the next dialogue, please browse to your Tarvo Mapping program folder, then click 'Ok'.";
inline constexpr const char* kDiscoveryFailure =
    "TarvoServer will not work properly until you configure the data directories. You will be prompted again "
    "the next time the server starts, or you can manually configure the directories using the Map, Control "
    "Panel menu option.";
inline constexpr const char* kBrowseTreePrompt = "Browse to the Tarvo Mapping program folder";
inline constexpr const char* kNoMapIni = "The directory you selected does not contain MAP.INI. ";
inline constexpr const char* kPathsConfigured = "The map data paths have been successfully configured.";
inline constexpr const char* kPathsConfiguredMore =
    " If you need to change the map data paths in the future, please use the Map, 'Control Panel' menu option. "
    "Also, please note that TarvoServer has a help file, which can be accessed both from the Control and from "
    "the Map, 'TarvoServer Help' menu option.";
inline constexpr const char* kMapIniIncomplete =
    "MAP.INI does not contain all the required data directory information. ";
// Not one of the discovery's own texts: MAP.INI is there but cannot be read.
inline constexpr const char* kMapIniUnreadable = "MAP.INI cannot be read: ";

}  // namespace quelmar::server
