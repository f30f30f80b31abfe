#include "control/dialogs/display_dialog.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/kernel/number_text.h"

namespace quelmar::dialogs {

// The layer styles are what these dialogs edit.
using namespace quelmar::render;
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

struct CheckBinding {
  const char* name;
  bool DisplaySettings::*flag;
};
constexpr CheckBinding kChecks[] = {
    {"Show Main &Map", &DisplaySettings::ShowMainMap},
    {"Show User &Overlay", &DisplaySettings::ShowOverlay},
    {"Show USA &Underlay", &DisplaySettings::ShowUnderlay},
    {"Show Route &Shields", &DisplaySettings::ShowRouteShields},
    {"Show Street &Names", &DisplaySettings::ShowStreetNames},
    {"Show Su&ffixes (i.e St, Ave)", &DisplaySettings::ShowSuffixes},
    {"Use Selective &Labeling", &DisplaySettings::SelectiveLabeling},
    {"Toolba&r  ", &DisplaySettings::Toolbar},
    {"&Grid", &DisplaySettings::Grid},
    {"Save &Viewport", &DisplaySettings::SaveViewport},
    {"Flyover Map &Hints", &DisplaySettings::FlyoverHints},
};

struct ShadeBinding {
  const char* name;
  bool ShadingSwitches::*flag;
};
constexpr ShadeBinding kShades[] = {
    {"S&tates", &ShadingSwitches::State},
    {"&Counties", &ShadingSwitches::County},
    {"M.C.&D.s", &ShadingSwitches::Mcd},
    {"Pl&aces", &ShadingSwitches::Place},
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

// A spinning field: its range and steps (a smaller step at or below `fineBelow`).
struct SpinRule {
  const char* name;
  double DisplayDetailSettings::*value;
  double low, high;
  double step;
  double fineStep;   // 0: no finer step
  double fineBelow;
};
constexpr SpinRule kSpins[] = {
    {kStreetDetail, &DisplayDetailSettings::StreetDetailMiles, 2, 100, 2, 0, 0},
    {kStreetLabels, &DisplayDetailSettings::StreetLabelMiles, 0.2, 10, 1, 0.2, 1},
    {kLandmarkLabels, &DisplayDetailSettings::LandmarkLabelMiles, 0.1, 10, 1, 0.1, 1},
    {kTextSize, &DisplayDetailSettings::TextSize, 2, 14, 2, 0, 0},
    {kCityDensity, nullptr, 0, 100, 5, 0, 0},  // percent, see DensityPercent
    {kSearchRadius, &DisplayDetailSettings::SearchRadius, 2, 40, 2, 0, 0},
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

double DensityPercent(double d) { return (20 - d) * 100 / 20; }
double DensityOfPercent(double percent) { return 20 - percent * 20 / 100; }

}  // namespace

std::string DisplayDialog::CaptionOf(std::string_view tab) {
  if (tab == kDetailTab) return " Set Zoom scales for detailed information";
  if (tab == kMiscTab) return " Set Units and other misc information";
  return " Set Info you want Visible on the screen";
}

DisplayDialog::DisplayDialog(DisplaySettings& settings)
    : settings_(settings), dialog_("Set Info you want Visible on the screen") {
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
  for (const CheckBinding& c : kChecks) dialog_.Field(c.name).checked = settings_.*c.flag;
  for (const ShadeBinding& s : kShades) dialog_.Field(s.name).checked = settings_.Shading.*s.flag;
  const DisplayDetailSettings& d = settings_.Detail;
  for (const SpinRule& spin : kSpins) {
    const double value = spin.value ? d.*spin.value : DensityPercent(d.CityDensity);
    dialog_.Field(spin.name).text = Number(value);
  }
  for (const CoordinateChoice& c : kCoordinateTypes) {
    dialog_.Field(c.name).checked = settings_.CoordinateType == c.mode;
  }
  dialog_.Choose(settings_.DistanceUnit == Mukm ? kKilometres : kMiles);
  dialog_.Choose(settings_.CoordinateOrder == CdLatLon ? kLatLon : kLonLat);
  dialog_.Field(kAspect).text = kernel::FormatShortest(settings_.AspectRatio);
}

void DisplayDialog::ShowTab(std::string_view tab) {
  const std::string name(tab);
  if (dialog_.Find(name) == nullptr || dialog_.Field(name).group != kTabGroup) return;
  dialog_.Choose(name);
  dialog_.Field(kCaptionField).text = CaptionOf(tab);
}

void DisplayDialog::Close(std::string_view button) {
  for (const CheckBinding& c : kChecks) settings_.*c.flag = dialog_.Field(c.name).checked;
  for (const ShadeBinding& s : kShades) settings_.Shading.*s.flag = dialog_.Field(s.name).checked;
  settings_.DistanceUnit = dialog_.Field(kKilometres).checked ? Mukm : MuMi;
  const std::optional<double> aspect = ParseNumber(dialog_.Field(kAspect).text);
  if (aspect && *aspect > 0.5 && std::isfinite(*aspect)) settings_.AspectRatio = *aspect;
  if (button != "&OK") return;

  for (const CoordinateChoice& c : kCoordinateTypes) {
    if (dialog_.Field(c.name).checked) settings_.CoordinateType = c.mode;
  }
  settings_.CoordinateOrder = dialog_.Field(kLatLon).checked ? CdLatLon : CdLonlat;
  // The detail values are shown and spun; they are kept on "&OK" so that the
  // caller can apply them (out-of-range or unreadable text keeps the old value).
  DisplayDetailSettings& d = settings_.Detail;
  for (const SpinRule& spin : kSpins) {
    const std::optional<double> value = ParseNumber(dialog_.Field(spin.name).text);
    if (!value) continue;
    const double kept = std::clamp(*value, spin.low, spin.high);
    if (spin.value) {
      d.*spin.value = kept;
    } else {
      d.CityDensity = DensityOfPercent(kept);
    }
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
