// The configuration members of TTarvo: LoadConfig and SaveConfig act
// whatever AutoConfig says; an empty path names the control's own file.
//
// A file that does not exist loads as nothing (with a beep, as at INIT):
// hosts load a file that a first run has not written yet. A file that
// exists but cannot be read, and any save that fails, is an error the host
// sees; the settings, or the old file, are then as they were.
#include "control/automation/ttarvo.h"
#include "control/automation/ttarvo_guard.h"
#include "platform/kernel/beep.h"

namespace quelmar::automation {

namespace {

std::filesystem::path PathOrDefault(const std::string& path, const dialogs::ConfigurationController& config) {
  return path.empty() ? config.DefaultPath() : std::filesystem::path(guard::AnsiArg(path));
}

}  // namespace

HRESULT TTarvo::LoadConfig(const std::string& path) {
  return Call("LoadConfig", [&](Ttvmap&) {
    const dialogs::ConfigOutcome outcome = config_->Load(PathOrDefault(path, *config_));
    if (outcome.Result == dialogs::ConfigOutcome::Kind::Failed) throw IoError("LoadConfig: " + outcome.Message);
    if (outcome.Result == dialogs::ConfigOutcome::Kind::Missing) kernel::Beep();
  });
}

HRESULT TTarvo::SaveConfig(const std::string& path) {
  return Call("SaveConfig", [&](Ttvmap&) {
    const dialogs::ConfigOutcome outcome = config_->Save(PathOrDefault(path, *config_));
    if (!outcome.Ok()) throw IoError("SaveConfig: " + outcome.Message);
  });
}

}  // namespace quelmar::automation
