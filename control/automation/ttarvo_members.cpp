// The ITarvo members that reach the map panel. Each is a thin wrapper: check
// and convert the arguments, call the panel, convert the result.
#include <cmath>
#include <optional>
#include <string>

#include "control/automation/about_box.h"
#include "control/automation/font_adapter.h"
#include "control/automation/ttarvo_guard.h"
#include "control/core/coordinate_format.h"
#include "control/core/geodesy.h"

namespace quelmar::automation {

using guard::AnsiArg;
using guard::CheckedEnum;
using guard::Degrees;
using guard::MapDegrees;
using guard::Out;
using guard::Utf8Result;

// ---------------------------------------------------------------- switches

// A boolean switch of a section of the settings store, read as -1/0. A
// change of a layer switch draws the map again (the store tells the panel).
#define QM_SWITCH(Section, Name)                                                                       \
  HRESULT TTarvo::get_##Name(com::VARIANT_BOOL* value) {                                               \
    return Call(#Name, [&](Ttvmap& p) { Out(value) = com::ToVariantBool(p.settings().Get().Section.Name); }); \
  }                                                                                                    \
  HRESULT TTarvo::put_##Name(com::VARIANT_BOOL value) {                                                \
    return Call(#Name, [&](Ttvmap& p) {                                                                \
      p.settings().Change(&core::ControlSettings::Section, [&](auto& o) { o.Name = value != 0; });     \
    });                                                                                                \
  }
QM_SWITCH(Panel, PopupRoute)
QM_SWITCH(Panel, AutoQuery)
QM_SWITCH(Panel, EdgePan)
QM_SWITCH(Panel, AutoPaint)
QM_SWITCH(Layers, Mainlay)
QM_SWITCH(Layers, Overlay)
QM_SWITCH(Layers, Grid)
QM_SWITCH(Layers, Load_Air)
QM_SWITCH(Layers, Load_City)
QM_SWITCH(Layers, Load_County)
QM_SWITCH(Layers, Load_Highway)
QM_SWITCH(Layers, Load_Hydro)
QM_SWITCH(Layers, Load_Landmark)
QM_SWITCH(Layers, Load_State)
#undef QM_SWITCH

HRESULT TTarvo::get_Underlay(com::VARIANT_BOOL* value) {
  return Call("Underlay", [&](Ttvmap& p) { Out(value) = com::ToVariantBool(p.settings().Underlay().Underlay()); });
}
HRESULT TTarvo::put_Underlay(com::VARIANT_BOOL value) {
  return Call("Underlay", [&](Ttvmap& p) {
    p.settings().Change(&core::ControlSettings::Underlay, [&](core::UnderlaySettings& u) { u.SetUnderlay(value != 0); });
  });
}

HRESULT TTarvo::get_Synch(com::VARIANT_BOOL* value) {
  return Call("Synch", [&](Ttvmap& p) { Out(value) = com::ToVariantBool(p.options().Synch); });
}
HRESULT TTarvo::put_Synch(com::VARIANT_BOOL value) {
  return Call("Synch", [&](Ttvmap& p) { p.SetSynch(value != 0); });
}

// An enumerated setting of the panel, checked against its last value.
#define QM_ENUM_SETTING(Name, Type, last, setter)                                                \
  HRESULT TTarvo::get_##Name(Type* value) {                                                      \
    return Call(#Name, [&](Ttvmap& p) { Out(value) = p.options().Name; });                       \
  }                                                                                              \
  HRESULT TTarvo::put_##Name(Type value) {                                                       \
    return Call(#Name, [&](Ttvmap& p) { setter(CheckedEnum<Type>(value, last, #Name)); });        \
  }

QM_ENUM_SETTING(Coords, TxCoord, CdLatLon, p.SetCoords)
QM_ENUM_SETTING(MapMode, TxMapMode, MdStreet, [&](TxMapMode m) { p.SetPanelOption([m](PanelOptions& o) { o.MapMode = m; }); })
QM_ENUM_SETTING(ToolbarMode, TxTbMode, TbFloat, [&](TxTbMode m) {
  if (!p.DesignMode()) p.SetPanelOption([m](PanelOptions& o) { o.ToolbarMode = m; });  // ignored in design mode
})
// Coordinate text knows four modes; any other byte value formats as "<>".
QM_ENUM_SETTING(LLmode, TxLLMode, 255, p.SetLLmode)
#undef QM_ENUM_SETTING

