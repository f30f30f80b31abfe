#include "control/automation/property_pages.h"

#include <algorithm>
#include <charconv>

#include "control/automation/about_box.h"
#include "platform/com/dispatch_call.h"
#include "platform/com/variant.h"

namespace quelmar::automation {

using com::HRESULT;
using com::Variant;
using ui::DialogField;
using ui::FieldKind;

namespace {

HRESULT Invoke(com::IDispatch* control, const std::string& name, std::uint16_t flags, std::vector<Variant> args,
               Variant* result) {
  com::DispatchCall call = com::InvokeByName(control, name, flags, args);
  if (result) *result = std::move(call.value);
  return call.MemberResult();
}

HRESULT GetProperty(com::IDispatch* control, const std::string& name, Variant* value) {
  return Invoke(control, name, com::DISPATCH_PROPERTYGET, {}, value);
}

HRESULT PutProperty(com::IDispatch* control, const std::string& name, Variant value) {
  return Invoke(control, name, com::DISPATCH_PROPERTYPUT, {std::move(value)}, nullptr);
}

// The Screen page: switches, shading and the mouse mode.
class ScreenPage final : public PropertyPage {
 public:
  ScreenPage() : PropertyPage("Screen", MakeDialog(), Bindings()) {}
  void Press(const std::string& button) override {
    if (button == "About...") ShowAboutBox();
  }

 private:
  static ui::DialogModel MakeDialog() {
    ui::DialogModel d("Screen");
    for (const char* check : {"Edge Viewport Panning", "Display Attribute Information", "Draw Coordinate Grid",
                              "Restore Last View"}) {
      d.Add(check, FieldKind::Check);
    }
    d.Add(" Shading ", FieldKind::Group);
    for (const char* check : {"&State", "&County", "&MCD", "&Place"}) d.Add(check, FieldKind::Check, " Shading ");
    d.Add(" Map Mode ", FieldKind::Group);
    for (const char* radio : {"Mouse Zoom and Pan", "User Cursor && Events", "Street Design Mode"}) {
      d.Add(radio, FieldKind::Radio, " Map Mode ");
    }
    d.Add("About...", FieldKind::Button);
    return d;
  }
  static std::vector<PageBinding> Bindings() {
    return {{"Edge Viewport Panning", "EdgePan"},
            {"Display Attribute Information", "AutoQuery"},
            {"Draw Coordinate Grid", "Grid"},
            {"Restore Last View", "SaveView"},
            {"&State", "Shade_State"},
            {"&County", "Shade_Cnty"},
            {"&MCD", "Shade_Mcd"},
            {"&Place", "Shade_Plc"},
            {"Mouse Zoom and Pan", "MapMode", 0},
            {"User Cursor && Events", "MapMode", 1},
            {"Street Design Mode", "MapMode", 2}};
  }
};

// The Directories page: the five data folders, with a drive shortcut.
class DirectoriesPage final : public PropertyPage {
 public:
  DirectoriesPage() : PropertyPage("Directories", MakeDialog(), Bindings()) {}

  void Press(const std::string& button) override {
    if (button == "Default Drive:") {
      // Choosing a drive points States0 and Data1-Data3 at its standard folders.
      const std::string drive = dialog_.Field("Default Drive:").text;
      const std::string root = drive + ":\\tarvo40\\";
      dialog_.Field("&States0:").text = root + "states";
      dialog_.Field("Data&1:").text = root + "data1";
      dialog_.Field("Data&2:").text = root + "data2";
      dialog_.Field("Data&3:").text = root + "data3";
      return;
    }
    // "..." buttons: the folder chooser, started at the edit's folder.
    const std::string edit = button.substr(0, button.size() - std::string(" ...").size());
    DialogField* target = dialog_.Find(edit);
    if (!target) return;
    ui::DialogModel chooser("Browse for Folder");
    chooser.Add("Folder", FieldKind::Edit).text = target->text;
    chooser.Add("OK", FieldKind::Button);
    chooser.Add("Cancel", FieldKind::Button);
    ui::RunModal(chooser);
    if (chooser.Pressed() == "OK") target->text = chooser.Field("Folder").text;
  }

