#include "control/dialogs/layer_dialog.h"

#include <gtest/gtest.h>

#include <functional>

namespace quelmar::dialogs {

// The layer styles are what these dialogs edit.
using namespace quelmar::render;
namespace {

// Installs a dialog runner for one test.
class ScriptedRunner {
 public:
  explicit ScriptedRunner(std::function<void(ui::DialogModel&)> script) { ui::SetDialogRunner(std::move(script)); }
  ~ScriptedRunner() { ui::SetDialogRunner({}); }
};

std::vector<StateListEntry> SomeStates() {
  return {{6, "CA", "California"}, {17, "IL", "Illinois"}, {36, "NY", "New York"}, {90, "XX", "Not a state code"}};
}

struct Fixture {
  StyleEngine styles;
  core::LayerOptions loads;
  LayerDialog dialog{styles, loads, SomeStates()};
};

TEST(LayerDialog, LayersTabStoredOnlyByOk) {
  struct Case {
    const char* box;
    std::vector<int> layers;
  };
  const Case cases[] = {
      {"State  Borders", {2}},           {"Co&unty Borders", {5}},
      {"Cit&y Borders", {6, 7, 8}},      {"Pri&mary Roads", {9, 10, 33}},
      {"Secon&dary Roads", {11, 12}},    {"Local Road&s", {13, 14}},
      {"Railroad Trac&ks", {17}},        {"Pipelines/Powerlines", {18}},
      {"&Park Outlines", {19}},          {"Persistant &Water (Visible Year Round)", {23, 25}},
      {"Int&ermittent (Comes and Goes)", {24}},
  };
  for (const Case& c : cases) {
    for (const char* button : {"&Cancel", "&Ok"}) {
      Fixture f;
      ScriptedRunner runner([&](ui::DialogModel& d) {
        EXPECT_TRUE(d.Field(c.box).checked);
        d.Field(c.box).checked = false;
        d.Press(button);
      });
      f.dialog.Run();
      const bool stored = std::string(button) == "&Ok";
      for (int layer = 1; layer <= kLastVisibilityLayer; ++layer) {
        const bool inBox = std::find(c.layers.begin(), c.layers.end(), layer) != c.layers.end();
        EXPECT_EQ(f.styles.UserLayers().Visible(layer), !(stored && inBox)) << c.box << " " << button << " " << layer;
      }
    }
  }
}

TEST(LayerDialog, TrailsAndLoadSwitches) {
  Fixture f;
  ScriptedRunner runner([](ui::DialogModel& d) {
    d.Field("Tra&ils").checked = false;
    d.Field("&Airports and Heliports").checked = false;
    d.Press("&Ok");
  });
  f.dialog.Run();
  // The trails box hides the vehicular trails and writes no layer flag at all.
  EXPECT_FALSE(f.styles.UserLayers().TrailsVisible());
  for (int layer = 1; layer <= kLastVisibilityLayer; ++layer) EXPECT_TRUE(f.styles.UserLayers().Visible(layer)) << layer;
  EXPECT_FALSE(f.styles.UserLayers().FeatureVisible(86));
  EXPECT_FALSE(f.loads.Load_Air);
  EXPECT_TRUE(f.loads.Load_Landmark);

  // Activation shows the stored choices.
  f.dialog.Activate();
  EXPECT_FALSE(f.dialog.Dialog().Field("Tra&ils").checked);
  EXPECT_TRUE(f.dialog.Dialog().Field("Local Road&s").checked);
}

TEST(LayerDialog, CaptionsFollowTheTabs) {
  Fixture f;
  EXPECT_EQ(f.dialog.Dialog().Caption(), " Set Global Visibility of Layers");
  f.dialog.ShowTab(LayerDialog::kStatesTab);
  EXPECT_EQ(f.dialog.Dialog().Field("Caption").text, " Set Color of Individual States");
  EXPECT_TRUE(f.dialog.Dialog().Field("States").checked);
  f.dialog.ShowTab(LayerDialog::kLandmarksTab);
  EXPECT_EQ(f.dialog.Dialog().Field("Caption").text, " Set Visibility of Specific Landmarks");
  f.dialog.ShowTab("&Ok");  // no tab: nothing changes
  EXPECT_EQ(f.dialog.Dialog().Field("Caption").text, " Set Visibility of Specific Landmarks");
}

TEST(LayerDialog, StateColoursAndPaletteSwaps) {
  Fixture f;
  f.dialog.Activate();
  EXPECT_EQ(f.dialog.Dialog().Field("Political Areas:").items.size(), 3u) << "only codes 1..71";
  EXPECT_FALSE(f.dialog.SelectState(90));
  ASSERT_TRUE(f.dialog.SelectState(6));
  ASSERT_TRUE(f.dialog.ClickPalette(5));
  EXPECT_EQ(f.styles.Colours().StateEntry(6), PaletteReference(5));
  EXPECT_EQ(f.dialog.Dialog().Field("PAL:").text, "PAL: 5");
  EXPECT_FALSE(f.dialog.ClickPalette(25));
  EXPECT_FALSE(f.dialog.ClickPalette(0));

  const COLORREF three = f.styles.Colours().PaletteEntry(3);
  const COLORREF nine = f.styles.Colours().PaletteEntry(9);
  f.dialog.PalettePress(3, true);
  f.dialog.PaletteRelease(9, true);
  EXPECT_EQ(f.styles.Colours().PaletteEntry(3), nine);
  EXPECT_EQ(f.styles.Colours().PaletteEntry(9), three);
  f.dialog.PalettePress(3, false);
  f.dialog.PaletteRelease(9, true);
  EXPECT_EQ(f.styles.Colours().PaletteEntry(3), nine) << "no swap without Shift on the press";
}

TEST(LayerDialog, SchemesNewEditChooseDelete) {
  Fixture f;
  f.dialog.Activate();
  EXPECT_FALSE(f.dialog.EditPaletteColour()) << "the default scheme is not edited";
  EXPECT_FALSE(f.dialog.PressDelete()) << "Delete with Default Colors selected does nothing";

  f.dialog.PressNew();
  EXPECT_EQ(f.dialog.Dialog().Field("New Scheme").text, "UserColors");
  ASSERT_TRUE(f.dialog.EnterNewSchemeName("A name of twenty-five chr"));
  EXPECT_EQ(f.styles.Schemes().Name(1), "A name of twenty-fiv");
  EXPECT_EQ(f.dialog.SelectedScheme(), 1);

  const std::int32_t paletteBefore = f.styles.TvPalette();
  ASSERT_TRUE(f.dialog.ClickPalette(4));
  {
    ScriptedRunner runner([](ui::DialogModel& d) {
      EXPECT_EQ(d.Caption(), "Color");
      d.Field("Red").text = "1";
      d.Field("Green").text = "2";
      d.Field("Blue").text = "3";
      d.Press("OK");
    });
    EXPECT_TRUE(f.dialog.EditPaletteColour());
  }
  EXPECT_EQ(f.styles.Colours().PaletteEntry(4), RGB(1, 2, 3));
  EXPECT_EQ(f.styles.Schemes().Scheme(1)->Palette[3], RGB(1, 2, 3)) << "saved into the selected scheme";
  EXPECT_NE(f.styles.TvPalette(), paletteBefore);
  {
    ScriptedRunner runner([](ui::DialogModel& d) {
      d.Field("Red").text = "256";
      d.Press("OK");
    });
    EXPECT_FALSE(f.dialog.EditPaletteColour()) << "not a colour";
  }

  // Default Colors restores the built-in colours; the scheme by name brings the edit back.
  ASSERT_TRUE(f.dialog.ChooseScheme(0));
  EXPECT_EQ(f.styles.Colours().PaletteEntry(4), DefaultPaletteEntry(4));
  ASSERT_TRUE(f.dialog.EnterSchemeName("a NAME of twenty-fiv"));
  EXPECT_EQ(f.styles.Colours().PaletteEntry(4), RGB(1, 2, 3));
  EXPECT_FALSE(f.dialog.EnterSchemeName("nothing like it"));

  ASSERT_TRUE(f.dialog.PressDelete());
  EXPECT_EQ(f.styles.Schemes().Count(), 0);
  EXPECT_EQ(f.dialog.SelectedScheme(), 0);
  EXPECT_EQ(f.dialog.Dialog().Field("Scheme").items, std::vector<std::string>{"Default Colors"});
}

TEST(LayerDialog, NewSchemeBeyondSixteenIsRefused) {
  Fixture f;
  for (int i = 1; i <= kMaxColourSchemes; ++i) ASSERT_TRUE(f.dialog.EnterNewSchemeName("S" + std::to_string(i)));
  f.dialog.PressNew();
  EXPECT_FALSE(f.dialog.EnterNewSchemeName("S17"));
  EXPECT_EQ(f.styles.Schemes().Count(), kMaxColourSchemes);
  EXPECT_TRUE(f.dialog.Dialog().Field("New Scheme").enabled) << "the name field stays open";
  EXPECT_TRUE(f.dialog.EnterNewSchemeName("s3")) << "an existing name is selected";
  EXPECT_EQ(f.dialog.SelectedScheme(), 3);
}

TEST(LayerDialog, LandmarkClasses) {
  Fixture f;
  f.dialog.Activate();
  EXPECT_EQ(f.dialog.Dialog().Field("Landmarks").items.size(), 68u) << "the four starred classes are not listed";
  EXPECT_FALSE(f.dialog.ClickLandmark(1)) << "*airport";
  ASSERT_TRUE(f.dialog.ClickLandmark(2));
  EXPECT_FALSE(f.styles.Landmarks().Visible(2));
  EXPECT_EQ(f.dialog.Dialog().Field("Landmarks").items[0], "2\t\tarch");
  f.dialog.SetAllLandmarks(false);
  EXPECT_FALSE(f.styles.Landmarks().Visible(72));
  f.dialog.SetAllLandmarks(true);
  EXPECT_TRUE(f.styles.Landmarks().Visible(2));
  EXPECT_EQ(LandmarkClasses::ColourIndex(1), 5) << "colour class 8";
  EXPECT_EQ(LandmarkClasses::ColourIndex(18), 13) << "church: colour class 4";
  EXPECT_FALSE(LandmarkClasses::ColourIndex(71));
}

}  // namespace
}  // namespace quelmar::dialogs
