#pragma once
// The dialogs that move the map to a place, a ZIP code, a telephone exchange
// or a typed coordinate, as dialog models over the search tables:
//
// - "Find City or County": "&Find" lists 100 places of the table around the
//   nearest name, "+" and "-" page that window;
// - "Locate Zip Code": "&Find" lists the ZIP codes around the one typed;
// - "Locate Area Code ": "&Find" lists every exchange of the area code, and
//   selecting one shows where it is;
// - "Move to Specified Coordinate": "&OK" reads the typed pair.
//
// "&Goto" (or, for the coordinate, "&OK") moves the map through the
// services' Goto to the chosen point at the chosen zoom and closes the
// dialog with "&OK". RunPlaceDialog keeps the view around the dialog: OK
// keeps the new one with the old as the zoom-back view, Cancel restores it.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "control/search/place_lookup.h"
#include "control/search/search_table_files.h"
#include "control/search/zip_lookup.h"
#include "control/search/exchange_lookup.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::core {
class Ttvmap;
}

namespace quelmar::dialogs {

inline constexpr const char* kOk = "&OK";
inline constexpr const char* kCancel = "&Cancel";
inline constexpr const char* kFind = "&Find";
inline constexpr const char* kGoto = "&Goto";
inline constexpr const char* kZoomList = "Zoom";
inline constexpr const char* kResultList = "List";

struct PlaceDialogServices {
  search::SearchTableFiles* Tables = nullptr;
  std::string Folder;  // the search-files folder
  // Centres the map on a longitude/latitude at `miles` per inch.
  std::function<void(double lon, double lat, double miles)> Goto;
};

// The number a zoom or radius list shows, or `fallback` for a text that is
// not a number above 0.
double PositiveNumberOr(const std::string& text, double fallback);

// The zoom values the lists offer, in miles (kilometres for the coordinate).
const std::vector<std::string>& ZoomChoices();

class PlaceDialog {
 public:
  static constexpr std::size_t kWindowRows = 100;
  explicit PlaceDialog(PlaceDialogServices services);
  ui::DialogModel& Dialog() { return dialog_; }
  void Find();
  void Page(int direction);  // +1 or -1
  void Goto();
  // The first table index the list shows.
  std::int32_t WindowStart() const { return start_; }

 private:
  void Fill();
  PlaceDialogServices services_;
  ui::DialogModel dialog_{"Find City or County"};
  std::int32_t start_ = 0;
  std::vector<search::Place> rows_;
};

class ZipDialog {
 public:
  explicit ZipDialog(PlaceDialogServices services);
  ui::DialogModel& Dialog() { return dialog_; }
  void Find();
  void Goto();
  // The row the list is scrolled to.
  std::size_t FirstVisible() const { return firstVisible_; }

 private:
  PlaceDialogServices services_;
  ui::DialogModel dialog_{"Locate Zip Code"};
  std::vector<search::ZipHit> rows_;
  std::size_t firstVisible_ = 0;
};

class PhoneDialog {
 public:
  static constexpr const char* kNote = "Note: * Indicates New Area Code";
  explicit PhoneDialog(PlaceDialogServices services);
  ui::DialogModel& Dialog() { return dialog_; }
  void Find();
  void ShowSelected();
  void Goto();

 private:
  const search::ExchangeHit* Selected() const;
  PlaceDialogServices services_;
  ui::DialogModel dialog_{"Locate Area Code "};
  std::vector<search::ExchangeHit> rows_;
};

class LonLatDialog {
 public:
  static constexpr const char* kCoordinate = "Coordinate ( Longitude,Latitude)";
  explicit LonLatDialog(PlaceDialogServices services);
  ui::DialogModel& Dialog() { return dialog_; }
  // Moves the map and closes, or beeps and stays open.
  void Accept();

 private:
  PlaceDialogServices services_;
  ui::DialogModel dialog_{"Move to Specified Coordinate"};
};

// Shows `dialog` modally around the panel's view, as the class comment says.
void RunPlaceDialog(core::Ttvmap& panel, ui::DialogModel& dialog);

}  // namespace quelmar::dialogs
