// The highway table joined to a small gazetteer: route pieces, kinds, the
// choice among places of one name, and the errors that name what is wrong.
#include "tools/quelmar-data/builder/inputs/highway_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/gazetteer.h"

namespace quelmar::builder {
namespace {

// Centroids in radians; the two San Miguel CDPs lie far apart.
const char* const kGazetteer =
    "[fips0664000]\ncentroid = (0.6629, -2.1180)\ndescription = Sacramento city, CA\n"
    "[fips0667000]\ncentroid = (0.6554, -2.1368)\ndescription = San Francisco city, CA\n"
    "[fips0668378]\ncentroid = (0.6213, -2.1145)\ndescription = San Miguel CDP, CA\n"
    "[fips0668364]\ncentroid = (0.5737, -2.0596)\ndescription = San Miguel CDP, CA\n"
    "[fips0657764]\ncentroid = (0.6237, -2.1157)\ndescription = El Paso de Robles (Paso Robles) city, CA\n"
    "[fips0669084]\ncentroid = (0.6148, -2.1078)\ndescription = Santa Margarita CDP, CA\n"
    "[fips0811810]\ncentroid = (0.6722, -1.8413)\ndescription = Ca\xF1on City city, CO\n"
    "[fips0820000]\ncentroid = (0.6963, -1.8388)\ndescription = Denver city, CO\n";

const char* const kTable =
    "route\tkind\tsequence\tplace\n"
    "US-101 (north)\tus\t2\tSan Miguel, CA\n"
    "US-101 (north)\tus\t1\tPaso Robles, CA\n"
    "US-101 (north)\tus\t3\tSan Francisco, CA\n"
    "I-80\tinterstate\t1\tSan Francisco, CA\r\n"
    "I-80\tinterstate\t2\tSacramento, CA\r\n"
    "\n"
    "US-50 (historic)\tus\t1\tCañon City, CO\n"
    "US-50 (historic)\tus\t2\tDenver, CO\n";

TEST(HighwayTable, JoinsPiecesInOrderToTheGazetteer) {
  const GazetteerIndex gazetteer(ParseGazetteer(kGazetteer));
  const std::vector<HighwayRoute> routes = JoinHighways(ParseHighwayTable(kTable), gazetteer);
  ASSERT_EQ(routes.size(), 3u);

  EXPECT_EQ(routes[0].Route, "US-101");
  EXPECT_FALSE(routes[0].Interstate);
  EXPECT_EQ(routes[0].Places, (std::vector<std::string>{"Paso Robles, CA", "San Miguel, CA", "San Francisco, CA"}));
  ASSERT_EQ(routes[0].Points.size(), 3u);
  // Of the two San Miguels, the one beside Paso Robles (0.6213 rad north), not the one 200 miles south.
  EXPECT_NEAR(routes[0].Points[1].Y / 15625.0, 0.6213 * 57.29578, 1e-3);

  EXPECT_EQ(routes[1].Route, "I-80");
  EXPECT_TRUE(routes[1].Interstate);
  EXPECT_EQ(routes[1].Points.size(), 2u);

  EXPECT_EQ(routes[2].Route, "US-50");
  EXPECT_EQ(routes[2].Places.front(), "Cañon City, CO");  // UTF-8 here, Latin-1 in the gazetteer
}

TEST(HighwayTable, RouteNamesLoseTheirPieceSuffix) {
  EXPECT_EQ(RouteWithoutPiece("I-76 (west)"), "I-76");
  EXPECT_EQ(RouteWithoutPiece("I-88 (NY)"), "I-88");
  EXPECT_EQ(RouteWithoutPiece("US-66 (historic)"), "US-66");
  EXPECT_EQ(RouteWithoutPiece("I-35W"), "I-35W");
}

struct BadTable {
  const char* Label;
  const char* Text;
  const char* Message;
};

class HighwayTableErrors : public ::testing::TestWithParam<BadTable> {};

TEST_P(HighwayTableErrors, NameWhatIsWrong) {
  const GazetteerIndex gazetteer(ParseGazetteer(kGazetteer));
  try {
    JoinHighways(ParseHighwayTable(GetParam().Text), gazetteer);
    FAIL() << "no error";
  } catch (const DataError& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().Message), std::string::npos) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HighwayTableErrors,
    ::testing::Values(
        BadTable{"UnknownPlace", "route\tkind\tsequence\tplace\nI-5\tinterstate\t1\tNowhere, CA\n",
                 "line 2: place \"Nowhere, CA\" of route I-5 is not in the gazetteer"},
        BadTable{"WrongState", "route\tkind\tsequence\tplace\nI-5\tinterstate\t1\tDenver, CA\n", "\"Denver, CA\""},
        BadTable{"NoState", "route\tkind\tsequence\tplace\nI-5\tinterstate\t1\tDenver\n", "is not \"City, ST\""},
        BadTable{"Empty", "", "the table is empty"},
        BadTable{"WrongHeader", "road\tkind\tsequence\tplace\n", "line 1: the header"},
        BadTable{"ThreeColumns", "route\tkind\tsequence\tplace\nI-5\tinterstate\t1\n", "line 2: a row needs four"},
        BadTable{"UnknownKind", "route\tkind\tsequence\tplace\nI-5\tstate\t1\tDenver, CO\n", "kind \"state\""},
        BadTable{"SequenceNotNumber", "route\tkind\tsequence\tplace\nI-5\tus\tone\tDenver, CO\n", "sequence \"one\""},
        BadTable{"SequenceZero", "route\tkind\tsequence\tplace\nI-5\tus\t0\tDenver, CO\n", "not a positive number"},
        BadTable{"SequenceHuge", "route\tkind\tsequence\tplace\nI-5\tus\t99999999999999999999\tDenver, CO\n",
                 "not a positive number"},
        BadTable{"SequenceGap", "route\tkind\tsequence\tplace\nI-5\tus\t1\tDenver, CO\nI-5\tus\t3\tSacramento, CA\n",
                 "line 3: route I-5 has sequence 3 where 2 belongs"},
        BadTable{"SequenceTwice", "route\tkind\tsequence\tplace\nI-5\tus\t1\tDenver, CO\nI-5\tus\t1\tSacramento, CA\n",
                 "has sequence 1 where 2 belongs"},
        BadTable{"KindChanges",
                 "route\tkind\tsequence\tplace\nI-5\tinterstate\t1\tDenver, CO\nI-5\tus\t2\tSacramento, CA\n",
                 "line 3: route I-5 changes its kind"}),
    [](const ::testing::TestParamInfo<BadTable>& info) { return std::string(info.param.Label); });

TEST(HighwayTable, MissingFileIsAnIoError) {
  const GazetteerIndex gazetteer(ParseGazetteer(kGazetteer));
  EXPECT_THROW(ReadHighways("/nonexistent/quelmar/highways.tsv", gazetteer), IoError);
}

}  // namespace
}  // namespace quelmar::builder
