// The street search engine on small archives: the hits and their result
// lines, house-number placement, intersections, the radius box, the 1000-hit
// bound, damaged archives, and the street index giving exactly what reading
// the quads gives.
#include "control/search/street_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "control/core/errors.h"
#include "control/search/match_streets.h"
#include "control/search/result_line.h"
#include "tests/control/search/street_archive_fixture.h"
#include "tests/platform/kernel/test_files.h"

namespace quelmar::search {
namespace {

using testing::FixtureLine;
using testing::FixtureMember;
using testing::StreetMemberAt;
using testing::TMapPoint;

// Clark and Addison, Sheffield a little east of it, and a point west.
constexpr TMapPoint kClark{-1369631, 655423};
constexpr TMapPoint kSheffield{-1369591, 655423};
constexpr TMapPoint kWest{-1369671, 655423};
constexpr TMapPoint kNorth{-1369631, 655463};
// Far west of them, in another quad: Elmhurst.
constexpr TMapPoint kElmhurst{-1374062, 655000};

constexpr double Lon(TMapPoint p) { return p.X * 0.000064; }
constexpr double Lat(TMapPoint p) { return p.Y * 0.000064; }

std::vector<FixtureMember> ChicagoMembers() {
  FixtureMember chicago{StreetMemberAt(kClark, 0, 17), "CHICAGO", {60613, 60657}, {}};
  chicago.Lines = {
      {"W ADDISON ST", {kSheffield, kClark}, 1000, 1098, 1},
      {"W ADDISON ST", {kClark, kWest}, 1100, 1198, 2},
      {"N CLARK ST", {kClark, kNorth}, 3600, 3698, 1},
      {"", {kWest, kNorth}},                         // unnamed: never a hit
      {"W ADDISON ST", {kWest, kNorth}, 0, 0, 0, 5},  // layer 5 is no street line
  };
  FixtureMember elmhurst{StreetMemberAt(kElmhurst, 0, 17), "ELMHURST", {60126}, {}};
  elmhurst.Lines = {{"W ADDISON AVE", {kElmhurst, {kElmhurst.X + 30, kElmhurst.Y}}, 100, 198, 1}};
  return {chicago, elmhurst};
}

class StreetSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteStreetArchive(folder_.path() / "17.ZP5", ChicagoMembers());
    sources_.States0 = folder_.path().string();
    sources_.Problems = &problems_;
  }

  std::vector<std::string> Search(const StreetQuery& query, bool index = true) {
    search_.UseIndex = index;
    std::vector<std::string> lines;
    search_.SearchStreets(query, sources_, [&](const StreetReport& r) { lines.push_back(r.Line); });
    return lines;
  }
  static StreetQuery Query(std::string street, std::int32_t key = 0, double radius = 0, std::string cross = "?") {
    StreetQuery q;
    q.Street = street;
    q.Cross = cross;
    q.HouseKey = key;
    q.RadiusMiles = radius;
    q.CentreLon = Lon(kClark);
    q.CentreLat = Lat(kClark);
    return q;
  }

  quelmar::testing::TempDir folder_;
  StreetSources sources_;
  core::CountingProblemReporter problems_;
  StreetSearch search_;
};

TEST_F(StreetSearchTest, ReportsEachMatchingLineAsItsResultLine) {
  const std::vector<std::string> lines = Search(Query("ADDISON ST"));
  ASSERT_EQ(lines.size(), 3u);
  // Quads in directory order (Elmhurst's column comes first); no house
  // number: the middle of the line; the distance from the centre.
  EXPECT_EQ(lines[0], "W Addison Ave\tElmhurst\t100 - 198\tIL\t60126\t-87.939008\t41.920000\t14.651382");
  EXPECT_EQ(lines[1], "W Addison St\tChicago\t1000 - 1098\tIL\t60613\t-87.655104\t41.947072\t0.065799");
  EXPECT_EQ(lines[2], "W Addison St\tChicago\t1100 - 1198\tIL\t60657\t-87.657664\t41.947072\t0.065799");
  EXPECT_EQ(problems_.Count(), 0);
}

TEST_F(StreetSearchTest, AHouseNumberPlacesTheHitAlongItsLine) {
  struct Case {
    std::int32_t key;
    double lon;
  } cases[] = {
      {1000, Lon(kSheffield)},  // the from-number's end
      {1098, Lon(kClark)},
      {1049, (Lon(kSheffield) + Lon(kClark)) / 2},
      {5000, Lon(kClark)},      // beyond the range: the nearer end in number order
      {10, Lon(kSheffield)},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> lines = Search(Query("W ADDISON", c.key, 1));
    ASSERT_FALSE(lines.empty()) << c.key;
    EXPECT_NEAR(std::stod(ResultField(lines[0], 6).Str()), c.lon, 0.000064) << c.key;
    EXPECT_EQ(ResultField(lines[0], 3), ShortString("1000 - 1098"));
  }
}