 private:
  static ui::DialogModel MakeDialog() {
    ui::DialogModel d("Directories");
    // The drives the data may sit on; the platform maps one root, shown as C.
    DialogField& drives = d.Add("Default Drive:", FieldKind::List, {}, "C");
    drives.items = {"C"};
    d.Add(" TIGER Directories ", FieldKind::Group);
    d.Add("&States0:", FieldKind::Edit, " TIGER Directories ");
    d.Add("S&tates1:", FieldKind::Edit, " TIGER Directories ");
    d.Add(" Directories ", FieldKind::Group);
    d.Add("Data&1:", FieldKind::Edit, " Directories ");
    d.Add("Data&2:", FieldKind::Edit, " Directories ");
    d.Add("Data&3:", FieldKind::Edit, " Directories ");
    for (const char* edit : {"&States0:", "S&tates1:", "Data&1:", "Data&2:", "Data&3:"}) {
      d.Add(std::string(edit) + " ...", FieldKind::Button);
    }
    return d;
  }
  static std::vector<PageBinding> Bindings() {
    return {{"&States0:", "Path_states0"},
            {"S&tates1:", "Path_states1"},
            {"Data&1:", "Path_data1"},
            {"Data&2:", "Path_data2"},
            {"Data&3:", "Path_data3"}};
  }
};

// The Overlays page: which layer groups load, and what is visible.
class OverlaysPage final : public PropertyPage {
 public:
  OverlaysPage() : PropertyPage("Overlays", MakeDialog(), Bindings()) {}

 private:
  static ui::DialogModel MakeDialog() {
    ui::DialogModel d("Overlays");
    d.Add(" Secondary Data", FieldKind::Group);
    for (const char* check : {"Display &Airports", "&City && Place Names", "C&ounty Areas", "Major &Water Features",
                              "GNIS &Landmarks", "National &Hwy Network", "&State && County Bdrs"}) {
      d.Add(check, FieldKind::Check, " Secondary Data");
    }
    d.Add(" Main Visibility ", FieldKind::Group);
    for (const char* check : {"Underlay", "Mainlay", "Overlay"}) d.Add(check, FieldKind::Check, " Main Visibility ");
    return d;
  }
  static std::vector<PageBinding> Bindings() {
    return {{"Display &Airports", "Load_Air"},     {"&City && Place Names", "Load_City"},
            {"C&ounty Areas", "Load_County"},      {"Major &Water Features", "Load_Hydro"},
            {"GNIS &Landmarks", "Load_Landmark"},  {"National &Hwy Network", "Load_Highway"},
            {"&State && County Bdrs", "Load_State"}, {"Underlay", "Underlay"},
            {"Mainlay", "Mainlay"},                {"Overlay", "Overlay"}};
  }
};

// The Underlay page: the image file, its style and the shadow contrast.
class UnderlayPage final : public PropertyPage {
 public:
  UnderlayPage() : PropertyPage("&Underlay", MakeDialog(), Bindings()) {}

  void Press(const std::string& button) override {
    if (button == "&Browse ...") {
      ui::DialogModel chooser("Open");
      chooser.Add("File name", FieldKind::Edit).text = dialog_.Field("UnderlayFile").text;
      chooser.Add("Filter", FieldKind::Label).text = "256 Color Bitmaps|*.bmp";
      chooser.Add("Open", FieldKind::Button);
      chooser.Add("Cancel", FieldKind::Button);
      ui::RunModal(chooser);
      if (chooser.Pressed() == "Open") dialog_.Field("UnderlayFile").text = chooser.Field("File name").text;
    } else if (button == "Up") {
      StepShadowContrast(dialog_, 5);
    } else if (button == "Down") {
      StepShadowContrast(dialog_, -5);
    }
  }

