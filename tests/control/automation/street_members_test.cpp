// The street search members as a host calls them: FindStr and GeoFind
// report each hit as the Street text with its MatchInfo inside a Find event;
// wrong arguments and a search started from a Find handler are refused.
#include <gtest/gtest.h>

#include <fstream>

#include "control_fixture.h"
#include "platform/ui/dialog_model.h"
#include "tests/control/search/search_table_fixture.h"
#include "tests/control/search/street_archive_fixture.h"
#include "tests/platform/kernel/test_files.h"

namespace quelmar::testing {
namespace {

using com::Variant;
using search::testing::FixtureMember;
using search::testing::StreetMemberAt;

constexpr com::DISPID kFind = 5, kFindPlace = 6;
constexpr data::TMapPoint kClark{-1369631, 655423};
constexpr data::TMapPoint kSheffield{-1369591, 655423};
constexpr data::TMapPoint kNorth{-1369631, 655463};

class StreetMembers : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    FixtureMember chicago{StreetMemberAt(kClark, 0, 17), "CHICAGO", {60613}, {}};
    chicago.Lines = {{"W ADDISON ST", {kSheffield, kClark}, 1000, 1098, 1},
                     {"N CLARK ST", {kClark, kNorth}, 3600, 3698, 1}};
    search::testing::WriteStreetArchive(folder_.path() / "17.ZP5", {chicago});
    const auto tables = folder_.path();
    const search::testing::Bytes zips = search::testing::ZipTable({{17, {{60613, "Chicago", 876575, 419543}}}});
    std::ofstream(tables / "ZIP.BIN", std::ios::binary)
        .write(reinterpret_cast<const char*>(zips.data()), static_cast<std::streamsize>(zips.size()));
    const search::testing::Bytes cities = search::testing::CityTable({{"CHICAGO", 17, -1369375, 654063}});
    std::ofstream(tables / "Cities.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(cities.data()), static_cast<std::streamsize>(cities.size()));
    for (const char* path : {"Path_states0", "Path_states1", "Path_data3"}) {
      ASSERT_EQ(Put(path, Variant(folder_.path().string())).hr, com::S_OK);
    }
    // Each Find: the hit's text and quality as the handler reads them.
    sink_->onEvent = [this](const RecordedEvent& e) {
      if (e.dispid == kFind) found_.push_back(Get("Street").bstr() + " | " + Get("MatchInfo").bstr());
      if (e.dispid == kFindPlace) found_.push_back("place " + Get("result").bstr());
    };
  }

  void TearDown() override {
    ui::SetDialogRunner({});
    ControlTest::TearDown();
  }
  double CentreLon() { return (Get("LonLeft").r8() + Get("LonRight").r8()) / 2; }
  double CentreLat() { return (Get("LatBottom").r8() + Get("LatTop").r8()) / 2; }

