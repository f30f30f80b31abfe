#include "control/dialogs/configuration_controller.h"

#include <memory>
#include <system_error>

#include "control/config/config_file.h"
#include "control/dialogs/configure_dialog.h"
#include "control/dialogs/folder_dialog.h"
#include "platform/kernel/beep.h"

namespace quelmar::dialogs {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSubsystem = "configuration dialog";

// The panel's start-up hook with the configuration added: the map model's
// own steps (the palette, the colour scheme) still run through `inner`.
struct ConfigStartup final : core::StartupService {
  std::unique_ptr<core::StartupService> inner;
  ConfigurationController* config = nullptr;

  void CreatePalette() override { inner->CreatePalette(); }
  void ApplyColourScheme() override { inner->ApplyColourScheme(); }
  void LoadConfiguration(const std::string& path) override {
    // At INIT a missing or unreadable file is no error: the control starts
    // with its defaults, and says so with a beep.
    if (!config->Load(path).Ok()) kernel::Beep();
  }
  void SaveConfiguration(const std::string& path) noexcept override {
    try {
      if (!config->Save(path).Ok()) kernel::Beep();
    } catch (...) {
      kernel::Beep();  // the panel is going: nothing can be reported
    }
  }
  std::optional<core::MapRect> StartWindow() override {
    if (std::optional<core::MapRect> start = config->StartWindow()) return start;
    return inner->StartWindow();
  }
};

}  // namespace

ConfigurationController::ConfigurationController(core::ControlContext& context, render::MapModel& model)
    : context_(context), model_(model) {
  // A new control writes every landmark category as shown.
  landmarkValues_.fill(1);
}

config::ConfigModel ConfigurationController::Capture() const {
  config::ConfigModel m;
  core::Ttvmap& panel = context_.Panel();
  const render::StyleEngine& styles = model_.Styles();
  m.Settings = context_.Settings().Get();
  for (int i = 1; i <= config::kConfigLayers; ++i) m.Tables.Layers[i - 1] = styles.UserLayers().Visible(i);
  for (int i = 1; i <= config::kConfigLandmarks; ++i) {
    const std::uint8_t read = landmarkValues_[i - 1];
    m.Tables.Landmarks[i - 1] = styles.Landmarks().Visible(i) ? (read > 0 ? read : 1) : 0;
  }
  for (int i = 1; i <= config::kConfigStyleColours; ++i) m.Tables.StyleColours[i - 1] = styles.Colours().StateEntry(i);
  for (int i = 1; i <= config::kConfigPaletteColours; ++i) {
    m.Tables.PaletteColours[i - 1] = styles.Colours().PaletteEntry(i);
  }
  m.Stored = stored_;
  m.ScreenAspect = panel.ScreenAspect();
  m.DistanceUnit = panel.view().DistanceUnit() == 2 ? 2 : 1;
  const core::ViewState& view = panel.view();
  m.View = {view.LonLeft(), view.LatBottom(), view.LonRight(), view.LatTop()};
  m.StartWindow = startWindow_;
  return m;
}

void ConfigurationController::Apply(const config::ConfigModel& m) {
  core::Ttvmap& panel = context_.Panel();
  render::StyleEngine& styles = model_.Styles();
  for (int i = 1; i <= config::kConfigLayers; ++i) styles.UserLayers().SetVisible(i, m.Tables.Layers[i - 1]);
  for (int i = 1; i <= config::kConfigLandmarks; ++i) {
    landmarkValues_[i - 1] = m.Tables.Landmarks[i - 1];
    styles.Landmarks().SetVisible(i, m.Tables.Landmarks[i - 1] > 0);
  }
  for (int i = 1; i <= config::kConfigStyleColours; ++i) styles.Colours().SetStateEntry(i, m.Tables.StyleColours[i - 1]);
  for (int i = 1; i <= config::kConfigPaletteColours; ++i) {
    styles.Colours().SetPaletteEntry(i, m.Tables.PaletteColours[i - 1] & 0xFFFFFF);
  }
  styles.RebuildPalette();
  stored_ = m.Stored;
  startWindow_ = m.StartWindow;
  panel.SetScreenAspect(m.ScreenAspect);
  panel.SetMapunits(m.DistanceUnit == 2 ? Mukm : MuMi);
  context_.Settings().Replace(m.Settings);
  panel.LayerSettingChanged();  // the tables above are not in the store
}

ConfigOutcome ConfigurationController::Load(const fs::path& path) {
  std::error_code error;
  const std::optional<std::vector<config::ConfigEntry>> entries = config::ReadConfigFile(path, &error);
  if (!entries) {
    const bool missing = error == std::errc::no_such_file_or_directory;
    return {missing ? ConfigOutcome::Kind::Missing : ConfigOutcome::Kind::Failed,
            "the configuration file " + path.string() + " cannot be read: " + error.message()};
  }
  config::ConfigModel m = Capture();
  config::ReadConfig(*entries, m);
  Apply(m);
  return {};
}

ConfigOutcome ConfigurationController::Save(const fs::path& path) {
  std::error_code error;
  if (config::SaveConfigFile(path, config::WriteConfig(Capture()), &error)) return {};
  return {ConfigOutcome::Kind::Failed,
          "the configuration file " + path.string() + " cannot be written: " + error.message()};
}

fs::path ConfigurationController::DefaultPath() const {
  const core::StartupSettings& s = context_.Settings().Startup();
  return (s.configFolder.empty() ? s.workingFolder : s.configFolder) + s.configFileName;
}

void ConfigurationController::OpenConfigureDialog() {
  const core::StartupSettings current = context_.Settings().Startup();
  ConfigureDialog dialog(current, stored_.HelpFolder, ChooseFolder);
  ui::RunModal(dialog.Dialog());
  const std::optional<core::StartupSettings> chosen = dialog.Result(current);
  if (!chosen) return;
  context_.Settings().Change(&core::ControlSettings::Startup, [&](core::StartupSettings& s) { s = *chosen; });
  if (chosen->AutoConfig && !Save(DefaultPath()).Ok()) kernel::Beep();
}

ConfigurationController& AttachConfiguration(core::ControlContext& context, render::MapModel& model) {
  ConfigurationController& controller =
      context.Keep(std::make_shared<ConfigurationController>(context, model));
  core::EngineHooks& hooks = context.Panel().hooks();
  auto startup = std::make_unique<ConfigStartup>();
  startup->inner = std::move(hooks.startup);
  startup->config = &controller;
  hooks.startup = std::move(startup);
  context.Registry().Commands.Register("CONFIG", kSubsystem, [&controller] { controller.OpenConfigureDialog(); });
  return controller;
}

}  // namespace quelmar::dialogs