 private:
  static ui::DialogModel MakeDialog() {
    ui::DialogModel d("&Underlay");
    d.Add("UnderlayFile", FieldKind::Edit);
    d.Add("&Browse ...", FieldKind::Button);
    for (const char* radio : {"&Default", "&Gray Scale", "&Topo", "&Shadow"}) {
      d.Add(radio, FieldKind::Radio, "UnderlayStyle");
    }
    d.Add(" Shadow Contrast ", FieldKind::Edit);
    d.Add("Up", FieldKind::Button);
    d.Add("Down", FieldKind::Button);
    return d;
  }
  static std::vector<PageBinding> Bindings() {
    return {{"UnderlayFile", "UnderlayFile"},
            {"&Default", "UnderlayStyle", 0},
            {"&Gray Scale", "UnderlayStyle", 1},
            {"&Topo", "UnderlayStyle", 2},
            {"&Shadow", "UnderlayStyle", 3},
            {" Shadow Contrast ", "UnderlayShadow"}};
  }
};

int ParseInt(const std::string& text, int fallback) {
  int v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  return ec == std::errc() && end == text.data() + text.size() ? v : fallback;
}

}  // namespace

PropertyPage::PropertyPage(std::string title, ui::DialogModel dialog, std::vector<PageBinding> bindings)
    : title_(std::move(title)), dialog_(std::move(dialog)), bindings_(std::move(bindings)) {}

void PropertyPage::Open(com::IDispatch* control) {
  for (const PageBinding& b : bindings_) {
    DialogField& f = dialog_.Field(b.field);
    Variant value;
    f.enabled = GetProperty(control, b.property, &value) >= 0;
    if (!f.enabled) continue;
    switch (f.kind) {
      case FieldKind::Check: {
        bool on = false;
        f.checked = value.ToBool(&on) >= 0 && on;
        break;
      }
      case FieldKind::Radio: {
        std::int32_t v = 0;
        f.checked = value.ToInt32(&v) >= 0 && v == b.radioValue;
        break;
      }
      default: {
        std::string text;
        if (value.ToString(&text) >= 0) f.text = text;
        break;
      }
    }
  }
}

HRESULT PropertyPage::Apply(com::IDispatch* control) {
  HRESULT first = com::S_OK;
  auto note = [&](HRESULT hr) {
    if (hr < 0 && first >= 0) first = hr;
  };
  for (const PageBinding& b : bindings_) {
    const DialogField& f = dialog_.Field(b.field);
    if (!f.enabled) continue;
    switch (f.kind) {
      case FieldKind::Check:
        note(PutProperty(control, b.property, Variant(f.checked)));
        break;
      case FieldKind::Radio:
        if (f.checked) note(PutProperty(control, b.property, Variant(static_cast<std::int32_t>(b.radioValue))));
        break;
      default:
        note(PutProperty(control, b.property, Variant(f.text)));
        break;
    }
  }
  Variant autoConfig;
  bool on = false;
  if (GetProperty(control, "AutoConfig", &autoConfig) >= 0 && autoConfig.ToBool(&on) >= 0 && on) {
    note(Invoke(control, "SaveConfig", com::DISPATCH_METHOD, {Variant("")}, nullptr));
  }
  return first;
}

std::vector<std::unique_ptr<PropertyPage>> DefinePropertyPages() {
  std::vector<std::unique_ptr<PropertyPage>> pages;
  pages.push_back(std::make_unique<ScreenPage>());
  pages.push_back(std::make_unique<DirectoriesPage>());
  pages.push_back(std::make_unique<OverlaysPage>());
  pages.push_back(std::make_unique<UnderlayPage>());
  return pages;
}

void StepShadowContrast(ui::DialogModel& page, int delta) {
  DialogField& edit = page.Field(" Shadow Contrast ");
  const int value = std::clamp(ParseInt(edit.text, 0) + delta, 0, 100);
  edit.text = std::to_string(value);
}

}  // namespace quelmar::automation