TEST_F(StreetSearchTest, ACrossStreetThatMeetsGivesOneIntersection) {
  EXPECT_EQ(Search(Query("W ADDISON ST", 0, 5, "N CLARK")),
            std::vector<std::string>{"*W Addison St and N Clark St\tChicago\tN/A\tIL\t60613\t-87.656384\t41.947072\t0.000000"});
  // A cross street that meets nothing: the street's own hits only.
  EXPECT_EQ(Search(Query("W ADDISON ST", 0, 5, "N BROADWAY")).size(), 2u);
}

TEST_F(StreetSearchTest, TheRadiusAndStateLimitTheSearch) {
  EXPECT_EQ(Search(Query("ADDISON", 0, 5)).size(), 2u);   // Elmhurst lies 14.5 miles away
  EXPECT_EQ(Search(Query("ADDISON", 0, 20)).size(), 3u);
  StreetQuery other = Query("ADDISON");
  other.State = "WI";
  EXPECT_TRUE(Search(other).empty());
  other.State = "il";
  EXPECT_EQ(Search(other).size(), 3u);
  other.State = "XX";
  EXPECT_TRUE(Search(other).empty());
  EXPECT_TRUE(Search(Query("")).empty());  // an empty street matches nothing
}

TEST_F(StreetSearchTest, WrongArgumentsAndReentryAreErrors) {
  StreetQuery bad = Query("ADDISON");
  bad.CentreLon = std::nan("");
  EXPECT_THROW(Search(bad), ArgumentError);
  bad = Query("ADDISON", 0, -1);
  EXPECT_THROW(Search(bad), ArgumentError);
  // A search started from a report of another.
  search_.UseIndex = true;
  bool refused = false;
  search_.SearchStreets(Query("ADDISON"), sources_, [&](const StreetReport&) {
    try {
      search_.SearchStreets(Query("CLARK"), sources_, [](const StreetReport&) {});
    } catch (const Error& e) {
      refused = e.code() == ErrorCode::Unexpected;
    }
  });
  EXPECT_TRUE(refused);
  EXPECT_EQ(Search(Query("CLARK")).size(), 1u);  // and the engine is free again
}

TEST_F(StreetSearchTest, UserStreetsComeLastWithTheirOwnLine) {
  search_.UserStreets = [](const ShortString& text) {
    EXPECT_EQ(text, ShortString("ADDISON"));
    return std::vector<UserStreetHit>{{"My Addison Lane", -87.5, 41.5}};
  };
  sources_.UserDecimals = 2;
  const std::vector<std::string> lines = Search(Query("addison"));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines.back(), "My Addison Lane\tUser Defined\t\t\t\t-87.50\t41.50\t0.00");
}

TEST_F(StreetSearchTest, MoreThanAThousandHitsInAQuadStopAndSaySo) {
  FixtureMember crowded{StreetMemberAt(kClark, 1, 17), "CHICAGO", {}, {}};
  for (int i = 0; i < 1005; ++i) crowded.Lines.push_back({"MAIN ST", {kClark, {kClark.X + 1 + i, kClark.Y}}});
  testing::WriteStreetArchive(folder_.path() / "17.ZP5", {crowded});
  for (bool index : {true, false}) {
    problems_.Reset();
    EXPECT_EQ(Search(Query("MAIN"), index).size(), kMaxStreetHits);
    EXPECT_EQ(problems_.Count(), 1);
    EXPECT_NE(problems_.Last().find("more than 1000"), std::string::npos);
    EXPECT_EQ(search_.LastStats().FullQuads, 1);
  }
}

TEST_F(StreetSearchTest, TheIndexGivesExactlyWhatReadingTheQuadsGives) {
  const StreetQuery queries[] = {Query("ADDISON"),         Query("W ADDISON ST", 1049, 1),
                                 Query("ADDISON", 0, 5, "CLARK"), Query("CLARK", 3650, 0, "ADDISON"),
                                 Query("ST"),              Query("NOWHERE"),
                                 Query("AVE", 150, 25)};
  for (const StreetQuery& q : queries) {
    EXPECT_EQ(Search(q, true), Search(q, false)) << q.Street << " / " << q.Cross;
  }
  // The index is built once and kept while the archive is unchanged.
  const auto first = search_.IndexOf(folder_.path() / "17.ZP5", 402, nullptr);
  EXPECT_EQ(search_.IndexOf(folder_.path() / "17.ZP5", 402, nullptr), first);
  EXPECT_EQ(first->Members().size(), 2u);
  EXPECT_EQ(first->LineCount(), 4u);  // the layer-5 and unnamed lines are no street lines
}

TEST_F(StreetSearchTest, QuadsLoadedAlreadyAreMatchedWhereTheyAreAndStayLoaded) {
  data::DrawingTable table;
  data::LoadContext context;
  context.DataFolder = folder_.path().string();
  const std::string chicago = StreetMemberAt(kClark, 0, 17);
  ASSERT_GT(table.LoadDrawing(data::kLoadFromArchive | 1, "17.ZP5", chicago, false, context), 0);
  sources_.Loaded = &table;
  const auto expected = Search(Query("ADDISON"), true);
  EXPECT_EQ(Search(Query("ADDISON"), false), expected);
  EXPECT_EQ(search_.LastStats().QuadsMatched, 2);
  EXPECT_EQ(search_.LastStats().QuadsRead, 1);  // only Elmhurst's quad is read for the search
  EXPECT_EQ(table.Count(), 1);
  EXPECT_EQ(table.At(1).Name, chicago);
}