HRESULT TTarvo::get_UnderlayStyle(TxUndMode* value) {
  return Call("UnderlayStyle", [&](Ttvmap& p) { Out(value) = p.settings().Underlay().UnderlayStyle(); });
}
HRESULT TTarvo::put_UnderlayStyle(TxUndMode value) {
  return Call("UnderlayStyle", [&](Ttvmap& p) {
    const TxUndMode style = CheckedEnum<TxUndMode>(value, UndShadow, "UnderlayStyle");
    p.settings().Change(&core::ControlSettings::Underlay, [style](core::UnderlaySettings& u) { u.SetUnderlayStyle(style); });
  });
}
HRESULT TTarvo::get_UnderlayShadow(std::int16_t* value) {
  return Call("UnderlayShadow", [&](Ttvmap& p) { Out(value) = p.settings().Underlay().UnderlayShadow(); });
}
HRESULT TTarvo::put_UnderlayShadow(std::int16_t value) {
  return Call("UnderlayShadow", [&](Ttvmap& p) {
    p.settings().Change(&core::ControlSettings::Underlay, [value](core::UnderlaySettings& u) { u.SetUnderlayShadow(value); });
  });
}

HRESULT TTarvo::get_Mapunits(TxMapunit* value) {
  return Call("Mapunits", [&](Ttvmap& p) { Out(value) = p.view().Mapunits(); });
}
HRESULT TTarvo::put_Mapunits(TxMapunit value) {
  return Call("Mapunits", [&](Ttvmap& p) { p.SetMapunits(CheckedEnum<TxMapunit>(value, Mukm, "Mapunits")); });
}

// ---------------------------------------------------------------- view edges and cursor

#define QM_DEGREES(Name, expr) \
  HRESULT TTarvo::get_##Name(double* value) { return Call(#Name, [&](Ttvmap& p) { Out(value) = (expr); }); }
QM_DEGREES(LonLeft, p.view().View().Left * core::kDegreesPerUnit)
QM_DEGREES(LonRight, p.view().View().Right * core::kDegreesPerUnit)
QM_DEGREES(LatBottom, p.view().View().Bottom * core::kDegreesPerUnit)
QM_DEGREES(LatTop, p.view().View().Top * core::kDegreesPerUnit)
QM_DEGREES(Xcord, p.Xcord())
QM_DEGREES(Ycord, p.Ycord())
#undef QM_DEGREES

// ---------------------------------------------------------------- texts

HRESULT TTarvo::get_Street(std::string* value) {
  return Call("Street", [&](Ttvmap& p) { Out(value) = Utf8Result(p.Street()); });
}
HRESULT TTarvo::get_result(std::string* value) {
  return Call("result", [&](Ttvmap& p) { Out(value) = Utf8Result(p.ResultText()); });
}
HRESULT TTarvo::get_Route(std::string* value) {
  return Call("Route", [&](Ttvmap& p) { Out(value) = Utf8Result(p.RouteText()); });
}
HRESULT TTarvo::put_Route(const std::string& value) {
  return Call("Route", [&](Ttvmap& p) { p.SetRouteText(AnsiArg(value)); });
}
HRESULT TTarvo::FoundVty(const std::string& temp) {
  return Call("FoundVty", [&](Ttvmap& p) {
    p.SetResultText(AnsiArg(temp));
    if (p.events.OnFindPlace) p.events.OnFindPlace();
  });
}

// ---------------------------------------------------------------- scale properties

