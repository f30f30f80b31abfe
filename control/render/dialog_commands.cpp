#include "control/render/dialog_commands.h"

#include <vector>

#include "control/data/state_table.h"
#include "control/render/display_dialog.h"
#include "control/render/layer_dialog.h"

namespace quelmar::render {
namespace {

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

void RunLayerDialog(core::TTvObject& panel, StyleEngine& styles) {
  core::PanelOptions& o = panel.options();
  LayerLoadSwitches loads{o.Load_Air, o.Load_Landmark};
  LayerDialog dialog(styles, loads, StateList());
  dialog.Run();
  o.Load_Air = loads.Airports;
  o.Load_Landmark = loads.Landmarks;
  panel.LayerSettingChanged();
}

void RunDisplayDialog(core::TTvObject& panel, StyleEngine& styles, LabelEngine& labels) {
  core::PanelOptions& o = panel.options();
  DisplaySettings s;
  s.ShowMainMap = o.Mainlay;
  s.ShowOverlay = o.Overlay;
  s.ShowUnderlay = o.Underlay;
  s.Shading = styles.Shading();
  s.Grid = o.Grid;
  s.SaveViewport = panel.startup().SaveView;
  s.FlyoverHints = o.AutoQuery;
  s.CoordinateType = o.LLmode;
  s.DistanceUnit = panel.view().Mapunits();
  s.CoordinateOrder = o.Coords;
  s.AspectRatio = panel.ScreenAspect();
  core::OptionValues& values = panel.optionValues();
  LabelSettings& label = labels.Settings();
  s.ShowStreetNames = values.showStreetNames != 0;
  s.ShowSuffixes = values.hideSuffixes == 0;
  s.SelectiveLabeling = values.selectiveLabeling != 0;
  s.ShowRouteShields = label.ShowRouteShields;
  s.Detail.StreetLabelMiles = values.streetLabelMiles;
  s.Detail.TextSize = label.TextSize;
  s.Detail.CityDensity = label.CityDensity;
  DisplayDialog dialog(s);
  dialog.Run();
  o.Mainlay = s.ShowMainMap;
  o.Overlay = s.ShowOverlay;
  o.Underlay = s.ShowUnderlay;
  styles.SetShading(s.Shading);
  o.Grid = s.Grid;
  panel.startup().SaveView = s.SaveViewport;
  o.AutoQuery = s.FlyoverHints;
  panel.SetLLmode(s.CoordinateType);
  panel.SetMapunits(s.DistanceUnit);
  panel.SetCoords(s.CoordinateOrder);
  if (s.AspectRatio > 0.5) panel.SetScreenAspect(s.AspectRatio);
  values.showStreetNames = s.ShowStreetNames ? 1 : 0;
  values.hideSuffixes = s.ShowSuffixes ? 0 : 1;
  values.selectiveLabeling = s.SelectiveLabeling ? 1 : 0;
  label.ShowRouteShields = s.ShowRouteShields;
  values.streetLabelMiles = s.Detail.StreetLabelMiles;
  label.TextSize = static_cast<int>(s.Detail.TextSize);
  label.CityDensity = static_cast<int>(s.Detail.CityDensity);
  panel.LayerSettingChanged();
}

}  // namespace

bool RunStyleDialog(const std::string& command, core::TTvObject& panel, StyleEngine& styles, LabelEngine& labels) {
  if (command == "LAYER") {
    RunLayerDialog(panel, styles);
    return true;
  }
  if (command == "DISPLAY") {
    RunDisplayDialog(panel, styles, labels);
    return true;
  }
  return false;
}

}  // namespace quelmar::render
