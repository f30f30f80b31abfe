#pragma once
// The Locator: one dialog with five tabs (Address, Place, Zip, Phone,
// Lon/Lat) whose "&Find" lists what the tab's search finds; "&Ok" (or a
// double click) takes the selected row as the result, which the control's
// ExecSearch then shows on the map. The dialog is made once per control and
// kept, so its fields keep what was typed.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "control/search/locator_search.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::dialogs {

enum class LocatorTab { Address = 0, Place = 1, Zip = 2, Phone = 3, LonLat = 4 };

inline constexpr const char* kLocatorOk = "&Ok";
inline constexpr const char* kLocatorTabs[] = {"Address", "Place", "Zip", "Phone", "Lon/Lat"};
inline constexpr const char* kLocatorFields[] = {"Address:", "Place:", "Zip", "Phone:", "Lon/Lat:"};
inline constexpr const char* kCrossStreet = "Cross Street:";
inline constexpr const char* kMarkPoint = "Mark Point";
inline constexpr const char* kLocatorZoom = "Zoom";
inline constexpr const char* kLocatorList = "List";

class LocatorDialog {
 public:
  LocatorDialog();
  ui::DialogModel& Dialog() { return dialog_; }

  // Prepares an opening: the caption, the tab, the searches of this call and
  // whether the Lon/Lat tab reads latitude first. The result is cleared.
  void Open(const std::string& caption, LocatorTab tab, search::LocatorServices services, bool latitudeFirst);
  LocatorTab Tab() const;
  // The selected tab's search; the list shows its rows, or the no-match row
  // with "&Ok" disabled.
  void Find();
  // Takes the selected row as the result and closes with "&Ok"; beeps with
  // no row selected.
  void Choose();
  // The chosen row's fields reordered (empty until a row is chosen).
  const std::string& Result() const { return result_; }
  // The zoom chosen, in miles per inch.
  double ZoomMiles() const;
  bool MarkPoint() const { return dialog_.Field(kMarkPoint).checked; }
  void SetMarkPoint(bool on) { dialog_.Field(kMarkPoint).checked = on; }

 private:
  void Show(std::vector<std::string> rows);

  ui::DialogModel dialog_{"Locator"};
  search::LocatorServices services_;
  bool latitudeFirst_ = false;
  std::vector<std::string> rows_;
  std::string result_;
};

// The label of the result bubble "Mark Point" puts on a found place, from
// the result line's fields: the number and street (Address), place and
// state (Place), the ZIP code, the area code and exchange (Phone), or the
// coordinates (Lon/Lat).
std::string MarkPointLabel(LocatorTab tab, const std::string& result);

}  // namespace quelmar::dialogs
