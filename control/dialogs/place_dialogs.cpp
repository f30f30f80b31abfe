#include "control/dialogs/place_dialogs.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "control/core/coordinate_format.h"
#include "control/core/map_units.h"
#include "control/data/name_unpack.h"
#include "control/core/tv_object.h"
#include "control/search/coordinate_pair.h"
#include "platform/kernel/beep.h"

namespace quelmar::dialogs {
namespace {

constexpr double kKilometresPerMile = 1.609344;

using ui::FieldKind;

// Adds the zoom label and list, and the buttons every place dialog has.
void AddZoomAndButtons(ui::DialogModel& dialog, const char* zoomLabel, bool withGoto) {
  dialog.Add("ZoomLabel", FieldKind::Label, {}, zoomLabel);
  ui::DialogField& zoom = dialog.Add(kZoomList, FieldKind::List, {}, "1");
  zoom.items = ZoomChoices();
  dialog.Add(kOk, FieldKind::Button);
  dialog.Add(kCancel, FieldKind::Button);
  if (withGoto) dialog.Add(kGoto, FieldKind::Button);
}

double ZoomOf(const ui::DialogModel& dialog) { return PositiveNumberOr(dialog.Field(kZoomList).text, 1); }

// The index of the list's selected item among its items, if any.
std::optional<std::size_t> SelectedRow(const ui::DialogModel& dialog) {
  const ui::DialogField& list = dialog.Field(kResultList);
  const auto it = std::find(list.items.begin(), list.items.end(), list.text);
  if (list.text.empty() || it == list.items.end()) return std::nullopt;
  return static_cast<std::size_t>(it - list.items.begin());
}

double Degrees(std::uint32_t tableUnits) { return tableUnits / data::kTableUnitsPerDegree; }

std::int32_t TypedNumber(const std::string& text) {
  std::int32_t value = 0;
  const std::string digits = text.substr(0, text.find_last_not_of(' ') + 1);
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return error == std::errc{} && end == digits.data() + digits.size() ? value : -1;
}

}  // namespace

double PositiveNumberOr(const std::string& text, double fallback) {
  double value = fallback;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() && value > 0 ? value : fallback;
}

const std::vector<std::string>& ZoomChoices() {
  static const std::vector<std::string> kChoices = {"0.1", "0.2", "0.5", "1", "2", "5", "10", "20", "50"};
  return kChoices;
}

// ---- Find City or County

PlaceDialog::PlaceDialog(PlaceDialogServices services) : services_(std::move(services)) {
  dialog_.Add("&Place:", FieldKind::Edit);
  dialog_.Add(kResultList, FieldKind::List);
  dialog_.Add(kFind, FieldKind::Button);
  dialog_.Add("+", FieldKind::Button);
  dialog_.Add("-", FieldKind::Button);
  AddZoomAndButtons(dialog_, "Zoom (mi)", true);
  dialog_.OnPress(kFind, [this] { Find(); });
  dialog_.OnPress("+", [this] { Page(1); });
  dialog_.OnPress("-", [this] { Page(-1); });
  dialog_.OnPress(kGoto, [this] { Goto(); });
}

void PlaceDialog::Find() {
  const auto bytes = services_.Tables->Cities.Read(services_.Folder);
  const std::string key = search::PlaceQueryKey(dialog_.Field("&Place:").text, false);
  const std::optional<search::Place> found = search::FindPlaceAtOrAfter(search::View(bytes), key);
  if (!found) {
    rows_.clear();
    Fill();
    return;
  }
  start_ = found->Index - static_cast<std::int32_t>(kWindowRows / 2);
  Fill();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].Index == found->Index) dialog_.Field(kResultList).text = dialog_.Field(kResultList).items[i];
  }
}

void PlaceDialog::Page(int direction) {
  start_ += direction * static_cast<std::int32_t>(kWindowRows);
  Fill();
}

void PlaceDialog::Fill() {
  const auto bytes = services_.Tables->Cities.Read(services_.Folder);
  const std::int32_t count = data::CityCount(search::View(bytes)).value_or(0);
  start_ = std::clamp(start_, 0, std::max(0, count - static_cast<std::int32_t>(kWindowRows)));
  rows_.clear();
  ui::DialogField& list = dialog_.Field(kResultList);
  list.items.clear();
  list.text.clear();
  for (std::int32_t i = start_; i < count && rows_.size() < kWindowRows; ++i) {
    std::optional<search::Place> place = search::PlaceAt(search::View(bytes), i);
    if (!place) continue;
    list.items.push_back(search::PlaceDisplayName(*place) + ", " + std::string(data::CityStateCode(place->Record.State)));
    rows_.push_back(std::move(*place));
  }
}

void PlaceDialog::Goto() {
  const std::optional<std::size_t> row = SelectedRow(dialog_);
  if (!row || *row >= rows_.size()) {
    kernel::Beep();
    return;
  }
  services_.Goto(search::PlaceLongitude(rows_[*row]), search::PlaceLatitude(rows_[*row]), ZoomOf(dialog_));
  dialog_.Press(kOk);
}

// ---- Locate Zip Code

ZipDialog::ZipDialog(PlaceDialogServices services) : services_(std::move(services)) {
  dialog_.Add("&Zip Code:", FieldKind::Edit);
  dialog_.Add(kResultList, FieldKind::List);
  dialog_.Add(kFind, FieldKind::Button);
  AddZoomAndButtons(dialog_, "Z&oom (mi)", true);
  dialog_.OnPress(kFind, [this] { Find(); });
  dialog_.OnPress(kGoto, [this] { Goto(); });
}

