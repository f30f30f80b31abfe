#pragma once
// The display options dialog ("Set Info you want Visible on the screen"),
// as a dialog model over the settings it shows. Three tabs: "Screen Settings"
// (what is drawn and labelled, shading, toolbar and grid), "Detailed Info"
// (zoom scales for details, spun within fixed ranges) and "Miscellaneous"
// (coordinate format and order, distance unit, aspect ratio).
//
// The settings belong to several parts of the control; the caller fills every
// field of a DisplaySettings from them before Run (the struct's own defaults
// are only placeholders) and writes back what Run changed.
#include <string>
#include <string_view>

#include "control/core/tx_enums.h"
#include "control/render/shading_switches.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::dialogs {

using render::ShadingSwitches;

struct DisplayDetailSettings {
  double StreetDetailMiles = 2;     // whole miles, 2..100
  double StreetLabelMiles = 0.75;   // 0.2..10
  double LandmarkLabelMiles = 1;    // 0.1..10
  double TextSize = 8;              // pixels, 2..14
  double CityDensity = 5;           // the stored spacing d; shown as (20 - d) × 100 / 20 percent
  double SearchRadius = 10;         // 2..40
  friend bool operator==(const DisplayDetailSettings&, const DisplayDetailSettings&) = default;
};

struct DisplaySettings {
  bool ShowMainMap = true;    // Mainlay
  bool ShowOverlay = true;    // Overlay
  bool ShowUnderlay = false;  // Underlay
  ShadingSwitches Shading;
  bool ShowRouteShields = true;
  bool ShowStreetNames = true;
  bool ShowSuffixes = false;
  bool SelectiveLabeling = false;
  bool Toolbar = false;
  bool Grid = false;
  bool SaveViewport = false;  // SaveView
  bool FlyoverHints = true;   // AutoQuery
  TxLLMode CoordinateType = TmHMS;
  TxMapunit DistanceUnit = MuMi;
  TxCoord CoordinateOrder = CdLonlat;
  double AspectRatio = 1;     // Screen_Aspect; 0.5 or less is not taken
  DisplayDetailSettings Detail;
  friend bool operator==(const DisplaySettings&, const DisplaySettings&) = default;
};

class DisplayDialog {
 public:
  static constexpr std::string_view kScreenTab = "Screen Settings";
  static constexpr std::string_view kDetailTab = "Detailed Info";
  static constexpr std::string_view kMiscTab = "Miscellaneous";

  // `settings` must outlive the dialog.
  explicit DisplayDialog(DisplaySettings& settings);

  ui::DialogModel& Dialog() { return dialog_; }
  const ui::DialogModel& Dialog() const { return dialog_; }

  // Activates, shows the dialog modally, and stores what its closing stores.
  void Run();
  // Loads every field from the settings.
  void Activate();
  void ShowTab(std::string_view tab);
  // Closing by any button (or none) stores the check boxes, the unit and the
  // aspect ratio; "&OK" also stores the coordinate type and order and the
  // "Detailed Info" values.
  void Close(std::string_view button);

  // A spin of a "Detailed Info" field by its own step, kept in its range.
  // False for a field that does not spin.
  bool Spin(std::string_view field, bool up);
  // "&Reset": 2, 4, 8, 10 and 2 in the first five "Detailed Info" fields.
  void Reset();

  static std::string CaptionOf(std::string_view tab);

 private:
  DisplaySettings& settings_;
  ui::DialogModel dialog_;
};

}  // namespace quelmar::dialogs
