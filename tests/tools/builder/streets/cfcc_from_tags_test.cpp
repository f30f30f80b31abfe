#include "tools/quelmar-data/builder/streets/cfcc_from_tags.h"

#include <gtest/gtest.h>

namespace quelmar::builder {
namespace {

struct TagCase {
  const char* first;   // highway, MTFCC, or tile class
  const char* second;  // service value or tile type
  const char* cfcc;    // "" for not a road
};

TEST(CfccFromTagsTest, HighwayTags) {
  const TagCase cases[] = {
      {"motorway", "", "A11"},        {"motorway_link", "", "A63"},
      {"trunk", "", "A21"},           {"primary", "", "A21"},
      {"secondary", "", "A31"},       {"tertiary", "", "A31"},
      {"primary_link", "", "A63"},    {"residential", "", "A41"},
      {"unclassified", "", "A41"},    {"living_street", "", "A41"},
      {"service", "", "A41"},         {"service", "alley", "A73"},
      {"service", "driveway", "A41"}, {"track", "", "A51"},
      {"footway", "", "A71"},         {"path", "", "A71"},
      {"steps", "", "A72"},           {"construction", "", ""},
      {"proposed", "", ""},           {"", "", ""},
  };
  for (const TagCase& c : cases) EXPECT_EQ(CfccForHighway(c.first, c.second), c.cfcc) << c.first << " " << c.second;
}

TEST(CfccFromTagsTest, TigerFeatureClasses) {
  const TagCase cases[] = {
      {"S1100", "", "A11"}, {"S1200", "", "A21"}, {"S1400", "", "A41"}, {"S1500", "", "A51"}, {"S1630", "", "A63"},
      {"S1640", "", "A64"}, {"S1710", "", "A71"}, {"S1720", "", "A72"}, {"S1730", "", "A73"}, {"S1740", "", "A70"},
      {"S1780", "", "A70"}, {"S1820", "", "A71"}, {"R1011", "", ""},    {"H3010", "", ""},    {"", "", ""},
  };
  for (const TagCase& c : cases) EXPECT_EQ(CfccForMtfcc(c.first), c.cfcc) << c.first;
}

TEST(CfccFromTagsTest, VectorTileClassAndType) {
  const TagCase cases[] = {
      {"street", "residential", "A41"},
      {"street", "", "A41"},
      {"service", "service:alley", "A73"},
      {"service", "service:parking_aisle", "A41"},
      {"link", "motorway_link", "A63"},
      {"link", "", "A63"},
      {"motorway", "motorway", "A11"},
      {"street_limited", "", "A41"},
      {"pedestrian", "platform", ""},
      {"major_rail", "rail", ""},
      {"construction", "construction:residential", ""},
      {"track", "track:grade1", "A51"},
      {"turning_circle", "turning_circle", ""},
      {"ferry", "ferry", "A65"},
      {"path", "steps", "A72"},
      {"mystery", "", ""},
  };
  for (const TagCase& c : cases) EXPECT_EQ(CfccForTileRoad(c.first, c.second), c.cfcc) << c.first << " " << c.second;
}

}  // namespace
}  // namespace quelmar::builder
