#include "control/dialogs/layer_dialog.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <initializer_list>
#include <utility>

namespace quelmar::dialogs {

// The layer styles are what these dialogs edit.
using namespace quelmar::render;
namespace {

using ui::DialogField;
using ui::FieldKind;

constexpr const char* kTabGroup = "Tab";
constexpr const char* kCaptionField = "Caption";
constexpr const char* kStateList = "Political Areas:";
constexpr const char* kPaletteLabel = "PAL:";
constexpr const char* kPaletteList = "Palette";
constexpr const char* kSchemeList = "Scheme";
constexpr const char* kNewSchemeField = "New Scheme";
constexpr const char* kLandmarkList = "Landmarks";
constexpr const char* kTrails = "Tra&ils";
constexpr const char* kAirports = "&Airports and Heliports";
constexpr const char* kLandmarkLoads = "&Landmarks";

// The "Layers" check boxes and the user layer flags each one stands for.
struct LayerBox {
  const char* name;
  std::initializer_list<int> layers;
};
const LayerBox kLayerBoxes[] = {
    {"State  Borders", {2}},
    {"Co&unty Borders", {5}},
    {"Cit&y Borders", {6, 7, 8}},
    {"Pri&mary Roads", {9, 10, 33}},
    {"Secon&dary Roads", {11, 12}},
    {"Local Road&s", {13, 14}},
    {"Railroad Trac&ks", {17}},
    {"Pipelines/Powerlines", {18}},
    {"&Park Outlines", {19}},
    {"Persistant &Water (Visible Year Round)", {23, 25}},
    {"Int&ermittent (Comes and Goes)", {24}},
};

std::string Hex(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X.%02X.%02X", gdi::GetRValue(colour), gdi::GetGValue(colour),
                gdi::GetBValue(colour));
  return text;
}

std::optional<int> ParseChannel(const std::string& text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > 255) return std::nullopt;
  return value;
}

// The colour chooser: red, green and blue as numbers 0..255.
std::optional<COLORREF> ChooseColour(COLORREF current) {
  ui::DialogModel chooser("Color");
  chooser.Add("OK", FieldKind::Button);
  chooser.Add("Cancel", FieldKind::Button);
  chooser.Add("Red", FieldKind::Edit).text = std::to_string(gdi::GetRValue(current));
  chooser.Add("Green", FieldKind::Edit).text = std::to_string(gdi::GetGValue(current));
  chooser.Add("Blue", FieldKind::Edit).text = std::to_string(gdi::GetBValue(current));
  ui::RunModal(chooser);
  if (chooser.Pressed() != "OK") return std::nullopt;
  const auto r = ParseChannel(chooser.Field("Red").text);
  const auto g = ParseChannel(chooser.Field("Green").text);
  const auto b = ParseChannel(chooser.Field("Blue").text);
  if (!r || !g || !b) return std::nullopt;
  return RGB(static_cast<std::uint8_t>(*r), static_cast<std::uint8_t>(*g), static_cast<std::uint8_t>(*b));
}

}  // namespace

std::string LayerDialog::CaptionOf(std::string_view tab) {
  if (tab == kStatesTab) return " Set Color of Individual States";
  if (tab == kLandmarksTab) return " Set Visibility of Specific Landmarks";
  return " Set Global Visibility of Layers";
}

