#include "control/dialogs/locator_dialog.h"

#include <algorithm>

#include "control/dialogs/place_dialogs.h"
#include "control/search/result_line.h"
#include "platform/kernel/beep.h"

namespace quelmar::dialogs {
namespace {

using ui::FieldKind;

constexpr const char* kSampleEntries[] = {"1060 W Addison St, Chicago, IL", "Chicago, IL", "60613",
                                          "( 312 )  555-1212", "-87.65, 41.85"};

}  // namespace

LocatorDialog::LocatorDialog() {
  for (int tab = 0; tab < 5; ++tab) {
    dialog_.Add(kLocatorTabs[tab], FieldKind::Radio, "Tab").checked = tab == 0;
    dialog_.Add(kLocatorFields[tab], FieldKind::Edit, kLocatorTabs[tab], kSampleEntries[tab]);
  }
  dialog_.Add(kCrossStreet, FieldKind::Edit, "Address");
  dialog_.Add(kLocatorList, FieldKind::List);
  ui::DialogField& zoom = dialog_.Add(kLocatorZoom, FieldKind::List, {}, "1");
  zoom.items = {"0.1", "0.2", "0.5", "1", "2", "5", "10", "50"};
  dialog_.Add(kMarkPoint, FieldKind::Check).checked = true;
  dialog_.Add("&Find", FieldKind::Button);
  dialog_.Add(kLocatorOk, FieldKind::Button).enabled = false;
  dialog_.Add("&Cancel", FieldKind::Button);
  dialog_.OnPress("&Find", [this] { Find(); });
  dialog_.OnPress(kLocatorOk, [this] { Choose(); });
}

void LocatorDialog::Open(const std::string& caption, LocatorTab tab, search::LocatorServices services,
                         bool latitudeFirst) {
  services_ = std::move(services);
  latitudeFirst_ = latitudeFirst;
  result_.clear();
  dialog_.Reopen(caption);
  dialog_.Choose(kLocatorTabs[static_cast<int>(tab)]);
}

LocatorTab LocatorDialog::Tab() const {
  for (int tab = 0; tab < 5; ++tab) {
    if (dialog_.Field(kLocatorTabs[tab]).checked) return static_cast<LocatorTab>(tab);
  }
  return LocatorTab::Address;
}

void LocatorDialog::Find() {
  const std::string& typed = dialog_.Field(kLocatorFields[static_cast<int>(Tab())]).text;
  switch (Tab()) {
    case LocatorTab::Address:
      Show(search::LocatorAddressRows(typed, dialog_.Field(kCrossStreet).text, services_));
      break;
    case LocatorTab::Place:
      Show(search::LocatorPlaceRows(typed, services_));
      break;
    case LocatorTab::Zip:
      Show(search::LocatorZipRows(typed, services_));
      break;
    case LocatorTab::Phone:
      Show(search::LocatorPhoneRows(typed, services_));
      break;
    case LocatorTab::LonLat: {
      // A pair that reads is the result at once; one that does not shows "!".
      const std::optional<std::string> row = search::LocatorLonLatRow(typed, latitudeFirst_);
      if (!row) {
        Show({});
        dialog_.Field(kLocatorList).items = {"!"};
        return;
      }
      Show({*row});
      dialog_.Field(kLocatorList).text = dialog_.Field(kLocatorList).items.front();
      Choose();
      break;
    }
  }
}

void LocatorDialog::Show(std::vector<std::string> rows) {
  rows_ = std::move(rows);
  ui::DialogField& list = dialog_.Field(kLocatorList);
  list.items.clear();
  list.text.clear();
  for (const std::string& row : rows_) list.items.push_back(search::LocatorRowText(row));
  if (rows_.empty()) list.items = {search::kNoMatchesRow};
  dialog_.Field(kLocatorOk).enabled = !rows_.empty();
}

void LocatorDialog::Choose() {
  const ui::DialogField& list = dialog_.Field(kLocatorList);
  const auto it = std::find(list.items.begin(), list.items.end(), list.text);
  if (rows_.empty() || list.text.empty() || it == list.items.end()) {
    kernel::Beep();
    return;
  }
  // The address typed is the field's text next time, kept to 40 characters.
  std::string& address = dialog_.Field(kLocatorFields[0]).text;
  if (address.size() > 40) address.resize(40);
  result_ = search::LocatorResult(rows_[static_cast<std::size_t>(it - list.items.begin())], Tab() == LocatorTab::Zip);
  dialog_.Close(kLocatorOk);
}

double LocatorDialog::ZoomMiles() const { return PositiveNumberOr(dialog_.Field(kLocatorZoom).text, 1); }

std::string MarkPointLabel(LocatorTab tab, const std::string& result) {
  const search::ShortString line = search::ShortString(result);
  const auto f = [&](int n) { return search::ResultField(line, n).Str(); };
  switch (tab) {
    case LocatorTab::Address: return f(1) + " " + f(2);
    case LocatorTab::Place: return f(3) + "," + f(4);
    // The ZIP code's place in brackets, closed as the phone label's are.
    case LocatorTab::Zip: return f(5) + "[ " + f(3) + "," + f(4) + " ]";
    case LocatorTab::Phone: return f(6) + " [ " + f(3) + "," + f(4) + " ]";
    case LocatorTab::LonLat: return f(2);
  }
  return {};
}

}  // namespace quelmar::dialogs
