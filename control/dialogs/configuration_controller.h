#pragma once
// ConfigurationController: the configuration file of one live control. It
// captures what a file keeps from the control (the settings store, the
// map's layer, landmark and colour tables, the view, screen aspect and
// distance unit, and the values the file only carries), writes it, and
// reads a file back into the control. It serves the automatic load at INIT
// and save when the panel goes (through the panel's start-up hook, which it
// wraps), LoadConfig and SaveConfig, and the Configure dialog ("CONFIG").
//
// A read applies every setting at once: what the map shows is drawn again
// at the next paint, the data paths are used at the next load, and the
// start window (LWIND= with LVIEW= TRUE) at the first paint.
#include <filesystem>
#include <optional>
#include <string>

#include "control/config/config_model.h"
#include "control/core/control_context.h"
#include "control/render/map_model.h"

namespace quelmar::dialogs {

struct ConfigOutcome {
  enum class Kind { Done, Missing, Failed };
  Kind Result = Kind::Done;
  std::string Message;  // what failed, with the path, for Missing and Failed
  bool Ok() const { return Result == Kind::Done; }
};

class ConfigurationController {
 public:
  ConfigurationController(core::ControlContext& context, render::MapModel& model);

  // The configuration as a save would write it now.
  config::ConfigModel Capture() const;
  // Applies a model to the control (the inverse of Capture).
  void Apply(const config::ConfigModel& model);

  // Reads `path` into the control. A file that cannot be opened changes
  // nothing (Missing when it does not exist, Failed otherwise).
  ConfigOutcome Load(const std::filesystem::path& path);
  // Writes the control's configuration to `path`, the previous file kept as
  // its backup. Failed leaves the old file as it was.
  ConfigOutcome Save(const std::filesystem::path& path);
  // The control's own file (configuration folder + "Quelmar50.Cfg"); the
  // working folder stands in for the configuration folder before INIT.
  std::filesystem::path DefaultPath() const;

  // The start window the last read found (see ConfigModel::StartWindow).
  std::optional<core::MapRect> StartWindow() const { return startWindow_; }

  // " Configure": the five data paths; OK stores them and, with
  // AutoConfig, saves the configuration. The folder buttons open the folder
  // dialog.
  void OpenConfigureDialog();

 private:
  core::ControlContext& context_;
  render::MapModel& model_;
  config::StoredValues stored_;
  // LAND= values as read: a category the user did not change keeps its
  // value, so a file read and written again is the same.
  std::array<std::uint8_t, config::kConfigLandmarks> landmarkValues_{};
  std::optional<core::MapRect> startWindow_;
};

// Makes the controller, wraps the panel's start-up hook so INIT loads the
// file and the panel's end saves it (with AutoConfig), and registers
// "CONFIG". Attach after the map model.
ConfigurationController& AttachConfiguration(core::ControlContext& context, render::MapModel& model);

}  // namespace quelmar::dialogs