LayerDialog::LayerDialog(StyleEngine& styles, core::LayerOptions& loads, std::vector<StateListEntry> states)
    : styles_(styles), loads_(loads), states_(std::move(states)), dialog_(CaptionOf(kLayersTab)) {
  std::erase_if(states_, [](const StateListEntry& s) { return s.Code < 1 || s.Code > kShadedStateCodes; });
  dialog_.Add("&Ok", FieldKind::Button);
  dialog_.Add("&Cancel", FieldKind::Button);
  for (std::string_view tab : {kLayersTab, kStatesTab, kLandmarksTab}) {
    dialog_.Add(std::string(tab), FieldKind::Radio, kTabGroup);
  }
  dialog_.Field(std::string(kLayersTab)).checked = true;
  dialog_.Add(kCaptionField, FieldKind::Label).text = CaptionOf(kLayersTab);

  const std::string layers(kLayersTab);
  for (const LayerBox& box : kLayerBoxes) dialog_.Add(box.name, FieldKind::Check, layers);
  dialog_.Add(kTrails, FieldKind::Check, layers);
  dialog_.Add(kAirports, FieldKind::Check, layers);
  dialog_.Add(kLandmarkLoads, FieldKind::Check, layers);

  const std::string statesTab(kStatesTab);
  dialog_.Add(kStateList, FieldKind::List, statesTab);
  dialog_.Add(kPaletteLabel, FieldKind::Label, statesTab);
  dialog_.Add(kPaletteList, FieldKind::List, statesTab);
  dialog_.Add(kSchemeList, FieldKind::List, statesTab);
  DialogField& name = dialog_.Add(kNewSchemeField, FieldKind::Edit, statesTab);
  name.enabled = false;
  dialog_.Add("&New", FieldKind::Button, statesTab);
  dialog_.Add("&Delete", FieldKind::Button, statesTab);

  const std::string landmarksTab(kLandmarksTab);
  dialog_.Add(kLandmarkList, FieldKind::List, landmarksTab);
  dialog_.Add("&All", FieldKind::Button, landmarksTab);
  dialog_.Add("&None", FieldKind::Button, landmarksTab);
}

void LayerDialog::Run() {
  Activate();
  ui::RunModal(dialog_);
  Close(dialog_.Pressed());
}

void LayerDialog::Activate() {
  const UserLayerChoices& user = styles_.UserLayers();
  for (const LayerBox& box : kLayerBoxes) dialog_.Field(box.name).checked = user.Visible(*box.layers.begin());
  dialog_.Field(kTrails).checked = user.TrailsVisible();
  dialog_.Field(kAirports).checked = loads_.Load_Air;
  dialog_.Field(kLandmarkLoads).checked = loads_.Load_Landmark;
  RefreshStates();
  RefreshPalette();
  RefreshSchemes();
  RefreshLandmarks();
}

void LayerDialog::ShowTab(std::string_view tab) {
  const std::string name(tab);
  if (dialog_.Find(name) == nullptr || dialog_.Field(name).group != kTabGroup) return;
  dialog_.Choose(name);
  dialog_.Field(kCaptionField).text = CaptionOf(tab);
}

void LayerDialog::Close(std::string_view button) {
  if (button != "&Ok") return;
  UserLayerChoices& user = styles_.UserLayers();
  for (const LayerBox& box : kLayerBoxes) {
    const bool on = dialog_.Field(box.name).checked;
    for (int layer : box.layers) user.SetVisible(layer, on);
  }
  // Trails have no layer of their own: the box once wrote flags 86..89 past
  // the end of the 40-entry layer table. It now sets the trails choice, which
  // hides the vehicular trail feature codes.
  user.SetTrailsVisible(dialog_.Field(kTrails).checked);
  loads_.Load_Air = dialog_.Field(kAirports).checked;
  loads_.Load_Landmark = dialog_.Field(kLandmarkLoads).checked;
}

bool LayerDialog::SelectState(int code) {
  if (code != 0 && std::none_of(states_.begin(), states_.end(), [code](const auto& s) { return s.Code == code; })) {
    return false;
  }
  state_ = code;
  RefreshStates();
  return true;
}

bool LayerDialog::ClickPalette(int entry) {
  if (entry < 1 || entry > kPaletteEntries) return false;
  entry_ = entry;
  if (state_ != 0) styles_.Colours().SetStateEntry(state_, PaletteReference(entry));
  RefreshStates();
  RefreshPalette();
  return true;
}

void LayerDialog::PalettePress(int entry, bool shift) {
  swapSource_ = shift && entry >= 1 && entry <= kPaletteEntries ? entry : 0;
}

void LayerDialog::PaletteRelease(int entry, bool shift) {
  const int source = std::exchange(swapSource_, 0);
  if (!shift || source == 0 || entry < 1 || entry > kPaletteEntries || entry == source) return;
  ShadeColours& colours = styles_.Colours();
  const COLORREF a = colours.PaletteEntry(source);
  colours.SetPaletteEntry(source, colours.PaletteEntry(entry));
  colours.SetPaletteEntry(entry, a);
  RefreshStates();
  RefreshPalette();
}

