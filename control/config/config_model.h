#pragma once
// The settings a configuration file carries, as one model: the control's
// settings, the map's tables (layer switches, landmark categories, the
// layer styles' and palette's colours), the view, and the values the file
// only keeps for later use. ReadConfig applies a file's lines to a model in
// order, as the control reads its file; WriteConfig writes a model in the
// file's own key order. Moving a model in and out of a live control is the
// caller's part.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "control/config/config_text.h"
#include "control/core/control_settings.h"
#include "control/core/engine_hooks.h"

namespace quelmar::config {

inline constexpr int kConfigLayers = 29;
inline constexpr int kConfigLandmarks = 69;
inline constexpr int kConfigStyleColours = 56;
inline constexpr int kConfigPaletteColours = 24;
inline constexpr int kConfigDialogPositions = 6;

struct MapTables {
  std::array<bool, kConfigLayers> Layers{};                 // layer i + 1 switched on
  std::array<std::uint8_t, kConfigLandmarks> Landmarks{};   // the setting of category i + 1
  std::array<std::uint32_t, kConfigStyleColours> StyleColours{};
  std::array<std::uint32_t, kConfigPaletteColours> PaletteColours{};
  friend bool operator==(const MapTables&, const MapTables&) = default;
};

// What the file keeps for parts of the control that read them later.
struct StoredValues {
  std::string OverlayFolder, LibraryFolder, HelpFolder, Bitmap, Overlay, Library;
  bool Database = false, BackPaint = false, MainLayer = true, Hints = true, StatusBar = true, Globe = false;
  bool Pc = false, Beep = true, OptionIds = false, ScaleBar = false;
  std::int32_t PrintMode = 0;
  double LoadRatio = 8;
  std::int32_t SecondTextSize = 6, ShadeFactor = 0, ShadePolygons = 0;
  std::int32_t PaperSize = 1, FontSize = 10, Fps = 0, PrintOrientation = 0;
  std::string Title = "Current Map";
  std::string PlaceText, StreetText, ZipText, AreaCodeText, AddressText;
  std::int32_t StreetNumber = 0, SearchMode = 0;
  std::array<std::array<std::int32_t, 2>, kConfigDialogPositions> DialogPositions{};
  std::array<std::string, 3> Fills;
  double RouteRadius = 11;
  friend bool operator==(const StoredValues&, const StoredValues&) = default;
};

struct ConfigModel {
  core::ControlSettings Settings;
  MapTables Tables;
  StoredValues Stored;
  double ScreenAspect = 1.0;
  std::int32_t DistanceUnit = 1;  // 1 miles, 2 kilometres
  // The current view, degrees: west, south, east, north (written as LWIND=).
  std::array<double, 4> View{};
  // The start window a read found (map units); none when the file has no
  // LWIND= or the view is not to be kept (LVIEW= FALSE or missing).
  std::optional<core::MapRect> StartWindow;
};

// Applies `entries` to `model` in order (unknown keys, lines of other keys
// and out-of-range list indices are skipped), then: an empty Data3 path
// takes Data2's, and without LVIEW= TRUE the start window is dropped.
void ReadConfig(const std::vector<ConfigEntry>& entries, ConfigModel& model);

// The whole file, sections and keys in order.
std::string WriteConfig(const ConfigModel& model);

}  // namespace quelmar::config