  TempDir folder_;
  std::vector<std::string> found_;
};

TEST_F(StreetMembers, FindStrReportsEveryHitWithinTheRadius) {
  ASSERT_EQ(Call("FindStr", {Variant("W ADDISON ST"), Variant("?"), Variant(1049), Variant(-87.6564),
                             Variant(41.9471), Variant(1.0), Variant("IL")})
                .hr,
            com::S_OK);
  ASSERT_EQ(found_.size(), 1u);
  EXPECT_EQ(found_[0],
            "W Addison St\tChicago\t1000 - 1098\tIL\t60613\t-87.655104\t41.947072\t0.065799 | house\t1.00");
  // The intersection of the two streets.
  found_.clear();
  ASSERT_EQ(Call("FindStr", {Variant("ADDISON"), Variant("CLARK"), Variant(0), Variant(-87.6564), Variant(41.9471),
                             Variant(0.0), Variant("")})
                .hr,
            com::S_OK);
  ASSERT_EQ(found_.size(), 1u);
  EXPECT_TRUE(found_[0].starts_with("*W Addison St and N Clark St\tChicago\tN/A\tIL\t60613\t-87.656384\t41.947072"))
      << found_[0];
  EXPECT_TRUE(found_[0].ends_with("| intersection\t1.00")) << found_[0];
}

TEST_F(StreetMembers, GeoFindGeocodesAnAddressAndFallsBackToTheZipCode) {
  const Variant count = Get("GeoFind", {Variant("1060 W Addison St, Chicago, IL")});
  EXPECT_EQ(count.i4(), 1);
  ASSERT_EQ(found_.size(), 1u);
  EXPECT_EQ(found_[0], "W ADDISON ST\tCHICAGO\t1060\tIL\t60613\t\t-87.655360,41.947072 | house\t1.00");
  found_.clear();
  EXPECT_EQ(Get("GeoFind", {Variant("60613")}).i4(), 1);
  ASSERT_EQ(found_.size(), 1u);
  EXPECT_EQ(found_[0], "\tCHICAGO\t\tIL\t60613\t\t-87.657500,41.954300 | zip\t1.00");
  found_.clear();
  EXPECT_EQ(Get("GeoFind", {Variant("")}).i4(), 0);
  EXPECT_TRUE(found_.empty());
}

TEST_F(StreetMembers, FindClosestLeavesTheNearestStreetInResult) {
  const struct {
    double lon, lat, radius;
    const char* result;
  } cases[] = {
      // Just north of Addison between its ends: the foot of the perpendicular.
      {-87.6550, 41.9472, 1.0, "W ADDISON ST\tCHICAGO\t1000 - 1098\tIL\t60613\t-87.654976\t41.947072\t0.008847"},
      // Beside Clark, nearer to it than to Addison.
      {-87.6563, 41.9480, 1.0, "N CLARK ST\tCHICAGO\t3600 - 3698\tIL\t60613\t-87.656384\t41.948032\t0.003290"},
      // Two miles west: nothing within half a mile, Addison's end within five.
      {-87.70, 41.9471, 0.5, ""},
      {-87.70, 41.9471, 5.0, "W ADDISON ST\tCHICAGO\t1000 - 1098\tIL\t60613\t-87.656384\t41.947072\t2.243733"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Call("FindClosest", {Variant(c.lon), Variant(c.lat), Variant(c.radius)}).hr, com::S_OK);
    EXPECT_EQ(Get("result").bstr(), c.result) << c.lon << "," << c.lat;
  }
  EXPECT_TRUE(found_.empty()) << "no event is fired";
}

TEST_F(StreetMembers, WrongArgumentsAreRefusedWithTheirName) {
  const struct {
    double lon, lat, radius;
    const char* named;
  } cases[] = {{-200, 41, 1, "xctr"}, {-87, 95, 1, "yctr"}, {-87, 41, -1, "mradius"}, {-87, 41, 1e12, "mradius"}};
  for (const auto& c : cases) {
    const InvokeResult r = Call("FindStr", {Variant("MAIN"), Variant("?"), Variant(0), Variant(c.lon), Variant(c.lat),
                                            Variant(c.radius), Variant("")});
    EXPECT_EQ(r.MemberResult(), com::E_INVALIDARG) << c.named;
    EXPECT_NE(r.excep.bstrDescription.find(c.named), std::string::npos) << r.excep.bstrDescription;
    const InvokeResult closest = Call("FindClosest", {Variant(c.lon), Variant(c.lat), Variant(c.radius)});
    EXPECT_EQ(closest.MemberResult(), com::E_INVALIDARG) << c.named;
    EXPECT_NE(closest.excep.bstrDescription.find(c.named), std::string::npos) << closest.excep.bstrDescription;
  }
  EXPECT_EQ(Call("GeoFind", {Variant("Chicago, IL|x")}).MemberResult(), com::E_INVALIDARG);
}

TEST_F(StreetMembers, ASearchFromAFindHandlerIsRefusedAndTheFirstGoesOn) {
  com::HRESULT nested = com::S_OK;
  sink_->onEvent = [&](const RecordedEvent& e) {
    if (e.dispid != kFind) return;
    found_.push_back(Get("Street").bstr());
    nested = Call("FindStr", {Variant("CLARK"), Variant("?"), Variant(0), Variant(-87.6564), Variant(41.9471),
                              Variant(0.0), Variant("")})
                 .MemberResult();
  };
  ASSERT_EQ(Call("FindStr", {Variant("ST"), Variant("?"), Variant(0), Variant(-87.6564), Variant(41.9471),
                             Variant(0.0), Variant("")})
                .hr,
            com::S_OK);
  EXPECT_EQ(found_.size(), 2u);  // both streets of the first search
  EXPECT_LT(nested, 0);
  EXPECT_NE(nested, com::E_NOTIMPL);
}

TEST_F(StreetMembers, TheLocatorFindsAnAddressAndMovesTheMapToIt) {
  std::vector<std::string> listed;
  // An item where the search is made: while the Locator is open it is not found.
  ASSERT_EQ(Call("SetItem", {Variant(5), Variant(CentreLon()), Variant(CentreLat())}).hr, com::S_OK);
  std::int32_t foundDuring = -1;
  ui::SetDialogRunner([&](ui::DialogModel& dialog) {
    EXPECT_EQ(dialog.Caption(), "Find it");
    foundDuring = Get("Finditem", {Variant(CentreLon()), Variant(CentreLat())}).i4();
    dialog.Change("Address:", "1060 W Addison St, Chicago, IL");
    dialog.Press("&Find");
    listed = dialog.Field("List").items;
    dialog.Change("List", listed.at(0));
    dialog.Change("Zoom", "0.5");
    dialog.Press("&Ok");
  });
  ASSERT_EQ(Call("ExecSearch", {Variant("Find it"), Variant(0)}).hr, com::S_OK);
  EXPECT_EQ(listed, std::vector<std::string>{"1060 W Addison St, Chicago, IL 60613"});
  EXPECT_EQ(Get("result").bstr(), "1060\tW ADDISON ST\tCHICAGO\tIL\t60613\t\t-87.655360,41.947072");
  EXPECT_NEAR(CentreLon(), -87.65536, 0.001);
  EXPECT_NEAR(CentreLat(), 41.947072, 0.001);
  EXPECT_NEAR(Get("Miles").r8(), 0.5, 0.05);
  EXPECT_TRUE(found_.empty());  // the Locator's own searches fire no Find
  EXPECT_EQ(foundDuring, 0);
  // "Mark Point" (ticked) puts the result bubble on the address, labelled
  // with its number and street.
  EXPECT_EQ(control_->Items()->Bubble().Label, "1060 W ADDISON ST");
  EXPECT_TRUE(Panel()->settings().Search().MarkPoint);

  // With 8 in t the result is only returned; no match disables OK.
  const double lon = CentreLon();
  ui::SetDialogRunner([&](ui::DialogModel& dialog) {
    EXPECT_TRUE(dialog.Field("Zip").checked);  // tab 2, and the fields kept from the last opening
    dialog.Change("Zip", "6061?");
    dialog.Press("&Find");
    dialog.Change("List", dialog.Field("List").items.at(0));
    dialog.Press("&Ok");
  });
  ASSERT_EQ(Call("ExecSearch", {Variant("Zip"), Variant(2 | 8)}).hr, com::S_OK);
  EXPECT_EQ(Get("result").bstr(), "\t\tChicago\tIL\t60613\t7\t-87.6575,41.9543");
  EXPECT_EQ(CentreLon(), lon);
  ui::SetDialogRunner([&](ui::DialogModel& dialog) {
    dialog.Change("Address:", "1 Nowhere Ln, Chicago, IL");
    dialog.Press("&Find");
    EXPECT_EQ(dialog.Field("List").items, std::vector<std::string>{" No Matches Found "});
    EXPECT_FALSE(dialog.Field("&Ok").enabled);
    dialog.Press("&Cancel");
  });
  ASSERT_EQ(Call("ExecSearch", {Variant("Find it"), Variant(0)}).hr, com::S_OK);
}

TEST_F(StreetMembers, FindStreetListsSortsAndGoesToAHit) {
  std::vector<std::string> rows;
  std::string caption;
  ui::SetDialogRunner([&](ui::DialogModel& dialog) {
    EXPECT_EQ(dialog.Field("S&tate").text, "* *");
    dialog.Change("Zi&p Code", "60613");  // the centre moves to the ZIP code, the state is chosen
    EXPECT_EQ(dialog.Field("S&tate").text, "IL");
    dialog.Change("&Street:", "1049 W Addison");
    dialog.Change("&Radius", "2");
    dialog.Press("&Find");
    caption = dialog.Caption();
    rows = dialog.Field("Table").items;
    dialog.Change("Table", rows.at(0));
    EXPECT_TRUE(dialog.Field("&Goto").enabled);
    dialog.Change("&Zoom", "0.2");
    dialog.Press("&Goto");
  });
  ASSERT_EQ(Call("ExecStreet").hr, com::S_OK);
  EXPECT_EQ(caption, " Found 1 Street Matches");
  EXPECT_EQ(rows, std::vector<std::string>{"1\tW Addison St\t1000 - 1098\tChicago\t60613\t0.5"});
  EXPECT_NEAR(CentreLon(), -87.655104, 0.001);  // the number's place on the block
  EXPECT_NEAR(Get("Miles").r8(), 0.2, 0.02);

  // An intersection is the only hit; Cancel keeps the typed street and
  // puts the view back.
  const double lon = CentreLon();
  ui::SetDialogRunner([&](ui::DialogModel& dialog) {
    EXPECT_EQ(dialog.Field("&Street:").text, "");  // Goto does not keep the street
    dialog.Change("&Street:", "N Clark St");
    dialog.Change("Cr&oss Street (If Any):", "W Addison St");
    dialog.Press("&Find");
    rows = dialog.Field("Table").items;
    dialog.Press("Dist");
    dialog.Press("&Cancel");
  });
  ASSERT_EQ(Call("ExecStreet").hr, com::S_OK);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_TRUE(rows[0].starts_with("1\tN Clark St and W Addison St\tN/A\tChicago")) << rows[0];
  EXPECT_EQ(CentreLon(), lon);
  ui::SetDialogRunner([&](ui::DialogModel& dialog) {
    EXPECT_EQ(dialog.Field("&Street:").text, "N Clark St");
    dialog.Change("&Street:", "Nowhere");
    dialog.Press("&Find");
    caption = dialog.Caption();
    dialog.Press("&Cancel");
  });
  ASSERT_EQ(Call("ExecStreet").hr, com::S_OK);
  EXPECT_EQ(caption, " Unable to Find Any Matching Streets");
}

}  // namespace
}  // namespace quelmar::testing
