#include "control/search/exchange_lookup.h"

#include <gtest/gtest.h>

#include "tests/control/search/search_table_fixture.h"

namespace quelmar::search {
namespace {

using testing::AreaCodeFixture;
using testing::Bytes;
using testing::ExchangeTable;
using testing::View;

std::vector<int> Exchanges(const std::vector<ExchangeHit>& hits) {
  std::vector<int> numbers;
  for (const ExchangeHit& hit : hits) numbers.push_back(hit.Record.Exchange);
  return numbers;
}

Bytes Table() {
  return ExchangeTable({
      {312, 60601, {{201, "ILChicago", 0}, {555, "ILChicago", 12}, {781, "ILEvanston847", 3}}},
      {313, 48201, {{100, "MIDetroit", 0}, {200, "MIDetroit", 1}}},
  });
}

TEST(ExchangeLookup, ExactNumberReportsOneLineAndMissingOnesTheRest) {
  const Bytes table = Table();
  struct Case {
    const char* typed;
    std::vector<int> exchanges;
  } cases[] = {
      {"312", {201, 555, 781}},  // the whole area code, and no further (313 starts lower)
      {"312555", {555}},
      {"312556", {781}},         // missing: every later one of the area code
      {"312999", {}},
      {"313", {100, 200}},
      {"314", {}},
      {"31", {}},                // an area code of two digits is no area code in the table
      {"3x2", {}},
  };
  for (const Case& c : cases) {
    const std::optional<PhonePrefix> prefix = ParsePhonePrefix(c.typed);
    const std::vector<ExchangeHit> hits = prefix ? FindExchanges(View(table), *prefix) : std::vector<ExchangeHit>{};
    EXPECT_EQ(Exchanges(hits), c.exchanges) << c.typed;
  }
}

TEST(ExchangeLookup, ResultLineAndMovedExchanges) {
  const Bytes table = Table();
  const std::vector<ExchangeHit> hits = FindExchanges(View(table), *ParsePhonePrefix("312"));
  ASSERT_EQ(hits.size(), 3u);
  EXPECT_EQ(ExchangeResultLine(hits[1]), "312555\tChicago\tIL\t60613\t-87.6298\t41.8781");
  // A name ending in three digits moved to that area code.
  EXPECT_EQ(hits[2].Place, "Evanston (847)*");
  // A ZIP code base and offset that overflow or make no ZIP code give none.
  const Bytes wild = ExchangeTable({{312, INT32_MAX, {{201, "ILChicago", 12}}}, {313, 99990, {{100, "MIX", 20}}}});
  EXPECT_EQ(FindExchanges(View(wild), *ParsePhonePrefix("312"))[0].Zip, 0);
  EXPECT_EQ(FindExchanges(View(wild), *ParsePhonePrefix("313"))[0].Zip, 0);
}

TEST(ExchangeLookup, MoreThan299AreaCodesContinueTheHeader) {
  std::vector<AreaCodeFixture> areas;
  for (std::int16_t area = 200; area < 900; ++area) areas.push_back({area, 10000, {{static_cast<std::uint16_t>(area), "NYX", 0}}});
  const Bytes table = ExchangeTable(areas);
  ASSERT_EQ(data::AreaCodeEntries(View(table)).size(), areas.size());
  for (const char* typed : {"200", "498", "499", "500", "899"}) {
    const std::vector<ExchangeHit> hits = FindExchanges(View(table), *ParsePhonePrefix(typed));
    ASSERT_EQ(hits.size(), 1u) << typed;
    EXPECT_EQ(hits[0].AreaCode, std::stoi(typed));
  }
  EXPECT_EQ(AreaCodeExchanges(View(table), 850).size(), 1u);
  // A continuation that points back into the header is not followed.
  Bytes loop = table;
  const std::size_t last = 299 * data::kExchangeHeaderEntrySize;
  loop[last] = loop[last + 1] = loop[last + 2] = loop[last + 3] = 0;
  EXPECT_EQ(data::AreaCodeEntries(View(loop)).size(), 299u);
}

TEST(ExchangeLookup, EveryTruncationEndsCleanly) {
  const Bytes table = Table();
  for (std::size_t size = 0; size < table.size(); ++size) {
    const Bytes cut(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(size));
    const std::vector<ExchangeHit> hits = FindExchanges(View(cut), *ParsePhonePrefix("312"));
    EXPECT_LE(hits.size(), 3u);
    for (const ExchangeHit& hit : hits) EXPECT_EQ(hit.AreaCode, 312);
  }
}

}  // namespace
}  // namespace quelmar::search
