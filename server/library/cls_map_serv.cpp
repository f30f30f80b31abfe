#include "server/library/cls_map_serv.h"

#include <cstdlib>

#include "control/automation/tarvo_ids.h"
#include "platform/com/activation.h"
#include "platform/kernel/ini_file.h"
#include "server/engine/control_panel.h"
#include "server/engine/favourites.h"
#include "server/engine/folder_browser.h"
#include "server/engine/late_bound.h"
#include "server/engine/server_settings.h"
#include "server/library/server_ids.h"

namespace quelmar::server {
namespace {

using com::Variant;
using Arguments = com::TableDispatch::Arguments;

com::IDispatch* PictureArg(Arguments& args, std::size_t index) {
  if (index >= args.size()) throw com::Fault(com::DISP_E_PARAMNOTFOUND, "the picture argument is missing");
  return args[index].Dereferenced().dispatch();
}

double DoubleArg(Arguments& args, std::size_t index, const char* name) {
  if (index >= args.size()) throw com::Fault(com::DISP_E_PARAMNOTFOUND, std::string("the argument ") + name + " is missing");
  return AsDouble(args[index], name);
}

std::int16_t ShortArg(Arguments& args, std::size_t index, const char* name) {
  if (index >= args.size()) throw com::Fault(com::DISP_E_PARAMNOTFOUND, std::string("the argument ") + name + " is missing");
  std::int16_t v = 0;
  if (args[index].ToInt16(&v) < 0) throw com::Fault(com::DISP_E_TYPEMISMATCH, std::string(name) + " is not a small whole number");
  return v;
}

// Writes an out-parameter the host passed by reference; one passed by value
// is left alone, as a by-value argument cannot carry anything back.
void Out(Arguments& args, std::size_t index, const Variant& value) {
  if (index < args.size() && args[index].IsByRef()) args[index].AssignThroughRef(value);
}

// The process-wide activator of the server's controls: it keeps the
// control library loaded for as long as the server library is.
com::Activator& ControlActivator() {
  static com::Activator activator;
  return activator;
}

// The host program's folder from the host's per-user settings: "Program
// Folder" of section "TarvoServer" in the user's "host.ini" beside the class
// registry ("" when there is none).
std::filesystem::path HostProgramFolder() {
  const std::filesystem::path registry = com::ClassRegistry::DefaultPath();
  if (registry.empty()) return {};
  kernel::IniFile ini;
  if (!ini.Load(registry.parent_path() / "host.ini")) return {};
  return ini.GetOr("TarvoServer", "Program Folder", "");
}

}  // namespace

MapServerSetup DefaultSetup(const std::filesystem::path& libraryPath) {
  MapServerSetup setup;
  // The server keeps its files beside itself, or where $TARVOSERVER_FOLDER says.
  const char* folder = std::getenv("TARVOSERVER_FOLDER");
  setup.ServerFolder = folder && *folder ? std::filesystem::path(folder) : libraryPath.parent_path();
  setup.HostProgramFolder = HostProgramFolder();
  setup.MakeControl = [] {
    com::ComPtr<com::IDispatch> control;
    const com::HRESULT hr =
        ControlActivator().CreateInstance(automation::CLSID_Tarvo, com::IID_IDispatch, control.PutVoid());
    if (hr < 0) throw com::Fault(hr, "the map control (" + std::string(automation::kProgId) + ") cannot be made: " + com::FormatHResult(hr));
    return control;
  };
  setup.LoadSettings = [folder = setup.ServerFolder] {
    const ServerSettings s = LoadSettings(ServerIni::ForServerFolder(folder), false, BrowseForFolder);
    AppliedSettings a;
    a.Mono = s.Mono;
    a.Data1 = s.Data1;
    a.Data2 = s.Data2;
    a.Data3 = s.Data3;
    a.States0 = s.States0;
    a.States1 = s.States1;
    a.ShadeMcd = s.ShadeMcd;
    a.ShadeCounties = s.ShadeCounties;
    a.ShadePlaces = s.ShadePlaces;
    a.ShadeStates = s.ShadeStates;
    a.WhiteBackground = s.WhiteBackground;
    a.Overlay = s.Overlay;
    a.Underlay = s.Underlay;
    return a;
  };
  setup.ShowControl = [](com::IDispatch* control, bool show) {
    com::ComPtr<com::IDispatch> held(control);
    com::ComPtr<com::IOleObject> ole = held.As<com::IOleObject>(com::IID_IOleObject);
    if (!ole) return;
    if (show) {
      // The small form the control sits on, in pixels.
      if (com::ComPtr<com::IOleInPlaceObject> place = held.As<com::IOleInPlaceObject>(com::IID_IOleInPlaceObject)) {
        const com::RECT rect{0, 0, 200, 200};
        place->SetObjectRects(rect, rect);
      }
    }
    ole->DoVerb(show ? com::OLEIVERB_SHOW : com::OLEIVERB_HIDE);
  };
  return setup;
}

ClsMapServ::ClsMapServ(com::ServerLifetime* lifetime, MapServerSetup setup)
    : TableDispatch(kServerProgId, lifetime), server_(std::move(setup)) {
  MapServer& s = server_;
  Property(0x6803000F, "varMapBackColor", [&s] { return Variant(s.MapBackColor()); }, {});
  Property(0x6803000E, "varSeaColor", [] { return Variant(); }, {});
  Method(0x6003001D, "SafeCall", [](Arguments&) { return Variant(); });
  // The favourites: one line of the host's text each, in the server's ".FAV" file.
  const std::filesystem::path favourites = s.ServerFolder() / (std::string(kServerFileStem) + ".FAV");
  Method(0x6003001A, "AddToFavouriteViews", [favourites](Arguments& a) {
    std::error_code error;
    if (!AppendFavourite(favourites, AsText(Argument(a, 0, "strL").Dereferenced(), "strL"), &error)) {
      throw com::Fault(com::E_FAIL, "the favourite cannot be added to " + favourites.string() + ": " + error.message());
    }
    return Variant();
  });
  Method(0x6003001E, "SaveFavouriteViews", [favourites](Arguments& a) {
    const Variant list = Argument(a, 0, "strL").Dereferenced();
    if (!list.array()) throw com::Fault(com::DISP_E_TYPEMISMATCH, "strL must be an array of texts");
    std::error_code error;
    if (!SaveFavourites(favourites, list.array()->Strings(), &error)) {
      throw com::Fault(com::E_FAIL, "the favourites cannot be saved to " + favourites.string() + ": " + error.message());
    }
    return Variant();
  });
  Method(0x6003001F, "LoadFavouriteViews", [favourites](Arguments& a) {
    Variant& list = Argument(a, 0, "strFav");
    if (!list.IsByRef()) throw com::Fault(com::E_INVALIDARG, "strFav must be passed by reference");
    std::error_code error;
    const std::vector<std::string> lines = LoadFavourites(favourites, &error);
    if (error == std::errc::no_such_file_or_directory) return Variant();  // no favourites yet: strFav as it was
    if (error) throw com::Fault(com::E_FAIL, "the favourites file " + favourites.string() + " cannot be read: " + error.message());
    if (const com::HRESULT hr = list.AssignThroughRef(Variant(com::SafeArray::OfStrings(lines))); hr < 0) {
      throw com::Fault(hr, "strFav cannot take the favourites");
    }
    return Variant();
  });
  Method(0x6003002A, "ShowControlPanel", [&s](Arguments&) {
    ControlPanelSetup panel;
    panel.ServerReady = s.Ready();
    panel.Ini = ServerIni::ForServerFolder(s.ServerFolder());
    panel.Settings = ReadSettings(panel.Ini);
    panel.ServerFolder = s.ServerFolder();
    panel.ChooseFolder = BrowseForFolder;
    panel.AboutQuelmar = [&s] {
      if (s.Ready()) TryCall(s.Control(), "AboutBox");
    };
    ControlPanel(std::move(panel)).Show();
    s.ApplySettings();
    return Variant();
  });
  Property(0x6803000D, "blnControlOk", [&s] { return Variant(s.Ready()); }, {});
  const auto controlSwitch = [&](com::DISPID id, const char* name, const char* property) {
    Property(
        id, name, [&s, property] { return Variant(s.Ready() && AsBool(s.ControlProperty(property), property)); },
        [&s, property](const Variant& v) { s.SetControlProperty(property, Variant(AsBool(v, property))); });
  };
  controlSwitch(0x6803000C, "blnShadeMcd", "Shade_Mcd");
  controlSwitch(0x6803000B, "blnShadeCounties", "Shade_Cnty");
  controlSwitch(0x6803000A, "blnShadePlaces", "Shade_Plc");
  controlSwitch(0x68030009, "blnShadeStates", "Shade_State");
  Property(0x68030008, "blnWhiteBackground", [&s] { return Variant(s.WhiteBackground()); },
           [&s](const Variant& v) { s.SetWhiteBackground(AsBool(v, "blnWhiteBackground")); });
  Method(0x60030022, "Initialize", [&s](Arguments& a) {
    const std::string callsign = a.empty() ? std::string() : AsText(a[0], "strCallsign");
    s.Initialize(callsign, a.size() > 1 ? a[1].Dereferenced().dispatch() : nullptr,
                 a.size() > 2 ? a[2].Dereferenced().dispatch() : nullptr);
    return Variant();
  });
  Property(0x68030007, "strOvlFile", [&s] { return Variant(s.OverlayRequest()); },
           [&s](const Variant& v) { s.SetOverlayRequest(AsText(v, "strOvlFile")); });
  Property(0x68030006, "strUnderFile", [&s] { return Variant(s.UnderlayRequest()); },
           [&s](const Variant& v) { s.SetUnderlayRequest(AsText(v, "strUnderFile")); });
  Method(0x60030025, "DrawMapFromCorners", [&s](Arguments& a) {
    return Variant(s.DrawMapFromCorners(PictureArg(a, 0), DoubleArg(a, 1, "dblDegX1"), DoubleArg(a, 2, "dblDegY1"),
                                        DoubleArg(a, 3, "dblDegX2"), DoubleArg(a, 4, "dblDegY2")));
  });
  Property(0x68030005, "blnMono", [&s] { return Variant(s.Mono()); },
           [&s](const Variant& v) { s.SetMono(AsBool(v, "blnMono")); });
  Method(0x60030027, "ResizeMap", [&s](Arguments& a) { return Variant(s.ResizeMap(PictureArg(a, 0))); });
  Method(0x60030028, "DrawMapFromCentre", [&s](Arguments& a) {
    return Variant(s.DrawMapFromCentre(PictureArg(a, 0), DoubleArg(a, 1, "dblDegX"), DoubleArg(a, 2, "dblDegY")));
  });
  Method(0x60030029, "GetSupportedFeatures", [&s](Arguments& a) {
    const SupportedFeatures f = s.Features(kServerFileStem);
    Out(a, 0, Variant(f.DiagonalPan));
    Out(a, 1, Variant(f.ZoomIn));
    Out(a, 2, Variant(f.ZoomOut));
    Out(a, 3, Variant(f.ZoomAll));
    Out(a, 4, Variant(f.ControlPanel));
    Out(a, 5, Variant(f.HelpFile));
    Out(a, 6, Variant(f.HelpTopic));
    Out(a, 7, Variant(f.ShortName));
    Out(a, 8, Variant(com::SafeArray::OfStrings(f.SpecialOptionCaptions)));
    return Variant();
  });
  const auto dataPath = [&](com::DISPID id, const char* name, const char* property) {
    Property(
        id, name, [&s, property] { return s.Ready() ? Variant(AsText(s.ControlProperty(property), property)) : Variant(std::string()); },
        [&s, property](const Variant& v) { s.SetControlProperty(property, Variant(AsText(v, property))); });
  };
  dataPath(0x68030004, "strData1", "Path_data1");
  dataPath(0x68030003, "strData3", "Path_data3");
  dataPath(0x68030002, "strData2", "Path_data2");
  dataPath(0x68030001, "strStates0", "Path_states0");
  dataPath(0x68030000, "strStates1", "Path_states1");
  Method(0x60030030, "ZoomIn", [&s](Arguments& a) { return Variant(s.ZoomIn(PictureArg(a, 0))); });
  Method(0x60030031, "SpecialMenuOption", [&s](Arguments& a) {
    return Variant(s.SpecialMenuOption(PictureArg(a, 0), ShortArg(a, 1, "intIndex")));
  });
  Method(0x60030032, "ZoomAll", [&s](Arguments& a) { return Variant(s.ZoomAll(PictureArg(a, 0))); });
  Method(0x60030033, "ZoomPan", [&s](Arguments& a) { return Variant(s.ZoomPan(PictureArg(a, 0), ShortArg(a, 1, "intPan"))); });
  Method(0x60030034, "ZoomOut", [&s](Arguments& a) { return Variant(s.ZoomOut(PictureArg(a, 0))); });
}

}  // namespace quelmar::server
