#pragma once
// The display options dialog ("Set Info you want Visible on the screen"),
// as a dialog model over the settings it shows. Three tabs: "Screen Settings"
// (what is drawn and labelled, shading, toolbar and grid), "Detailed Info"
// (zoom scales for details, spun within fixed ranges) and "Miscellaneous"
// (coordinate format and order, distance unit, aspect ratio).
//
// Each field is bound to one setting by a table in the source: activation
// reads the settings through it, closing writes them back through it.
#include <string>
#include <string_view>

#include "control/core/control_settings.h"
#include "control/core/tx_enums.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::dialogs {


// What the display dialog edits: a copy of the control's settings, and the
// values that live beside them in the view (its distance unit and aspect ratio). The caller takes the copy from the
// settings store and hands it back to the store when the dialog has closed.
struct DisplayState {
  core::ControlSettings Settings;
  TxMapunit DistanceUnit = MuMi;
  double AspectRatio = 1;  // Screen_Aspect; 0.5 or less is not taken
};

class DisplayDialog {
 public:
  static constexpr std::string_view kScreenTab = "Screen Settings";
  static constexpr std::string_view kDetailTab = "Detailed Info";
  static constexpr std::string_view kMiscTab = "Miscellaneous";

  // `state` must outlive the dialog.
  explicit DisplayDialog(DisplayState& state);

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
  DisplayState& state_;
  ui::DialogModel dialog_;
};

}  // namespace quelmar::dialogs
