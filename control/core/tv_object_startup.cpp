// Start-up of the map panel: INIT, the data path properties, the command
// strings of ExecMethod, SetOption and ExecMem.
#include <sys/sysinfo.h>
#include <unistd.h>

#include <filesystem>
#include <limits>
#include <string>

#include "control/core/scope_guards.h"
#include "control/core/startup.h"
#include "control/core/tv_object.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::core {

namespace {

std::string WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

StartupSettings DefaultStartupSettings() {
  StartupSettings s;
  std::error_code ec;
  const std::filesystem::path current = std::filesystem::current_path(ec);
  s.workingFolder = WithSeparator(ec ? std::string(".") : current.string());
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  s.applicationFolder = WithSeparator(ec ? s.workingFolder : program.parent_path().string());
  return s;
}

std::uint64_t TotalPhysicalMemory() {
  struct sysinfo info {};
  if (::sysinfo(&info) != 0) return 0;
  return static_cast<std::uint64_t>(info.totalram) * info.mem_unit;
}

void TTvObject::Init() {
  tvParent_ = window_->Handle();
  if (designMode_ || initialized_ || initRunning_) return;
  FlagScope running(initRunning_);  // a step that paints must not start INIT again

  startup_.configFolder = startup_.workingFolder.substr(0, 80);
  hooks_.baseData->OpenBaseData(startup_);
  window_->SetTimer(kHoverTimerId, kHoverTimerMs);
  ApplyStartView();
  hooks_.startup->CreatePalette();
  initialized_ = true;
  if (startup_.AutoConfig) hooks_.startup->LoadConfiguration(startup_.configFolder + startup_.configFileName);
  hooks_.startup->ApplyColourScheme();
  hooks_.labels->SetLabelFonts("Arial", 13);
}

void TTvObject::SetPath(std::string StartupSettings::*path, const std::string& value) {
  if (startup_.*path == value) return;
  startup_.*path = value;
  Invalidate();
}

std::string TTvObject::ExecCommand(const std::string& command) {
  if (command == "INIT") {
    Init();
    return {};
  }
  if (command == "HTAP") {
    startup_.routeTrace = true;
    return {};
  }
  struct DialogCommand {
    const char* command;
    const char* dialog;
  };
  static constexpr DialogCommand kDialogs[] = {
      {"DESIGN", "user-street editor"},       {"CONFIG", "configuration"},     {"DISPLAY", "display options"},
      {"LAYER", "layer"},                     {"LEDIT", "route line editor"}, {"GUBED", "Map Blocks"},
  };
  for (const DialogCommand& d : kDialogs) {
    if (command != d.command) continue;
    if (runDialog && runDialog(command)) return {};
    return d.dialog;
  }
  return {};  // "FREERES" and unknown commands do nothing
}

std::optional<std::int32_t> TTvObject::SetOption(std::int32_t n, std::int32_t v) {
  if (colourOption) {
    if (const auto result = colourOption(n, v)) {
      if (n != 0 || v == -1) LayerSettingChanged();  // colours changed (or were reset)
      return result;
    }
  }
  OptionHooks hooks;
  hooks.getColor = [this] { return color_; };
  hooks.setColor = [this](std::uint32_t c) { SetColor(c); };
  hooks.recreatePalette = [this] { hooks_.startup->CreatePalette(); };
  return core::SetOption(optionValues_, hooks, n, v);
}

std::int32_t TTvObject::ExecMem(std::int32_t dmem) {
  if (startup_.IgnoreMem) return 0;
  const std::uint64_t total = physicalMemory ? physicalMemory() : 0;
  // The figure is a 32-bit count of bytes, as older hosts expect.
  const std::int32_t reported =
      static_cast<std::int32_t>(std::min<std::uint64_t>(total, std::numeric_limits<std::int32_t>::max()));
  if (reported >= dmem) return reported;
  try {
    ui::DialogModel warning("Warning!");
    auto add = [&](const char* name, ui::FieldKind kind, std::string text) -> ui::DialogField& {
      ui::DialogField f;
      f.name = name;
      f.kind = kind;
      f.text = std::move(text);
      return warning.Add(std::move(f));
    };
    add("STOP!", ui::FieldKind::Label, "STOP!");
    add("Memory", ui::FieldKind::Label, "Memory : " + std::to_string(total / (1024 * 1024)) + " Mbytes");
    add("Advice", ui::FieldKind::Label, "A Minimum of 24 MBytes of Physical Memory is recommended !");
    add("&Ignore Future Warning.", ui::FieldKind::Check, "").checked = startup_.IgnoreMem;
    add("&AKNOWLEDGE", ui::FieldKind::Button, "&AKNOWLEDGE");
    ui::RunModal(warning);
    startup_.IgnoreMem = warning.Field("&Ignore Future Warning.").checked;
  } catch (...) {
    // The warning is advice only; a dialog that fails changes nothing.
  }
  return reported;
}

}  // namespace quelmar::core
