#pragma once
// "Find Street": a street (with an optional house number and cross street)
// looked for within a radius of the view's centre or of a ZIP code, in one
// state or all; the hits listed in a table that sorts by name, city or
// distance, and "&Goto" moving the map to the chosen one.
#include <functional>
#include <string>
#include <vector>

#include "control/search/geo_find.h"
#include "control/search/street_search.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::dialogs {

inline constexpr const char* kStreetField = "&Street:";
inline constexpr const char* kStateList = "S&tate";
inline constexpr const char* kZipField = "Zi&p Code";
inline constexpr const char* kCrossField = "Cr&oss Street (If Any):";
inline constexpr const char* kStreetZoom = "&Zoom";
inline constexpr const char* kStreetRadius = "&Radius";
inline constexpr const char* kMatchesLabel = "Matches";
inline constexpr const char* kStreetTable = "Table";
inline constexpr const char* kAllStates = "* *";

// What the dialog keeps between openings.
struct FindStreetMemory {
  std::string Street;
  std::string Zip;
  std::string State = kAllStates;
  std::string Zoom = "0.5";
  std::string Radius = "10";
};

struct FindStreetServices {
  // The ZIP result line of a ZIP code; "" when none.
  std::function<search::ShortString(std::int32_t zip)> ZipLine;
  std::function<std::vector<search::StreetHit>(const search::StreetAreaQuery& query)> Search;
  // Centres the map on the point at `miles` per inch; `label` names the hit.
  std::function<void(double lon, double lat, double miles, const std::string& label)> Goto;
  search::SearchCentre Centre;  // the view's centre when the dialog opens
};

class FindStreetDialog {
 public:
  enum class SortKey { Name, City, Distance };

  FindStreetDialog(FindStreetServices services, FindStreetMemory& memory);
  ui::DialogModel& Dialog() { return dialog_; }

  // Leaving the ZIP field: a ZIP code moves the centre to its point and
  // selects its state; anything else selects all states.
  void ZipLeft();
  void Find();
  void Sort(SortKey key);
  // A row selected in the table: "&Goto" enabled, its point shown.
  void Selected();
  void Goto();
  void Cancel();

  const std::vector<search::StreetHit>& Hits() const { return hits_; }
  const search::SearchCentre& Centre() const { return services_.Centre; }

 private:
  void Fill();
  int SelectedRow() const;

  FindStreetServices services_;
  FindStreetMemory& memory_;
  ui::DialogModel dialog_{"Find Street"};
  std::vector<search::StreetHit> hits_;
};

}  // namespace quelmar::dialogs
