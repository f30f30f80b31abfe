#include "control/automation/about_box.h"

#include <cstdio>

namespace quelmar::automation {

std::string VersionText(int major, int minor, int release, int build) {
  char text[64];
  std::snprintf(text, sizeof text, "Ver: %d.%02d.%02d.%02d", major, minor, release, build);
  return text;
}

namespace {

ui::DialogField Label(const char* name, std::string text) {
  ui::DialogField f;
  f.name = name;
  f.kind = ui::FieldKind::Label;
  f.text = std::move(text);
  return f;
}

}  // namespace

ui::DialogModel MakeAboutBox() {
  ui::DialogModel box("About Quelmar50");
  box.Add(Label("Product", "Mapping Control"));
  box.Add(Label("Version", VersionText(QUELMAR_VERSION_MAJOR, QUELMAR_VERSION_MINOR, QUELMAR_VERSION_RELEASE,
                                       QUELMAR_VERSION_BUILD)));
  box.Add(Label("CreatedCaption", "Created:"));
  box.Add(Label("Created", "12/20/01"));
  box.Add(Label("FileName", "Quelmar50.OCX"));
  ui::DialogField ok = Label("OK", "OK");
  ok.kind = ui::FieldKind::Button;
  box.Add(ok);
  return box;
}

void ShowAboutBox() {
  ui::DialogModel box = MakeAboutBox();
  ui::RunModal(box);
}

}  // namespace quelmar::automation
