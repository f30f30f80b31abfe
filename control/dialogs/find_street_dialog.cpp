#include "control/dialogs/find_street_dialog.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "control/core/coordinate_format.h"
#include "control/core/map_units.h"
#include "control/data/state_table.h"
#include "control/search/result_line.h"
#include "control/search/street_name.h"
#include "control/dialogs/place_dialogs.h"
#include "platform/kernel/beep.h"

namespace quelmar::dialogs {
namespace {

using ui::FieldKind;

constexpr int kLastStreetState = 56;
constexpr std::size_t kSortKeyLength = 30;

std::optional<double> Degrees(const std::string& text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || !(std::abs(value) <= 180)) return std::nullopt;
  return value;
}

std::string Column(const std::string& text, int field, std::size_t width) {
  return search::ResultField(search::ShortString(text), field).Str().substr(0, width);
}

std::string MilesText(double miles) { return core::FormatFixed(miles, 1); }

std::string StreetName(const search::StreetHit& hit) { return hit.Text.substr(0, hit.Text.find('\t')); }

std::string SortKeyOf(const search::StreetHit& hit, FindStreetDialog::SortKey key) {
  std::string text;
  switch (key) {
    case FindStreetDialog::SortKey::Name: text = hit.Text + '\t' + MilesText(hit.Miles); break;
    case FindStreetDialog::SortKey::City: text = hit.Text.substr(hit.Text.find('\t') + 1) + StreetName(hit); break;
    case FindStreetDialog::SortKey::Distance: text = MilesText(hit.Miles) + StreetName(hit); break;
  }
  return text.substr(0, kSortKeyLength);
}

}  // namespace

FindStreetDialog::FindStreetDialog(FindStreetServices services, FindStreetMemory& memory)
    : services_(std::move(services)), memory_(memory) {
  dialog_.Add(kStreetField, FieldKind::Edit, {}, memory_.Street);
  ui::DialogField& states = dialog_.Add(kStateList, FieldKind::List, {}, memory_.State);
  for (int slot = 1; slot <= kLastStreetState; ++slot) {
    if (!data::StateCode(slot).empty()) states.items.emplace_back(data::StateCode(slot));
  }
  states.items.emplace_back(kAllStates);
  dialog_.Add(kZipField, FieldKind::Edit, {}, memory_.Zip.substr(0, 5));
  dialog_.Add(kCrossField, FieldKind::Edit);
  ui::DialogField& zoom = dialog_.Add(kStreetZoom, FieldKind::List, {}, memory_.Zoom);
  zoom.items = {"0.1", "0.2", "0.5", "1", "2"};
  ui::DialogField& radius = dialog_.Add(kStreetRadius, FieldKind::List, {}, memory_.Radius);
  radius.items = {"2", "4", "8", "10", "20", "50"};
  dialog_.Add(kMatchesLabel, FieldKind::Label);
  dialog_.Add("Point", FieldKind::Label);
  dialog_.Add(kStreetTable, FieldKind::List);
  dialog_.Add("&Find", FieldKind::Button);
  dialog_.Add("Name", FieldKind::Button, "Sort By:");
  dialog_.Add("City", FieldKind::Button, "Sort By:");
  dialog_.Add("Dist", FieldKind::Button, "Sort By:");
  dialog_.Add("&Goto", FieldKind::Button).enabled = false;
  dialog_.Add("&Cancel", FieldKind::Button);
  dialog_.Add("&OK", FieldKind::Button);  // how "&Goto" closes the dialog
  dialog_.OnChange(kZipField, [this] { ZipLeft(); });
  dialog_.OnChange(kStreetTable, [this] { Selected(); });
  dialog_.OnPress("&Find", [this] { Find(); });
  dialog_.OnPress("Name", [this] { Sort(SortKey::Name); });
  dialog_.OnPress("City", [this] { Sort(SortKey::City); });
  dialog_.OnPress("Dist", [this] { Sort(SortKey::Distance); });
  dialog_.OnPress("&Goto", [this] { Goto(); });
  dialog_.OnPress("&Cancel", [this] { Cancel(); });
}

void FindStreetDialog::ZipLeft() {
  const std::string& typed = dialog_.Field(kZipField).text;
  std::int32_t zip = 0;
  const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), zip);
  const search::ShortString line = error == std::errc{} && end == typed.data() + typed.size() && zip > 0 &&
                                           services_.ZipLine
                                       ? services_.ZipLine(zip)
                                       : search::ShortString();
  if (line.Empty()) {
    dialog_.Field(kStateList).text = kAllStates;
    return;
  }
  const std::optional<double> lon = Degrees(search::ResultField(line, 5).Str());
  const std::optional<double> lat = Degrees(search::ResultField(line, 6).Str());
  // The table's longitude is west: the centre's is negative.
  if (lon && lat) services_.Centre = {-std::abs(*lon), *lat};
  const std::string state = search::ResultField(line, 3).Str();
  dialog_.Field(kStateList).text = state.empty() ? kAllStates : state;
}

