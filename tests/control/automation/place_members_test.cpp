// The place, ZIP and exchange members as a host calls them: result and
// Street texts, FindPlace and Find events, and the dialogs that move the map.
#include <gtest/gtest.h>

#include <fstream>

#include "control_fixture.h"
#include "platform/kernel/beep.h"
#include "platform/ui/dialog_model.h"
#include "tests/control/search/search_table_fixture.h"
#include "tests/platform/kernel/test_files.h"

namespace quelmar::testing {
namespace {

using com::Variant;
using search::testing::Bytes;

constexpr com::DISPID kFind = 5, kFindPlace = 6;

void WriteBytes(const std::filesystem::path& file, const Bytes& bytes) {
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

class PlaceMembers : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    WriteBytes(folder_.path() / "ZIP.BIN",
               search::testing::ZipTable({{17, {{60601, "Chicago"}, {60613, "Chicago", 876575, 419543}}}}));
    WriteBytes(folder_.path() / "Cities.bin",
               search::testing::CityTable({{"SPRINGFIELD", 17, -1401000, 621600},
                                           {"SPRINGERTON", 17},
                                           {"SPRINGFIELD", 29},
                                           {"DES MOINES", 19}}));
    WriteBytes(folder_.path() / "FON.BIN",
               search::testing::ExchangeTable({{312, 60601, {{201, "ILChicago", 0}, {555, "ILChicago", 12}}}}));
    ASSERT_EQ(Put("Path_data3", Variant(folder_.path().string())).hr, com::S_OK);
  }
  void TearDown() override {
    ui::SetDialogRunner({});
    ControlTest::TearDown();
  }
  std::size_t Count(com::DISPID dispid) const {
    std::size_t n = 0;
    for (const RecordedEvent& e : sink_->events) n += e.dispid == dispid;
    return n;
  }
  double CentreLon() { return (Get("LonLeft").r8() + Get("LonRight").r8()) / 2; }
  double CentreLat() { return (Get("LatBottom").r8() + Get("LatTop").r8()) / 2; }

  TempDir folder_;
};

TEST_F(PlaceMembers, FindZipSetsTheResultLineWithoutAnEvent) {
  ASSERT_EQ(Call("FindZip", {Variant(60610)}).hr, com::S_OK);
  EXPECT_EQ(Get("result").bstr(), "60613\tChicago\tIL\t7\t-87.6575\t41.9543");
  // 0 does nothing; a code above every block reports the block's last.
  ASSERT_EQ(Call("FindZip", {Variant(0)}).hr, com::S_OK);
  EXPECT_EQ(Get("result").bstr(), "60613\tChicago\tIL\t7\t-87.6575\t41.9543");
  std::filesystem::remove(folder_.path() / "ZIP.BIN");
  ASSERT_EQ(Call("FindZip", {Variant(60613)}).hr, com::S_OK);
  EXPECT_EQ(Get("result").bstr(), "");
  EXPECT_EQ(Count(kFind) + Count(kFindPlace), 0u);
}

TEST_F(PlaceMembers, FindCityReportsOnePlaceOrEveryListedCity) {
  ASSERT_EQ(Call("FindCity", {Variant("Springfield, IL")}).hr, com::S_OK);
  EXPECT_EQ(Count(kFindPlace), 1u);
  EXPECT_EQ(Get("result").bstr(), "Springfield\tIL\t-89.664\t39.782");

  std::vector<std::string> streets;
  sink_->onEvent = [&](const RecordedEvent& e) {
    if (e.dispid == kFind) streets.push_back(Get("Street").bstr());
  };
  ASSERT_EQ(Call("FindCity", {Variant("SPR*, IL")}).hr, com::S_OK);
  EXPECT_EQ(streets, (std::vector<std::string>{"\tSPRINGERTON\t\tIL\t\t\t-87.630,41.880",
                                                "\tSPRINGFIELD\t\tIL\t\t\t-89.664,39.782"}));
  // The repeated form is reported when it names a place: one event each.
  sink_->events.clear();
  ASSERT_EQ(Call("FindCity", {Variant("DESMOINES, IA")}).hr, com::S_OK);
  EXPECT_EQ(Count(kFindPlace), 2u);
  EXPECT_EQ(Get("result").bstr().substr(0, 11), "Des Moines\t");
}

TEST_F(PlaceMembers, AnExactLookupFromItsOwnEventDoesNothing) {
  int nested = 0;
  sink_->onEvent = [&](const RecordedEvent& e) {
    if (e.dispid == kFindPlace && nested++ == 0) {
      EXPECT_EQ(Call("FindCity", {Variant("SPRINGFIELD, MO")}).hr, com::S_OK);
    }
  };
  ASSERT_EQ(Call("FindCity", {Variant("SPRINGFIELD, IL")}).hr, com::S_OK);
  EXPECT_EQ(Count(kFindPlace), 1u);
  EXPECT_EQ(Get("result").bstr().substr(0, 15), "Springfield\tIL\t");
}

TEST_F(PlaceMembers, FindAcexReportsEachExchange) {
  std::vector<std::string> results;
  sink_->onEvent = [&](const RecordedEvent& e) {
    if (e.dispid == kFindPlace) results.push_back(Get("result").bstr());
  };
  ASSERT_EQ(Call("FindACEX", {Variant("312")}).hr, com::S_OK);
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[1], "312555\tChicago\tIL\t60613\t-87.6298\t41.8781");
  results.clear();
  ASSERT_EQ(Call("FindACEX", {Variant("312555")}).hr, com::S_OK);
  EXPECT_EQ(results.size(), 1u);
}