bool LayerDialog::EditPaletteColour() {
  if (scheme_ == 0) return false;  // the built-in scheme cannot be edited
  ShadeColours& colours = styles_.Colours();
  const std::optional<COLORREF> chosen = ChooseColour(colours.PaletteEntry(entry_));
  if (!chosen || *chosen == colours.PaletteEntry(entry_)) return false;
  colours.SetPaletteEntry(entry_, *chosen);
  styles_.RebuildPalette();
  styles_.Schemes().SaveInto(scheme_, colours);
  RefreshStates();
  RefreshPalette();
  return true;
}

bool LayerDialog::ChooseScheme(int k) {
  if (!styles_.Schemes().Apply(k, styles_.Colours())) return false;
  scheme_ = k;
  RefreshStates();
  RefreshPalette();
  RefreshSchemes();
  return true;
}

bool LayerDialog::EnterSchemeName(std::string_view name) {
  const std::optional<int> k = styles_.Schemes().Find(name);
  return k && ChooseScheme(*k);
}

void LayerDialog::PressNew() {
  DialogField& field = dialog_.Field(kNewSchemeField);
  field.enabled = true;
  field.text = std::string(kNewSchemeName);
}

bool LayerDialog::EnterNewSchemeName(std::string_view name) {
  ColourSchemeStore& schemes = styles_.Schemes();
  const std::string_view cut = name.substr(0, kSchemeNameMax);
  std::optional<int> k = schemes.Find(cut);
  if (!k) {
    // With all 16 places taken, no scheme is made and the field stays open.
    k = schemes.Add(cut, styles_.Colours());
    if (!k) return false;
  }
  scheme_ = *k;
  dialog_.Field(kNewSchemeField).enabled = false;
  RefreshSchemes();
  return true;
}

bool LayerDialog::PressDelete() {
  if (scheme_ == 0 || !styles_.Schemes().Remove(scheme_)) return false;
  scheme_ = 0;
  RefreshSchemes();
  return true;
}

bool LayerDialog::ClickLandmark(int landmarkClass) {
  if (!LandmarkClasses::Listed(landmarkClass)) return false;
  LandmarkClasses& classes = styles_.Landmarks();
  classes.SetVisible(landmarkClass, !classes.Visible(landmarkClass));
  RefreshLandmarks();
  return true;
}

void LayerDialog::SetAllLandmarks(bool visible) {
  styles_.Landmarks().SetAllVisible(visible);
  RefreshLandmarks();
}

void LayerDialog::RefreshStates() {
  DialogField& list = dialog_.Field(kStateList);
  list.items.clear();
  list.text.clear();
  for (const StateListEntry& s : states_) {
    char code[8];
    std::snprintf(code, sizeof code, "%2d", s.Code);
    std::string line = Hex(styles_.Colours().StateColour(s.Code)) + "  " + code + "  " + s.Abbreviation + "  " + s.Name;
    if (s.Code == state_) list.text = line;
    list.items.push_back(std::move(line));
  }
}

void LayerDialog::RefreshPalette() {
  dialog_.Field(kPaletteLabel).text = "PAL: " + std::to_string(entry_);
  DialogField& list = dialog_.Field(kPaletteList);
  list.items.clear();
  for (int entry = 1; entry <= kPaletteEntries; ++entry) {
    std::string line = std::to_string(entry) + ": " + Hex(styles_.Colours().PaletteEntry(entry));
    if (entry == entry_) list.text = line;
    list.items.push_back(std::move(line));
  }
}

void LayerDialog::RefreshSchemes() {
  DialogField& list = dialog_.Field(kSchemeList);
  const ColourSchemeStore& schemes = styles_.Schemes();
  list.items.clear();
  for (int k = 0; k <= schemes.Count(); ++k) list.items.push_back(schemes.Name(k));
  list.text = schemes.Name(scheme_);
}

void LayerDialog::RefreshLandmarks() {
  DialogField& list = dialog_.Field(kLandmarkList);
  list.items.clear();
  const LandmarkClasses& classes = styles_.Landmarks();
  for (int k = 1; k <= kLandmarkClassCount; ++k) {
    if (!LandmarkClasses::Listed(k)) continue;
    list.items.push_back(std::to_string(k) + "\t" + (classes.Visible(k) ? "X" : "") + "\t" +
                         std::string(LandmarkClasses::Name(k)));
  }
}

}  // namespace quelmar::dialogs
