#include "control/dialogs/display_dialog.h"

#include <gtest/gtest.h>

#include <functional>

namespace quelmar::dialogs {
namespace {

class ScriptedRunner {
 public:
  explicit ScriptedRunner(std::function<void(ui::DialogModel&)> script) { ui::SetDialogRunner(std::move(script)); }
  ~ScriptedRunner() { ui::SetDialogRunner({}); }
};

// Changes a field of every kind, then closes by `button`.
void EditEverything(ui::DialogModel& d, const std::string& button) {
  d.Field("Show USA &Underlay").checked = true;
  d.Field("Pl&aces").checked = false;
  d.Field("&Grid").checked = true;
  d.Choose("&km/meters");
  d.Field("Aspect &Ratio:").text = "1.25";
  d.Choose("&3) Deg.Frac");
  d.Choose("Lat/Lon");
  d.Field("Street &Labels:").text = "3";
  d.Press(button);
}

TEST(DisplayDialog, ActivationLoadsTheSettings) {
  DisplayState settings;
  settings.Settings.Layers.Shading.County = false;
  settings.Settings.Panel.LLmode = TmSMALL;
  settings.Settings.Labels.CityDensity = 5;
  DisplayDialog dialog(settings);
  dialog.Activate();
  const ui::DialogModel& d = dialog.Dialog();
  EXPECT_TRUE(d.Field("Show Main &Map").checked);
  EXPECT_FALSE(d.Field("&Counties").checked);
  EXPECT_TRUE(d.Field("&2) Deg: Min.Frac").checked);
  EXPECT_FALSE(d.Field("&1) Deg: Min: Sec").checked);
  EXPECT_TRUE(d.Field("Miles&/Feet").checked);
  EXPECT_TRUE(d.Field("Lon/Lat").checked);
  EXPECT_EQ(d.Field("City &Density:").text, "75") << "(20 - 5) x 100 / 20 percent";
  EXPECT_EQ(d.Field("Street &Labels:").text, "0.75");
  EXPECT_EQ(d.Field("Aspect &Ratio:").text, "1");
}

TEST(DisplayDialog, WhatEachWayOfClosingStores) {
  for (const char* button : {"&Cancel", "&OK"}) {
    DisplayState settings;
    DisplayDialog dialog(settings);
    ScriptedRunner runner([&](ui::DialogModel& d) { EditEverything(d, button); });
    dialog.Run();
    const bool ok = std::string(button) == "&OK";
    // Always stored.
    EXPECT_TRUE(settings.Settings.Underlay.Underlay()) << button;
    EXPECT_FALSE(settings.Settings.Layers.Shading.Place) << button;
    EXPECT_TRUE(settings.Settings.Layers.Grid) << button;
    EXPECT_EQ(settings.DistanceUnit, Mukm) << button;
    EXPECT_EQ(settings.AspectRatio, 1.25) << button;
    // Stored by "&OK" only.
    EXPECT_EQ(settings.Settings.Panel.LLmode, ok ? TmDEG : TmHMS) << button;
    EXPECT_EQ(settings.Settings.Panel.Coords, ok ? CdLatLon : CdLonlat) << button;
    EXPECT_EQ(settings.Settings.Labels.StreetLabelMiles, ok ? 3 : 0.75) << button;
  }
}

TEST(DisplayDialog, AspectRatioOfHalfOrLessOrNotANumberIsIgnored) {
  for (const char* text : {"0.5", "0.2", "-3", "wide", "", "1e999", "nan"}) {
    DisplayState settings;
    settings.AspectRatio = 1.1;
    DisplayDialog dialog(settings);
    dialog.Activate();
    dialog.Dialog().Field("Aspect &Ratio:").text = text;
    dialog.Close("&OK");
    EXPECT_EQ(settings.AspectRatio, 1.1) << text;
  }
}

TEST(DisplayDialog, SpinStepsAndRanges) {
  struct Case {
    const char* field;
    const char* from;
    bool up;
    const char* to;
  };
  const Case cases[] = {
      {"&Street Detail:", "2", true, "4"},        {"&Street Detail:", "2", false, "2"},
      {"&Street Detail:", "100", true, "100"},    {"Street &Labels:", "1", true, "2"},
      {"Street &Labels:", "1", false, "0.8"},     {"Street &Labels:", "0.2", false, "0.2"},
      {"Street &Labels:", "0.8", true, "1"},      {"Street &Labels:", "10", true, "10"},
      {"Land&mark Labels:", "0.3", true, "0.4"},  {"Land&mark Labels:", "1", false, "0.9"},
      {"Land&mark Labels:", "0.1", false, "0.1"}, {"&Text Size:", "14", true, "14"},
      {"&Text Size:", "8", false, "6"},           {"City &Density:", "95", true, "100"},
      {"City &Density:", "0", false, "0"},        {"Search Radius:", "40", true, "40"},
      {"Search Radius:", "junk", true, "4"},
  };
  for (const Case& c : cases) {
    DisplayState settings;
    DisplayDialog dialog(settings);
    dialog.Dialog().Field(c.field).text = c.from;
    EXPECT_TRUE(dialog.Spin(c.field, c.up));
    EXPECT_EQ(dialog.Dialog().Field(c.field).text, c.to) << c.field << " from " << c.from << (c.up ? " up" : " down");
  }
  DisplayState settings;
  DisplayDialog dialog(settings);
  EXPECT_FALSE(dialog.Spin("Aspect &Ratio:", true));
}

TEST(DisplayDialog, ResetAndDetailValuesOnOk) {
  DisplayState settings;
  DisplayDialog dialog(settings);
  dialog.Activate();
  dialog.Reset();
  const ui::DialogModel& d = dialog.Dialog();
  EXPECT_EQ(d.Field("&Street Detail:").text, "2");
  EXPECT_EQ(d.Field("Street &Labels:").text, "4");
  EXPECT_EQ(d.Field("Land&mark Labels:").text, "8");
  EXPECT_EQ(d.Field("&Text Size:").text, "10");
  EXPECT_EQ(d.Field("City &Density:").text, "2");
  dialog.Dialog().Field("Search Radius:").text = "500";
  dialog.Close("&OK");
  const core::ControlSettings& kept = settings.Settings;
  EXPECT_EQ(kept.Layers.StreetDetailMiles, 2);
  EXPECT_EQ(kept.Labels.StreetLabelMiles, 4);
  EXPECT_EQ(kept.Labels.LandmarkLabelMiles, 8);
  EXPECT_EQ(kept.Labels.TextSize, 10);
  EXPECT_EQ(kept.Labels.CityDensity, 19) << "2 percent, as the whole density below it";
  EXPECT_EQ(kept.Search.RadiusMiles, 40) << "held within its range";
}

TEST(DisplayDialog, Captions) {
  DisplayState settings;
  DisplayDialog dialog(settings);
  EXPECT_EQ(dialog.Dialog().Caption(), "Set Info you want Visible on the screen");
  dialog.ShowTab(DisplayDialog::kDetailTab);
  EXPECT_EQ(dialog.Dialog().Field("Caption").text, " Set Zoom scales for detailed information");
  dialog.ShowTab(DisplayDialog::kMiscTab);
  EXPECT_EQ(dialog.Dialog().Field("Caption").text, " Set Units and other misc information");
}

}  // namespace
}  // namespace quelmar::dialogs
