// The search tables as the builder writes them, read back by the engine's
// lookups: what goes in comes out, in the order and blocks the readers need.
#include "tools/quelmar-data/builder/output/search_tables.h"

#include <gtest/gtest.h>

#include "control/core/errors.h"
#include "control/search/exchange_lookup.h"
#include "control/search/place_lookup.h"
#include "control/search/zip_lookup.h"
#include "tools/quelmar-data/builder/inputs/gazetteer.h"
#include "tools/quelmar-data/builder/inputs/search_points.h"

namespace quelmar::builder {
namespace {

data::TableBytes View(const std::string& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

TEST(SearchTables, ZipTableRoundTripsItsBlocksAndAlaska) {
  const std::vector<ZipPoint> zips = {
      {99950, "Ketchikan", "AK", ToMapUnits(-131.6478, 55.3422)},
      {60613, "Chicago", "IL", ToMapUnits(-87.6575, 41.9543)},
      {46201, "Indianapolis", "IN", ToMapUnits(-86.11, 39.77)},
      {60601, "Chicago", "IL", ToMapUnits(-87.6181, 41.8858)},
      {501, "Holtsville", "NY", ToMapUnits(-73.0451, 40.8154)},
      {96910, "Hagatna", "GU", ToMapUnits(144.75, 13.47)},   // no state slot: left out
      {99501, "Anchorage", "AK", ToMapUnits(-149.8761, 61.2116)},
      {60614, "Cañon Sur Le Très Long Nom", "IL", ToMapUnits(-87.65, 41.92)},
  };
  const std::string table = ZipTableBytes(zips);
  struct Case {
    std::int32_t asked;
    const char* line;
  } cases[] = {
      {60613, "60613\tChicago\tIL\t0\t-87.6575\t41.9543"},
      {60602, "60613\tChicago\tIL\t0\t-87.6575\t41.9543"},
      {60614, "60614\tCanon Sur Le Tres Lo\tIL\t0\t-87.6500\t41.9200"},
      {501, "00501\tHoltsville\tNY\t0\t-73.0451\t40.8154"},
      {99501, "99501\tAnchorage\tAK\t0\t-149.8761\t61.2116"},
      {99600, "99950\tKetchikan\tAK\t0\t-131.6478\t55.3422"},
  };
  for (const Case& c : cases) {
    const auto hit = search::FindZipCode(View(table), c.asked);
    ASSERT_TRUE(hit) << c.asked;
    EXPECT_EQ(search::ZipResultLine(*hit), c.line) << c.asked;
  }
  // Four state runs: NY, IN, IL, AK, then the end entry at 100000.
  EXPECT_EQ(data::ZipBlockEntryAt(View(table), 3)->FirstZip, 99501);
  EXPECT_EQ(data::ZipBlockEntryAt(View(table), 4)->FirstZip, data::kZipEndCode);
}

TEST(SearchTables, ZipRunsBeyondTheHeaderAreRefused) {
  std::vector<ZipPoint> zips;
  for (int i = 0; i < 200; ++i) {
    zips.push_back({1000 + i, "A", i % 2 ? "IL" : "IN", ToMapUnits(-87.0, 41.0)});
  }
  EXPECT_THROW(ZipTableBytes(zips), DataError);
  zips.resize(199);
  EXPECT_NO_THROW(ZipTableBytes(zips));
}

TEST(SearchTables, StoredPlaceNamesTakeTheLookupsForms) {
  struct Case {
    const char* name;
    const char* stored;
  } cases[] = {
      {"Springfield", "SPRINGFIELD"},      {"St. Louis", "SAINT LOUIS"},       {"St Paul", "SAINT PAUL"},
      {"North Platte", "N.PLATTE"},         {"West Palm Beach", "W.PALM BEACH"}, {"Northfield", "NORTHFIELD"},
      {"North", "NORTH"},                   {"Cañon City", "CANON CITY"},        {"Coeur d'Alene", "COEUR D'ALENE"},
      {"Port St. Lucie", "PORT ST. LUCIE"},
  };
  for (const Case& c : cases) EXPECT_EQ(StoredPlaceName(c.name), c.stored) << c.name;
}

TEST(SearchTables, CityTableIsSortedAndFoundByEveryTypedForm) {
  const std::vector<PlaceName> places = {
      {"Springfield", 29, ToMapUnits(-93.29, 37.21)}, {"Springfield", 17, ToMapUnits(-89.64, 39.79)},
      {"North Platte", 31, ToMapUnits(-100.76, 41.13)}, {"St. Louis", 29, ToMapUnits(-90.24, 38.63)},
      {"San Juan", 72, ToMapUnits(-66.06, 18.41)},      {"Spring", 48, ToMapUnits(-95.42, 30.08)},
  };
  const std::string table = CityTableBytes(places);
  ASSERT_EQ(data::CityCount(View(table)), 6);
  std::string previous;
  for (std::int32_t i = 0; i < 6; ++i) {
    const auto place = search::PlaceAt(View(table), i);
    ASSERT_TRUE(place);
    const std::string key = data::CitySortKey(place->Name, place->Record.State);
    EXPECT_LE(previous, key);
    previous = key;
  }
  for (const char* typed : {"springfield, il", "North Platte, NE", "N. Platte, NE", "St. Louis, MO", "San Juan, PR"}) {
    const auto place = search::FindPlaceExact(View(table), typed);
    ASSERT_TRUE(place) << typed;
    EXPECT_TRUE(search::NameBeginsWithQuery(*place, typed)) << typed << " found " << place->Name;
  }
  EXPECT_EQ(search::FindPlaceList(View(table), "SPR*,*").size(), 3u);
}

TEST(SearchTables, ExchangeTableKeepsAreaCodesApartAndContinuesItsHeader) {
  std::vector<ExchangePoint> exchanges;
  for (int area = 200; area < 560; ++area) {
    exchanges.push_back({area, 201, 60601, "IL", "Chicago", ToMapUnits(-87.63, 41.88)});
    exchanges.push_back({area, 999, 60700, "IL", "Chicago", ToMapUnits(-87.63, 41.88)});
  }
  const std::string table = ExchangeTableBytes(exchanges);
  EXPECT_EQ(data::AreaCodeEntries(View(table)).size(), 360u);
  for (const char* typed : {"200", "498", "499", "559"}) {
    const auto hits = search::FindExchanges(View(table), *search::ParsePhonePrefix(typed));
    ASSERT_EQ(hits.size(), 2u) << typed;
    EXPECT_EQ(hits[1].Zip, 60700);
    EXPECT_EQ(search::ExchangeResultLine(hits[0]).substr(0, 23), std::string(typed) + "201\tChicago\tIL\t60601");
  }
}

TEST(SearchTables, PrefixesBecomeExchangesLongestFirst) {
  const std::vector<PhonePrefix> prefixes = ParsePhonePrefixes(
      " '1312':{'en': 'Chicago, IL'},\n"
      " '1312555':{'en': 'Evanston, IL'},\n"
      " '131270':{'en': 'Oak Park, IL'},\n"
      " '1208292':{'en': 'Coeur d\\'Alene, ID'},\n"
      " '1907':{'en': 'Alaska'},\n"
      " '1250672':{'en': u('Barri\\u00e8re, BC')},\n"
      " '44207':{'en': 'London'},\n");
  ASSERT_EQ(prefixes.size(), 6u);
  EXPECT_EQ(prefixes[3].Place, "Coeur d'Alene");
  EXPECT_EQ(prefixes[4].Place, "");  // a state name is no place
  EXPECT_EQ(prefixes[5].Place, "Barri\xC3\xA8re");

  const GazetteerIndex gazetteer(ParseGazetteer(
      "[fips1714000]\ncentroid = (0.7302, -1.5303)\ndescription = Chicago city, IL\n"
      "[fips1754885]\ncentroid = (0.7305, -1.5310)\ndescription = Oak Park village, IL\n"
      "[fips1724582]\ncentroid = (0.7322, -1.5301)\ndescription = Evanston city, IL\n"));
  const ZipCentroids zips({{60601, "IL", ToMapUnits(-87.62, 41.88), "Chicago"}});
  ExchangeCounts counts;
  const std::vector<ExchangePoint> points = ExchangePointsOf(prefixes, gazetteer, zips, &counts);
  // 312: 200..999 without N11 is 8 x 99 = 792 codes; Idaho's place is not in
  // this gazetteer and has no ZIP code; Canada is left out.
  EXPECT_EQ(counts.Exchanges, 792);
  EXPECT_EQ(counts.Unplaced, 1);
  const auto at = [&](int exchange) {
    return std::find_if(points.begin(), points.end(), [&](const ExchangePoint& p) { return p.Exchange == exchange; });
  };
  EXPECT_EQ(at(555)->Place, "Evanston");
  EXPECT_EQ(at(705)->Place, "Oak Park");
  EXPECT_EQ(at(200)->Place, "Chicago");
  EXPECT_EQ(at(211), points.end());
  EXPECT_EQ(at(200)->Zip, 60601);  // the nearest ZIP code of the state, however far
}

TEST(SearchTables, GazetteerPlacesUnderEachOfTheirNames) {
  const GazetteerIndex gazetteer(ParseGazetteer(
      "[fips1714000]\ncentroid = (0.7302, -1.5303)\ndescription = Chicago city, IL\n"
      "[fips0669088]\ncentroid = (0.5960, -2.0722)\ndescription = San Buenaventura (Ventura) city, CA\n"
      "[fips17031]\ncentroid = (0.73, -1.53)\ndescription = Cook County, IL\n"));
  std::vector<std::string> names;
  for (const PlaceName& place : GazetteerPlaceNames(gazetteer)) names.push_back(place.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Chicago", "San Buenaventura", "Ventura"}));
}

}  // namespace
}  // namespace quelmar::builder
