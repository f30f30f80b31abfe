#include "server/engine/map_server.h"

#include <cmath>
#include <system_error>

#include "platform/kernel/ini_file.h"
#include "server/engine/late_bound.h"
#include "server/engine/view_file.h"

namespace quelmar::server {
namespace {

using com::Variant;

constexpr const char* kMenuArray = "mnuMapSpecialOptions";
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kMagnitudePlace = 12;    // M000_5
constexpr std::int32_t kMagnitudeAddress = 15;  // M000_1
// The 16-colour values the mile-marker line is drawn in.
constexpr std::int32_t kYellow = 0x00FFFF;
constexpr std::int32_t kBlack = 0x000000;

// Writes the control's visibility keys into its configuration file.
void WriteVisibilityKeys(const std::filesystem::path& config) {
  kernel::IniFile ini;
  if (!ini.Load(config)) return;
  ini.SetLineEnding(kernel::IniFile::LineEnding::CrLf);
  ini.Set("Visible", "OVER", "TRUE");
  ini.Set("Visible", "UNDER", "FALSE");
  ini.Save(config);  // the control reads what it can; a failed write leaves the old file
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

}  // namespace

MapServer::MapServer(MapServerSetup setup) : setup_(std::move(setup)) {}

MapServer::~MapServer() {
  // Termination: the host's menu items 1 and 2 go; the control keeps its
  // configuration for the next server.
  for (int index : {1, 2}) {
    if (form_) {
      Variant item;
      try {
        item = Get(form_.Get(), kMenuArray, {Variant(index)});
      } catch (const std::exception&) {
        continue;
      }
      TryCall(item.dispatch(), "Unload");
    }
  }
  if (control_) TryCall(control_.Get(), "SaveConfig", {Variant(ConfigPath().string())});
}

void MapServer::Initialize(const std::string& callsign, com::IDispatch* events, com::IDispatch* form) {
  form_ = com::ComPtr<com::IDispatch>(form);
  events_ = com::ComPtr<com::IDispatch>(events);
  callsign_ = callsign;
  std::error_code ec;
  std::filesystem::create_directories(setup_.ServerFolder / "Tarvo Overlays", ec);
  WriteVisibilityKeys(ConfigPath());
  if (control_) return;  // a second Initialize keeps the control it has
  if (!setup_.MakeControl) throw com::Fault(com::E_UNEXPECTED, "the server has no way to make its map control");
  com::ComPtr<com::IDispatch> control = setup_.MakeControl();
  if (!control) throw com::Fault(com::E_FAIL, "the map control could not be made");
  control_ = control;
  WriteVisibilityKeys(ConfigPath());
  if (setup_.ShowControl) setup_.ShowControl(control_.Get(), true);
  Put(control_.Get(), "AutoConfig", Variant(false));
  Call(control_.Get(), "LoadConfig", {Variant(ConfigPath().string())});
  // The map colour is read before the settings may switch to white, so that
  // switching white off gives it back.
  savedColor_ = AsInt(Get(control_.Get(), "Color"), "Color");
  ApplySettings();
  Put(control_.Get(), "Overlay", Variant(true));
  Put(control_.Get(), "Underlay", Variant(false));
  Call(control_.Get(), "Refresh");
  if (setup_.ShowControl) setup_.ShowControl(control_.Get(), false);
  Call(control_.Get(), "ZoomAll");
  TryCall(control_.Get(), "SaveConfig", {Variant(ConfigPath().string())});
}

void MapServer::ApplySettings() {
  if (!control_) return;
  for (const char* path : {"Path_data1", "Path_data2", "Path_data3", "Path_states0", "Path_states1"}) {
    Put(control_.Get(), path, Variant(std::string()));
  }
  const AppliedSettings s = setup_.LoadSettings ? setup_.LoadSettings() : AppliedSettings{};
  mono_ = s.Mono;
  Put(control_.Get(), "Path_data1", Variant(s.Data1));
  Put(control_.Get(), "Path_data2", Variant(s.Data2));
  Put(control_.Get(), "Path_data3", Variant(s.Data3));
  Put(control_.Get(), "Path_states0", Variant(s.States0));
  Put(control_.Get(), "Path_states1", Variant(s.States1));
  Put(control_.Get(), "Shade_Mcd", Variant(s.ShadeMcd));
  Put(control_.Get(), "Shade_Cnty", Variant(s.ShadeCounties));
  Put(control_.Get(), "Shade_Plc", Variant(s.ShadePlaces));
  Put(control_.Get(), "Shade_State", Variant(s.ShadeStates));
  SetWhiteBackground(s.WhiteBackground);
  overlayRequest_ = s.Overlay;
  underlayRequest_ = s.Underlay;
}

// ---------------------------------------------------------------- pictures

void MapServer::Remember(com::IDispatch* picture) {
  if (!remembered_ && picture) remembered_ = com::ComPtr<com::IDispatch>(picture);
}

void MapServer::SizeTo(com::IDispatch* picture) {
  if (!picture) throw com::Fault(com::E_POINTER, "no picture was given to draw into");
  Put(picture, "ScaleMode", Variant(std::int32_t{3}));  // pixels
  const double w = AsDouble(Get(picture, "ScaleWidth"), "the picture's ScaleWidth");
  const double h = AsDouble(Get(picture, "ScaleHeight"), "the picture's ScaleHeight");
  if (!std::isfinite(w) || !std::isfinite(h) || w < 1 || h < 1 || w > 16384 || h > 16384) {
    throw com::Fault(com::E_INVALIDARG, "the picture must be 1 to 16384 pixels each way");
  }
  const auto width = static_cast<std::int32_t>(std::lround(w)), height = static_cast<std::int32_t>(std::lround(h));
  if (Ready() && (width != lastWidth_ || height != lastHeight_)) {
    Call(control_.Get(), "ResizeCtl", {Variant(width), Variant(height)});
    lastWidth_ = width;
    lastHeight_ = height;
  }
}

bool MapServer::DrawMapFromCorners(com::IDispatch* picture, double x1, double y1, double x2, double y2) {
  for (double v : {x1, y1, x2, y2}) {
    if (!std::isfinite(v)) throw com::Fault(com::E_INVALIDARG, "the corners must be numbers of degrees");
  }
  if (x1 == x2 || y1 == y2) return ZoomAll(picture);
  Remember(picture);
  SizeTo(picture);
  if (Ready()) Call(control_.Get(), "ZoomWindow", {Variant(x1), Variant(y1), Variant(x2), Variant(y2)});
  Render(picture);
  return true;
}

bool MapServer::ResizeMap(com::IDispatch* picture) {
  SizeTo(picture);
  Render(picture);
  return true;
}

bool MapServer::DrawMapFromCentre(com::IDispatch* picture, double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) throw com::Fault(com::E_INVALIDARG, "the centre must be degrees");
  SizeTo(picture);
  if (Ready()) Call(control_.Get(), "GotoPoint", {Variant(x), Variant(y)});
  Render(picture);
  return true;
}

bool MapServer::ZoomIn(com::IDispatch* picture) {
  SizeTo(picture);
  if (Ready()) Call(control_.Get(), "ZoomIn");
  Render(picture);
  return true;
}

bool MapServer::ZoomOut(com::IDispatch* picture) {
  SizeTo(picture);
  if (Ready()) Call(control_.Get(), "ZoomOut");
  Render(picture);
  return true;
}

bool MapServer::ZoomAll(com::IDispatch* picture) {
  SizeTo(picture);
  if (Ready()) Call(control_.Get(), "ZoomAll");
  Render(picture);
  return true;
}

bool MapServer::ZoomPan(com::IDispatch* picture, std::int16_t pan) {
  SizeTo(picture);
  if (Ready()) Call(control_.Get(), "ZoomPan", {Variant(std::int32_t{pan})});
  Render(picture);
  return true;
}

void MapServer::Render(com::IDispatch* picture) {
  if (!firstRenderDone_) {
    firstRenderDone_ = true;
    SetMenuItem(1, "Visible", false);
  }
  if (!Ready()) {
    SignalInformation(-50, 50, 50, -50);
    TryPut(picture, "Picture", Variant(static_cast<com::IDispatch*>(nullptr)));
    TryCall(picture, "Cls");
    return;
  }
  ApplyOverlayRequest();
  ApplyUnderlayRequest();
  const auto w = static_cast<std::int32_t>(std::lround(AsDouble(Get(picture, "ScaleWidth"), "ScaleWidth")));
  const auto h = static_cast<std::int32_t>(std::lround(AsDouble(Get(picture, "ScaleHeight"), "ScaleHeight")));
  const std::int32_t dc = AsInt(Get(picture, "hDC"), "the picture's hDC");
  lonLeft_ = AsDouble(Get(control_.Get(), "LonLeft"), "LonLeft");
  lonRight_ = AsDouble(Get(control_.Get(), "LonRight"), "LonRight");
  latTop_ = AsDouble(Get(control_.Get(), "LatTop"), "LatTop");
  latBottom_ = AsDouble(Get(control_.Get(), "LatBottom"), "LatBottom");
  // Other programs of the host read the view's corners; a host without a
  // "Maps" folder simply has none to read.
  if (!setup_.HostProgramFolder.empty()) {
    WriteViewFile(setup_.HostProgramFolder, ViewFileText(lonLeft_, lonRight_, latTop_, latBottom_));
  }
  const Variant drawWidth = Get(picture, "DrawWidth"), drawMode = Get(picture, "DrawMode");
  const Variant drawStyle = Get(picture, "DrawStyle");
  Call(control_.Get(), "DirectDraw",
       {Variant(dc), Variant(std::int32_t{0}), Variant(std::int32_t{0}), Variant(w), Variant(h), Variant(false),
        Variant(false), Variant(mono_)});
  Put(picture, "DrawWidth", drawWidth);
  Put(picture, "DrawMode", drawMode);
  Put(picture, "DrawStyle", drawStyle);
  if (lineActive_) {
    DrawMileMarkerLine(picture);
  } else {
    SetMenuItem(1, "Visible", false);
  }
  Put(picture, "Picture", Get(picture, "Image"));
  SignalInformation(lonLeft_, lonRight_, latTop_, latBottom_);
}

void MapServer::ApplyOverlayRequest() {
  if (overlayRequest_ != overlayApplied_) {
    const std::string file = FileExists(overlayRequest_) ? overlayRequest_ : std::string();
    Call(control_.Get(), "OpenOverlay", {Variant(file)});
    if (!file.empty() && overlayAppliedOnce_) Call(control_.Get(), "ZoomOverlay");
    overlayApplied_ = file;
  }
  SetMenuItem(2, "Enabled", !overlayApplied_.empty());
  overlayAppliedOnce_ = true;
}

void MapServer::ApplyUnderlayRequest() {
  if (underlayRequest_ != underlayApplied_) {
    const std::string file = FileExists(underlayRequest_) ? underlayRequest_ : std::string();
    Put(control_.Get(), "UnderlayFile", Variant(file));
    if (!file.empty() && underlayAppliedOnce_) Call(control_.Get(), "ZoomUnderlay");
    underlayApplied_ = file;
  }
  underlayAppliedOnce_ = true;
}

void MapServer::DrawMileMarkerLine(com::IDispatch* picture) {
  const bool inside = lineIsLatitude_ ? (latBottom_ <= linePosition_ && linePosition_ <= latTop_)
                                      : (lonLeft_ <= linePosition_ && linePosition_ <= lonRight_);
  if (!inside) return;
  Put(picture, "ScaleLeft", Variant(lonLeft_));
  Put(picture, "ScaleWidth", Variant(lonRight_ - lonLeft_));
  Put(picture, "ScaleTop", Variant(latTop_));
  Put(picture, "ScaleHeight", Variant(latBottom_ - latTop_));
  const Variant savedMode = Get(picture, "DrawMode");
  const std::int32_t savedWidth = AsInt(Get(picture, "DrawWidth"), "DrawWidth");
  Put(picture, "DrawMode", Variant(std::int32_t{13}));  // copy pen
  const auto line = [&](std::int32_t width, std::int32_t colour) {
    Put(picture, "DrawWidth", Variant(width));
    if (lineIsLatitude_) {
      Call(picture, "Line", {Variant(lonLeft_), Variant(linePosition_), Variant(lonRight_), Variant(linePosition_), Variant(colour)});
    } else {
      Call(picture, "Line", {Variant(linePosition_), Variant(latTop_), Variant(linePosition_), Variant(latBottom_), Variant(colour)});
    }
  };
  line(5, kYellow);
  line(1, kBlack);
  Put(picture, "DrawMode", savedMode);
  if (savedWidth >= 1 && savedWidth <= 99) Put(picture, "DrawWidth", Variant(savedWidth));
  SetMenuItem(1, "Visible", true);
}

// ---------------------------------------------------------------- options

bool MapServer::SpecialMenuOption(com::IDispatch* picture, std::int16_t index) {
  if (!Ready()) return false;
  switch (index) {
    case 1:
      if (!lineActive_ || !remembered_) return false;
      lineActive_ = false;
      SetMenuItem(1, "Visible", false);
      SizeTo(remembered_.Get());
      Signal("SignalSuspend", {Variant(true)});
      Render(remembered_.Get());
      Signal("SignalSpecialRedraw", {Variant(std::string(kServerName))});
      return false;
    case 2:
      Remember(picture);
      if (!remembered_) return false;
      SizeTo(remembered_.Get());
      Signal("SignalSuspend", {Variant(true)});
      Call(control_.Get(), "ZoomOverlay");
      Render(remembered_.Get());
      Signal("SignalSpecialRedraw", {Variant(std::string())});
      return false;
    default:
      return false;  // 0, the search, is answered by the search dialog
  }
}

void MapServer::ZoomToSearchResult(const std::string& title, double lon, double lat, bool place, double lon2,
                                   double lat2, double line, bool lineIsLatitude) {
  if (!Ready() || !remembered_) return;
  SizeTo(remembered_.Get());
  Signal("SignalSuspend", {Variant(true)});
  if (lon2 != 0 || lat2 != 0) {
    Call(control_.Get(), "ZoomWindow", {Variant(lon), Variant(lat), Variant(lon2), Variant(lat2)});
    if (line != 0) {
      lineActive_ = true;
      linePosition_ = line;
      lineIsLatitude_ = lineIsLatitude;
    }
  } else {
    Put(control_.Get(), "Magnitude", Variant(place ? kMagnitudePlace : kMagnitudeAddress));
    Call(control_.Get(), "GotoPoint", {Variant(lon), Variant(lat)});
  }
  Render(remembered_.Get());
  Signal("SignalSpecialRedraw", {Variant(title)});
}

SupportedFeatures MapServer::Features(const std::string& serverFileStem) const {
  SupportedFeatures f;
  f.HelpFile = (setup_.ServerFolder / (serverFileStem + ".HLP")).string();
  f.ShortName = kServerShortName;
  f.SpecialOptionCaptions = {"Search", "Hide Mile Marker Line", "Zoom Overlay"};
  return f;
}

// ---------------------------------------------------------------- settings

std::int32_t MapServer::MapBackColor() {
  if (!Ready()) return 0;
  return AsInt(Call(control_.Get(), "SetOption", {Variant(std::int32_t{0}), Variant(std::int32_t{1})}), "SetOption");
}

com::Variant MapServer::ControlProperty(const std::string& name) {
  if (!Ready()) return Variant();
  return Get(control_.Get(), name);
}

void MapServer::SetControlProperty(const std::string& name, const com::Variant& value) {
  if (Ready()) Put(control_.Get(), name, value);
}

void MapServer::SetWhiteBackground(bool on) {
  if (on == whiteBackground_) return;
  whiteBackground_ = on;
  if (!Ready()) return;
  // The map colour was read at Initialize, before any switch to white, so
  // switching back restores the control's own colour.
  Put(control_.Get(), "Color", Variant(on ? kWhite : savedColor_));
  Call(control_.Get(), "Refresh");
}

// ---------------------------------------------------------------- host

void MapServer::SetMenuItem(int index, const char* property, bool value) {
  if (!form_) return;
  try {
    const Variant item = Get(form_.Get(), kMenuArray, {Variant(std::int32_t{index})});
    TryPut(item.dispatch(), property, Variant(value));
  } catch (const std::exception&) {
    // A host form without the menu array shows no special options.
  }
}

void MapServer::SignalInformation(double left, double right, double top, double bottom) {
  Signal("SignalInformation", {Variant::ByRef(&left), Variant::ByRef(&right), Variant::ByRef(&top),
                               Variant::ByRef(&bottom), Variant(std::string(kServerName))});
}

void MapServer::Signal(const std::string& name, const std::vector<com::Variant>& args) {
  TryCall(events_.Get(), name, args);
}

}  // namespace quelmar::server
