// The whole data tree from the real public inputs (skipped when they have not
// been fetched): it verifies, its base map covers the country, and a second
// build gives the same bytes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/tools/builder/streets/street_test_support.h"
#include "tools/quelmar-data/builder/inputs/national_inputs.h"
#include "tools/quelmar-data/builder/output/geometry.h"
#include "tools/quelmar-data/builder/output/map_tree.h"
#include "tools/quelmar-data/builder/output/verify_tree.h"
#include "tools/quelmar-data/builder/streets/street_samples.h"

namespace quelmar::builder {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(RealTree, BuildsVerifiesCoversTheCountryAndRepeatsByteForByte) {
  const char* inputs = std::getenv("QUELMAR_INPUTS");
  if (!inputs || !*inputs || !fs::exists(fs::path(inputs) / "npm" / "us-atlas")) {
    GTEST_SKIP() << "the public inputs are not fetched (scripts/fetch-inputs)";
  }
  const fs::path source = std::getenv("QUELMAR_TEST_SOURCE_DIR");
  NationalInputs national = LoadNationalInputs(inputs, source / "data" / "reference");
  DropEastOfAntimeridian(national);
  const std::vector<StreetSample> streets = LoadStreetSamples(SampleFilesIn(street_testing::StreetTestData()));
  const ZipCentroids zips = ZipCentroids::Load(fs::path(inputs) / "npm" / "zipcodes");

  const fs::path temp = fs::temp_directory_path() / ("real-tree-" + std::to_string(::getpid()));
  const auto quiet = [](const std::string&) {};
  WriteMapTree(national, streets, zips, temp / "a", quiet);
  WriteMapTree(national, streets, zips, temp / "b", quiet);

  std::ostringstream report;
  EXPECT_EQ(VerifyTree(temp / "a", VerifyOptions{}, report), 0) << report.str();

  // The base map reaches from the Aleutians and Hawaii to Maine and Florida.
  const DrawingArchive tarvo(temp / "a" / kBaseMapArchive);
  data::Drawing base;
  EXPECT_TRUE(ReadMember(tarvo, 0, data::ReadDrawingOptions{}, base).empty());
  ASSERT_TRUE(base.File().Extents);
  const data::DrawingExtents& e = *base.File().Extents;
  EXPECT_LE(e.X1, ToMapUnits(-178.0, 0).X);  // Aleutians
  EXPECT_GE(e.X2, ToMapUnits(-67.0, 0).X);   // Maine
  EXPECT_LE(e.Y1, ToMapUnits(0, 19.0).Y);    // Hawaii
  EXPECT_GE(e.Y2, ToMapUnits(0, 71.0).Y);    // Alaska's north coast

  std::size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(temp / "a")) {
    if (!entry.is_regular_file()) continue;
    EXPECT_EQ(Bytes(entry.path()), Bytes(temp / "b" / fs::relative(entry.path(), temp / "a"))) << entry.path();
    ++files;
  }
  EXPECT_GE(files, 14u);
  fs::remove_all(temp);
}

}  // namespace
}  // namespace quelmar::builder
