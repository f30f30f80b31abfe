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
  using ui::FieldKind;
  box.Add("Product", FieldKind::Label, {}, "Mapping Control");
  box.Add("Version", FieldKind::Label, {},
          VersionText(QUELMAR_VERSION_MAJOR, QUELMAR_VERSION_MINOR, QUELMAR_VERSION_RELEASE, QUELMAR_VERSION_BUILD));
  box.Add("CreatedCaption", FieldKind::Label, {}, "Created:");
  box.Add("Created", FieldKind::Label, {}, "12/20/01");
  box.Add("FileName", FieldKind::Label, {}, "Quelmar50.OCX");
  box.Add("OK", FieldKind::Button, {}, "OK");
  return box;
}

void ShowAboutBox() {
  ui::DialogModel box = MakeAboutBox();
  ui::RunModal(box);
}

}  // namespace quelmar::automation
