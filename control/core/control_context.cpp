#include "control/core/control_context.h"

#include "control/core/option_table.h"
#include "control/core/startup.h"

namespace quelmar::core {

namespace {

constexpr const char* kControl = "control";

void RegisterControlCommands(CommandRegistry& commands, Ttvmap& panel) {
  commands.Register("INIT", kControl, [&panel] { panel.Init(); });
  commands.Register("HTAP", kControl, [&panel] { panel.StartRouteTrace(); });
  // Resources go with the control; there is nothing to free before that.
  commands.Register("FREERES", kControl, [] {});
  for (const ReservedCommand& c : kDialogCommands) commands.Reserve(c.word, c.subsystem);
}

}  // namespace

ControlContext::ControlContext() {
  settings_.Change(&ControlSettings::Startup, [](StartupSettings& s) { s = DefaultStartupSettings(); });
  panel_ = std::make_unique<Ttvmap>(settings_);
  RegisterControlCommands(registries_.Commands, *panel_);
  OptionSources sources;
  sources.baseBufferHandle = [this] { return panel_->BaseBufferHandle(); };
  sources.problemCount = [this] { return panel_->ProblemCount(); };
  sources.resetProblems = [this] { panel_->ResetProblems(); };
  RegisterControlOptions(registries_.Options, settings_, std::move(sources));
}

ControlContext::~ControlContext() {
  // The panel's last words (the configuration file) run while every
  // subsystem and the panel itself can still be reached.
  panel_->Close();
  panel_.reset();
}

}  // namespace quelmar::core