HRESULT TTarvo::get_Scale(double* value) {
  return Call("Scale", [&](Ttvmap& p) { Out(value) = p.ScaleProperty(); });
}
HRESULT TTarvo::put_Scale(double value) {
  return Call("Scale", [&](Ttvmap& p) { p.SetScaleProperty(value); });
}
HRESULT TTarvo::get_TvScale(double* value) { return get_Scale(value); }
HRESULT TTarvo::put_TvScale(double value) { return put_Scale(value); }
HRESULT TTarvo::get_Magnitude(TxMagnitude* value) {
  return Call("Magnitude", [&](Ttvmap& p) { Out(value) = p.Magnitude(); });
}
HRESULT TTarvo::put_Magnitude(TxMagnitude value) {
  return Call("Magnitude", [&](Ttvmap& p) { p.SetMagnitude(value); });
}
HRESULT TTarvo::get_Miles(double* value) {
  return Call("Miles", [&](Ttvmap& p) { Out(value) = p.Miles(); });
}
HRESULT TTarvo::put_Miles(double value) {
  return Call("Miles", [&](Ttvmap& p) { p.SetMiles(value); });
}
HRESULT TTarvo::get_Kms(double* value) {
  return Call("Kms", [&](Ttvmap& p) { Out(value) = p.Kms(); });
}
HRESULT TTarvo::put_Kms(double value) {
  return Call("Kms", [&](Ttvmap& p) { p.SetKms(value); });
}
HRESULT TTarvo::get_Screen_Aspect(double* value) {
  return Call("Screen_Aspect", [&](Ttvmap& p) { Out(value) = p.ScreenAspect(); });
}
HRESULT TTarvo::put_Screen_Aspect(double value) {
  return Call("Screen_Aspect", [&](Ttvmap& p) {
    if (!std::isfinite(value) || value <= 0.0) {
      throw ArgumentError("Screen_Aspect must be a finite number above 0");
    }
    p.SetScreenAspect(value);
  });
}

// ---------------------------------------------------------------- zoom and pan

HRESULT TTarvo::ZoomIn() { return Call("ZoomIn", [&](Ttvmap& p) { p.ZoomIn(); }); }
HRESULT TTarvo::ZoomOut() { return Call("ZoomOut", [&](Ttvmap& p) { p.ZoomOut(); }); }
HRESULT TTarvo::ZoomAll() { return Call("ZoomAll", [&](Ttvmap& p) { p.ZoomAll(); }); }
HRESULT TTarvo::ZoomLast() { return Call("ZoomLast", [&](Ttvmap& p) { p.ZoomLast(); }); }
HRESULT TTarvo::ZoomOverlay() { return Call("ZoomOverlay", [&](Ttvmap& p) { p.ZoomOverlay(); }); }
HRESULT TTarvo::ZoomUnderlay() { return Call("ZoomUnderlay", [&](Ttvmap& p) { p.ZoomUnderlay(); }); }
HRESULT TTarvo::ZoomPan(std::int32_t i) { return Call("ZoomPan", [&](Ttvmap& p) { p.ZoomPan(i); }); }
HRESULT TTarvo::ZoomWindow(const Variant& x1, const Variant& y1, const Variant& x2, const Variant& y2) {
  return Call("ZoomWindow", [&](Ttvmap& p) {
    p.ZoomWindow(Degrees(x1, "x1"), Degrees(y1, "y1"), Degrees(x2, "x2"), Degrees(y2, "y2"));
  });
}
HRESULT TTarvo::ZoomIWindow(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  return Call("ZoomIWindow", [&](Ttvmap& p) { p.ZoomIWindow(x1, y1, x2, y2); });
}
HRESULT TTarvo::CenterView(std::int32_t x, std::int32_t y) {
  return Call("CenterView", [&](Ttvmap& p) { p.CenterView(x, y); });
}
HRESULT TTarvo::GotoPoint(const Variant& x, const Variant& y) {
  return Call("GotoPoint", [&](Ttvmap& p) { p.GotoPoint(Degrees(x, "x"), Degrees(y, "y")); });
}
HRESULT TTarvo::Rotate(const Variant& Value) {
  return Call("Rotate", [&](Ttvmap& p) { p.Rotate(Degrees(Value, "Value")); });
}
HRESULT TTarvo::ResizeCtl(std::int32_t dx, std::int32_t dy) {
  return Call("ResizeCtl", [&](Ttvmap& p) {
    if (dx < 1 || dy < 1 || dx > 32767 || dy > 32767) {
      throw ArgumentError("ResizeCtl needs a size of 1 to 32767 pixels each way");
    }
    p.ResizeCtl(dx, dy);
  });
}

// ---------------------------------------------------------------- paint control

HRESULT TTarvo::Redraw() { return Call("Redraw", [&](Ttvmap& p) { p.Redraw(); }); }
HRESULT TTarvo::Refresh() { return Call("Refresh", [&](Ttvmap& p) { p.Refresh(); }); }
HRESULT TTarvo::Redirty() { return Call("Redirty", [&](Ttvmap& p) { p.Redirty(); }); }
HRESULT TTarvo::SetDirtyRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  return Call("SetDirtyRect", [&](Ttvmap& p) { p.SetDirtyRect(left, top, right, bottom); });
}
HRESULT TTarvo::get_IsDrawing(com::VARIANT_BOOL* value) {
  return Call("IsDrawing", [&](Ttvmap& p) { Out(value) = com::ToVariantBool(p.IsDrawing()); });
}