TEST_F(StreetSearchTest, AnArchiveRewrittenInPlaceIsIndexedAgain) {
  EXPECT_EQ(Search(Query("CLARK")).size(), 1u);
  FixtureMember only{StreetMemberAt(kClark, 0, 17), "CHICAGO", {}, {{"N CLARK ST", {kClark, kNorth}}, {"N CLARK ST", {kNorth, kClark}}}};
  std::filesystem::remove(folder_.path() / "17.ZP5");
  testing::WriteStreetArchive(folder_.path() / "17.ZP5", {only, ChicagoMembers()[1]});
  EXPECT_EQ(Search(Query("CLARK")).size(), 2u);
}

TEST_F(StreetSearchTest, ASecondFolderIsTriedWhenTheFirstHasNoArchive) {
  quelmar::testing::TempDir empty;
  sources_.States1 = sources_.States0;
  sources_.States0 = empty.path().string();
  EXPECT_EQ(Search(Query("CLARK")).size(), 1u);
  sources_.States1.clear();
  EXPECT_TRUE(Search(Query("CLARK")).empty());
}

// Every truncation of the archive: either hits or a told problem, never a
// crash, and the index and the quads agree.
TEST_F(StreetSearchTest, TruncatedArchivesGiveWhatCanBeRead) {
  const std::filesystem::path path = folder_.path() / "17.ZP5";
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> whole((std::istreambuf_iterator<char>(in)), {});
  for (std::size_t size = 0; size < whole.size(); size += 7) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(whole.data(), static_cast<std::streamsize>(size));
    problems_.Reset();
    const auto indexed = Search(Query("ADDISON"), true);
    const int indexedProblems = problems_.Count();
    const auto read = Search(Query("ADDISON"), false);
    EXPECT_EQ(indexed, read) << size;
    EXPECT_TRUE(indexed.size() == 3 || indexedProblems > 0) << size;
  }
}

TEST(StreetHits, HouseNumberFractionsStayOnTheLine) {
  struct Case {
    std::int32_t key, from, to;
    double fraction;
  } cases[] = {
      {0, 100, 198, 0.5},           // no number
      {150, 0, 198, 0.5},           // no from-number
      {149, 100, 198, 0.5},
      {100, 198, 100, 1.0},         // low above high: numbered the other way
      {150, 150, 150, 0.5},
      {151, 150, 150, 0.0},         // a one-number line that is not the number
      {2147483647, -2147483647, 2147483647, 1.0},  // no wrap near the 32-bit limits
      {-2147483647, 2147483647, -2147483647, 1.0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(HouseNumberFraction(c.key, c.from, c.to), c.fraction) << c.key << " " << c.from << " " << c.to;
  }
}

TEST(StreetHits, PointsAlongLinesAndDistances) {
  const std::vector<TMapPoint> bent = {{0, 0}, {10, 0}, {10, 10}};
  EXPECT_EQ(PointAlongLine(bent, 0.25), (TMapPoint{5, 0}));
  EXPECT_EQ(PointAlongLine(bent, 0.75), (TMapPoint{10, 5}));
  EXPECT_EQ(PointAlongLine(bent, 1), (TMapPoint{10, 10}));
  EXPECT_EQ(PointAlongLine(std::vector<TMapPoint>{{3, 3}, {3, 3}}, 0.5), (TMapPoint{3, 3}));
  std::vector<TMapPoint> huge(kMaxMeasuredPoints + 1, TMapPoint{7, 7});
  huge.back() = {100, 100};
  EXPECT_EQ(PointAlongLine(huge, 1), (TMapPoint{7, 7}));
  EXPECT_EQ(HitMiles(kClark, kClark), 0.0);  // equal points: 0, not NaN
}

TEST(StreetHits, LongHitTextsShortenThePlaceNotTheFields) {
  const std::string text = StreetHitText("N Lake Shore Dr", std::string(120, 'P'), "1000 - 1098\t60613");
  EXPECT_EQ(text.size(), kMaxHitTextLength);
  EXPECT_TRUE(text.ends_with("\t1000 - 1098\t60613"));
  EXPECT_TRUE(text.starts_with("N Lake Shore Dr\tPPP"));
}

TEST(StreetHits, NamesWithSeveralPartsMatchByTheirFirstMatchingPart) {
  const StreetMatchText text = MakeStreetMatchText("ADDISON ST", "CLARK", true, 0, {});
  EXPECT_EQ(MatchStreetName("N CLARK ST/W ADDISON ST", text).Kind, MatchKind::Cross);
  EXPECT_EQ(MatchStreetName("W ADDISON STREET/N CLARK ST", text).Name, ShortString("W ADDISON ST"));
  EXPECT_EQ(MatchStreetName("N BROADWAY", text).Kind, MatchKind::None);
}

}  // namespace
}  // namespace quelmar::search
