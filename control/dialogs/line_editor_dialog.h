#pragma once
// The Line Editor ("Line Editor"): the user draws roads for the route search
// by clicking the map; each click makes the last point "From:" and the new
// one "To:" (moved onto a road node within 3 units when there is one), "Add"
// keeps the piece, "Save" writes every kept piece to the user road file.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "control/core/map_units.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::dialogs {

inline constexpr const char* kRoadKinds[] = {"I-State", "US-Hwy", "Ramp", "SH/CH", "Street"};
inline constexpr int kRoadKindClasses[] = {9, 10, 93, 11, 14};

class LineEditorDialog {
 public:
  // `snap` moves a clicked point onto a nearby road node (may be empty).
  explicit LineEditorDialog(std::function<core::TMapPoint(core::TMapPoint)> snap);
  ui::DialogModel& Dialog() { return dialog_; }

  // A click on the map while the editor is open.
  void Click(core::TMapPoint point);
  // "Add": false (with "Duplicate" shown and a beep) when the entry is kept already.
  bool Add();
  // "Save": the user road file in `folder`, the old one kept as XmapNNN.rte.
  // Throws IoError as SaveUserRoads.
  void Save(const std::filesystem::path& folder);
  const std::vector<std::string>& Entries() const { return entries_; }
  bool Unsaved() const { return unsaved_; }

 private:
  ui::DialogModel dialog_{"Line Editor"};
  std::function<core::TMapPoint(core::TMapPoint)> snap_;
  std::vector<std::string> entries_;
  bool unsaved_ = false;
};

}  // namespace quelmar::dialogs
