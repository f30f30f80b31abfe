#include "control/search/place_lookup.h"

#include <gtest/gtest.h>

#include "tests/control/search/search_table_fixture.h"

namespace quelmar::search {
namespace {

using testing::Bytes;
using testing::CityFixture;
using testing::CityTable;
using testing::View;

Bytes Table() {
  return CityTable({
      {"SPRINGFIELD", 17, -1401000, 621600},
      {"SPRINGFIELD", 29},
      {"SPRINGFIELD", 25},
      {"SPRING VALLEY", 17},
      {"SPRINGERTON", 17},
      {"SPARTA", 17},
      {"SAINT LOUIS", 29},
      {"N.PLATTE", 31},
      {"DES MOINES", 19},
      {"DE SOTO", 29},
      {"DESOTO", 48},
      {"CHICAGO:LOOP", 17},
      {"SAN JUAN", 72},
      {"ZWOLLE", 22},
  });
}

std::vector<std::string> Names(const std::vector<Place>& places) {
  std::vector<std::string> names;
  for (const Place& place : places) names.push_back(place.Name + "," + std::string(data::CityStateCode(place.Record.State)));
  return names;
}

TEST(PlaceLookup, ExactModeFindsTheNearestNameAtOrAfterTheKey) {
  const Bytes table = Table();
  struct Case {
    const char* typed;
    const char* found;
  } cases[] = {
      {"SPRINGFIELD, IL", "SPRINGFIELD,IL"},
      {"Springfield, MO", "SPRINGFIELD,MO"},
      {"springfield", "SPRINGFIELD,IL"},       // no state: the first of the name (lowest state number)
      {"St. Louis, MO", "SAINT LOUIS,MO"},
      {"st louis, mo", "SAINT LOUIS,MO"},
      {"North Platte, NE", "N.PLATTE,NE"},     // a directional in its one form
      {"N Platte, NE", "N.PLATTE,NE"},
      {"SPRINGF, IL", "SPRINGFIELD,IL"},       // a prefix: the next name
      {"San Juan, PR", "SAN JUAN,PR"},          // state 72
      {"ZZZ", "ZWOLLE,LA"},                     // above every name: the last, not past the table
      {"Chicago, IL", "CHICAGO:LOOP,IL"},       // the name is compared before its ":"
  };
  for (const Case& c : cases) {
    const std::optional<Place> place = FindPlaceExact(View(table), c.typed);
    ASSERT_TRUE(place) << c.typed;
    EXPECT_EQ(Names({*place})[0], c.found) << c.typed;
  }
}

TEST(PlaceLookup, ListModeMatchesCityAndStatePatterns) {
  const Bytes table = Table();
  EXPECT_EQ(Names(FindPlaceList(View(table), "SPR*, IL")),
            (std::vector<std::string>{"SPRING VALLEY,IL", "SPRINGERTON,IL", "SPRINGFIELD,IL"}));
  EXPECT_EQ(Names(FindPlaceList(View(table), "SPRINGFIELD,*")),
            (std::vector<std::string>{"SPRINGFIELD,IL", "SPRINGFIELD,MA", "SPRINGFIELD,MO"}));
  EXPECT_EQ(Names(FindPlaceList(View(table), "SPR?NGFIELD, M?")),
            (std::vector<std::string>{"SPRINGFIELD,MA", "SPRINGFIELD,MO"}));
  EXPECT_EQ(Names(FindPlaceList(View(table), "?AN*")), (std::vector<std::string>{"SAN JUAN,PR"}));
  EXPECT_TRUE(FindPlaceList(View(table), "Q*").empty());
}

TEST(PlaceLookup, DesAndDeNamesAreTriedWithABlank) {
  EXPECT_EQ(PlaceQueryForms("DESMOINES, IA"),
            (std::vector<ShortString>{"DESMOINES, IA", "DES MOINES, IA", "DE SMOINES, IA"}));
  EXPECT_EQ(PlaceQueryForms("Desoto"), (std::vector<ShortString>{"Desoto", "Des oto", "De soto"}));
  EXPECT_EQ(PlaceQueryForms("DES MOINES"), (std::vector<ShortString>{"DES MOINES"}));
  EXPECT_EQ(PlaceQueryForms("DE SOTO"), (std::vector<ShortString>{"DE SOTO"}));
  EXPECT_EQ(PlaceQueryForms("DENVER"), (std::vector<ShortString>{"DENVER", "DE NVER"}));
  // A repeated form counts only when the place found begins with it.
  const Bytes table = Table();
  const ShortString desMoines = "DES MOINES, IA";
  EXPECT_TRUE(NameBeginsWithQuery(*FindPlaceExact(View(table), desMoines), desMoines));
  const ShortString deNver = "DE NVER";
  EXPECT_FALSE(NameBeginsWithQuery(*FindPlaceExact(View(table), deNver), deNver));
}

TEST(PlaceLookup, LinesShowTitleCaseAndWrittenOutDirectionals) {
  const Bytes table = Table();
  const Place platte = *FindPlaceExact(View(table), "NORTH PLATTE, NE");
  EXPECT_EQ(PlaceDisplayName(platte), "North Platte");
  const Place springfield = *FindPlaceExact(View(table), "SPRINGFIELD, IL");
  EXPECT_EQ(PlaceLine(springfield, 4), "Springfield\tIL\t-89.6640\t39.7824");
  EXPECT_EQ(CityLine(springfield, 4), "\tSPRINGFIELD\t\tIL\t\t\t-89.6640,39.7824");
  EXPECT_EQ(CityLine(*FindPlaceExact(View(table), "CHICAGO"), 2).substr(0, 9), "\tCHICAGO\t");
}

TEST(PlaceLookup, DamagedTablesEndCleanly) {
  const Bytes table = Table();
  for (std::size_t size = 0; size < table.size(); ++size) {
    const Bytes cut(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(size));
    (void)FindPlaceExact(View(cut), "SPRINGFIELD, IL");
    (void)FindPlaceList(View(cut), "S*");
  }
  // A count larger than the offsets that follow is refused whole.
  Bytes big = table;
  big[3] = 0x40;
  EXPECT_FALSE(FindPlaceExact(View(big), "SPRINGFIELD"));
  // An offset past the end leaves that record out and keeps the rest.
  Bytes wild = table;
  wild[4] = wild[5] = wild[6] = 0xFF;
  EXPECT_EQ(FindPlaceList(View(wild), "*").size(), 13u);
}

}  // namespace
}  // namespace quelmar::search
