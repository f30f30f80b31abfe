#include "server/engine/control_panel.h"

#include "server/engine/server_messages.h"
#include "server/engine/view_file.h"

namespace quelmar::server {
namespace {

using ui::FieldKind;

struct SwitchItem {
  const char* Item;
  bool ServerSettings::*Field;
};
// In menu order. The white background is written when the panel closes.
constexpr SwitchItem kSwitchItems[] = {
    {kMonochromeItem, &ServerSettings::Mono},          {kWhiteBackgroundItem, &ServerSettings::WhiteBackground},
    {kShadeMcdItem, &ServerSettings::ShadeMcd},        {kShadePlacesItem, &ServerSettings::ShadePlaces},
    {kShadeCountiesItem, &ServerSettings::ShadeCounties}, {kShadeStatesItem, &ServerSettings::ShadeStates},
};

struct PathItem {
  const char* Item;
  const char* Label;  // as the browse's prompt names the folder
  std::string ServerSettings::*Field;
};
constexpr PathItem kPathItems[] = {
    {kData1Item, "Data1", &ServerSettings::Data1},
    {kData2Item, "Data2", &ServerSettings::Data2},
    {kData3Item, "Data3", &ServerSettings::Data3},
    {kStatesItem, "States", &ServerSettings::States0},
    {kStates1Item, "States (Supplementary)", &ServerSettings::States1},
};

}  // namespace

ControlPanel::ControlPanel(ControlPanelSetup setup)
    : setup_(std::move(setup)), settings_(setup_.Settings), helpFile_(setup_.ServerFolder / kHelpFileName) {
  dialog_.Add(kPanelPicture, FieldKind::Label, {}, kPanelCaption);

  dialog_.Add(kOptionsMenu, FieldKind::Group, {}, kOptionsMenu).enabled = setup_.ServerReady;
  dialog_.Add(kDataPathsMenu, FieldKind::Group, kOptionsMenu, kDataPathsMenu);
  AddItem(kEasySetupItem, kDataPathsMenu, [this] { EasySetup(); });
  for (const PathItem& p : kPathItems) AddItem(p.Item, kDataPathsMenu, [this, p] { BrowsePath(p.Label, p.Field); });
  AddItem(kBackgroundColorItem, kOptionsMenu, {});
  dialog_.Field(kBackgroundColorItem).enabled = false;
  dialog_.Add(kOptionsSeparator, FieldKind::Label, kOptionsMenu, "-");
  for (const SwitchItem& s : kSwitchItems) {
    const bool writeNow = s.Field != &ServerSettings::WhiteBackground;
    AddItem(s.Item, kOptionsMenu, [this, s, writeNow] { Toggle(s.Item, s.Field, writeNow); });
  }

  AddItem(kOverlaysMenu, {}, [this] { ChooseOverlay(); });
  dialog_.Add(kUnderlaysMenu, FieldKind::Group, {}, kUnderlaysMenu).enabled = false;
  AddItem(kLoadUnderlayItem, kUnderlaysMenu, {});
  AddItem(kMakeUnderlayItem, kUnderlaysMenu, {});
  AddItem(kAboutMenu, {}, [this] { ShowAbout(); });
  AddItem(kHelpMenu, {}, [this] {
    if (setup_.Help) setup_.Help(HelpCommand::ShowContext, helpFile_, kPanelHelpContext);
  });
  dialog_.Add(kExitMenu, FieldKind::Button, {}, kExitMenu);  // the one item that closes the panel
  SetChecks();
}

const ServerSettings& ControlPanel::Show() {
  ui::RunModal(dialog_);
  settings_.WhiteBackground = dialog_.Field(kWhiteBackgroundItem).checked;
  Save(&ServerSettings::WhiteBackground);
  Changed();
  if (setup_.Help) setup_.Help(HelpCommand::CloseFile, helpFile_, 0);
  return settings_;
}

void ControlPanel::AddItem(const char* name, const char* menu, std::function<void()> action) {
  dialog_.Add(name, FieldKind::Button, menu ? menu : "", name);
  // Every item but E&xit is an action, so that pressing it leaves the panel
  // open; one that is unavailable does nothing.
  dialog_.OnPress(name, [this, item = std::string(name), action = std::move(action)] {
    if (action && Available(item)) action();
  });
}

bool ControlPanel::Available(const std::string& name) const {
  for (const ui::DialogField* f = dialog_.Find(name); f; f = f->group.empty() ? nullptr : dialog_.Find(f->group)) {
    if (!f->enabled) return false;
  }
  return true;
}

void ControlPanel::SetChecks() {
  for (const SwitchItem& s : kSwitchItems) dialog_.Field(s.Item).checked = settings_.*s.Field;
}

void ControlPanel::Toggle(const char* item, bool ServerSettings::*field, bool write) {
  ui::DialogField& check = dialog_.Field(item);
  check.checked = !check.checked;
  if (!write) return;  // the white background waits for the panel to close
  settings_.*field = check.checked;
  Save(field);
  Changed();
}

void ControlPanel::BrowsePath(const char* label, std::string ServerSettings::*field) {
  const std::string folder = BrowseDataFolder(settings_.*field, label, setup_.ChooseFolder);
  if (folder.empty()) return;  // nothing chosen: the path stays
  settings_.*field = folder;
  Save(field);
  Changed();
}

void ControlPanel::EasySetup() {
  // Only the paths come from the discovery (which writes them): the switches
  // and requests it reads back from the file are this panel's own, or newer
  // here (the white background, a request the host set).
  const ServerSettings found = LoadSettings(setup_.Ini, true, setup_.ChooseFolder);
  for (const PathItem& p : kPathItems) settings_.*p.Field = found.*p.Field;
  Changed();
}

void ControlPanel::ChooseOverlay() {
  if (!setup_.ChooseOverlay) return;
  settings_.Overlay = setup_.ChooseOverlay(settings_.Overlay);
  Save(&ServerSettings::Overlay);
  Changed();
}

void ControlPanel::ShowAbout() {
  ui::DialogModel about = MakeAboutBox(Available(kOptionsMenu), setup_.AboutQuelmar);
  ui::RunModal(about);
}

template <typename Field>
void ControlPanel::Save(Field ServerSettings::*field) {
  std::error_code error;
  if (!SaveSetting(setup_.Ini, settings_, field, &error)) ShowInformation(SaveFailedText(setup_.Ini.File(), error));
}

void ControlPanel::Changed() {
  if (setup_.Changed) setup_.Changed(settings_);
}

ui::DialogModel MakeAboutBox(bool controlAbout, std::function<void()> onControlAbout) {
  ui::DialogModel about(kAboutCaption);
  about.Add("Product", FieldKind::Label, {}, "TarvoServer: maps of the United States for a host's pictures");
  about.Add("Name", FieldKind::Label, {}, kServerName);
  about.Add(kAboutOk, FieldKind::Button, {}, kAboutOk);
  about.Add(kAboutControlButton, FieldKind::Button, {}, kAboutControlButton).enabled = controlAbout;
  about.OnPress(kAboutControlButton, [controlAbout, run = std::move(onControlAbout)] {
    if (controlAbout && run) run();
  });
  return about;
}

}  // namespace quelmar::server