void FindStreetDialog::Find() {
  dialog_.Reopen("Searching Streets");
  search::StreetAreaQuery query;
  std::string street = dialog_.Field(kStreetField).text;
  // A first word of digits only is the house number.
  const std::size_t space = street.find(' ');
  const std::string first = street.substr(0, space);
  if (space != std::string::npos && !first.empty() &&
      std::all_of(first.begin(), first.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    std::from_chars(first.data(), first.data() + first.size(), query.HouseKey);
    street = street.substr(space + 1);
  }
  query.Street = search::NormalizeStreetName(search::ShortString(street));
  const std::string& cross = dialog_.Field(kCrossField).text;
  query.Cross = cross.empty() ? search::ShortString() : search::NormalizeStreetName(search::ShortString(cross));
  const std::string& state = dialog_.Field(kStateList).text;
  if (state == kAllStates || state.empty()) {
    for (int slot = 1; slot <= kLastStreetState; ++slot) query.States.push_back(slot);
  } else if (const int slot = data::StreetStateSlot(state)) {
    query.States.push_back(slot);
  }
  query.RadiusMiles = PositiveNumberOr(dialog_.Field(kStreetRadius).text, 10);
  query.CentreLon = services_.Centre.Lon;
  query.CentreLat = services_.Centre.Lat;
  hits_ = services_.Search ? services_.Search(query) : std::vector<search::StreetHit>{};
  dialog_.Field(kMatchesLabel).text = "Matches = " + std::to_string(hits_.size());
  std::stable_sort(hits_.begin(), hits_.end(),
                   [](const search::StreetHit& a, const search::StreetHit& b) { return a.Text < b.Text; });
  if (!hits_.empty() && hits_.front().Text.starts_with("*")) {
    hits_.resize(1);
    hits_.front().Text.erase(0, 1);
  }
  dialog_.Reopen(hits_.empty() ? std::string(" Unable to Find Any Matching Streets")
                               : " Found " + std::to_string(hits_.size()) + " Street Matches");
  Fill();
}

void FindStreetDialog::Sort(SortKey key) {
  std::stable_sort(hits_.begin(), hits_.end(), [key](const search::StreetHit& a, const search::StreetHit& b) {
    return SortKeyOf(a, key) < SortKeyOf(b, key);
  });
  Fill();
}

void FindStreetDialog::Fill() {
  ui::DialogField& table = dialog_.Field(kStreetTable);
  table.items.clear();
  table.text.clear();
  for (std::size_t i = 0; i < hits_.size(); ++i) {
    const std::string& text = hits_[i].Text;
    table.items.push_back(std::to_string(i + 1) + '\t' + Column(text, 1, 30) + '\t' + Column(text, 3, 15) + '\t' +
                          Column(text, 2, 30) + '\t' + Column(text, 4, 15) + '\t' + MilesText(hits_[i].Miles));
  }
  dialog_.Field("&Goto").enabled = false;
  dialog_.Field("Point").text.clear();
}

int FindStreetDialog::SelectedRow() const {
  const ui::DialogField& table = dialog_.Field(kStreetTable);
  const auto it = std::find(table.items.begin(), table.items.end(), table.text);
  if (table.text.empty() || it == table.items.end()) return -1;
  return static_cast<int>(it - table.items.begin());
}

void FindStreetDialog::Selected() {
  const int row = SelectedRow();
  dialog_.Field("&Goto").enabled = row >= 0;
  if (row < 0) return;
  const core::TMapPoint p = hits_[static_cast<std::size_t>(row)].Point;
  dialog_.Field("Point").text =
      core::FormatFixed(core::UnitsToDegrees(p.X), 6) + ", " + core::FormatFixed(core::UnitsToDegrees(p.Y), 6);
}

void FindStreetDialog::Goto() {
  const int row = SelectedRow();
  if (row < 0) {
    kernel::Beep();
    return;
  }
  const search::StreetHit& hit = hits_[static_cast<std::size_t>(row)];
  if (services_.Goto) {
    services_.Goto(core::UnitsToDegrees(hit.Point.X), core::UnitsToDegrees(hit.Point.Y),
                   PositiveNumberOr(dialog_.Field(kStreetZoom).text, 0.5), StreetName(hit).substr(0, 40));
  }
  memory_.Zoom = dialog_.Field(kStreetZoom).text;
  memory_.Radius = dialog_.Field(kStreetRadius).text;
  dialog_.Close("&OK");
}

void FindStreetDialog::Cancel() {
  memory_.Street = dialog_.Field(kStreetField).text;
  memory_.Zip = dialog_.Field(kZipField).text;
  memory_.State = dialog_.Field(kStateList).text;
  dialog_.Close("&Cancel");
}

}  // namespace quelmar::dialogs
