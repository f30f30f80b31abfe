#include "tools/quelmar-data/builder/streets/address_interpolation.h"

#include <gtest/gtest.h>

#include "tools/builder/streets/street_test_support.h"
#include "tools/quelmar-data/builder/streets/editor_graph_reader.h"
#include "tools/quelmar-data/builder/streets/street_network.h"

namespace quelmar::builder {
namespace {

using street_testing::StreetTestData;

StreetSegment Block(const char* name, std::int32_t fromX, std::int32_t toX) {
  StreetSegment segment;
  segment.Name = name;
  segment.Cfcc = "A41";
  segment.Points = {{fromX, 1000}, {toX, 1000}};
  return segment;
}

AddressPoint Address(const char* street, const char* number, std::int32_t x, std::int32_t y = 1003) {
  return {street, number, 49093, {x, y}};
}

TEST(AddressInterpolationTest, FitsNumbersAlongTheStreet) {
  // Four blocks of one street, numbered 100 per block from the west; two
  // addresses known on the second and third block.
  std::vector<StreetSegment> segments = {Block("ELM ST", 0, 100), Block("ELM ST", 100, 200), Block("ELM ST", 200, 300),
                                         Block("ELM ST", 300, 400), Block("OAK ST", 100, 200)};
  InterpolateAddressRanges(segments, {Address("ELM ST", "150", 150), Address("ELM ST", "251A", 251, 997),
                                      Address("ELM ST", "9999", 150, 2000)});  // too far from the street
  EXPECT_EQ(segments[0].High, 0);                                              // beyond the known addresses
  EXPECT_EQ(segments[1].Low, 100);
  EXPECT_EQ(segments[1].High, 200);
  EXPECT_EQ(segments[1].Zip, 49093);
  EXPECT_EQ(segments[2].Low, 200);
  EXPECT_EQ(segments[2].High, 300);
  EXPECT_EQ(segments[3].High, 0);
  EXPECT_EQ(segments[4].High, 0);  // another street
}

TEST(AddressInterpolationTest, OneAddressGivesItsHundredBlock) {
  std::vector<StreetSegment> segments = {Block("SPRING ST", 0, 100), Block("SPRING ST", 100, 200)};
  InterpolateAddressRanges(
      segments, {Address("SPRING ST", "112", 150), Address("SPRING ST", "112", 160), Address("SPRING ST", "rear", 50)});
  EXPECT_EQ(segments[0].High, 0);
  EXPECT_EQ(segments[1].Low, 100);
  EXPECT_EQ(segments[1].High, 199);
}

TEST(AddressInterpolationTest, ThreeRiversAddressesFallInTheirRanges) {
  RawStreets raw = ReadEditorGraph(StreetTestData() / "three-rivers-mi.intro_graph.json");
  std::vector<StreetSegment> network = BuildStreetNetwork(std::move(raw.Lines), {}, {1, 3, 2999});
  InterpolateAddressRanges(network, raw.Addresses);
  std::size_t inRange = 0;
  for (const AddressPoint& address : raw.Addresses) {
    const std::int32_t number = std::stoi(address.Number);
    for (const StreetSegment& segment : network) {
      if (segment.Name == address.Street && segment.Low <= number && number <= segment.High) {
        ++inRange;
        break;
      }
    }
  }
  EXPECT_EQ(inRange, raw.Addresses.size());
}

}  // namespace
}  // namespace quelmar::builder
