// The directions: the texts of times, distances, compass points, names and
// turns, and the route list of a route with its events.
#include <gtest/gtest.h>

#include "control/routing/direction_texts.h"
#include "control/routing/directions.h"
#include "tests/control/routing/routing_fixture.h"

namespace quelmar::routing::testing {
namespace {

TEST(DirectionTexts, TimesAndDistances) {
  struct Case {
    double seconds;
    const char* sentence;
    const char* total;
    const char* row;
    const char* label;
  };
  const Case cases[] = {
      {2, "less than 5 secs", " 2 Sec", "00:00:02", " 2 Sec"},
      {12, "about 10 secs", " 12 Sec", "00:00:12", " 12 Sec"},
      {90, "about 2 mins", " 1 Min 30 Sec", "00:01:30", " 1 Min\r\n 30 Sec"},
      {3909, "1.1 hrs", "1 Hour 5 Min", "01:05:09", " 1 Hour\r\n 5 Min"},
      {7200, "2.0 hrs", "2 Hour", "02:00:00", " 2 Hour\r\n 0 Min"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SentenceTimeText(c.seconds), c.sentence) << c.seconds;
    EXPECT_EQ(TotalTimeText(c.seconds), c.total) << c.seconds;
    EXPECT_EQ(RowTimeText(c.seconds, false), c.row) << c.seconds;
    EXPECT_EQ(DriveTimeLabel(c.seconds), c.label) << c.seconds;
  }
  EXPECT_EQ(RowTimeText(3909, true), "01:05");
  EXPECT_EQ(DriveDistanceText(12.34, false), "12 miles");
  EXPECT_EQ(DriveDistanceText(3.21, false), "3.2 miles");
  EXPECT_EQ(DriveDistanceText(3.21, true), "5.2 km ");
  EXPECT_EQ(DriveDistanceText(12.34, true), "20 km ");
}

TEST(DirectionTexts, CompassPoints) {
  struct Case {
    double angle;
    const char* row;
    const char* word;
  };
  const Case cases[] = {{0, "E ", "East"},      {22, "E ", "East"},      {23, "NE", "Northeast"},
                        {80, "N ", "North"},    {112, "N ", "North"},    {180, "W ", "West"},
                        {225, "SW", "Southwest"}, {250, "S ", "South"}, {270, "S ", "South"},  {337, "SE", "Southeast"},
                        {350, "E ", "East"},    {360, "E ", "East"}};
  for (const Case& c : cases) {
    EXPECT_EQ(CompassRowText(c.angle), c.row) << c.angle;
    EXPECT_EQ(CompassWord(c.angle), c.word) << c.angle;
  }
}

TEST(DirectionTexts, TurnsAndNames) {
  struct Case {
    double angle;
    const char* sentence;
  };
  const Case cases[] = {{90, "Turn Right onto N CLARK ST"},    {-90, "Turn Left onto N CLARK ST"},
                        {-30, "Bear onto N CLARK ST"},         {150, "Turn and head Right onto N CLARK ST"},
                        {-150, "Turn and head Left onto N CLARK ST"}, {5, "Continue onto N CLARK ST"}};
  for (const Case& c : cases) EXPECT_EQ(TurnManoeuvre(c.angle, "N CLARK ST").Sentence, c.sentence) << c.angle;
  EXPECT_EQ(TurnManoeuvre(90, "").Sentence, "Turn Right onto an unnamed road");
  EXPECT_EQ(TurnManoeuvre(90, "*").Side, " Right");

  EXPECT_EQ(RoadNameText("MAIN ST/US 12/I-94/SH 51\tNILES", 14, false), "I-94\r\nNILES");
  EXPECT_EQ(RoadNameText("MAIN ST/US 12/I-94/SH 51/CH 7/ELM ST\t", 14, true), "I-94/US 12/SH 51/CH 7/ELM ST/MAIN ST");
  EXPECT_EQ(RoadNameText("", 14, false), "Unnamed Rd");
  EXPECT_EQ(RoadNameText("I-94 RAMP\tCHICAGO", 93, false), "Ramp");
  EXPECT_EQ(RoadClassText(9), "A10");
  EXPECT_EQ(RoadClassText(12), "A35");
  EXPECT_EQ(RoadClassText(13), "A40");
  EXPECT_EQ(RoadClassText(20), "A99");
  EXPECT_EQ(RoadClassText(93), "A63 ");
}

// A route north along one street for three pieces, then right onto another.
struct Route {
  RouteNames names;
  std::vector<RouteStep> steps;
  Route() {
    const std::int32_t clark = names.Enter("N CLARK ST\tCHICAGO"), addison = names.Enter("W ADDISON ST\t");
    steps = {{0, At(0, 0), 0, 0, 0},         {1, At(0, 100), 14, clark, 44}, {2, At(0, 200), 14, clark, 44},
             {3, At(0, 300), 14, clark, 44}, {4, At(100, 300), 14, addison, 33}};
  }
  Directions Build(core::RouteSettings settings, std::vector<std::string>* rows = nullptr,
                   std::vector<std::string>* turns = nullptr) {
    DirectionsRequest r;
    r.Steps = &steps;
    r.Names = &names;
    r.Settings = settings;
    if (rows) r.OnRow = [rows](const std::string& row) { rows->push_back(row); };
    if (turns) r.OnManoeuvre = [turns](const std::string& t) { turns->push_back(t); };
    return BuildDirections(r);
  }
};

TEST(BuildDirections, LegsOfOneNameWithTheirSentencesAndTotals) {
  Route route;
  std::vector<std::string> events, turns;
  const Directions d = route.Build(core::RouteSettings{}, &events, &turns);
  ASSERT_TRUE(d.Found);
  // The list leaves the start row out when legs are linked; the host hears it.
  ASSERT_EQ(d.Rows.size(), 3u);
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0], "0\t\tStart\t\t0\t0\t\t\t-87.649984,41.899968");
  EXPECT_EQ(d.Rows[0],
            "1\tA40\tStarting on N CLARK ST head North\r\nDrive North for 1.3 miles (about 3 mins)\t"
            "N CLARK ST\r\nCHICAGO\t00:02:16\t1.3\t35\tN \t-87.649984,41.919168");
  EXPECT_EQ(d.Rows[1],
            "2\tA40\tTurn Right onto W ADDISON ST\r\nDrive East for 0.3 miles (about 1 mins)\t"
            "W ADDISON ST\t00:02:50\t1.7\t35\tE \t-87.643584,41.919168");
  EXPECT_EQ(d.Rows[2], "\t\tFinish\t\t00:02:50\t1.7\t\t\t-87.643584,41.919168");
  EXPECT_DOUBLE_EQ(d.TotalMiles, 1.65);
  EXPECT_EQ(d.Status, "Total:1.7 miles,  2 Min 50 Sec");
  ASSERT_EQ(turns.size(), 2u);
  EXPECT_EQ(turns[1], "W ADDISON ST\t-87.649984,41.919168\tTurn\t Right\t0.3 miles\t34");
}

