// The route members as a host calls them: FindRoute reports each route row
// in a FindRte event and each manoeuvre in FindDir, draws the route, and
// refuses what it cannot route; the Road Options reach the next route; a
// route started from a route event is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>

#include "control_fixture.h"
#include "platform/ui/dialog_model.h"
#include "platform/kernel/beep.h"
#include "platform/ui/headless_window.h"
#include "platform/ui/printer.h"
#include "tests/control/search/street_archive_fixture.h"
#include "tests/platform/kernel/test_files.h"

namespace quelmar::testing {
namespace {

using com::Variant;
using search::testing::FixtureLine;
using search::testing::FixtureMember;
using search::testing::StreetMemberAt;

constexpr com::DISPID kFindRte = 1, kFindDir = 4;
// A corner in Chicago and two streets from it, north and east.
constexpr data::TMapPoint kCorner{-1369531, 654687};
constexpr data::TMapPoint kNorth{-1369531, 654987};
constexpr data::TMapPoint kEast{-1369231, 654987};

double Lon(data::TMapPoint p) { return p.X * 0.000064; }
double Lat(data::TMapPoint p) { return p.Y * 0.000064; }

class RouteMembers : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    FixtureMember chicago{StreetMemberAt(kCorner, 0, 17), "CHICAGO", {}, {}};
    chicago.Lines = {FixtureLine{"N CLARK ST", {kCorner, {kCorner.X, kCorner.Y + 150}, kNorth}},
                     FixtureLine{"W ADDISON ST", {kNorth, kEast}}};
    search::testing::WriteStreetArchive(folder_.path() / "17.ZP5", {chicago});
    for (const char* path : {"Path_states0", "Path_states1", "Path_data1"}) {
      ASSERT_EQ(Put(path, Variant(folder_.path().string())).hr, com::S_OK);
    }
    sink_->onEvent = [this](const RecordedEvent& e) {
      if (e.dispid == kFindRte) rows_.push_back(Get("result").bstr());
      if (e.dispid == kFindDir) turns_.push_back(e.args.at(0).bstr());
      if (onRow_ && e.dispid == kFindRte) onRow_();
    };
    ui::SetDialogRunner([this](ui::DialogModel& d) {
      if (const ui::DialogField* message = d.Find("Message")) messages_.push_back(message->text);
      if (runner_) runner_(d);
      if (d.Pressed().empty()) d.Close(d.Fields().back().name);
    });
  }
  void TearDown() override {
    ui::SetDialogRunner({});
    ControlTest::TearDown();
  }
  InvokeResult Route(data::TMapPoint from, data::TMapPoint to, std::int32_t flag) {
    return Call("FindRoute", {Variant(Lon(from)), Variant(Lat(from)), Variant(Lon(to)), Variant(Lat(to)), Variant(flag)});
  }
  static std::string Field(const std::string& row, int n) {
    std::size_t at = 0;
    for (int i = 1; i < n; ++i) at = row.find('\t', at) + 1;
    return row.substr(at, row.find('\t', at) - at);
  }

  TempDir folder_;
  std::vector<std::string> rows_, turns_, messages_;
  std::function<void()> onRow_;
  std::function<void(ui::DialogModel&)> runner_;
};

TEST_F(RouteMembers, FindRouteReportsEveryRowAndManoeuvre) {
  ASSERT_EQ(Route(kCorner, kEast, 3).hr, com::S_OK);
  ASSERT_EQ(rows_.size(), 4u);
  EXPECT_EQ(rows_[0], "0\t\tStart\t\t0\t0\t\t\t-87.649984,41.899968");
  EXPECT_EQ(Field(rows_[1], 3), "Starting on N CLARK ST head North\r\nDrive North for 1.3 miles (about 3 mins)");
  EXPECT_EQ(Field(rows_[1], 4), "N CLARK ST\r\nCHICAGO");
  EXPECT_TRUE(Field(rows_[2], 3).starts_with("Turn Right onto W ADDISON ST\r\nDrive East for 1.0 miles")) << rows_[2];
  EXPECT_TRUE(rows_[3].starts_with("\t\tFinish\t\t")) << rows_[3];
  EXPECT_EQ(Field(rows_[3], 6), "2.3");
  ASSERT_EQ(turns_.size(), 2u);
  EXPECT_TRUE(turns_[1].starts_with("W ADDISON ST\t-87.649984,41.919168\tTurn\t Right\t1.0 miles\t")) << turns_[1];
  EXPECT_TRUE(messages_.empty());
}