// ---------------------------------------------------------------- conversions

HRESULT TTarvo::LL2Int(const Variant& x, const Variant& y, std::int32_t* retval) {
  return Call("LL2Int", [&](Ttvmap& p) {
    const double lon = MapDegrees(x, "x"), lat = MapDegrees(y, "y");  // checked in argument order
    Out(retval) = p.view().LL2Int(lon, lat);
  });
}
HRESULT TTarvo::Lon2Int(const Variant& x, std::int32_t* retval) {
  return Call("Lon2Int", [&](Ttvmap& p) { Out(retval) = p.view().Lon2Int(MapDegrees(x, "x")); });
}
HRESULT TTarvo::Lat2Int(const Variant& y, std::int32_t* retval) {
  return Call("Lat2Int", [&](Ttvmap& p) { Out(retval) = p.view().Lat2Int(MapDegrees(y, "y")); });
}
HRESULT TTarvo::Int2Lon(std::int32_t x, double* retval) {
  return Call("Int2Lon", [&](Ttvmap& p) { Out(retval) = p.view().Int2Lon(x); });
}
HRESULT TTarvo::Int2Lat(std::int32_t y, double* retval) {
  return Call("Int2Lat", [&](Ttvmap& p) { Out(retval) = p.view().Int2Lat(y); });
}
HRESULT TTarvo::Distance(const Variant& x1, const Variant& y1, const Variant& x2, const Variant& y2,
                         std::int32_t* retval) {
  return Call("Distance", [&](Ttvmap& p) {
    const double lon1 = MapDegrees(x1, "x1"), lat1 = MapDegrees(y1, "y1");  // checked in argument order
    const double lon2 = MapDegrees(x2, "x2"), lat2 = MapDegrees(y2, "y2");
    Out(retval) = p.Distance(lon1, lat1, lon2, lat2);
  });
}
HRESULT TTarvo::HeadsUp(const Variant& x1, const Variant& y1, const Variant& x2, const Variant& y2,
                        std::int32_t* retval) {
  return Call("HeadsUp", [&](Ttvmap&) {
    const std::optional<std::int32_t> bearing =
        core::HeadsUp(Degrees(x1, "x1"), Degrees(y1, "y1"), Degrees(x2, "x2"), Degrees(y2, "y2"));
    if (!bearing) throw ArgumentError("HeadsUp needs finite longitudes and latitudes");
    Out(retval) = *bearing;
  });
}
HRESULT TTarvo::LonLatStr(const Variant& x, const Variant& y, std::string* retval) {
  return Call("LonLatStr", [&](Ttvmap& p) {
    const PanelOptions& o = p.options();
    const double lon = MapDegrees(x, "x"), lat = MapDegrees(y, "y");  // checked in argument order
    Out(retval) = Utf8Result(core::LonLatStr(lon, lat, o.LLmode, p.view().CoordDecimals(), o.Coords));
  });
}
HRESULT TTarvo::DMS(const Variant& x, std::string* retval) {
  return Call("DMS", [&](Ttvmap& p) {
    const PanelOptions& o = p.options();
    Out(retval) = Utf8Result(core::DMS(MapDegrees(x, "x"), o.LLmode, p.view().CoordDecimals()));
  });
}

// ---------------------------------------------------------------- the panel as a window control

HRESULT TTarvo::get_Color(com::OLE_COLOR* value) {
  return Call("Color", [&](Ttvmap& p) { Out(value) = p.Color(); });
}
HRESULT TTarvo::put_Color(com::OLE_COLOR value) {
  return Call("Color", [&](Ttvmap& p) { p.SetColor(guard::ColorFromOle(value)); });
}

#define QM_FRAME_ENUM(Name)                                                                   \
  HRESULT TTarvo::get_##Name(TxBevelCut* value) {                                             \
    return Call(#Name, [&](Ttvmap& p) { Out(value) = p.Frame().Name; });                      \
  }                                                                                           \
  HRESULT TTarvo::put_##Name(TxBevelCut value) {                                              \
    return Call(#Name, [&](Ttvmap& p) {                                                       \
      PanelFrame f = p.Frame();                                                               \
      f.Name = CheckedEnum<TxBevelCut>(value, bvxSpace, #Name);                               \
      p.SetFrame(f);                                                                          \
    });                                                                                       \
  }