TEST(BuildDirections, SettingsChangeTheRows) {
  Route route;
  core::RouteSettings s;
  s.LinkSameName = false;
  s.Totals = false;
  s.Kilometres = true;
  s.Degrees = true;
  const Directions d = route.Build(s);
  ASSERT_EQ(d.Rows.size(), 6u);  // start, four steps, finish
  EXPECT_TRUE(d.Rows[0].starts_with("0\t\tStart"));
  EXPECT_NE(d.Rows[3].find("\t00:00:45\t0.7\t56\t90\t"), std::string::npos) << d.Rows[3];  // a leg's own values
  EXPECT_EQ(d.DistanceText, "2.7 km");
}

TEST(BuildDirections, TheListHeaderFollowsTheReportSettings) {
  core::RouteSettings s;
  s.Kilometres = true;
  s.Columns[7] = false;
  const std::vector<RouteListColumn> header = RouteListHeader(s);
  ASSERT_EQ(header.size(), 10u);
  EXPECT_EQ(header[2], (RouteListColumn{"Directions", 216}));
  EXPECT_EQ(header[5], (RouteListColumn{"Km", 40}));
  EXPECT_EQ(header[6], (RouteListColumn{"Kph", 32}));
  EXPECT_EQ(header[7], (RouteListColumn{"Dir", 0}));
}

TEST(BuildDirections, StartAndFinishOnOneNodeIsAnEmptyRoute) {
  const std::vector<RouteStep> one = {{0, At(0, 0), 0, 0, 0}};
  DirectionsRequest r;
  r.Steps = &one;
  const Directions d = BuildDirections(r);
  EXPECT_TRUE(d.Found);
  ASSERT_EQ(d.Rows.size(), 1u);
  EXPECT_EQ(d.Rows[0], "\t\tFinish\t\t00:00:00\t0.0\t\t\t-87.649984,41.899968");
  EXPECT_EQ(d.Status, "Total:0.0 miles,  0 Sec");
}

TEST(BuildDirections, NoRouteIsTheFailureRow) {
  const std::vector<RouteStep> none;
  DirectionsRequest r;
  r.Steps = &none;
  core::RoadOptions options;
  EXPECT_EQ(BuildDirections(r).Rows, (std::vector<std::string>{"\t\tFailure: Roadway Disconnected!\t\t\t\t\t\t"}));
  options.priority[4] = 0;
  r.Roads = RoadTableOf(options);
  EXPECT_EQ(BuildDirections(r).Rows.size(), 2u);
  EXPECT_EQ(BuildDirections(r).Rows[1], "\t\tSome Priorities May be Zero!\t\t\t\t\t\t");
}

}  // namespace
}  // namespace quelmar::routing::testing
