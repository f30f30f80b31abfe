// Start-up of the map panel: INIT, the data path properties and ExecMem.
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

  SetStartup([](StartupSettings& s) { s.configFolder = s.workingFolder; });
  // The street, label and landmark faces start as "Arial" with the map; the
  // configuration may name others.
  const LabelSettings& faces = settings_.Labels();
  if (faces.StreetFace != "Arial" || faces.LabelFace != "Arial" || faces.LandmarkFace != "Arial") {
    settings_.Change(&ControlSettings::Labels, [](LabelSettings& l) { l.StreetFace = l.LabelFace = l.LandmarkFace = "Arial"; });
  }
  problems_.Reset();
  hooks_.baseData->OpenBaseData(BaseDataRequest{&startup(), &problems_});
  window_->SetTimer(kHoverTimerId, kHoverTimerMs);
  ApplyStartView();
  hooks_.startup->CreatePalette();
  initialized_ = true;
  if (startup().AutoConfig) hooks_.startup->LoadConfiguration(ConfigurationPath());
  hooks_.startup->ApplyColourScheme();
}

void TTvObject::SetPath(std::string StartupSettings::*path, const std::string& value) {
  if (startup().*path == value) return;
  SetStartup([&](StartupSettings& s) { s.*path = value; });
  Invalidate();
}

std::int32_t TTvObject::ExecMem(std::int32_t dmem) {
  if (startup().IgnoreMem) return 0;
  const std::uint64_t total = physicalMemory ? physicalMemory() : 0;
  // The figure is a 32-bit count of bytes, as older hosts expect.
  const std::int32_t reported =
      static_cast<std::int32_t>(std::min<std::uint64_t>(total, std::numeric_limits<std::int32_t>::max()));
  if (reported >= dmem) return reported;
  try {
    ui::DialogModel warning("Warning!");
    auto add = [&](const char* name, ui::FieldKind kind, std::string text) -> ui::DialogField& {
      return warning.Add(name, kind, {}, std::move(text));
    };
    add("STOP!", ui::FieldKind::Label, "STOP!");
    add("Memory", ui::FieldKind::Label, "Memory : " + std::to_string(total / (1024 * 1024)) + " Mbytes");
    add("Advice", ui::FieldKind::Label, "A Minimum of 24 MBytes of Physical Memory is recommended !");
    add("&Ignore Future Warning.", ui::FieldKind::Check, "").checked = startup().IgnoreMem;
    add("&AKNOWLEDGE", ui::FieldKind::Button, "&AKNOWLEDGE");
    ui::RunModal(warning);
    const bool ignore = warning.Field("&Ignore Future Warning.").checked;
    SetStartup([ignore](StartupSettings& s) { s.IgnoreMem = ignore; });
  } catch (...) {
    // The warning is advice only; a dialog that fails changes nothing.
  }
  return reported;
}

}  // namespace quelmar::core