QM_FRAME_ENUM(BevelInner)
QM_FRAME_ENUM(BevelOuter)
#undef QM_FRAME_ENUM

#define QM_FRAME_WIDTH(Name, lowest)                                                                  \
  HRESULT TTarvo::get_##Name(std::int32_t* value) {                                                   \
    return Call(#Name, [&](Ttvmap& p) { Out(value) = p.Frame().Name; });                              \
  }                                                                                                   \
  HRESULT TTarvo::put_##Name(std::int32_t value) {                                                    \
    return Call(#Name, [&](Ttvmap& p) {                                                               \
      if (value < (lowest) || value > 1000) {                                                         \
        throw ArgumentError(#Name " must be " #lowest " to 1000 pixels");          \
      }                                                                                               \
      PanelFrame f = p.Frame();                                                                       \
      f.Name = value;                                                                                 \
      p.SetFrame(f);                                                                                  \
    });                                                                                               \
  }
QM_FRAME_WIDTH(BevelWidth, 1)
QM_FRAME_WIDTH(BorderWidth, 0)
#undef QM_FRAME_WIDTH

HRESULT TTarvo::get_Font(com::IDispatch** value) {
  return Call("Font", [&](Ttvmap& p) {
    auto* font = new FontAdapter(
        static_cast<ITarvo*>(this), p.view().PixelsPerInch(),
        [this](gdi::Font* f) { return Call("Font", [&](Ttvmap& panel) { *f = panel.Font(); }); },
        [this](const gdi::Font& f) { return Call("Font", [&](Ttvmap& panel) { panel.SetFont(f); }); });
    Out(value) = static_cast<com::IDispatch*>(font);  // the creation reference goes to the caller
  });
}
HRESULT TTarvo::put_Font(com::IDispatch* value) {
  return Call("Font", [&](Ttvmap& p) -> HRESULT {
    if (!value) throw ArgumentError("Font needs a font object", ErrorCode::MissingPointer);
    gdi::Font font;
    if (HRESULT hr = FontFromDispatch(value, p.view().PixelsPerInch(), &font); hr < 0) {
      throw ArgumentError("Font needs an object with a Name and a Size of 1 to 500 points", CodeOfResult(hr));
    }
    p.SetFont(font);
    return S_OK;
  });
}

HRESULT TTarvo::get_Enabled(com::VARIANT_BOOL* value) {
  return Call("Enabled", [&](Ttvmap& p) { Out(value) = com::ToVariantBool(p.window().IsEnabled()); });
}
HRESULT TTarvo::put_Enabled(com::VARIANT_BOOL value) {
  return Call("Enabled", [&](Ttvmap& p) { p.window().SetEnabled(value != 0); });
}
HRESULT TTarvo::get_Visible(com::VARIANT_BOOL* value) {
  return Call("Visible", [&](Ttvmap& p) { Out(value) = com::ToVariantBool(p.window().IsVisible()); });
}
HRESULT TTarvo::put_Visible(com::VARIANT_BOOL value) {
  return Call("Visible", [&](Ttvmap& p) { p.window().Show(value != 0); });
}
HRESULT TTarvo::get_Cursor(std::int16_t* value) {
  return Call("Cursor", [&](Ttvmap& p) { Out(value) = static_cast<std::int16_t>(p.window().Cursor()); });
}
HRESULT TTarvo::put_Cursor(std::int16_t value) {
  return Call("Cursor", [&](Ttvmap& p) { p.window().SetCursor(value); });
}
HRESULT TTarvo::get_Handle(std::int32_t* value) {
  return Call("Handle", [&](Ttvmap& p) { Out(value) = p.window().Handle(); });
}

// ---------------------------------------------------------------- values kept by the control itself

HRESULT TTarvo::get_TvParent(std::int32_t* value) {
  return Call("TvParent", [&](Ttvmap& p) { Out(value) = p.TvParent(); });
}
HRESULT TTarvo::put_TvParent(std::int32_t value) {
  return Call("TvParent", [&](Ttvmap& p) { p.SetTvParent(value); });
}

// ---------------------------------------------------------------- commands and start-up

