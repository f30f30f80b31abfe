#pragma once
// The Road Options dialog ("Road Options"): speed and priority of the five
// road types and the turn factor; the route colour and highlight; the
// report settings of the directions. It edits copies; OK hands them back.
#include <string>

#include "control/core/road_options.h"
#include "control/core/route_settings.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::dialogs {

inline constexpr const char* kRoadTypeLabels[] = {"Interstates: (Restricted Access) ", "Major Highways:",
                                                  "Secondary Highways:", "Minor Roads:", "Trails, other:"};
inline constexpr const char* kReportColumns[] = {"Leg",   "Type",  "Directions", "Name/Place", "Time",
                                                 "Miles", "Speed", "Bearing",    "Position",   "x"};
inline constexpr const char* kHighlights[] = {"10%", "25%", "50%", "100%"};

// The dialog results of Run.
inline constexpr int kRoadOptionsOk = 1;
inline constexpr int kRoadOptionsCancel = 2;
inline constexpr int kRoadOptionsReportChanged = 3;

class RoadOptionsDialog {
 public:
  RoadOptionsDialog(const core::RoadOptions& roads, const core::RouteSettings& route);
  ui::DialogModel& Dialog() { return dialog_; }

  // Shows the dialog modally; on OK reads the fields into Roads() and
  // Route(). Returns 1 (OK), 2 (Cancel) or 3 (OK, a report setting changed).
  int Run();
  // "Default": the speeds 65, 50, 45, 35, 5 and priorities 5, 4, 3, 3, 1.
  void Defaults();
  const core::RoadOptions& Roads() const { return roads_; }
  const core::RouteSettings& Route() const { return route_; }

  static std::string SpeedField(int type);     // type 1..5
  static std::string PriorityField(int type);

 private:
  void Read();
  ui::DialogModel dialog_{"Road Options"};
  core::RoadOptions roads_;
  core::RouteSettings route_;
};

}  // namespace quelmar::dialogs