TEST_F(PlaceMembers, FindClosestPlaceRefusesArgumentsOutOfRange) {
  for (const auto& args : std::vector<std::vector<Variant>>{
           {Variant(-200.0), Variant(41.0), Variant(5.0), Variant(0), Variant(0)},
           {Variant(-87.0), Variant(95.0), Variant(5.0), Variant(0), Variant(0)},
           {Variant(-87.0), Variant(41.0), Variant(-1.0), Variant(0), Variant(0)}}) {
    EXPECT_EQ(Call("FindClosestPlace", args).MemberResult(), com::E_INVALIDARG);
  }
  // No city archive: no place.
  EXPECT_EQ(Get("FindClosestPlace", {Variant(-87.6), Variant(41.9), Variant(5.0), Variant(0), Variant(0)}).bstr(), "");
}

TEST_F(PlaceMembers, DialogsMoveTheMapOrPutTheViewBack) {
  const double lon = CentreLon();
  ui::SetDialogRunner([](ui::DialogModel& d) {
    d.Change("&Zip Code:", "60613");
    d.Press("&Find");
    ASSERT_EQ(d.Field("List").text, "60613  Chicago");
    d.Change("Zoom", "2");
    d.Press("&Goto");
  });
  ASSERT_EQ(Call("ExecZipcode").hr, com::S_OK);
  EXPECT_NEAR(CentreLon(), -87.6575, 0.01);
  EXPECT_NEAR(CentreLat(), 41.9543, 0.01);
  EXPECT_NEAR(Get("Miles").r8(), 2, 0.1);  // the scale reads back through the scale bar
  // The view before the dialog is the one to zoom back to.
  ASSERT_EQ(Call("ZoomLast").hr, com::S_OK);
  EXPECT_NEAR(CentreLon(), lon, 1e-6);

  // Cancel puts back the view a Goto of another dialog may have changed.
  ui::SetDialogRunner([](ui::DialogModel& d) {
    d.Change("&Place:", "SPRINGFIELD, IL");
    d.Press("&Find");
    d.Press("&Cancel");
  });
  ASSERT_EQ(Call("ExecPlace").hr, com::S_OK);
  EXPECT_NEAR(CentreLon(), lon, 1e-6);

  // An unreadable coordinate beeps and keeps the dialog open.
  const long beeps = kernel::BeepCount();
  ui::SetDialogRunner([](ui::DialogModel& d) {
    d.Change("Coordinate ( Longitude,Latitude)", "north pole");
    d.Press("&OK");
    EXPECT_EQ(d.Pressed(), "");
    d.Change("Coordinate ( Longitude,Latitude)", "-89.5,39.75");
    d.Press("&OK");
  });
  ASSERT_EQ(Call("ExecLonLat").hr, com::S_OK);
  EXPECT_EQ(kernel::BeepCount(), beeps + 1);
  EXPECT_NEAR(CentreLon(), -89.5, 0.01);
}

TEST_F(PlaceMembers, AreaCodeDialogShowsTheSelectedExchange) {
  ui::SetDialogRunner([](ui::DialogModel& d) {
    d.Change("&Area Code:", "312");
    d.Change("&Exchange:", "555");
    d.Press("&Find");
    EXPECT_EQ(d.Field("List").items.size(), 2u);
    EXPECT_EQ(d.Field("Coordinates").text, "-87.6298, 41.8781");
    d.Change("List", d.Field("List").items[0]);
    EXPECT_EQ(d.Field("List").text.substr(0, 3), "201");
    d.Press("&Goto");
  });
  ASSERT_EQ(Call("ExecPhone").hr, com::S_OK);
  EXPECT_NEAR(CentreLat(), 41.8781, 0.01);
}

}  // namespace
}  // namespace quelmar::testing
