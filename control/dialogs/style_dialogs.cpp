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
  const core::LayerOptions& o = panel.layers();
  LayerLoadSwitches loads{o.Load_Air, o.Load_Landmark};
  LayerDialog dialog(styles, loads, StateList());
  dialog.Run();
  panel.SetLayerOption([&loads](core::LayerOptions& l) {
    l.Load_Air = loads.Airports;
    l.Load_Landmark = loads.Landmarks;
  });
  panel.LayerSettingChanged();  // the styles changed too
}

// The dialog's fields from the settings, and back.
DisplaySettings DisplayFields(const core::Ttvmap& panel, const render::StyleEngine& styles) {
  const core::ControlSettings& c = panel.settings().Get();
  DisplaySettings s;
  s.ShowMainMap = c.Layers.Mainlay;
  s.ShowOverlay = c.Layers.Overlay;
  s.ShowUnderlay = c.Underlay.Underlay();
  s.Shading = styles.Shading();
  s.Grid = c.Layers.Grid;
  s.SaveViewport = c.Startup.SaveView;
  s.FlyoverHints = c.Panel.AutoQuery;
  s.CoordinateType = c.Panel.LLmode;
  s.DistanceUnit = panel.view().Mapunits();
  s.CoordinateOrder = c.Panel.Coords;
  s.AspectRatio = panel.ScreenAspect();
  s.ShowStreetNames = c.Labels.ShowStreetNames != 0;
  s.ShowSuffixes = core::ShowsSuffixes(c.Labels);
  s.SelectiveLabeling = c.Labels.SelectiveLabeling != 0;
  s.ShowRouteShields = c.Labels.ShowRouteShields;
  s.Detail.StreetLabelMiles = c.Labels.StreetLabelMiles;
  s.Detail.TextSize = c.Labels.TextSize;
  s.Detail.CityDensity = c.Labels.CityDensity;
  return s;
}

void StoreDisplayFields(const DisplaySettings& s, core::Ttvmap& panel, render::StyleEngine& styles) {
  core::SettingsStore& store = panel.settings();
  store.Change(&core::ControlSettings::Layers, [&s](core::LayerOptions& l) {
    l.Mainlay = s.ShowMainMap;
    l.Overlay = s.ShowOverlay;
    l.Grid = s.Grid;
  });
  store.Change(&core::ControlSettings::Underlay, [&s](core::UnderlaySettings& u) { u.SetUnderlay(s.ShowUnderlay); });
  styles.SetShading(s.Shading);
  store.Change(&core::ControlSettings::Startup, [&s](core::StartupSettings& st) { st.SaveView = s.SaveViewport; });
  store.Change(&core::ControlSettings::Panel, [&s](core::PanelOptions& p) {
    p.AutoQuery = s.FlyoverHints;
    p.LLmode = s.CoordinateType;
    p.Coords = s.CoordinateOrder;
  });
  panel.SetMapunits(s.DistanceUnit);
  if (s.AspectRatio > 0.5) panel.SetScreenAspect(s.AspectRatio);
  store.Change(&core::ControlSettings::Labels, [&s](core::LabelSettings& l) {
    l.ShowStreetNames = s.ShowStreetNames ? 1 : 0;
    l.HideSuffixes = s.ShowSuffixes ? 0 : 1;
    l.SelectiveLabeling = s.SelectiveLabeling ? 1 : 0;
    l.ShowRouteShields = s.ShowRouteShields;
    l.StreetLabelMiles = s.Detail.StreetLabelMiles;
    l.TextSize = static_cast<int>(s.Detail.TextSize);
    l.CityDensity = static_cast<int>(s.Detail.CityDensity);
  });
  panel.LayerSettingChanged();  // the shading too
}

void RunDisplayDialog(core::Ttvmap& panel, render::StyleEngine& styles) {
  DisplaySettings s = DisplayFields(panel, styles);
  DisplayDialog dialog(s);
  dialog.Run();
  StoreDisplayFields(s, panel, styles);
}

}  // namespace

void AttachStyleDialogs(core::ControlContext& context, render::MapModel& model) {
  core::Registries& r = context.Registry();
  core::Ttvmap& panel = context.Panel();
  render::StyleEngine& styles = model.Styles();
  r.Dialogs.Register(kLayerDialog, kSubsystem, [&panel, &styles] { RunLayerDialog(panel, styles); });
  r.Dialogs.Register(kDisplayDialog, kSubsystem, [&panel, &styles] { RunDisplayDialog(panel, styles); });
  const core::DialogRegistry& dialogs = r.Dialogs;
  r.Commands.Register("LAYER", kSubsystem, [&dialogs] { dialogs.Find(kLayerDialog)->Run(); });
  r.Commands.Register("DISPLAY", kSubsystem, [&dialogs] { dialogs.Find(kDisplayDialog)->Run(); });
}

}  // namespace quelmar::dialogs
