#pragma once
// Every setting of one control, by section. The settings store holds one of
// these; SetOption, the properties, the dialogs and the configuration file
// read and write it there, and each paint or load request copies what it
// needs from it.
#include <cstdint>

#include "control/core/label_settings.h"
#include "control/core/option_table.h"
#include "control/core/print_settings.h"
#include "control/core/road_options.h"
#include "control/core/route_settings.h"
#include "control/core/shading_switches.h"
#include "control/core/startup_settings.h"
#include "control/core/tx_enums.h"
#include "control/core/underlay_settings.h"
#include "platform/gdi/gdi_types.h"

namespace quelmar::core {

// How the panel behaves: mouse, toolbar, coordinate text, painting.
struct PanelOptions {
  bool PopupRoute = true;
  TxTbMode ToolbarMode = TbHide;
  TxMapMode MapMode = MdZoom;
  bool Synch = false;
  std::int32_t StrMode = 0;
  bool AutoPaint = true;
  bool BackDraw = true;
  bool EdgePan = false;
  TxCoord Coords = CdLonlat;
  TxLLMode LLmode = TmHMS;
  bool AutoQuery = true;
  bool ShowToolbar = false;  // the display dialog's toolbar box ("TOOL=")
  friend bool operator==(const PanelOptions&, const PanelOptions&) = default;
};

// Which layers are loaded and drawn: changing one draws the map again.
struct LayerOptions {
  bool Load_Air = true, Load_City = true, Load_County = true, Load_Highway = true, Load_Hydro = true,
       Load_Landmark = true, Load_State = true;
  bool Overlay = true;
  bool Mainlay = true;
  bool Grid = false;
  // Street quads load and draw below this span, in miles per screen inch at
  // 40° N ("&Street Detail:", "TIGER=").
  double StreetDetailMiles = 2;
  ShadingSwitches Shading;  // states, counties, places and minor civil divisions shaded
  friend bool operator==(const LayerOptions&, const LayerOptions&) = default;
};

// The panel as a window control: its background colour, font and frame.
struct PanelFrame {
  TxBevelCut BevelOuter = bvxRaised;
  TxBevelCut BevelInner = bvxNone;
  std::int32_t BevelWidth = 1;
  std::int32_t BorderWidth = 0;
  friend bool operator==(const PanelFrame&, const PanelFrame&) = default;
};
struct Appearance {
  static constexpr gdi::COLORREF kDefaultColor = 0xAFFFFF;
  gdi::COLORREF Color = kDefaultColor;  // the map background; the sea is this colour
  gdi::Font Font;                       // the panel's font, which is also the label font
  PanelFrame Frame;
  friend bool operator==(const Appearance&, const Appearance&) = default;
};

// What the searches work with.
struct SearchSettings {
  double RadiusMiles = 10;  // the search radius of street searches ("Search Radius:", 2..40)
  bool MarkPoint = true;    // the Locator's "Mark Point": a found place gets the result bubble ("MARKPT=")
  friend bool operator==(const SearchSettings&, const SearchSettings&) = default;
};

struct ControlSettings {
  PanelOptions Panel;
  LayerOptions Layers;
  Appearance Look;
  OptionValues Options;
  StartupSettings Startup;
  LabelSettings Labels;
  UnderlaySettings Underlay;
  RoadOptions Roads;
  SearchSettings Search;
  RouteSettings Route;
  PrintSettings Print;
};

// The sections, as change notifications name them.
enum class SettingSection { Panel, Layers, Look, Options, Startup, Labels, Underlay, Roads, Search, Route, Print };

// Whether a change of `section` must draw the map again.
constexpr bool ChangesTheMap(SettingSection section) {
  switch (section) {
    case SettingSection::Layers:
    case SettingSection::Look:
    case SettingSection::Labels:
    case SettingSection::Underlay: return true;
    default: return false;
  }
}

}  // namespace quelmar::core
