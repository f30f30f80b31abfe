#pragma once
// The layer dialog (" Set Global Visibility of Layers"), as a dialog model
// with the actions its tabs offer:
//
// - "Layers": check boxes for groups of layers and the airport and landmark
//   load switches; loaded when the dialog activates, stored only by "&Ok".
// - "States": the states' colours, the 24-entry shade palette and the colour
//   schemes; every change takes effect at once ("&Cancel" does not undo it).
// - "Landmarks": the visibility of each listed landmark class, at once.
//
// Run() shows it through the desktop's dialog runner; a runner (a host's or a
// test's) works it by calling the actions below and closes it by pressing
// "&Ok" or "&Cancel" on the model (the other buttons are actions, not closings).
#include <string>
#include <string_view>
#include <vector>

#include "control/core/control_settings.h"
#include "control/render/style_engine.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::dialogs {

using render::StyleEngine;

// A state the "Political Areas:" list shows (those with a state record).
struct StateListEntry {
  int Code = 0;  // 1..71
  std::string Abbreviation;
  std::string Name;
};

// The load switches the "Layers" tab also sets (LAIR, LLAND).
class LayerDialog {
 public:
  static constexpr std::string_view kLayersTab = "Layers";
  static constexpr std::string_view kStatesTab = "States";
  static constexpr std::string_view kLandmarksTab = "Landmarks";

  // `styles` and `loads` must outlive the dialog.
  LayerDialog(StyleEngine& styles, core::LayerOptions& loads, std::vector<StateListEntry> states);

  ui::DialogModel& Dialog() { return dialog_; }
  const ui::DialogModel& Dialog() const { return dialog_; }

  // Activates, shows the dialog modally and, when "&Ok" closed it, stores the
  // "Layers" tab.
  void Run();

  // Loads every field from the current settings (what activation does).
  void Activate();
  // Chooses a tab; the "Caption" label follows it.
  void ShowTab(std::string_view tab);
  // What closing by `button` does: "&Ok" stores the "Layers" check boxes.
  void Close(std::string_view button);

  // --- "States" tab ---
  // Selects a state of the list (0: none). False for a state not listed.
  bool SelectState(int code);
  // A click on palette entry k (1..24): selects it and gives the selected
  // state the palette reference of k. False for no entry.
  bool ClickPalette(int entry);
  // Shift held on press marks a source entry; Shift held on release over
  // another entry swaps the two palette colours.
  void PalettePress(int entry, bool shift);
  void PaletteRelease(int entry, bool shift);
  // Opens the colour dialog on the selected entry (not for "Default Colors");
  // a changed colour is stored, the palette rebuilt and the current colours
  // saved into the selected scheme. True when a colour changed.
  bool EditPaletteColour();
  // Chooses scheme k of the scheme box and applies it. False for no scheme.
  bool ChooseScheme(int k);
  // A name typed into the scheme box and Enter: applies that scheme.
  bool EnterSchemeName(std::string_view name);
  // "&New": shows the name field filled with "UserColors".
  void PressNew();
  // Enter in the name field: selects the scheme of that name, or creates one
  // holding the current colours. False when the store is full.
  bool EnterNewSchemeName(std::string_view name);
  // "&Delete": removes the selected scheme and selects "Default Colors".
  // False (nothing done) with "Default Colors" selected.
  bool PressDelete();
  int SelectedScheme() const { return scheme_; }
  int SelectedEntry() const { return entry_; }
  int SelectedState() const { return state_; }

  // --- "Landmarks" tab ---
  // A click on a listed class toggles it. False for a class not listed.
  bool ClickLandmark(int landmarkClass);
  void SetAllLandmarks(bool visible);  // "&All" / "&None"

  // The caption of a tab.
  static std::string CaptionOf(std::string_view tab);

 private:
  void RefreshStates();
  void RefreshPalette();
  void RefreshSchemes();
  void RefreshLandmarks();

  StyleEngine& styles_;
  core::LayerOptions& loads_;  // the airport and landmark load switches
  std::vector<StateListEntry> states_;
  ui::DialogModel dialog_;
  int scheme_ = 0;
  int entry_ = 1;
  int state_ = 0;
  int swapSource_ = 0;
};

}  // namespace quelmar::dialogs
