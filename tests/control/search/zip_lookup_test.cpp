#include "control/search/zip_lookup.h"

#include <gtest/gtest.h>

#include "tests/control/search/search_table_fixture.h"

namespace quelmar::search {
namespace {

using testing::Bytes;
using testing::View;
using testing::ZipFixtureBlock;
using testing::ZipTable;

// Three blocks in code order: Indiana, Illinois with gaps, and Alaska, whose
// codes lie above the old end mark of 99499.
Bytes Table() {
  return ZipTable({
      {18, {{46201, "Indianapolis"}, {46205, "Indianapolis"}}},
      {17, {{60601, "Chicago"}, {60605, "Chicago"}, {60613, "Chicago"}, {60614, "Chicago"}}},
      {2, {{99501, "Anchorage"}, {99950, "Ketchikan"}}},
  });
}

TEST(ZipLookup, ReportsTheCodeOrTheNextOneOfItsBlock) {
  const Bytes table = Table();
  struct Case {
    std::int32_t asked;
    std::optional<std::int32_t> found;
  } cases[] = {
      {60613, 60613},  // exact
      {60606, 60613},  // between two codes: the next higher
      {60620, 60614},  // above every code of its block: the block's last
      {46205, 46205},
      {50000, 46205},  // between blocks: the earlier block's last
      {100, 46201},    // below the first block: its first code
      {99501, 99501},  // Alaska, above 99499
      {99700, 99950},
      {99999, 99950},
      {0, std::nullopt},
      {-5, std::nullopt},
      {100000, std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<ZipHit> hit = FindZipCode(View(table), c.asked);
    ASSERT_EQ(hit.has_value(), c.found.has_value()) << c.asked;
    if (hit) {
      EXPECT_EQ(hit->Record.Zip, *c.found) << c.asked;
    }
  }
}

TEST(ZipLookup, ResultLineHasSixFields) {
  const Bytes table = ZipTable({{17, {{606, "A Very Long Place Name Indeed", 876575, 419543}}}});
  const std::optional<ZipHit> hit = FindZipCode(View(table), 606);
  ASSERT_TRUE(hit);
  EXPECT_EQ(ZipResultLine(*hit), "00606\tA Very Long Place Na\tIL\t7\t-87.6575\t41.9543");
  const TablePoint point = TablePointOf(876575, 419543);
  EXPECT_EQ(point.X, -1369648);
  EXPECT_EQ(point.Y, 655536);
  // A slot above 56 shows no state code.
  const Bytes canada = ZipTable({{66, {{1000, "Toronto"}}}});
  EXPECT_EQ(ZipResultLine(*FindZipCode(View(canada), 1000)), "01000\tToronto\t\t7\t-87.6575\t41.9543");
}

TEST(ZipLookup, DamagedAndUnusualTablesEndTheScanCleanly) {
  // An old table whose end mark is 99500 finds nothing above it.
  const Bytes old = ZipTable({{17, {{60601, "Chicago"}}}}, 99500);
  EXPECT_FALSE(FindZipCode(View(old), 99600));
  EXPECT_EQ(FindZipCode(View(old), 60700)->Record.Zip, 60601);
  // An empty block reports nothing.
  const Bytes empty = ZipTable({{17, {}, 60601}, {18, {{70000, "X"}}}});
  EXPECT_FALSE(FindZipCode(View(empty), 60605));
  // A record shorter than its fixed part is damage: the last good record stands.
  Bytes damaged = ZipTable({{17, {{60601, "A"}, {60605, "B"}}}});
  damaged[data::kZipHeaderSize + 1 + 12 + 1] = 5;  // the second record's length
  EXPECT_EQ(FindZipCode(View(damaged), 60605)->Record.Zip, 60601);
  // A header entry pointing past the file reads no records.
  Bytes wild = ZipTable({{17, {{60601, "A"}}}});
  wild[0] = 0xFF, wild[1] = 0xFF, wild[2] = 0xFF, wild[3] = 0x7F;
  EXPECT_FALSE(FindZipCode(View(wild), 60601));
  EXPECT_FALSE(FindZipCode(View(Bytes{}), 60601));
}

TEST(ZipLookup, EveryTruncationEndsCleanly) {
  const Bytes table = Table();
  for (std::size_t size = 0; size < table.size(); ++size) {
    const Bytes cut(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(size));
    for (std::int32_t zip : {60613, 46205, 99950, 1}) {
      if (const auto hit = FindZipCode(View(cut), zip)) {
        EXPECT_GT(hit->Record.Zip, 0);
      }
    }
    (void)ZipDialogRows(View(cut), 60613);
  }
}

TEST(ZipLookup, DialogListsTheBlockAroundTheCode) {
  ZipFixtureBlock block{17, {}};
  for (std::int32_t zip = 60001; zip <= 60100; ++zip) block.Records.push_back({zip, "P"});
  const Bytes table = ZipTable({block});
  // 20 records not below 60050 are read; the last 41 read are kept.
  const ZipDialogList list = ZipDialogRows(View(table), 60050);
  ASSERT_EQ(list.Rows.size(), 41u);
  EXPECT_EQ(list.Rows.front().Record.Zip, 60029);
  EXPECT_EQ(list.Rows.back().Record.Zip, 60069);
  EXPECT_EQ(list.Rows[list.First].Record.Zip, 60050);
  EXPECT_TRUE(list.Selected);
  // A missing code scrolls to the next one without selecting it.
  const Bytes gappy = ZipTable({{17, {{60001, "A"}, {60010, "B"}}}});
  const ZipDialogList gap = ZipDialogRows(View(gappy), 60005);
  EXPECT_EQ(gap.Rows.size(), 2u);
  EXPECT_EQ(gap.First, 1u);
  EXPECT_FALSE(gap.Selected);
}

}  // namespace
}  // namespace quelmar::search

namespace quelmar::search {
namespace {

TEST(ZipPattern, MatchesDigitsWildcardsAndPrefixesAcrossBlocks) {
  using testing::ZipTable;
  const testing::Bytes table = ZipTable({{17, {{60601, "Chicago"}, {60613, "Chicago"}, {60614, "Chicago"}, {61150, "Elsewhere"}}},
                                         {29, {{63101, "St Louis"}, {63130, "St Louis"}}},
                                         {2, {{99501, "Anchorage"}}}});
  struct Case {
    const char* pattern;
    std::vector<std::int32_t> zips;
  } cases[] = {
      {"60613", {60613}}, {"6061?", {60613, 60614}}, {"606*", {60601, 60613, 60614}},
      // The first block's bounds masked by the pattern ("6?6??" to "6?1??")
      // do not bracket it, yet 61150 lies in that block.
      {"6?1??", {61150, 63101, 63130}}, {"99501", {99501}}, {"70000", {}}, {"", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::int32_t> got;
    for (const ZipHit& hit : FindZipPattern(table, c.pattern)) got.push_back(hit.Record.Zip);
    EXPECT_EQ(got, c.zips) << c.pattern;
  }
}

}  // namespace
}  // namespace quelmar::search