HRESULT TTarvo::ExecMethod(const std::string& Value) {
  return Call("ExecMethod", [&](Ttvmap&) -> HRESULT {
    // The free command is matched exactly, before any conversion or cut.
    if (Value == "FREEALL") {
      FreePanel();
      return S_OK;
    }
    const core::CommandRegistry::Entry* command = context_->Registry().Commands.Find(AnsiArg(Value));
    if (!command) return S_OK;  // any other text does nothing
    if (!command->Run) {
      return com::ReportError(com::E_NOTIMPL, kProgId, "ExecMethod(\"" + Value + "\") is not available yet: the " +
                                                           command->Subsystem + " is not built");
    }
    command->Run();
    return S_OK;
  });
}

HRESULT TTarvo::SetOption(std::int32_t n, std::int32_t v, std::int32_t* retval) {
  return Call("SetOption", [&](Ttvmap&) -> HRESULT {
    const core::OptionResult result = core::RunOption(context_->Registry().Options, n, v);
    if (!result.Value) {
      return com::ReportError(com::E_NOTIMPL, kProgId,
                              "SetOption(" + std::to_string(n) + ", " + std::to_string(v) +
                                  ") is not available yet: the " + result.MissingSubsystem + " subsystem is not built");
    }
    Out(retval) = *result.Value;
    return S_OK;
  });
}

HRESULT TTarvo::RoadOption(std::int32_t n, std::int32_t v) {
  return Call("RoadOption", [&](Ttvmap& p) { p.RoadOption(n, v); });
}

HRESULT TTarvo::ExecMem(std::int32_t dmem, std::int32_t* retval) {
  return Call("ExecMem", [&](Ttvmap& p) { Out(retval) = p.ExecMem(dmem); });
}

// A start-up text property: 8-bit text of at most 255 characters.
#define QM_STARTUP_TEXT(Name, store)                                                            \
  HRESULT TTarvo::get_##Name(std::string* value) {                                              \
    return Call(#Name, [&](Ttvmap& p) { Out(value) = Utf8Result(p.startup().Name); });          \
  }                                                                                             \
  HRESULT TTarvo::put_##Name(const std::string& value) {                                        \
    return Call(#Name, [&](Ttvmap& p) { store; });                                              \
  }
QM_STARTUP_TEXT(Path_states0, p.SetPath(&core::StartupSettings::Path_states0, AnsiArg(value)))
QM_STARTUP_TEXT(Path_states1, p.SetPath(&core::StartupSettings::Path_states1, AnsiArg(value)))
QM_STARTUP_TEXT(Path_data1, p.SetPath(&core::StartupSettings::Path_data1, AnsiArg(value)))
QM_STARTUP_TEXT(Path_data2, p.SetPath(&core::StartupSettings::Path_data2, AnsiArg(value)))
QM_STARTUP_TEXT(Path_data3, p.SetPath(&core::StartupSettings::Path_data3, AnsiArg(value)))
QM_STARTUP_TEXT(TitlePrint, p.SetStartup([&](core::StartupSettings& s) { s.TitlePrint = AnsiArg(value); }))
QM_STARTUP_TEXT(TitleUser, p.SetStartup([&](core::StartupSettings& s) { s.TitleUser = AnsiArg(value); }))
#undef QM_STARTUP_TEXT

#define QM_STARTUP_SWITCH(Name)                                                                      \
  HRESULT TTarvo::get_##Name(com::VARIANT_BOOL* value) {                                             \
    return Call(#Name, [&](Ttvmap& p) { Out(value) = com::ToVariantBool(p.startup().Name); });        \
  }                                                                                                  \
  HRESULT TTarvo::put_##Name(com::VARIANT_BOOL value) {                                              \
    return Call(#Name, [&](Ttvmap& p) { p.SetStartup([&](core::StartupSettings& s) { s.Name = value != 0; }); }); \
  }
QM_STARTUP_SWITCH(AutoConfig)
QM_STARTUP_SWITCH(SaveView)
#undef QM_STARTUP_SWITCH

HRESULT TTarvo::Loaded() {
  return Call("Loaded", [&](Ttvmap& p) { p.Init(); });
}

HRESULT TTarvo::AboutBox() {
  return Call("AboutBox", [&](Ttvmap&) { ShowAboutBox(); });
}

}  // namespace quelmar::automation
