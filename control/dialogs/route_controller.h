#pragma once
// RouteController: routing in the control. It owns the Routing dialog
// ("Routing", made at first use and kept), opens the Road Options dialog and
// the Line Editor, runs route calculations with the control's settings and
// folders, keeps the outcome in the RouteService, shows it in the dialog and
// on the map, and hands every route row (FindRte) and manoeuvre (FindDir) to
// the host once the route is kept. Routing members called from those events
// are refused: the route they would replace is being reported.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "control/core/map_units.h"
#include "control/dialogs/line_editor_dialog.h"
#include "control/routing/route_data.h"
#include "control/routing/route_service.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::core {
class ControlContext;
class Ttvmap;
}  // namespace quelmar::core

namespace quelmar::dialogs {

inline constexpr const char* kCalculate = "&Calculate";
inline constexpr const char* kRouteOptions = "&Options...";
inline constexpr const char* kRoutePrint = "&Print ...";
inline constexpr const char* kRouteCancel = "C&ancel";
inline constexpr const char* kRouteStatus = "Status:";
inline constexpr const char* kRouteList = "Route List";
inline constexpr const char* kRouteListHeader = "Route List Header";  // "title<tab>width" per column
inline constexpr const char* kRouteType = "Type";
inline constexpr const char* kLocateStart = "Locate Start";
inline constexpr const char* kLocateFinish = "Locate Finish";
inline constexpr const char* kProgrammerOptions = "Programmer Options";
inline constexpr const char* kRouteHistory = "Routes";
inline constexpr const char* kRouteReport = "Report";

class RouteController {
 public:
  RouteController(core::ControlContext& context, routing::RouteService& service);
  // With Line Editor roads not saved, asks "Save Route Mods?" and saves them on "Yes".
  ~RouteController();

  // The Locator's chosen result line for a caption (nullopt when none was
  // chosen); set by the automation class, which owns the Locator.
  std::function<std::optional<std::string>(const std::string& caption)> Locate;

  // FindRoute: the two points (degrees) as "User Location", then a
  // calculation with `flag` as the option word (0 clears the route).
  void FindRoute(double lon1, double lat1, double lon2, double lat2, std::int32_t flag);
  // ExecRoute: points of (0, 0) keep the endpoint; then the dialog, modally.
  void ExecRoute(double lon1, double lat1, double lon2, double lat2);
  // The Road Options dialog: 1 OK, 2 Cancel, 3 OK with report settings changed.
  int ExecRoadOption();
  // One calculation with `options` as the option word.
  void Calculate(std::int32_t options);
  // "&Calculate": nothing while an endpoint is not chosen.
  void CalculateFromDialog();
  // The option word of "&Calculate" by the settings.
  std::int32_t DialogOptions() const;

  ui::DialogModel& RoutingDialog();
  LineEditorDialog& LineEditor();
  void OpenLineEditor();
  // A click on the map while the Line Editor is open.
  void LineEditorClick(core::TMapPoint point);
  bool Busy() const { return busy_; }
  // The text of the last message box.
  const std::string& LastMessage() const { return lastMessage_; }

  // The history's "Save", "Load" (the file name gets ".hst" without a ".").
  void SaveHistory(const std::string& path);
  void LoadHistory(const std::string& path);
  // Double-clicking a history entry: its points become start and finish.
  void UseHistoryEntry(std::size_t index);

  // "&Print ...": the Printer dialog on its route page, then the route maps
  // and/or the directions report of the route found, in one print job.
  void PrintFromDialog();
  // The route print without the dialog (a calculation whose options ask for
  // it). Throws IoError ("Printer Error: ...") when it fails; nothing is
  // written then.
  void PrintRoute(bool maps, bool directions);

 private:
  // Throws Unexpected while a route is being calculated or reported.
  void RefuseWhileBusy() const;
  void Message(const std::string& text);
  void Status(const std::string& status, const std::string& detail = {});
  void LocateEnd(bool start);
  void ShowEndpoints();
  void ShowHeader();
  void ShowHistory();
  routing::RouteFolders Folders() const;

  core::ControlContext& context_;
  core::Ttvmap& panel_;
  routing::RouteService& service_;
  routing::RouteDataCache cache_;
  std::unique_ptr<ui::DialogModel> dialog_;
  std::unique_ptr<LineEditorDialog> lineEditor_;
  std::string lastMessage_;
  bool busy_ = false;
};

// Makes the control's routing: the service drawing the route on the map,
// the controller, and the "LEDIT" command.
RouteController& AttachRouting(core::ControlContext& context);

}  // namespace quelmar::dialogs
