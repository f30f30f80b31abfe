#include "control/dialogs/configure_dialog.h"

namespace quelmar::dialogs {

using ui::FieldKind;

std::string BrowseButtonOf(const char* caption) { return std::string("... ") + caption; }

ConfigureDialog::ConfigureDialog(const core::StartupSettings& paths, const std::string& helpFolder,
                                 FolderChooser choose) {
  dialog_.Add(kConfigureGroup, FieldKind::Group, {}, kConfigureGroup);
  for (const ConfigurePathField& f : kConfigurePathFields) {
    dialog_.Add(std::string(f.Caption) + " hint", FieldKind::Label, kConfigureGroup, f.Hint);
    dialog_.Add(f.Caption, FieldKind::Edit, kConfigureGroup, f.Path ? paths.*(f.Path) : helpFolder);
    const std::string button = BrowseButtonOf(f.Caption);
    dialog_.Add(button, FieldKind::Button, kConfigureGroup, "...");
    dialog_.OnPress(button, [this, caption = std::string(f.Caption), choose] {
      ui::DialogField& edit = dialog_.Field(caption);
      if (choose) edit.text = choose(edit.text);
    });
  }
  dialog_.Add(kConfigureDefaults, FieldKind::Button, {}, kConfigureDefaults);
  dialog_.OnPress(kConfigureDefaults, [this, root = "D:\\" + paths.dataRoot] {
    for (const ConfigurePathField& f : kConfigurePathFields) dialog_.Field(f.Caption).text = root + f.DefaultFolder;
  });
  dialog_.Add(kConfigureOk, FieldKind::Button, {}, kConfigureOk);
  dialog_.Add(kConfigureCancel, FieldKind::Button, {}, kConfigureCancel);
}

std::optional<core::StartupSettings> ConfigureDialog::Result(core::StartupSettings paths) const {
  if (dialog_.Pressed() != kConfigureOk) return std::nullopt;
  for (const ConfigurePathField& f : kConfigurePathFields) {
    if (f.Path) paths.*(f.Path) = dialog_.Field(f.Caption).text;
  }
  return paths;
}

}  // namespace quelmar::dialogs
