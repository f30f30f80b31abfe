#include "control/dialogs/style_dialogs.h"

#include <vector>

#include "control/data/state_table.h"
#include "control/dialogs/display_dialog.h"
#include "control/dialogs/layer_dialog.h"

namespace quelmar::dialogs {
namespace {

constexpr const char* kSubsystem = "layer styles";

// The states the colour list offers: every state code with a two-letter
// code, listed by its code.
std::vector<StateListEntry> StateList() {
  std::vector<StateListEntry> states;
  for (int code = 1; code <= 71; ++code) {
    const std::string_view abbreviation = data::StateCode(code);
    if (!abbreviation.empty()) states.push_back({code, std::string(abbreviation), std::string(abbreviation)});
  }
  return states;
}

void RunLayerDialog(core::Ttvmap& panel, render::StyleEngine& styles) {
  core::LayerOptions layers = panel.layers();
  LayerDialog dialog(styles, layers, StateList());
  dialog.Run();
  panel.SetLayerOption([&layers](core::LayerOptions& l) { l = layers; });
  panel.LayerSettingChanged();  // the styles changed too
}

// The dialog edits a copy of the settings; the store takes it back whole
// and tells each section that changed.
void RunDisplayDialog(core::Ttvmap& panel) {
  DisplayState state{panel.settings().Get(), panel.view().Mapunits(), panel.ScreenAspect()};
  DisplayDialog dialog(state);
  dialog.Run();
  panel.settings().Replace(state.Settings);
  panel.SetMapunits(state.DistanceUnit);
  if (state.AspectRatio != panel.ScreenAspect()) panel.SetScreenAspect(state.AspectRatio);
}

}  // namespace

void AttachStyleDialogs(core::ControlContext& context, render::MapModel& model) {
  core::Registries& r = context.Registry();
  core::Ttvmap& panel = context.Panel();
  render::StyleEngine& styles = model.Styles();
  r.Dialogs.Register(kLayerDialog, kSubsystem, [&panel, &styles] { RunLayerDialog(panel, styles); });
  r.Dialogs.Register(kDisplayDialog, kSubsystem, [&panel] { RunDisplayDialog(panel); });
  const core::DialogRegistry& dialogs = r.Dialogs;
  r.Commands.Register("LAYER", kSubsystem, [&dialogs] { dialogs.Find(kLayerDialog)->Run(); });
  r.Commands.Register("DISPLAY", kSubsystem, [&dialogs] { dialogs.Find(kDisplayDialog)->Run(); });
}

}  // namespace quelmar::dialogs
