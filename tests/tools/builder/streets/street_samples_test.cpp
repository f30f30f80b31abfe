#include "tools/quelmar-data/builder/streets/street_samples.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "control/core/errors.h"
#include "tools/builder/streets/street_test_support.h"

namespace quelmar::builder {
namespace {

using street_testing::StreetTestData;

std::size_t Count(const StreetSample& sample, bool (*wanted)(const StreetSegment&)) {
  return static_cast<std::size_t>(std::count_if(sample.Segments.begin(), sample.Segments.end(), wanted));
}

TEST(StreetSamplesTest, BuildsTheFourRealSamples) {
  const auto started = std::chrono::steady_clock::now();
  const std::vector<StreetSample> samples = LoadStreetSamples(SampleFilesIn(StreetTestData()));
  RecordProperty(
      "load_ms",
      static_cast<int>(
          std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count()));
  ASSERT_EQ(samples.size(), 4u);
  const int fips[] = {17, 6, 26, 6};
  for (std::size_t i = 0; i < 4; ++i) {
    const StreetSample& sample = samples[i];
    EXPECT_EQ(sample.StateFips, fips[i]) << sample.Source;
    EXPECT_FALSE(sample.Synthetic);
    EXPECT_EQ(street_testing::CrossingsAwayFromVertices(sample.Segments), 0u) << sample.Source;
    const auto named = Count(sample, [](const StreetSegment& s) { return !s.Name.empty(); });
    const auto ranged = Count(sample, [](const StreetSegment& s) { return s.High > 0; });
    const auto components = street_testing::ComponentSizes(sample.Segments);
    RecordProperty("sample" + std::to_string(i) + "_segments", static_cast<int>(sample.Segments.size()));
    RecordProperty("sample" + std::to_string(i) + "_named", static_cast<int>(named));
    RecordProperty("sample" + std::to_string(i) + "_largest_component", static_cast<int>(components.front()));
    switch (i) {
      case 0:  // Chicago: grid ranges on most named streets
        EXPECT_GT(named, 30000u);
        EXPECT_GT(ranged, named / 2);
        break;
      case 1:  // San Francisco: no real ranges
        EXPECT_GT(named, 1000u);
        EXPECT_EQ(ranged, 0u);
        break;
      case 2:  // Three Rivers: ranges where its addresses are
        EXPECT_GT(named, 300u);
        EXPECT_GT(ranged, 5u);
        EXPECT_EQ(sample.Addresses.size(), 26u);
        break;
      case 3:  // West Oakland
        EXPECT_GT(named, 30u);
        EXPECT_EQ(ranged, 0u);
        break;
    }
  }
}

TEST(StreetSamplesTest, FetchedPackagesGiveTheSameSamples) {
  const char* inputs = std::getenv("QUELMAR_INPUTS");
  if (inputs == nullptr || !std::filesystem::is_directory(inputs)) GTEST_SKIP() << "QUELMAR_INPUTS is not set";
  const std::vector<StreetSample> fetched = LoadStreetSamples(SampleFilesInInputs(inputs));
  const std::vector<StreetSample> shared = LoadStreetSamples(SampleFilesIn(StreetTestData()));
  ASSERT_EQ(fetched.size(), shared.size());
  for (std::size_t i = 0; i < shared.size(); ++i) {
    ASSERT_EQ(fetched[i].Segments.size(), shared[i].Segments.size()) << shared[i].Source;
    for (std::size_t s = 0; s < shared[i].Segments.size(); ++s) {
      ASSERT_EQ(fetched[i].Segments[s].Points, shared[i].Segments[s].Points) << shared[i].Source;
      ASSERT_EQ(fetched[i].Segments[s].Name, shared[i].Segments[s].Name);
    }
  }
}

TEST(StreetSamplesTest, NamesTheMissingInput) {
  StreetSampleFiles files = SampleFilesIn(StreetTestData());
  files.WestOakland = StreetTestData() / "no-such.osm.bz2";
  try {
    LoadStreetSamples(files);
    FAIL() << "no error";
  } catch (const IoError& error) {
    EXPECT_NE(std::string(error.what()).find("no-such.osm.bz2"), std::string::npos);
  }
}

}  // namespace
}  // namespace quelmar::builder
