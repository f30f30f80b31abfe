// The configuration's keys: a model written, read and written again gives
// the same bytes; values reach their settings; the reader's rules for
// lists, booleans, comments, the view and the data paths.
#include <gtest/gtest.h>

#include "control/config/config_model.h"

namespace quelmar::config {
namespace {

ConfigModel Changed() {
  ConfigModel m;
  m.Settings.Startup.Path_states0 = "/srv/map/STATES0";
  m.Settings.Startup.Path_data3 = "/srv/map/DATA3";
  m.Settings.Startup.SaveView = true;
  m.Settings.Layers.Load_County = false;
  m.Settings.Layers.StreetDetailMiles = 3;
  m.Settings.Labels.TextSize = 11;
  m.Settings.Labels.StreetLabelMiles = 1.5;
  m.Settings.Roads.speed[2] = 55;
  m.Settings.Roads.priority[5] = 0;
  m.Settings.Route.TurnFactor = 7;
  m.Settings.Underlay.SetUnderlayFile("relief");
  m.Tables.Layers[2] = true;
  m.Tables.Landmarks[68] = 200;
  m.Tables.StyleColours[0] = 0xAFFFFF;
  m.Tables.PaletteColours[23] = 0x123456;
  m.Stored.Title = "My Map";
  m.Stored.DialogPositions[5] = {120, -40};
  m.Stored.Fills = {"a", "b", "c"};
  m.ScreenAspect = 1.25;
  m.DistanceUnit = 2;
  m.View = {-87.9, 41.6, -87.5, 42.1};
  return m;
}

TEST(ConfigModel, WriteReadWriteGivesTheSameBytes) {
  for (ConfigModel model : {ConfigModel{}, Changed()}) {
    // Reading BRATIO= always makes the loading ratio 4, so a model that has
    // read a file (the only kind a round trip starts from) holds 4.
    model.Stored.LoadRatio = 4;
    const std::string first = WriteConfig(model);
    ConfigModel read;
    ReadConfig(ParseConfigText(first), read);
    read.View = model.View;  // the view comes back as the start window
    EXPECT_EQ(WriteConfig(read), first);
  }
  const std::string text = WriteConfig(Changed());
  EXPECT_TRUE(text.starts_with("[Directories]\r\nCDSTATE=/srv/map/STATES0\r\n")) << text.substr(0, 80);
  EXPECT_NE(text.find("\r\n\r\n[Visible]\r\nUNDER=FALSE\r\n"), std::string::npos);
  EXPECT_NE(text.find("LWIND=-87.900000,41.600000,-87.500000,42.100000\r\n"), std::string::npos);
  EXPECT_NE(text.find("PRIOR=2,55,4\r\n"), std::string::npos);
  EXPECT_NE(text.find("STSHD=1,$00AFFFFF\r\n"), std::string::npos);
  EXPECT_NE(text.find("MAXRMPA=91.00\r\n"), std::string::npos);
}

TEST(ConfigModel, ValuesReachTheirSettings) {
  ConfigModel m;
  ReadConfig(ParseConfigText(WriteConfig(Changed())), m);
  EXPECT_EQ(m.Settings.Startup.Path_states0, "/srv/map/STATES0");
  EXPECT_FALSE(m.Settings.Layers.Load_County);
  EXPECT_EQ(m.Settings.Layers.StreetDetailMiles, 3);
  EXPECT_EQ(m.Settings.Labels.TextSize, 11);
  EXPECT_EQ(m.Settings.Labels.StreetLabelMiles, 1.5);
  EXPECT_EQ(m.Settings.Labels.SecondLabelMiles, 0.75);  // half the street-label threshold
  EXPECT_EQ(m.Settings.Roads.speed[2], 55);
  EXPECT_EQ(m.Settings.Roads.priority[5], 0);
  EXPECT_EQ(m.Settings.Route.TurnFactor, 7);
  EXPECT_EQ(m.Settings.Underlay.UnderlayFile(), "relief");
  EXPECT_TRUE(m.Tables.Layers[2]);
  EXPECT_EQ(m.Tables.Landmarks[68], 200);
  EXPECT_EQ(m.Tables.PaletteColours[23], 0x123456u);
  EXPECT_EQ(m.Stored.DialogPositions[5], (std::array<std::int32_t, 2>{120, -40}));
  EXPECT_EQ(m.DistanceUnit, 2);
  EXPECT_EQ(m.ScreenAspect, 1.25);
  ASSERT_TRUE(m.StartWindow);
  EXPECT_EQ(m.StartWindow->x1, -1373438);  // -87.9 degrees in map units
  EXPECT_EQ(m.StartWindow->y2, 657813);
}

TEST(ConfigModel, ReadingRules) {
  struct Case {
    const char* what;
    const char* text;
    bool (*holds)(const ConfigModel&);
  };
  const Case cases[] = {
      {"no LVIEW: the view is not kept", "LWIND=-88,41,-87,42\r\n",
       [](const ConfigModel& m) { return !m.StartWindow && !m.Settings.Startup.SaveView; }},
      {"LAYER index 30 is no layer", "LAYER=30,1\r\nLAYER=29,1\r\n",
       [](const ConfigModel& m) { return m.Tables.Layers[28] && m.Tables.Layers[0] == false; }},
      {"a boolean in lower case is false", "LHYDRO=true\r\n", [](const ConfigModel& m) { return !m.Settings.Layers.Load_Hydro; }},
      {"a comment keeps the blanks before it", "CDSTATE=d:\\states0   ; main\r\n",
       [](const ConfigModel& m) { return m.Settings.Startup.Path_states0 == "d:\\states0   "; }},
      {"BRATIO sets the ratio to 4", "BRATIO=2.5\r\n", [](const ConfigModel& m) { return m.Stored.LoadRatio == 4; }},
      {"an empty Data3 takes Data2", "CDDATA2=/d2\r\nCDDATA3=\r\n",
       [](const ConfigModel& m) { return m.Settings.Startup.Path_data3 == "/d2"; }},
      {"a non-positive aspect is 1", "ASP=-3\r\n", [](const ConfigModel& m) { return m.ScreenAspect == 1.0; }},
      {"STSHD past the table sets the palette", "STSHD=57,$00FF00FF\r\n",
       [](const ConfigModel& m) { return m.Tables.PaletteColours[0] == 0xFF00FF; }},
      {"MAXRMPA is not read", "MAXRMPA=10.00\r\n", [](const ConfigModel& m) { return m.Settings.Route.RampAngleLimit == 91; }},
      {"keys are case-sensitive", "cdstate=/x\r\n",
       [](const ConfigModel& m) { return m.Settings.Startup.Path_states0 == "f:\\TARVO50\\States0"; }},
      {"huge numbers are held in range", "TFACTOR=1e300\r\nIMAX=-1e300\r\nPRIOR=1,9e99,9e99\r\n",
       [](const ConfigModel& m) {
         return m.Settings.Route.TurnFactor == 10 && m.Settings.Labels.TextSize == 1 && m.Settings.Roads.priority[1] == 5;
       }},
      {"the title is cut at 40", "TITLE=0123456789012345678901234567890123456789XYZ\r\n",
       [](const ConfigModel& m) { return m.Stored.Title.size() == 40; }},
  };
  for (const Case& c : cases) {
    ConfigModel m;
    ReadConfig(ParseConfigText(c.text), m);
    EXPECT_TRUE(c.holds(m)) << c.what;
  }
}

}  // namespace
}  // namespace quelmar::config
