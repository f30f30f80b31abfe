#pragma once
// ControlContext: one control's state and what plugs into it. It owns the
// settings store, the registries, the map panel and every attached
// subsystem; the automation class owns one context per control.
//
// A subsystem attaches once, right after the context is made, with a free
// function of its own library, e.g. `render::AttachMapModel(context)`. It
// fills the panel's paint-phase hooks it serves, registers its command
// words, option numbers and dialogs, and hands its object to Keep, which
// holds it for the context's life. Subsystems that need another take it as
// an argument of their Attach (the map model for search and routing).
#include <memory>
#include <vector>

#include "control/core/registries.h"
#include "control/core/settings_store.h"
#include "control/core/tv_object.h"

namespace quelmar::core {

class ControlContext {
 public:
  // The settings of a new control, its panel, and the commands and options
  // the control answers itself; the entries of subsystems not attached yet
  // are reserved for them.
  ControlContext();
  ~ControlContext();
  ControlContext(const ControlContext&) = delete;
  ControlContext& operator=(const ControlContext&) = delete;

  SettingsStore& Settings() { return settings_; }
  Registries& Registry() { return registries_; }
  const Registries& Registry() const { return registries_; }
  Ttvmap& Panel() { return *panel_; }

  // Holds `subsystem` until the context goes; returns it.
  template <typename T>
  T& Keep(std::shared_ptr<T> subsystem) {
    T& kept = *subsystem;
    attached_.push_back(std::move(subsystem));
    return kept;
  }

 private:
  // Destroyed in reverse: the panel first (its hooks call into subsystems),
  // then the subsystems, the registries and the settings last.
  SettingsStore settings_;
  Registries registries_;
  std::vector<std::shared_ptr<void>> attached_;
  std::unique_ptr<Ttvmap> panel_;
};

// The ExecMethod words whose dialogs belong to subsystems, with the dialog
// each opens, as reserved until a subsystem registers them.
struct ReservedCommand {
  const char* word;
  const char* subsystem;
};
inline constexpr ReservedCommand kDialogCommands[] = {
    {"DESIGN", "user-street editor dialog"}, {"CONFIG", "configuration dialog"},
    {"DISPLAY", "display options dialog"},   {"LAYER", "layer dialog"},
    {"LEDIT", "route line editor dialog"},   {"GUBED", "Map Blocks dialog"},
};

}  // namespace quelmar::core
