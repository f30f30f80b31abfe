// The gazetteer text: counties, places and county subdivisions by the length
// of their codes, centroids in radians, descriptions "Name, ST"; and the gzip
// reading under it.
#include "tools/quelmar-data/builder/inputs/gazetteer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <string>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/input_files.h"

namespace quelmar::builder {
namespace {

constexpr double kRadians = 3.14159265358979323846 / 180.0;

const char* const kSample =
    "# generated from public domain sources\r\n"
    "\r\n"
    "[fips17031]\r\n"
    "centroid = (0.7293010, -1.5285566)\r\n"
    "description = Cook County, IL\r\n"
    "zone = ('ilz014', 0.0001)\r\n"
    "\n"
    "[fips1714000]\n"
    "centroid = (0.7306929, -1.5297542)\n"
    "description = Chicago city, IL\n"
    "station = ('kmdw', 0.0012)\n"
    "\n"
    "[fips2500138715]\n"
    "description = Wareham town, MA\n"
    "centroid = (0.7275, -1.2324)\n"
    "\n"
    "[kord]\n"
    "centroid = (0.7330, -1.5340)\n"
    "description = Chicago O'Hare International Airport, IL\n"
    "\n"
    "[fips123]\n"
    "centroid = (0.1, 0.1)\n"
    "description = Not a code, XX\n"
    "\n"
    "[fips0100124]\n"
    "description = A place without a centroid, AL\n";

TEST(Gazetteer, ParsesTheThreeKindsOfSections) {
  const std::vector<GazetteerEntry> entries = ParseGazetteer(kSample);
  ASSERT_EQ(entries.size(), 3u);

  EXPECT_EQ(entries[0].Code, "17031");
  EXPECT_EQ(entries[0].Kind, GazetteerKind::County);
  EXPECT_EQ(entries[0].StateFips, 17);
  EXPECT_EQ(entries[0].Name, "Cook County");
  EXPECT_EQ(entries[0].StateCode, "IL");
  EXPECT_NEAR(entries[0].At.Lat, 0.7293010 / kRadians, 1e-9);
  EXPECT_NEAR(entries[0].At.Lon, -1.5285566 / kRadians, 1e-9);

  EXPECT_EQ(entries[1].Kind, GazetteerKind::Place);
  EXPECT_EQ(entries[1].Name, "Chicago city");
  EXPECT_NEAR(entries[1].At.Lat, 41.8656, 1e-4);
  EXPECT_NEAR(entries[1].At.Lon, -87.6485, 1e-4);

  // Keys may come in any order within a section.
  EXPECT_EQ(entries[2].Kind, GazetteerKind::CountySubdivision);
  EXPECT_EQ(entries[2].StateFips, 25);
  EXPECT_EQ(entries[2].Name, "Wareham town");
  EXPECT_EQ(entries[2].StateCode, "MA");
}

struct BadSection {
  const char* Label;
  const char* Text;
  const char* Message;
};

class GazetteerMalformed : public ::testing::TestWithParam<BadSection> {};

TEST_P(GazetteerMalformed, IsADataErrorWithItsLine) {
  try {
    ParseGazetteer(GetParam().Text);
    FAIL() << "no error";
  } catch (const DataError& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().Message), std::string::npos) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GazetteerMalformed,
    ::testing::Values(
        BadSection{"CentroidNotANumber", "[fips17031]\ncentroid = (north, -1.5)\n", "line 2: bad centroid"},
        BadSection{"CentroidWithoutParentheses", "[fips17031]\n\ncentroid = 0.7, -1.5\n", "line 3: bad centroid"},
        BadSection{"CentroidOneValue", "[fips17031]\ncentroid = (0.7)\n", "bad centroid"},
        BadSection{"CentroidOutOfRange", "[fips17031]\ncentroid = (0.7, -9.5)\n", "bad centroid"},
        BadSection{"DescriptionWithoutState", "[fips17031]\ncentroid = (0.7, -1.5)\ndescription = Cook County\n",
                   "line 3: description is not"},
        BadSection{"DescriptionWithLongState",
                   "[fips17031]\ncentroid = (0.7, -1.5)\ndescription = Cook County, Illinois\n", "description is not"}),
    [](const ::testing::TestParamInfo<BadSection>& info) { return std::string(info.param.Label); });

std::string Gzip(const std::string& text) {
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::string out(deflateBound(&stream, static_cast<uLong>(text.size())) + 32, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

TEST(Gazetteer, GzipMembersAreJoined) {
  const std::string first = "[fips17031]\ncentroid = (0.7293010, -1.5285566)\n";
  const std::string second = "description = Cook County, IL\n";
  EXPECT_EQ(GunzipBytes(Gzip(first) + Gzip(second), "test"), first + second);
}

TEST(Gazetteer, TruncatedGzipIsRefusedAtEveryByte) {
  const std::string compressed = Gzip(kSample);
  for (std::size_t length = 0; length < compressed.size(); ++length) {
    EXPECT_THROW(GunzipBytes(compressed.substr(0, length), "test"), DataError) << "cut at " << length;
  }
  std::string damaged = compressed;
  damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
  try {
    GunzipBytes(damaged, "test");  // a flipped bit may still inflate; it must not crash
  } catch (const DataError&) {
  }
}

TEST(Gazetteer, GzipOutputStopsAtTheLimit) {
  // 8 MiB of one byte deflates to a few kilobytes: a small bomb.
  const std::string inflated(std::size_t{8} << 20, 'x');
  const std::string bomb = Gzip(inflated);
  ASSERT_LT(bomb.size(), 64u << 10);
  EXPECT_EQ(GunzipBytes(bomb, "test", inflated.size()).size(), inflated.size());
  for (const std::size_t limit : {inflated.size() - 1, std::size_t{1} << 20, std::size_t{0}}) {
    try {
      GunzipBytes(bomb, "places.gz", limit);
      ADD_FAILURE() << "inflated past a limit of " << limit;
    } catch (const DataError& error) {
      EXPECT_EQ(std::string(error.what()), "places.gz: inflates past the limit of " + std::to_string(limit) + " bytes");
    }
  }
}

TEST(Gazetteer, TrailingBytesThatAreNotAMemberAreRefused) {
  const std::string compressed = Gzip("[fips17031]\n");
  for (const std::string& trailing : {std::string("x"), std::string(1, '\0'), std::string("\x1f\x8b")}) {
    EXPECT_THROW(GunzipBytes(compressed + trailing, "test"), DataError) << trailing.size();
  }
}

TEST(Gazetteer, TruncatedTextNeverCrashes) {
  const std::string text = kSample;
  for (std::size_t length = 0; length <= text.size(); ++length) {
    try {
      ParseGazetteer(std::string_view(text).substr(0, length));
    } catch (const DataError&) {
    }
  }
}

TEST(Gazetteer, MissingFileIsAnIoError) { EXPECT_THROW(ReadGazetteer("/nonexistent/quelmar/places.gz"), IoError); }

}  // namespace
}  // namespace quelmar::builder
