#include "control/dialogs/display_dialog.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/kernel/number_text.h"

namespace quelmar::dialogs {
namespace {

using ui::DialogField;
using ui::FieldKind;

constexpr const char* kTabGroup = "Tab";
constexpr const char* kCaptionField = "Caption";
constexpr const char* kCoordinateGroup = " Coordinate Type ";
constexpr const char* kUnitGroup = "Units";
constexpr const char* kOrderGroup = "Order";
constexpr const char* kAspect = "Aspect &Ratio:";

constexpr const char* kStreetDetail = "&Street Detail:";
constexpr const char* kStreetLabels = "Street &Labels:";
constexpr const char* kLandmarkLabels = "Land&mark Labels:";
constexpr const char* kTextSize = "&Text Size:";
constexpr const char* kCityDensity = "City &Density:";
constexpr const char* kSearchRadius = "Search Radius:";

// A check box and the setting it shows.
struct CheckBinding {
  const char* name;
  bool (*get)(const DisplayState&);
  void (*set)(DisplayState&, bool);
};
constexpr CheckBinding kChecks[] = {
    {"Show Main &Map", [](const DisplayState& s) { return s.Settings.Layers.Mainlay; },
     [](DisplayState& s, bool on) { s.Settings.Layers.Mainlay = on; }},
    {"Show User &Overlay", [](const DisplayState& s) { return s.Settings.Layers.Overlay; },
     [](DisplayState& s, bool on) { s.Settings.Layers.Overlay = on; }},
    {"Show USA &Underlay", [](const DisplayState& s) { return s.Settings.Underlay.Underlay(); },
     [](DisplayState& s, bool on) { s.Settings.Underlay.SetUnderlay(on); }},
    {"Show Route &Shields", [](const DisplayState& s) { return s.Settings.Labels.ShowRouteShields; },
     [](DisplayState& s, bool on) { s.Settings.Labels.ShowRouteShields = on; }},
    {"Show Street &Names", [](const DisplayState& s) { return s.Settings.Labels.ShowStreetNames != 0; },
     [](DisplayState& s, bool on) { s.Settings.Labels.ShowStreetNames = on ? 1 : 0; }},
    {"Show Su&ffixes (i.e St, Ave)", [](const DisplayState& s) { return core::ShowsSuffixes(s.Settings.Labels); },
     [](DisplayState& s, bool on) { s.Settings.Labels.HideSuffixes = on ? 0 : 1; }},
    {"Use Selective &Labeling", [](const DisplayState& s) { return s.Settings.Labels.SelectiveLabeling != 0; },
     [](DisplayState& s, bool on) { s.Settings.Labels.SelectiveLabeling = on ? 1 : 0; }},
    {"Toolba&r  ", [](const DisplayState& s) { return s.Settings.Panel.ShowToolbar; },
     [](DisplayState& s, bool on) { s.Settings.Panel.ShowToolbar = on; }},
    {"&Grid", [](const DisplayState& s) { return s.Settings.Layers.Grid; },
     [](DisplayState& s, bool on) { s.Settings.Layers.Grid = on; }},
    {"Save &Viewport", [](const DisplayState& s) { return s.Settings.Startup.SaveView; },
     [](DisplayState& s, bool on) { s.Settings.Startup.SaveView = on; }},
    {"Flyover Map &Hints", [](const DisplayState& s) { return s.Settings.Panel.AutoQuery; },
     [](DisplayState& s, bool on) { s.Settings.Panel.AutoQuery = on; }},
};

struct ShadeBinding {
  const char* name;
  bool core::ShadingSwitches::*flag;
};
constexpr ShadeBinding kShades[] = {
    {"S&tates", &core::ShadingSwitches::State},
    {"&Counties", &core::ShadingSwitches::County},
    {"M.C.&D.s", &core::ShadingSwitches::Mcd},
    {"Pl&aces", &core::ShadingSwitches::Place},
};

struct CoordinateChoice {
  const char* name;
  TxLLMode mode;
};
constexpr CoordinateChoice kCoordinateTypes[] = {
    {"&1) Deg: Min: Sec", TmHMS},
    {"&2) Deg: Min.Frac", TmSMALL},
    {"&3) Deg.Frac", TmDEG},
};
constexpr const char* kMiles = "Miles&/Feet";
constexpr const char* kKilometres = "&km/meters";
constexpr const char* kLatLon = "Lat/Lon";
constexpr const char* kLonLat = "Lon/Lat";

// A spinning field of "Detailed Info": the setting it shows (as the field
// shows it), its range and steps (a smaller step at or below `fineBelow`).
struct SpinRule {
  const char* name;
  double (*get)(const core::ControlSettings&);
  void (*set)(core::ControlSettings&, double);
  double low, high;
  double step;
  double fineStep;   // 0: no finer step
  double fineBelow;
};

// City density d is shown as (20 - d) × 100 / 20 percent.
double DensityPercent(double d) { return (20 - d) * 100 / 20; }
double DensityOfPercent(double percent) { return 20 - percent * 20 / 100; }

constexpr SpinRule kSpins[] = {
    {kStreetDetail, [](const core::ControlSettings& c) { return c.Layers.StreetDetailMiles; },
     [](core::ControlSettings& c, double v) { c.Layers.StreetDetailMiles = v; }, 2, 100, 2, 0, 0},
    {kStreetLabels, [](const core::ControlSettings& c) { return c.Labels.StreetLabelMiles; },
     [](core::ControlSettings& c, double v) { c.Labels.StreetLabelMiles = v; }, 0.2, 10, 1, 0.2, 1},
    {kLandmarkLabels, [](const core::ControlSettings& c) { return c.Labels.LandmarkLabelMiles; },
     [](core::ControlSettings& c, double v) { c.Labels.LandmarkLabelMiles = v; }, 0.1, 10, 1, 0.1, 1},
    {kTextSize, [](const core::ControlSettings& c) { return double(c.Labels.TextSize); },
     [](core::ControlSettings& c, double v) { c.Labels.TextSize = static_cast<int>(v); }, 2, 14, 2, 0, 0},
    {kCityDensity, [](const core::ControlSettings& c) { return DensityPercent(c.Labels.CityDensity); },
     [](core::ControlSettings& c, double v) { c.Labels.CityDensity = static_cast<int>(DensityOfPercent(v)); }, 0, 100,
     5, 0, 0},
    {kSearchRadius, [](const core::ControlSettings& c) { return c.Search.RadiusMiles; },
     [](core::ControlSettings& c, double v) { c.Search.RadiusMiles = v; }, 2, 40, 2, 0, 0},
};

std::string Number(double value) {
  // Spinning by tenths leaves binary noise; two decimals are all the fields need.
  return kernel::FormatShortest(std::round(value * 100) / 100);
}

std::optional<double> ParseNumber(const std::string& text) {
  double value = 0;
  if (kernel::ParseDouble(text, &value) != kernel::NumberParse::Ok) return std::nullopt;
  return value;
}

}  // namespace

std::string DisplayDialog::CaptionOf(std::string_view tab) {
  if (tab == kDetailTab) return " Set Zoom scales for detailed information";
  if (tab == kMiscTab) return " Set Units and other misc information";
  return " Set Info you want Visible on the screen";
}

DisplayDialog::DisplayDialog(DisplayState& state)
    : state_(state), dialog_("Set Info you want Visible on the screen") {
  dialog_.Add("&OK", FieldKind::Button);
  dialog_.Add("&Cancel", FieldKind::Button);
  for (std::string_view tab : {kScreenTab, kDetailTab, kMiscTab}) {
    dialog_.Add(std::string(tab), FieldKind::Radio, kTabGroup);
  }
  dialog_.Field(std::string(kScreenTab)).checked = true;
  dialog_.Add(kCaptionField, FieldKind::Label).text = CaptionOf(kScreenTab);

  const std::string screen(kScreenTab);
  for (const CheckBinding& c : kChecks) dialog_.Add(c.name, FieldKind::Check, screen);
  for (const ShadeBinding& s : kShades) dialog_.Add(s.name, FieldKind::Check, screen);

  const std::string detail(kDetailTab);
  for (const SpinRule& spin : kSpins) dialog_.Add(spin.name, FieldKind::Edit, detail);
  dialog_.Add("&Reset", FieldKind::Button, detail);

  for (const CoordinateChoice& c : kCoordinateTypes) dialog_.Add(c.name, FieldKind::Radio, kCoordinateGroup);
  dialog_.Add(kMiles, FieldKind::Radio, kUnitGroup);
  dialog_.Add(kKilometres, FieldKind::Radio, kUnitGroup);
  dialog_.Add(kLatLon, FieldKind::Radio, kOrderGroup);
  dialog_.Add(kLonLat, FieldKind::Radio, kOrderGroup);
  dialog_.Add(kAspect, FieldKind::Edit, std::string(kMiscTab));
}

void DisplayDialog::Run() {
  Activate();
  ui::RunModal(dialog_);
  Close(dialog_.Pressed());
}

void DisplayDialog::Activate() {
  for (const CheckBinding& c : kChecks) dialog_.Field(c.name).checked = c.get(state_);
  for (const ShadeBinding& s : kShades) dialog_.Field(s.name).checked = state_.Settings.Layers.Shading.*s.flag;
  for (const SpinRule& spin : kSpins) dialog_.Field(spin.name).text = Number(spin.get(state_.Settings));
  const core::PanelOptions& panel = state_.Settings.Panel;
  for (const CoordinateChoice& c : kCoordinateTypes) dialog_.Field(c.name).checked = panel.LLmode == c.mode;
  dialog_.Choose(state_.DistanceUnit == Mukm ? kKilometres : kMiles);
  dialog_.Choose(panel.Coords == CdLatLon ? kLatLon : kLonLat);
  dialog_.Field(kAspect).text = kernel::FormatShortest(state_.AspectRatio);
}

void DisplayDialog::ShowTab(std::string_view tab) {
  const std::string name(tab);
  if (dialog_.Find(name) == nullptr || dialog_.Field(name).group != kTabGroup) return;
  dialog_.Choose(name);
  dialog_.Field(kCaptionField).text = CaptionOf(tab);
}

void DisplayDialog::Close(std::string_view button) {
  for (const CheckBinding& c : kChecks) c.set(state_, dialog_.Field(c.name).checked);
  for (const ShadeBinding& s : kShades) state_.Settings.Layers.Shading.*s.flag = dialog_.Field(s.name).checked;
  state_.DistanceUnit = dialog_.Field(kKilometres).checked ? Mukm : MuMi;
  const std::optional<double> aspect = ParseNumber(dialog_.Field(kAspect).text);
  if (aspect && *aspect > 0.5 && std::isfinite(*aspect)) state_.AspectRatio = *aspect;
  if (button != "&OK") return;

  core::PanelOptions& panel = state_.Settings.Panel;
  for (const CoordinateChoice& c : kCoordinateTypes) {
    if (dialog_.Field(c.name).checked) panel.LLmode = c.mode;
  }
  panel.Coords = dialog_.Field(kLatLon).checked ? CdLatLon : CdLonlat;
  // The detail values are kept on "&OK" (out-of-range text is held within
  // the field's range; unreadable text keeps the old value).
  for (const SpinRule& spin : kSpins) {
    const std::optional<double> value = ParseNumber(dialog_.Field(spin.name).text);
    if (value) spin.set(state_.Settings, std::clamp(*value, spin.low, spin.high));
  }
}

bool DisplayDialog::Spin(std::string_view field, bool up) {
  for (const SpinRule& spin : kSpins) {
    if (field != spin.name) continue;
    DialogField& edit = dialog_.Field(spin.name);
    const double value = ParseNumber(edit.text).value_or(spin.low);
    double step = spin.step;
    if (spin.fineStep > 0 && (up ? value < spin.fineBelow : value <= spin.fineBelow)) step = spin.fineStep;
    const double next = std::clamp(value + (up ? step : -step), spin.low, spin.high);
    edit.text = Number(next);
    return true;
  }
  return false;
}

void DisplayDialog::Reset() {
  const char* fields[] = {kStreetDetail, kStreetLabels, kLandmarkLabels, kTextSize, kCityDensity};
  const double values[] = {2, 4, 8, 10, 2};
  for (int i = 0; i < 5; ++i) dialog_.Field(fields[i]).text = Number(values[i]);
}

}  // namespace quelmar::dialogs