TEST_F(RouteMembers, WhatCannotBeRoutedIsRefused) {
  // Above 50 degrees north: the message, no route.
  ASSERT_EQ(Call("FindRoute", {Variant(-149.9), Variant(61.2), Variant(-87.65), Variant(41.9), Variant(3)}).hr,
            com::S_OK);
  EXPECT_EQ(messages_, (std::vector<std::string>{"Unable to Route in Alaska!"}));
  EXPECT_TRUE(rows_.empty());
  // Flag 0 sets the points and clears the route; a point that is no
  // coordinate is a wrong argument.
  EXPECT_EQ(Route(kCorner, kEast, 0).hr, com::S_OK);
  EXPECT_TRUE(rows_.empty());
  EXPECT_EQ(Call("FindRoute", {Variant(-587.0), Variant(41.9), Variant(-87.6), Variant(41.9), Variant(3)})
                .MemberResult(),
            com::E_INVALIDARG);
}

// A route whose options ask for printing prints its leg maps and its
// directions in one document, and leaves the view as the route left it.
TEST_F(RouteMembers, PrintFlagsPrintTheRouteMapsAndTheDirections) {
  const std::filesystem::path pdf = folder_.path() / "route.pdf";
  ui::SetPrinter(std::make_shared<ui::PdfFilePrinter>(pdf, 100));
  ASSERT_EQ(Route(kCorner, kEast, 3).hr, com::S_OK);
  const double left = Get("LonLeft").r8(), top = Get("LatTop").r8();
  const long beeps = kernel::BeepCount();
  const InvokeResult printed = Route(kCorner, kEast, 3 | 1024 | 2048);
  ui::ResetPrinter();
  ASSERT_EQ(printed.hr, com::S_OK) << printed.excep.bstrDescription;
  EXPECT_EQ(kernel::BeepCount(), beeps + 1) << "a finished route print beeps";
  EXPECT_EQ(Get("LonLeft").r8(), left);
  EXPECT_EQ(Get("LatTop").r8(), top);
  std::string info;
  if (FILE* pipe = ::popen(("pdfinfo '" + pdf.string() + "'").c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) info.append(buffer, n);
    ::pclose(pipe);
  }
  // Two legs: one page of route maps, then one page of directions.
  EXPECT_TRUE(std::regex_search(info, std::regex("Pages:\\s+2\n"))) << info;
  std::string text;
  if (FILE* pipe = ::popen(("pdftotext -layout '" + pdf.string() + "' -").c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    ::pclose(pipe);
  }
  for (const char* expected : {"Turn Right onto W ADDISON ST", "Driving Directions", "Drive Time:", "p.1", "p.2",
                               "The information contained herein"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
  }

  // No printer: the route is still found and reported; the print fails visibly.
  ui::SetPrinter(nullptr);
  const InvokeResult failed = Route(kCorner, kEast, 3 | 1024);
  ui::ResetPrinter();
  EXPECT_EQ(failed.MemberResult(), com::E_FAIL);
  EXPECT_NE(failed.excep.bstrDescription.find("Printer Error"), std::string::npos);
  EXPECT_EQ(rows_.back().substr(0, 8), "\t\tFinish");
}

TEST_F(RouteMembers, ARouteStartedFromARouteEventIsRefused) {
  std::vector<std::int32_t> inner;
  onRow_ = [&] { inner.push_back(Route(kEast, kCorner, 3).MemberResult()); };
  ASSERT_EQ(Route(kCorner, kEast, 3).hr, com::S_OK);
  ASSERT_EQ(inner.size(), 4u);
  for (std::int32_t hr : inner) EXPECT_EQ(hr, com::E_UNEXPECTED);
  // The outer route was reported whole, start to finish.
  EXPECT_EQ(rows_.size(), 4u);
  EXPECT_TRUE(rows_.back().starts_with("\t\tFinish"));
}

TEST_F(RouteMembers, RoadOptionsReachTheNextRoute) {
  ASSERT_EQ(Route(kCorner, kEast, 3).hr, com::S_OK);
  const std::string before = Field(rows_.back(), 5);
  // Minor roads at 70 mph instead of 35: the same route in half the time.
  runner_ = [](ui::DialogModel& d) {
    if (d.Caption() != "Road Options") return;
    d.Change("Minor Roads: Speed", "70");
    d.Press("OK");
  };
  ASSERT_EQ(Call("ExecRoadOption").hr, com::S_OK);
  EXPECT_EQ(Get("result").bstr(), "1");
  rows_.clear();
  ASSERT_EQ(Route(kCorner, kEast, 3).hr, com::S_OK);
  EXPECT_EQ(before, "00:03:58");
  EXPECT_EQ(Field(rows_.back(), 5), "00:01:59");
  EXPECT_EQ(Field(rows_[1], 7), "70");
  // The kilometres report setting: Cancel keeps miles, OK changes them.
  runner_ = [](ui::DialogModel& d) {
    if (d.Caption() == "Road Options") {
      d.Choose("Kilometers");
      d.Press("OK");
    }
  };
  ASSERT_EQ(Call("ExecRoadOption").hr, com::S_OK);
  EXPECT_EQ(Get("result").bstr(), "3");
  rows_.clear();
  runner_ = [](ui::DialogModel& d) {
    if (d.Caption() == "Routing") d.Press("&Calculate");
  };
  ASSERT_EQ(Call("ExecRoute", {Variant(0.0), Variant(0.0), Variant(0.0), Variant(0.0)}).hr, com::S_OK);
  ASSERT_FALSE(rows_.empty());
  EXPECT_EQ(Field(rows_.back(), 6), "3.7");  // 2.3 miles
}

TEST_F(RouteMembers, TheRouteIsDrawnOnTheMap) {
  ASSERT_EQ(Call("ZoomWindow", {Variant(Lon(kCorner) - 0.01), Variant(Lat(kCorner) - 0.01), Variant(Lon(kEast) + 0.01),
                                Variant(Lat(kEast) + 0.01)})
                .hr,
            com::S_OK);
  ASSERT_EQ(Route(kCorner, kEast, 3).hr, com::S_OK);
  Panel()->window().Show(true);
  Panel()->window().Update();
  const gdi::Bitmap& screen = ui::HeadlessWindow::FromHandle(Get("Handle").i4())->FrontBuffer();
  int route = 0, start = 0, finish = 0;
  for (int y = 0; y < screen.Height(); ++y) {
    for (int x = 0; x < screen.Width(); ++x) {
      const gdi::COLORREF c = screen.Pixel(x, y);
      route += c == 0xFF0000;
      start += c == 0x008000;
      finish += c == 0x0000FF;
    }
  }
  EXPECT_GT(route, 100);
  EXPECT_GT(start, 20);
  EXPECT_GT(finish, 20);
  // Cleared, nothing of it is drawn.
  ASSERT_EQ(Route(kCorner, kEast, 0).hr, com::S_OK);
  Panel()->Redraw();
  Panel()->window().Update();
  int left = 0;
  for (int y = 0; y < screen.Height(); ++y) {
    for (int x = 0; x < screen.Width(); ++x) left += screen.Pixel(x, y) == 0xFF0000;
  }
  EXPECT_EQ(left, 0);
}

}  // namespace
}  // namespace quelmar::testing

