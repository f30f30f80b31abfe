// The table checks on tables the builder wrote, whole and damaged.
#include "tools/quelmar-data/builder/output/verify_search_tables.h"

#include <gtest/gtest.h>

#include "tools/quelmar-data/builder/output/search_tables.h"

namespace quelmar::builder {
namespace {

data::TableBytes View(const std::string& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

std::string Zips() {
  return ZipTableBytes({{60601, "Chicago", "IL", ToMapUnits(-87.62, 41.88)},
                        {60613, "Chicago", "IL", ToMapUnits(-87.65, 41.95)},
                        {99501, "Anchorage", "AK", ToMapUnits(-149.88, 61.21)}});
}
std::string Cities() {
  return CityTableBytes({{"Springfield", 17, ToMapUnits(-89.64, 39.79)}, {"Chicago", 17, ToMapUnits(-87.68, 41.84)}});
}
std::string Exchanges() {
  return ExchangeTableBytes({{312, 201, 60601, "IL", "Chicago", ToMapUnits(-87.63, 41.88)},
                             {312, 555, 60613, "IL", "Chicago", ToMapUnits(-87.63, 41.88)},
                             {847, 328, 60201, "IL", "Evanston", ToMapUnits(-87.69, 42.05)}});
}

TEST(VerifySearchTables, SoundTablesCountWhatTheyHold) {
  const TableCheck zip = CheckZipTable(View(Zips()));
  EXPECT_TRUE(zip.Problems.empty()) << zip.Problems.front();
  EXPECT_EQ(zip.Summary, "3 ZIP codes in 2 blocks");
  const TableCheck city = CheckCityTable(View(Cities()));
  EXPECT_TRUE(city.Problems.empty());
  EXPECT_EQ(city.Summary, "2 places");
  const TableCheck fon = CheckExchangeTable(View(Exchanges()));
  EXPECT_TRUE(fon.Problems.empty());
  EXPECT_EQ(fon.Summary, "3 exchanges of 2 area codes");
}

TEST(VerifySearchTables, DamageIsReported) {
  struct Case {
    const char* what;
    std::string bytes;
    TableCheck (*check)(data::TableBytes);
  };
  std::string zipCut = Zips();
  zipCut.resize(zipCut.size() - 3);
  std::string zipOrder = Zips();
  zipOrder[data::kZipHeaderSize + 1] = 20;  // the first record's code + 20 passes the second
  std::string cityOrder = Cities();
  std::swap(cityOrder[4], cityOrder[8]);  // the two offsets swapped
  std::string cityState = Cities();
  cityState[12] = 99;  // the first record's state byte, after the count and two offsets
  std::string fonCut = Exchanges();
  fonCut.resize(fonCut.size() - 1);
  std::string fonCount = Exchanges();
  fonCount[data::kExchangeHeaderEntrySize + 4] = 100;  // the second area code (100) below the first
  fonCount[data::kExchangeHeaderEntrySize + 5] = 0;
  const Case cases[] = {
      {"ZIP table cut short", zipCut, CheckZipTable},
      {"ZIP codes out of order", zipOrder, CheckZipTable},
      {"ZIP header only", std::string(100, '\0'), CheckZipTable},
      {"places out of order", cityOrder, CheckCityTable},
      {"a place of no state", cityState, CheckCityTable},
      {"places count past the file", std::string("\xFF\xFF\x00\x00", 4), CheckCityTable},
      {"exchange table cut short", fonCut, CheckExchangeTable},
      {"area codes out of order", fonCount, CheckExchangeTable},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.check(View(c.bytes)).Problems.empty()) << c.what;
  }
}

}  // namespace
}  // namespace quelmar::builder
