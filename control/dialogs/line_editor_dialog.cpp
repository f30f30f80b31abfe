#include "control/dialogs/line_editor_dialog.h"

#include <algorithm>

#include "control/routing/route_files.h"
#include "platform/kernel/beep.h"

namespace quelmar::dialogs {

using ui::FieldKind;

LineEditorDialog::LineEditorDialog(std::function<core::TMapPoint(core::TMapPoint)> snap) : snap_(std::move(snap)) {
  dialog_.Add("  Rte Editor", FieldKind::Label);
  dialog_.Add("From:", FieldKind::Edit);
  dialog_.Add("To:", FieldKind::Edit);
  dialog_.Add("Name:", FieldKind::Edit);
  dialog_.Add("One Way", FieldKind::Check);
  for (const char* kind : kRoadKinds) dialog_.Add(kind, FieldKind::Radio, "Kind");
  dialog_.Choose("Street");
  dialog_.Add("Num:", FieldKind::Label, "", "0");
  dialog_.Add("Entries", FieldKind::List);
  dialog_.Add("Add", FieldKind::Button);
  dialog_.Add("Save", FieldKind::Button);
  dialog_.Add("&Cancel", FieldKind::Button);
  dialog_.OnPress("Add", [this] { Add(); });
}

void LineEditorDialog::Click(core::TMapPoint point) {
  if (snap_) point = snap_(point);
  dialog_.Field("From:").text = dialog_.Field("To:").text;
  dialog_.Field("To:").text = std::to_string(point.X) + "," + std::to_string(point.Y);
}

bool LineEditorDialog::Add() {
  int classCode = 14;
  for (std::size_t i = 0; i < std::size(kRoadKinds); ++i) {
    if (dialog_.Field(kRoadKinds[i]).checked) classCode = kRoadKindClasses[i];
  }
  const std::string entry = "Pline 2\t" + dialog_.Field("From:").text + "\t" + dialog_.Field("To:").text + "\t(" +
                            dialog_.Field("Name:").text + "," + std::to_string(classCode) + ")";
  if (std::find(entries_.begin(), entries_.end(), entry) != entries_.end()) {
    dialog_.Field("  Rte Editor").text = "Duplicate";
    kernel::Beep();
    return false;
  }
  entries_.push_back(entry);
  unsaved_ = true;
  dialog_.Field("Entries").items = entries_;
  dialog_.Field("Num:").text = std::to_string(entries_.size());
  return true;
}

void LineEditorDialog::Save(const std::filesystem::path& folder) {
  routing::SaveUserRoads(folder, entries_);
  unsaved_ = false;
}

}  // namespace quelmar::dialogs
