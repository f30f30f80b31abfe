#include "control/automation/about_box.h"

#include <cstdio>

namespace quelmar::automation {

std::string VersionText(int major, int minor, int release, int build) {
  char text[64];
  std::snprintf(text, sizeof text, "Ver: %d.%02d.%02d.%02d", major, minor, release, build);
  return text;
}

ui::DialogModel MakeAboutBox() {
  ui::DialogModel box("About Quelmar50");
  box.Add({.name = "Product", .kind = ui::FieldKind::Label, .text = "Mapping Control"});
  box.Add({.name = "Version",
           .kind = ui::FieldKind::Label,
           .text = VersionText(QUELMAR_VERSION_MAJOR, QUELMAR_VERSION_MINOR, QUELMAR_VERSION_RELEASE,
                               QUELMAR_VERSION_BUILD)});
  box.Add({.name = "CreatedCaption", .kind = ui::FieldKind::Label, .text = "Created:"});
  box.Add({.name = "Created", .kind = ui::FieldKind::Label, .text = "12/20/01"});
  box.Add({.name = "FileName", .kind = ui::FieldKind::Label, .text = "Quelmar50.OCX"});
  box.Add({.name = "OK", .kind = ui::FieldKind::Button, .text = "OK"});
  return box;
}

void ShowAboutBox() {
  ui::DialogModel box = MakeAboutBox();
  ui::RunModal(box);
}

}  // namespace quelmar::automation
