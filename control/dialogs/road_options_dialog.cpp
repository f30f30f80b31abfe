#include "control/dialogs/road_options_dialog.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace quelmar::dialogs {
namespace {

using ui::FieldKind;

constexpr std::array<int, 4> kHighlightValues = {10, 25, 50, 100};

int NumberOr(const std::string& text, int fallback) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : fallback;
}

bool ReportDiffers(const core::RouteSettings& a, const core::RouteSettings& b) {
  return a.Kilometres != b.Kilometres || a.Totals != b.Totals || a.Degrees != b.Degrees ||
         a.AllNames != b.AllNames || a.ResizeView != b.ResizeView || a.Columns != b.Columns;
}

}  // namespace

std::string RoadOptionsDialog::SpeedField(int type) { return std::string(kRoadTypeLabels[type - 1]) + " Speed"; }
std::string RoadOptionsDialog::PriorityField(int type) {
  return std::string(kRoadTypeLabels[type - 1]) + " Priority";
}

RoadOptionsDialog::RoadOptionsDialog(const core::RoadOptions& roads, const core::RouteSettings& route)
    : roads_(roads), route_(route) {
  for (int type = 1; type <= 5; ++type) {
    dialog_.Add(SpeedField(type), FieldKind::Edit, "Roads", std::to_string(roads.speed[type]));
    dialog_.Add(PriorityField(type), FieldKind::Edit, "Roads", std::to_string(roads.priority[type]));
  }
  dialog_.Add("Turn Factor", FieldKind::Edit, "Roads", std::to_string(route.TurnFactor));
  dialog_.Add("Default", FieldKind::Button, "Roads");
  dialog_.OnPress("Default", [this] { Defaults(); });
  dialog_.Add("Route Colour", FieldKind::Edit, "Display", std::to_string(roads.routeLineColour));
  for (std::size_t i = 0; i < kHighlightValues.size(); ++i) {
    dialog_.Add(kHighlights[i], FieldKind::Radio, "Highlight").checked =
        roads.routeHighlight == kHighlightValues[i] || (roads.routeHighlight == 0 && i == 1);
  }
  dialog_.Add("RDSAMP", FieldKind::Label, "Display");
  for (std::size_t i = 0; i < 10; ++i) {
    dialog_.Add(kReportColumns[i], FieldKind::Check, "Report").checked = route.Columns[i];
  }
  dialog_.Add("Display Alternate Street Names.", FieldKind::Check, "Report").checked = route.AllNames;
  dialog_.Add("Resize View to Show Route.", FieldKind::Check, "Report").checked = route.ResizeView;
  dialog_.Add("Degrees", FieldKind::Radio, "Direction:").checked = route.Degrees;
  dialog_.Add("Bearing", FieldKind::Radio, "Direction:").checked = !route.Degrees;
  dialog_.Add("Miles", FieldKind::Radio, "Units:").checked = !route.Kilometres;
  dialog_.Add("Kilometers", FieldKind::Radio, "Units:").checked = route.Kilometres;
  dialog_.Add("Difference", FieldKind::Radio, "Dist./Time:").checked = !route.Totals;
  dialog_.Add("Totals", FieldKind::Radio, "Dist./Time:").checked = route.Totals;
  dialog_.Add("OK", FieldKind::Button);
  dialog_.Add("Cancel", FieldKind::Button);
}

void RoadOptionsDialog::Defaults() {
  constexpr std::array<int, 5> kSpeeds = {65, 50, 45, 35, 5};
  constexpr std::array<int, 5> kPriorities = {5, 4, 3, 3, 1};
  for (int type = 1; type <= 5; ++type) {
    dialog_.Field(SpeedField(type)).text = std::to_string(kSpeeds[type - 1]);
    dialog_.Field(PriorityField(type)).text = std::to_string(kPriorities[type - 1]);
  }
}

void RoadOptionsDialog::Read() {
  for (int type = 1; type <= 5; ++type) {
    roads_.speed[type] = std::clamp(NumberOr(dialog_.Field(SpeedField(type)).text, roads_.speed[type]), 0, 100);
    roads_.priority[type] =
        std::clamp(NumberOr(dialog_.Field(PriorityField(type)).text, roads_.priority[type]), 0, 5);
  }
  route_.TurnFactor = std::clamp(NumberOr(dialog_.Field("Turn Factor").text, route_.TurnFactor), 0, 10);
  roads_.routeLineColour = NumberOr(dialog_.Field("Route Colour").text, roads_.routeLineColour);
  for (std::size_t i = 0; i < kHighlightValues.size(); ++i) {
    if (dialog_.Field(kHighlights[i]).checked) roads_.routeHighlight = kHighlightValues[i];
  }
  for (std::size_t i = 0; i < 10; ++i) route_.Columns[i] = dialog_.Field(kReportColumns[i]).checked;
  route_.AllNames = dialog_.Field("Display Alternate Street Names.").checked;
  route_.ResizeView = dialog_.Field("Resize View to Show Route.").checked;
  route_.Degrees = dialog_.Field("Degrees").checked;
  route_.Kilometres = dialog_.Field("Kilometers").checked;
  route_.Totals = dialog_.Field("Totals").checked;
}

int RoadOptionsDialog::Run() {
  const core::RouteSettings before = route_;
  ui::RunModal(dialog_);
  if (dialog_.Pressed() != "OK") return kRoadOptionsCancel;
  Read();
  return ReportDiffers(before, route_) ? kRoadOptionsReportChanged : kRoadOptionsOk;
}

}  // namespace quelmar::dialogs