namespace quelmar::testing {
namespace {

// Two streets that do not meet, and a road drawn between them in the Line
// Editor: once saved, the next route drives it.
TEST_F(RouteMembers, LineEditorRoadsJoinTheNextRoute) {
  const data::TMapPoint farWest{kCorner.X - 600, kCorner.Y}, farEnd{kCorner.X - 300, kCorner.Y};
  FixtureMember chicago{StreetMemberAt(kCorner, 0, 17), "CHICAGO", {}, {}};
  chicago.Lines = {FixtureLine{"N CLARK ST", {kCorner, kNorth}}, FixtureLine{"W LAKE ST", {farWest, farEnd}}};
  search::testing::WriteStreetArchive(folder_.path() / "17.ZP5", {chicago});
  const std::string home = folder_.path().string();
  Panel()->settings().Change(&core::ControlSettings::Startup,
                             [&](core::StartupSettings& s) { s.applicationFolder = home; });
  ASSERT_EQ(Route(farWest, kNorth, 3).hr, com::S_OK);
  ASSERT_FALSE(rows_.empty());
  EXPECT_EQ(Field(rows_[0], 3), "Failure: Roadway Disconnected!");
  runner_ = [&](ui::DialogModel& d) {
    if (d.Caption() != "Line Editor") return;
    d.Field("From:").text = std::to_string(farEnd.X) + "," + std::to_string(farEnd.Y);
    d.Field("To:").text = std::to_string(kCorner.X) + "," + std::to_string(kCorner.Y);
    d.Field("Name:").text = "NEW RD";
    d.Press("Add");
    d.Press("Add");  // the same again: refused as a duplicate
    EXPECT_EQ(d.Field("  Rte Editor").text, "Duplicate");
    EXPECT_EQ(d.Field("Num:").text, "1");
    d.Press("Save");
  };
  ASSERT_EQ(Call("ExecMethod", {Variant("LEDIT")}).hr, com::S_OK);
  ASSERT_TRUE(std::filesystem::exists(folder_.path() / "Xmap.rte"));
  rows_.clear();
  ASSERT_EQ(Route(farWest, kNorth, 3).hr, com::S_OK);
  const bool onNewRoad = std::any_of(rows_.begin(), rows_.end(), [](const std::string& r) {
    return r.find("onto NEW RD") != std::string::npos;
  });
  EXPECT_TRUE(onNewRoad);
  EXPECT_EQ(Field(rows_.back(), 6), "3.3");  // Lake St, the new road, Clark St: a mile, a mile, 1.3 miles
}

}  // namespace
}  // namespace quelmar::testing
