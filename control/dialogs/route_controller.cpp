#include "control/dialogs/route_controller.h"

#include <algorithm>
#include <fstream>

#include "control/core/control_context.h"
#include "control/core/coordinate_format.h"
#include "control/core/errors.h"
#include "control/core/scope_guards.h"
#include "control/dialogs/print_dialog.h"
#include "control/dialogs/road_options_dialog.h"
#include "control/printing/print_job.h"
#include "control/printing/route_print.h"
#include "control/routing/direction_texts.h"
#include "control/search/coordinate_pair.h"
#include "control/search/result_line.h"
#include "control/search/title_case.h"
#include "platform/kernel/beep.h"
#include "platform/ui/printer.h"

namespace quelmar::dialogs {
namespace {

using ui::FieldKind;
constexpr const char* kSubsystem = "route search";
constexpr const char* kUserLocation = "User Location";
constexpr const char* kStatusDetail = "Status Detail";
constexpr const char* kTotalMiles = "Total Miles:";
constexpr const char* kDriveTime = "Drive Time:";
constexpr const char* kRouteTraceFile = "PATH.TXT";
constexpr const char* kProgrammerSwitches[] = {"Tarvo Interstate", "Hmap Route ONLY", "Local Roads",
                                               "Extra Shape",      "Dist. Approx.",   "Suppress Names",
                                               "Link Streets with Same Name.", "Dump Rte", "Show Net"};

bool* SwitchOf(core::RouteSettings& s, std::size_t i) {
  bool* switches[] = {&s.CoarsePass,    &s.CoarseOnly,    &s.LocalRoads, &s.PerVertexEdges, &s.DistanceApproximation,
                      &s.SuppressNames, &s.LinkSameName, &s.DumpRoute,  &s.ShowNet};
  return switches[i];
}

core::TMapPoint PointOf(double lon, double lat, const char* what) {
  bool overflow = false;
  const core::TMapPoint p{core::DegreesToUnits(lon, overflow), core::DegreesToUnits(lat, overflow)};
  if (overflow || !(std::abs(lon) <= 180) || !(std::abs(lat) <= 90)) {
    throw ArgumentError(std::string("The route's ") + what + " is not a longitude and latitude in degrees");
  }
  return p;
}

std::string FiveDecimals(core::TMapPoint p) {
  return core::FormatFixed(core::UnitsToDegrees(p.X), 5) + "," + core::FormatFixed(core::UnitsToDegrees(p.Y), 5);
}

// The label of a Locator result: its non-empty fields 1 to 6, the street
// and place in title case, the place after a space, the others after ",".
std::string LocatorLabel(const search::ShortString& line) {
  std::string label;
  for (int n = 1; n <= 6; ++n) {
    search::ShortString field = search::ResultField(line, n);
    if (field.Empty()) continue;
    if (n == 2 || n == 3) field = search::TitleCaseName(field);
    if (!label.empty()) label += n == 2 ? " " : ",";
    label += std::string(field.View());
  }
  return label;
}

}  // namespace

RouteController::RouteController(core::ControlContext& context, routing::RouteService& service)
    : context_(context), panel_(context.Panel()), service_(service) {}

RouteController::~RouteController() {
  if (!lineEditor_ || !lineEditor_->Unsaved()) return;
  ui::DialogModel box(" Warning!");
  box.Add("Message", FieldKind::Label, "", "Save Route Mods?");
  box.Add("Yes", FieldKind::Button);
  box.Add("No", FieldKind::Button);
  ui::RunModal(box);
  if (box.Pressed() != "Yes") return;
  try {
    lineEditor_->Save(context_.Settings().Startup().applicationFolder);
  } catch (const Error&) {
    // The control is going; the roads stay in the old file.
  }
}

ui::DialogModel& RouteController::RoutingDialog() {
  if (dialog_) return *dialog_;
  dialog_ = std::make_unique<ui::DialogModel>("Routing");
  ui::DialogModel& d = *dialog_;
  const core::RouteSettings& s = context_.Settings().Route();
  d.Add("Start", FieldKind::Edit, "", service_.StartPoint().Label);
  d.Add(kLocateStart, FieldKind::Button);
  d.Add("Finish", FieldKind::Edit, "", service_.FinishPoint().Label);
  d.Add(kLocateFinish, FieldKind::Button);
  ui::DialogField& type = d.Add(kRouteType, FieldKind::List);
  for (int t = 0; t < routing::kRouteTypeCount; ++t) {
    type.items.emplace_back(routing::RouteTypeName(static_cast<routing::RouteType>(t)));
  }
  type.text = type.items[s.RouteType % routing::kRouteTypeCount];
  d.Add("Splay Tree", FieldKind::Check).checked = s.SplayTree;
  d.Add(kCalculate, FieldKind::Button);
  d.Add(kRouteOptions, FieldKind::Button);
  d.Add(kRoutePrint, FieldKind::Button).enabled = false;
  d.Add(kRouteCancel, FieldKind::Button);
  d.Add(kTotalMiles, FieldKind::Label);
  d.Add(kDriveTime, FieldKind::Label);
  d.Add(kRouteStatus, FieldKind::Label, "", "Idle.");
  d.Add(kStatusDetail, FieldKind::Label);
  d.Add(kRouteListHeader, FieldKind::List);
  ShowHeader();
  d.Add(kRouteList, FieldKind::List);
  // The programmer's page, reached only in trace mode.
  d.Add(kProgrammerOptions, FieldKind::Button).enabled = panel_.startup().routeTrace;
  d.Add(kRouteReport, FieldKind::List, kProgrammerOptions);
  for (std::size_t i = 0; i < std::size(kProgrammerSwitches); ++i) {
    core::RouteSettings copy = s;
    d.Add(kProgrammerSwitches[i], FieldKind::Check, kProgrammerOptions).checked = *SwitchOf(copy, i);
  }
  d.Add("Detail Radius :", FieldKind::Edit, kProgrammerOptions, core::FormatFixed(s.DetailRadiusMiles, 0));
  d.Add("Band Width : ", FieldKind::Edit, kProgrammerOptions, core::FormatFixed(s.BandWidthMiles, 0));
  d.Add(kRouteHistory, FieldKind::List, kProgrammerOptions);
  d.Add("Description:", FieldKind::Edit, kProgrammerOptions);
  d.Add("File", FieldKind::Edit, kProgrammerOptions);
  d.Add("Save &As", FieldKind::Button, kProgrammerOptions);
  d.Add("Save", FieldKind::Button, kProgrammerOptions);
  d.Add("Load", FieldKind::Button, kProgrammerOptions);
  d.Add("Bitmap", FieldKind::Label, kProgrammerOptions);

  d.OnPress(kCalculate, [this] { CalculateFromDialog(); });
  d.OnPress(kRouteOptions, [this] {
    if (ExecRoadOption() != kRoadOptionsCancel) {
      ShowHeader();
      dialog_->Field(kRouteList).items = service_.LastDirections().Rows;
    }
  });
  d.OnPress(kRoutePrint, [this] { PrintFromDialog(); });
  d.OnPress(kLocateStart, [this] { LocateEnd(true); });
  d.OnPress(kLocateFinish, [this] { LocateEnd(false); });
  d.OnPress(kProgrammerOptions, [] {});
  d.OnPress("Save &As", [this] { SaveHistory(dialog_->Field("File").text); });
  d.OnPress("Save", [this] { SaveHistory(dialog_->Field("File").text); });
  d.OnPress("Load", [this] { LoadHistory(dialog_->Field("File").text); });
  d.OnChange(kRouteType, [this] {
    const auto& items = dialog_->Field(kRouteType).items;
    const auto at = std::find(items.begin(), items.end(), dialog_->Field(kRouteType).text);
    if (at == items.end()) return;
    const auto type = static_cast<std::uint8_t>(at - items.begin());
    context_.Settings().Change(&core::ControlSettings::Route, [type](core::RouteSettings& r) { r.RouteType = type; });
  });
  d.OnChange(kRouteHistory, [this] { dialog_->Field("Description:").text = dialog_->Field(kRouteHistory).text; });
  return d;
}

void RouteController::Message(const std::string& text) {
  lastMessage_ = text;
  ui::DialogModel box(" Quelmar Routing");
  box.Add("Message", FieldKind::Label, "", text);
  box.Add("OK", FieldKind::Button);
  ui::RunModal(box);
}

void RouteController::Status(const std::string& status, const std::string& detail) {
  ui::DialogModel& d = RoutingDialog();
  d.Field(kRouteStatus).text = status;
  d.Field(kStatusDetail).text = detail;
}

void RouteController::ShowHeader() {
  ui::DialogModel& d = *dialog_;
  if (!d.Find(kRouteListHeader)) return;
  std::vector<std::string>& items = d.Field(kRouteListHeader).items;
  items.clear();
  for (const routing::RouteListColumn& c : routing::RouteListHeader(context_.Settings().Route())) {
    items.push_back(c.Title + "\t" + std::to_string(c.Width));
  }
}

void RouteController::ShowEndpoints() {
  ui::DialogModel& d = RoutingDialog();
  d.Field("Start").text = service_.StartPoint().Label;
  d.Field("Finish").text = service_.FinishPoint().Label;
}

void RouteController::ShowHistory() {
  std::vector<std::string>& items = RoutingDialog().Field(kRouteHistory).items;
  items.clear();
  for (const routing::RouteHistoryEntry& e : service_.History()) {
    items.push_back(e.Description.empty() ? "Empty" : e.Description);
  }
}

routing::RouteFolders RouteController::Folders() const {
  const core::ControlSettings& s = context_.Settings().Get();
  routing::RouteFolders folders;
  folders.Data1 = s.Startup.Path_data1;
  folders.States0 = s.Startup.Path_states0;
  folders.States1 = s.Startup.Path_states1;
  folders.Extension = s.Options.archiveExtension;
  folders.StreetVersion = s.Options.streetDataVersion;
  folders.UserRoadFolder = s.Startup.applicationFolder;
  folders.Problems = &panel_.Problems();
  return folders;
}

std::int32_t RouteController::DialogOptions() const {
  const core::RouteSettings& s = context_.Settings().Route();
  std::int32_t options = routing::RT_Spots | routing::RT_Hatch;
  if (s.Totals) options |= routing::RT_Total;
  if (s.Kilometres) options |= routing::RT_Km;
  if (s.HoursFormat) options |= routing::RT_Hours;
  if (s.ResizeView) options |= routing::RT_Zoom;
  return options;
}

void RouteController::CalculateFromDialog() {
  ui::DialogModel& d = RoutingDialog();
  // The dialog's programmer switches and the Splay Tree box are settings.
  core::RouteSettings s = context_.Settings().Route();
  s.SplayTree = d.Field("Splay Tree").checked;
  for (std::size_t i = 0; i < std::size(kProgrammerSwitches); ++i) {
    *SwitchOf(s, i) = d.Field(kProgrammerSwitches[i]).checked;
  }
  try {
    s.DetailRadiusMiles = std::clamp(std::stod(d.Field("Detail Radius :").text), 1.0, 100.0);
  } catch (const std::exception&) {
    d.Field("Detail Radius :").text = core::FormatFixed(s.DetailRadiusMiles, 0);
  }
  context_.Settings().Change(&core::ControlSettings::Route, [&s](core::RouteSettings& r) { r = s; });
  if (service_.StartPoint().Label.find("Select") != std::string::npos ||
      service_.FinishPoint().Label.find("Select") != std::string::npos) {
    return;
  }
  Calculate(DialogOptions());
  d.Field(kRoutePrint).enabled = true;
}

void RouteController::RefuseWhileBusy() const {
  if (busy_) {
    throw Error("A route is being calculated or reported; routing members cannot be called from its events",
                ErrorCode::Unexpected);
  }
}

void RouteController::Calculate(std::int32_t options) {
  RefuseWhileBusy();
  const core::FlagScope busy(busy_);
  const core::ControlSettings& settings = context_.Settings().Get();
  routing::RouteRequest request;
  request.Start = service_.StartPoint().Point;
  request.Finish = service_.FinishPoint().Point;
  request.Options = options;
  request.Settings = settings.Route;
  // The option word's type bits choose the route type; without them the
  // dialog's type holds.
  switch (options & routing::RT_Direct) {
    case routing::RT_Short: request.Settings.RouteType = static_cast<std::uint8_t>(routing::RouteType::Shortest); break;
    case routing::RT_Fast: request.Settings.RouteType = static_cast<std::uint8_t>(routing::RouteType::Fastest); break;
    case routing::RT_Direct: request.Settings.RouteType = static_cast<std::uint8_t>(routing::RouteType::LeastTurns); break;
    default: break;
  }
  request.Roads = settings.Roads;
  request.Status = [this](const std::string& status, const std::string& detail) { Status(status, detail); };
  std::ofstream trace;
  if (settings.Startup.routeTrace) {
    // The trace file is made anew for each calculation.
    trace.open(std::filesystem::path(settings.Startup.workingFolder) / kRouteTraceFile, std::ios::trunc);
    if (trace && settings.Route.DumpRoute) {
      request.Trace = [&trace](std::string_view line) { trace << line << "\r\n"; };
    }
  }
  routing::FolderRouteData data(Folders(), cache_);
  routing::RouteResult result = routing::CalculateRoute(request, data);
  switch (result.Outcome) {
    case routing::RouteOutcome::Alaska:
      Message(routing::OutcomeText(result.Outcome));
      return;
    case routing::RouteOutcome::Cleared:
      service_.Clear();
      panel_.Redraw();
      return;
    case routing::RouteOutcome::NotSet:
      Status(routing::OutcomeText(result.Outcome));
      return;
    case routing::RouteOutcome::NoNodes:
      if (!(options & routing::RT_Quiet)) Message(routing::OutcomeText(result.Outcome));
      break;
    default:
      break;
  }

  // The directions are made first and kept with the route; the host hears
  // them afterwards, from a list of its own.
  struct Event {
    bool Row;
    std::string Text;
  };
  std::vector<Event> events;
  routing::DirectionsRequest directions;
  directions.Steps = &result.Steps;
  directions.Names = result.Network ? &result.Network->Names() : nullptr;
  directions.Roads = routing::RoadTableOf(settings.Roads);
  directions.Settings = settings.Route;
  directions.Settings.Totals = (options & routing::RT_Total) != 0;
  directions.Settings.Kilometres = (options & routing::RT_Km) != 0;
  directions.Settings.HoursFormat = (options & routing::RT_Hours) != 0;
  directions.Start = request.Start;
  directions.Finish = request.Finish;
  directions.OnRow = [&events](const std::string& row) { events.push_back({true, row}); };
  directions.OnManoeuvre = [&events](const std::string& text) { events.push_back({false, text}); };
  routing::Directions made = routing::BuildDirections(directions);

  ui::DialogModel& d = RoutingDialog();
  d.Field(kRouteList).items = made.Rows;
  d.Field(kTotalMiles).text = made.MilesLabel;
  d.Field(kDriveTime).text = made.TimeLabel;
  Status(result.Found() ? "Completed." : "Failure.", made.Status);
  auto& report = d.Field(kRouteReport).items;
  report.insert(report.end(), result.Report.begin(), result.Report.end());
  service_.History().push_back({service_.StartPoint().Label + " to " + service_.FinishPoint().Label,
                                service_.StartPoint().Text, service_.FinishPoint().Text});
  ShowHistory();
  const bool zoom = result.Found() && ((options & routing::RT_Zoom) || settings.Route.ResizeView);
  service_.Look() = {static_cast<gdi::COLORREF>(settings.Roads.routeLineColour), settings.Roads.routeHighlight,
                     settings.Route.ShowNet && settings.Startup.routeTrace};
  service_.Keep(options, std::move(result), made);

  if (zoom) {
    const std::vector<core::TMapPoint> points = service_.RoutePoints();
    double x1 = points[0].X, x2 = x1, y1 = points[0].Y, y2 = y1;
    for (const core::TMapPoint& p : points) {
      x1 = std::min<double>(x1, p.X), x2 = std::max<double>(x2, p.X);
      y1 = std::min<double>(y1, p.Y), y2 = std::max<double>(y2, p.Y);
    }
    const double growX = std::max(1.0, (x2 - x1) * 0.05), growY = std::max(1.0, (y2 - y1) * 0.05);
    panel_.ZoomWindow(core::UnitsToDegrees(static_cast<std::int32_t>(x1 - growX)),
                      core::UnitsToDegrees(static_cast<std::int32_t>(y1 - growY)),
                      core::UnitsToDegrees(static_cast<std::int32_t>(x2 + growX)),
                      core::UnitsToDegrees(static_cast<std::int32_t>(y2 + growY)));
  }
  panel_.Redraw();
  for (const Event& e : events) {
    if (e.Row) {
      panel_.SetResultText(e.Text);
      if (panel_.events.OnFindRte) panel_.events.OnFindRte();
    } else if (panel_.events.OnFindDir) {
      panel_.events.OnFindDir(e.Text);
    }
  }
  if (options & (routing::RT_PrtMap | routing::RT_PrtDir)) {
    PrintRoute((options & routing::RT_PrtMap) != 0, (options & routing::RT_PrtDir) != 0);
  }
}

void RouteController::PrintFromDialog() {
  if (!service_.LastDirections().Found) return;
  core::SettingsStore& settings = context_.Settings();
  PrintDialog print(PrintPage::Route, settings.Print(), settings.Startup().TitlePrint, ui::CurrentPrinter());
  ui::RunModal(print.Dialog());
  settings.Change(&core::ControlSettings::Print, [&](core::PrintSettings& p) { p = print.Result(p); });
  settings.Change(&core::ControlSettings::Startup, [&](core::StartupSettings& s) { s.TitlePrint = print.Title(); });
  if (!print.Ok()) return;
  try {
    PrintRoute(settings.Print().RouteMaps, settings.Print().Directions);
  } catch (const IoError&) {
    Message("Printer Error");
  }
}

void RouteController::PrintRoute(bool maps, bool directions) {
  const routing::Directions& found = service_.LastDirections();
  if (!found.Found || (!maps && !directions)) return;
  ui::Printer* printer = ui::CurrentPrinter();
  if (!printer) throw IoError("Printer Error: no printer is installed");
  const core::SettingsStore& settings = context_.Settings();
  printing::RoutePrintRequest request;
  request.Rows = found.Rows;
  request.StartLabel = service_.StartPoint().Label;
  request.FinishLabel = service_.FinishPoint().Label;
  request.TotalMiles = found.TotalMiles;
  request.DriveTimeText = found.TimeText;
  request.TotalsText = found.DistanceText + ", " + found.TimeText;
  static constexpr const char* kKinds[] = {"Shortest", "Fastest", "Directest", "Preferred", "Shortest (Unbiased)"};
  request.RouteKind = kKinds[settings.Route().RouteType % 5];
  request.Kilometres = settings.Route().Kilometres;
  request.BlackWhite = settings.Print().BlackWhite;
  request.TitlePrint = settings.Startup().TitlePrint;
  request.TitleUser = settings.Startup().TitleUser;
  request.CreatedAt = printing::PrintTimestamp();
  printing::PageCounter pages;
  printing::RunPrintJob(*printer, request.TitlePrint, "Printer Error: ", [&](ui::PrintJob& job, const ui::PrinterInfo& info) {
    if (maps) printing::PrintRouteMaps(panel_, job, info, request, pages);
    if (directions) printing::PrintDirections(job, info, request, pages);
  });
  kernel::Beep();
}

void RouteController::FindRoute(double lon1, double lat1, double lon2, double lat2, std::int32_t flag) {
  RefuseWhileBusy();
  const core::TMapPoint start = PointOf(lon1, lat1, "start");
  const core::TMapPoint finish = PointOf(lon2, lat2, "finish");
  RoutingDialog();
  service_.SetStart(start, kUserLocation);
  service_.SetFinish(finish, kUserLocation);
  ShowEndpoints();
  Calculate(flag);  // flag 0 clears the route
}

void RouteController::ExecRoute(double lon1, double lat1, double lon2, double lat2) {
  RefuseWhileBusy();
  ui::DialogModel& d = RoutingDialog();
  const auto take = [&](double lon, double lat, bool start) {
    if (lon == 0 && lat == 0) return;
    const core::TMapPoint p = PointOf(lon, lat, start ? "start" : "finish");
    const routing::RouteEndpoint& now = start ? service_.StartPoint() : service_.FinishPoint();
    if (p == now.Point) return;
    if (start) service_.SetStart(p, FiveDecimals(p)); else service_.SetFinish(p, FiveDecimals(p));
  };
  take(lon1, lat1, true);
  take(lon2, lat2, false);
  ShowEndpoints();
  d.Reopen("Routing");
  ui::RunModal(d);
}

int RouteController::ExecRoadOption() {
  const core::ControlSettings& settings = context_.Settings().Get();
  RoadOptionsDialog dialog(settings.Roads, settings.Route);
  // The dialog edits copies and draws nothing on the map, so Cancel leaves
  // the settings and the view as they were.
  const int result = dialog.Run();
  if (result == kRoadOptionsCancel) return result;
  context_.Settings().Change(&core::ControlSettings::Roads, [&](core::RoadOptions& r) { r = dialog.Roads(); });
  context_.Settings().Change(&core::ControlSettings::Route, [&](core::RouteSettings& r) { r = dialog.Route(); });
  return result;
}

void RouteController::LocateEnd(bool start) {
  if (!Locate) {
    kernel::Beep();
    return;
  }
  const std::optional<std::string> chosen = Locate(start ? "Start: Point Locator" : "Finish: Point Locator");
  const search::ShortString line(chosen.value_or(""));
  const auto point = search::ParseCoordinatePair(search::ResultField(line, 7));
  if (!chosen || !point) {
    kernel::Beep();
    return;
  }
  const core::TMapPoint p{point->First, point->Second};
  if (start) service_.SetStart(p, LocatorLabel(line)); else service_.SetFinish(p, LocatorLabel(line));
  ShowEndpoints();
}

void RouteController::SaveHistory(const std::string& path) {
  routing::SaveRouteHistory(routing::HistoryFileName(path), service_.History());
}

void RouteController::LoadHistory(const std::string& path) {
  service_.History() = routing::LoadRouteHistory(routing::HistoryFileName(path));
  ShowHistory();
}

void RouteController::UseHistoryEntry(std::size_t index) {
  if (index >= service_.History().size()) throw ArgumentError("There is no such route in the history");
  const routing::RouteHistoryEntry entry = service_.History()[index];
  const auto start = search::ParseCoordinatePair(search::ShortString(entry.Start));
  const auto finish = search::ParseCoordinatePair(search::ShortString(entry.Finish));
  if (!start || !finish) throw ArgumentError("The route history entry holds no start and finish points");
  service_.SetStart({start->First, start->Second}, "Saved Start");
  service_.SetFinish({finish->First, finish->Second}, "Saved Finish");
  ShowEndpoints();
}

LineEditorDialog& RouteController::LineEditor() {
  if (!lineEditor_) {
    lineEditor_ = std::make_unique<LineEditorDialog>([this](core::TMapPoint p) {
      const std::shared_ptr<const routing::RoadNetwork>& network = service_.Result().Network;
      if (!network) return p;
      const std::uint32_t node = network->SnapToNode(p, 3);
      return node == routing::kNoNode ? p : network->Point(node);
    });
    lineEditor_->Dialog().OnPress("Save", [this] {
      try {
        lineEditor_->Save(context_.Settings().Startup().applicationFolder);
      } catch (const Error& e) {
        Message(e.what());
      }
    });
  }
  return *lineEditor_;
}

void RouteController::OpenLineEditor() {
  LineEditorDialog& editor = LineEditor();
  editor.Dialog().Reopen("Line Editor");
  ui::RunModal(editor.Dialog());
}

void RouteController::LineEditorClick(core::TMapPoint point) { LineEditor().Click(point); }

RouteController& AttachRouting(core::ControlContext& context) {
  auto service = std::make_shared<routing::RouteService>();
  routing::RouteService& kept = context.Keep(service);
  // The panel's hook shares the service with the context.
  struct Hook final : core::RouteMarkers {
    explicit Hook(std::shared_ptr<routing::RouteService> s) : service(std::move(s)) {}
    core::TMapPoint Start() override { return service->Start(); }
    core::TMapPoint End() override { return service->End(); }
    void DrawRoute(gdi::Canvas& canvas, const core::ViewState& view) override { service->DrawRoute(canvas, view); }
    std::shared_ptr<routing::RouteService> service;
  };
  context.Panel().hooks().route = std::make_unique<Hook>(service);
  RouteController& controller = context.Keep(std::make_shared<RouteController>(context, kept));
  context.Registry().Commands.Register("LEDIT", kSubsystem, [&controller] { controller.OpenLineEditor(); });
  return controller;
}

}  // namespace quelmar::dialogs
