#pragma once
// MapServer: what one map server object does for its host. It keeps a map
// control of its own (made by the control's class identifier, hidden), sizes
// it to the host's picture, moves its view by corners, centre, zoom and pan
// steps, draws the view into the picture through the control's DirectDraw,
// makes that the picture's lasting image, and tells the host the view's
// edges (SignalInformation on the host's events object).
//
// Everything it asks of the control, the host's events object, its form
// (the menu array "mnuMapSpecialOptions") and its pictures goes through
// late-bound calls by name. A picture is any dispatch object with ScaleMode,
// ScaleWidth, ScaleHeight, hDC, Picture, Image, DrawWidth, DrawMode,
// DrawStyle, ScaleLeft, ScaleTop, Cls and Line.
//
// Before Initialize nothing touches a control: the picture members report
// the edges -50, 50, 50, -50, leave the picture empty and return true.
#include <filesystem>
#include <functional>
#include <string>

#include "platform/com/com_ptr.h"
#include "platform/com/unknown.h"
#include "platform/com/variant.h"

namespace quelmar::server {

// The settings the server applies to its control (read from its INI file).
struct AppliedSettings {
  bool Mono = false;
  std::string Data1, Data2, Data3, States0, States1;
  bool ShadeMcd = true, ShadeCounties = true, ShadePlaces = true, ShadeStates = true;
  bool WhiteBackground = false;
  std::string Overlay, Underlay;
};

struct MapServerSetup {
  // Makes the server's map control (sized later). Throws com::Fault.
  std::function<com::ComPtr<com::IDispatch>()> MakeControl;
  // Shows or hides the control's window on the server's own small form: it
  // is shown while Initialize sets it up, so its first paint (which applies
  // the start view) is over before any view is asked for. May be empty.
  std::function<void(com::IDispatch* control, bool show)> ShowControl;
  // The server's folder (of "Quelmar50.Cfg", the favourites, the overlays).
  std::filesystem::path ServerFolder;
  // The host program's folder (its "Maps" folder gets the view file); may be empty.
  std::filesystem::path HostProgramFolder;
  // The settings to apply at Initialize and after the control panel.
  std::function<AppliedSettings()> LoadSettings;
};

struct SupportedFeatures {
  bool DiagonalPan = true, ZoomIn = true, ZoomOut = true, ZoomAll = true, ControlPanel = true;
  std::string HelpFile;
  std::int32_t HelpTopic = 30;
  std::string ShortName;
  std::vector<std::string> SpecialOptionCaptions;
};

class MapServer {
 public:
  explicit MapServer(MapServerSetup setup);
  ~MapServer();
  MapServer(const MapServer&) = delete;
  MapServer& operator=(const MapServer&) = delete;

  void Initialize(const std::string& callsign, com::IDispatch* events, com::IDispatch* form);
  bool Ready() const { return static_cast<bool>(control_); }
  com::IDispatch* Control() const { return control_.Get(); }

  // The picture members: each sizes the control to the picture, moves the
  // view, renders and returns true.
  bool DrawMapFromCorners(com::IDispatch* picture, double x1, double y1, double x2, double y2);
  bool ResizeMap(com::IDispatch* picture);
  bool DrawMapFromCentre(com::IDispatch* picture, double x, double y);
  bool ZoomIn(com::IDispatch* picture);
  bool ZoomOut(com::IDispatch* picture);
  bool ZoomAll(com::IDispatch* picture);
  bool ZoomPan(com::IDispatch* picture, std::int16_t pan);
  // 0 the search (answered by the search dialog, not built here: false),
  // 1 hide the mile-marker line, 2 zoom to the overlay; others false.
  bool SpecialMenuOption(com::IDispatch* picture, std::int16_t index);
  // A search result: a corner pair (with an optional mile-marker line) or a
  // point shown at a place's or an address's magnitude.
  void ZoomToSearchResult(const std::string& title, double lon, double lat, bool place, double lon2, double lat2,
                          double line, bool lineIsLatitude);

  SupportedFeatures Features(const std::string& serverFileStem) const;

  // The control's background colour (SetOption(0, 1)); 0 before Initialize.
  std::int32_t MapBackColor();
  // A switch or a data path of the control by its property name
  // ("Shade_Mcd", "Path_data1", ...): read and write through the control.
  com::Variant ControlProperty(const std::string& name);
  void SetControlProperty(const std::string& name, const com::Variant& value);

  bool WhiteBackground() const { return whiteBackground_; }
  void SetWhiteBackground(bool on);
  bool Mono() const { return mono_; }
  void SetMono(bool on) { mono_ = on; }
  const std::string& OverlayRequest() const { return overlayRequest_; }
  void SetOverlayRequest(std::string file) { overlayRequest_ = std::move(file); }
  const std::string& UnderlayRequest() const { return underlayRequest_; }
  void SetUnderlayRequest(std::string file) { underlayRequest_ = std::move(file); }

  // Applies the settings (LoadSettings) to the control, as at Initialize.
  void ApplySettings();
  const std::filesystem::path& ServerFolder() const { return setup_.ServerFolder; }

  // The view's edges as the last render read them: left, right, top, bottom.
  std::array<double, 4> Extents() const { return {lonLeft_, lonRight_, latTop_, latBottom_}; }

 private:
  // Sizes the control to the picture (only when its size changed).
  void SizeTo(com::IDispatch* picture);
  void Render(com::IDispatch* picture);
  void Remember(com::IDispatch* picture);
  void ApplyOverlayRequest();
  void ApplyUnderlayRequest();
  void DrawMileMarkerLine(com::IDispatch* picture);
  void SetMenuItem(int index, const char* property, bool value);
  void SignalInformation(double left, double right, double top, double bottom);
  void Signal(const std::string& name, const std::vector<com::Variant>& args);
  std::filesystem::path ConfigPath() const { return setup_.ServerFolder / "Quelmar50.Cfg"; }

  MapServerSetup setup_;
  com::ComPtr<com::IDispatch> control_;
  com::ComPtr<com::IDispatch> events_;
  com::ComPtr<com::IDispatch> form_;
  com::ComPtr<com::IDispatch> remembered_;
  std::string callsign_;
  std::int32_t lastWidth_ = 0, lastHeight_ = 0;
  double lonLeft_ = 0, lonRight_ = 0, latTop_ = 0, latBottom_ = 0;
  std::int32_t savedColor_ = 0;
  bool mono_ = false;
  bool whiteBackground_ = false;
  std::string overlayRequest_, overlayApplied_;
  bool overlayAppliedOnce_ = false;
  std::string underlayRequest_, underlayApplied_;
  bool underlayAppliedOnce_ = false;
  bool lineActive_ = false;
  double linePosition_ = 0;
  bool lineIsLatitude_ = false;
  bool firstRenderDone_ = false;
};

}  // namespace quelmar::server