void ZipDialog::Find() {
  const auto bytes = services_.Tables->Zip.Read(services_.Folder);
  const std::string typed = dialog_.Field("&Zip Code:").text.substr(0, 5);
  const search::ZipDialogList list = search::ZipDialogRows(search::View(bytes), TypedNumber(typed));
  rows_ = list.Rows;
  ui::DialogField& field = dialog_.Field(kResultList);
  field.items.clear();
  field.text.clear();
  for (const search::ZipHit& hit : rows_) {
    char zip[16];
    std::snprintf(zip, sizeof zip, "%05d", hit.Record.Zip);
    field.items.push_back(std::string(zip) + "  " + data::UnpackPairs(hit.Record.PackedName).substr(0, 20));
  }
  firstVisible_ = std::min(list.First, rows_.empty() ? 0 : rows_.size() - 1);
  if (list.Selected) field.text = field.items[list.First];
}

void ZipDialog::Goto() {
  const std::optional<std::size_t> row = SelectedRow(dialog_);
  if (!row || *row >= rows_.size()) {
    kernel::Beep();
    return;
  }
  const data::ZipRecord& record = rows_[*row].Record;
  services_.Goto(-Degrees(record.LonWest), Degrees(record.LatNorth), ZoomOf(dialog_));
  dialog_.Press(kOk);
}

// ---- Locate Area Code

PhoneDialog::PhoneDialog(PlaceDialogServices services) : services_(std::move(services)) {
  dialog_.Add("&Area Code:", FieldKind::Edit);
  dialog_.Add("&Exchange:", FieldKind::Edit);
  dialog_.Add(kResultList, FieldKind::List);
  dialog_.Add("Coordinates", FieldKind::Label);
  dialog_.Add("Note", FieldKind::Label, {}, kNote);
  dialog_.Add(kFind, FieldKind::Button);
  AddZoomAndButtons(dialog_, "Zoom (mi)", true);
  dialog_.OnPress(kFind, [this] { Find(); });
  dialog_.OnPress(kGoto, [this] { Goto(); });
  dialog_.OnChange(kResultList, [this] { ShowSelected(); });
}

void PhoneDialog::Find() {
  const auto bytes = services_.Tables->Exchanges.Read(services_.Folder);
  const std::int32_t area = TypedNumber(dialog_.Field("&Area Code:").text.substr(0, 3));
  rows_ = area > 0 ? search::AreaCodeExchanges(search::View(bytes), area) : std::vector<search::ExchangeHit>{};
  ui::DialogField& field = dialog_.Field(kResultList);
  field.items.clear();
  field.text.clear();
  const std::int32_t exchange = TypedNumber(dialog_.Field("&Exchange:").text.substr(0, 3));
  for (const search::ExchangeHit& hit : rows_) {
    char row[80];
    std::snprintf(row, sizeof row, "%03d  %-20.20s  %-2.2s  %05d", hit.Record.Exchange, hit.Place.c_str(),
                  hit.State.c_str(), hit.Zip);
    field.items.push_back(row);
    if (field.text.empty() && hit.Record.Exchange == exchange) field.text = row;
  }
  ShowSelected();
}

const search::ExchangeHit* PhoneDialog::Selected() const {
  const std::optional<std::size_t> row = SelectedRow(dialog_);
  return row && *row < rows_.size() ? &rows_[*row] : nullptr;
}

void PhoneDialog::ShowSelected() {
  const search::ExchangeHit* hit = Selected();
  std::string text;
  if (hit) {
    text = core::FormatFixed(-Degrees(hit->Record.LonWest), 4) + ", " + core::FormatFixed(Degrees(hit->Record.LatNorth), 4);
  }
  dialog_.Field("Coordinates").text = text;
}

void PhoneDialog::Goto() {
  const search::ExchangeHit* hit = Selected();
  if (!hit) {
    kernel::Beep();
    return;
  }
  services_.Goto(-Degrees(hit->Record.LonWest), Degrees(hit->Record.LatNorth), ZoomOf(dialog_));
  dialog_.Press(kOk);
}

// ---- Move to Specified Coordinate

LonLatDialog::LonLatDialog(PlaceDialogServices services) : services_(std::move(services)) {
  dialog_.Add(kCoordinate, FieldKind::Edit);
  AddZoomAndButtons(dialog_, "&Zoom (km)", false);
  dialog_.OnPress(kOk, [this] { Accept(); });
}

void LonLatDialog::Accept() {
  const std::optional<search::CoordinatePair> pair = search::ParseCoordinatePair(dialog_.Field(kCoordinate).text);
  if (!pair || dialog_.Field(kCoordinate).text.empty()) {
    kernel::Beep();
    return;
  }
  services_.Goto(pair->First * core::kDegreesPerUnit, pair->Second * core::kDegreesPerUnit,
                 ZoomOf(dialog_) / kKilometresPerMile);
  // The action closes the dialog as the plain button would.
  dialog_.OnPress(kOk, {});
  dialog_.Press(kOk);
}

// ---- the view around a dialog

void RunPlaceDialog(core::Ttvmap& panel, ui::DialogModel& dialog) {
  const core::ViewState saved = panel.view();
  ui::RunModal(dialog);
  if (dialog.Pressed() == kOk) {
    panel.view().LastView() = saved.View();
    return;
  }
  panel.view() = saved;
  panel.Redraw();
}

}  // namespace quelmar::dialogs
