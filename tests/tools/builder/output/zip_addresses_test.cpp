// The ZIP table built from the public ZIP codes, checked against real
// addresses (shared test data): how many ZIP codes it finds exactly, and how
// far its point lies from the address. Skipped when the inputs are not fetched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>

#include "control/core/map_units.h"
#include "control/search/search_box.h"
#include "control/search/zip_lookup.h"
#include "tools/quelmar-data/builder/inputs/search_points.h"
#include "tools/quelmar-data/builder/output/search_tables.h"

namespace quelmar::builder {
namespace {

namespace fs = std::filesystem;

TEST(ZipAddresses, RealAddressesFindTheirZipCodeNearby) {
  const char* inputs = std::getenv("QUELMAR_INPUTS");
  const fs::path addresses =
      fs::path(std::getenv("QUELMAR_TEST_SOURCE_DIR")) / ".." / "shared" / "testdata" / "addresses" / "addresses-us-all.json";
  if (!inputs || !*inputs || !fs::exists(fs::path(inputs) / "npm" / "zipcodes") || !fs::exists(addresses)) {
    GTEST_SKIP() << "the ZIP codes or the addresses are not at hand";
  }
  const std::string table = ZipTableBytes(ZipPointsOf(ZipCentroids::Load(fs::path(inputs) / "npm" / "zipcodes")));
  const data::TableBytes bytes(reinterpret_cast<const std::uint8_t*>(table.data()), table.size());

  std::ifstream in(addresses);
  const nlohmann::json json = nlohmann::json::parse(in);
  std::size_t total = 0, exact = 0;
  std::vector<double> miles;
  for (const nlohmann::json& address : json.at("addresses")) {
    const std::string zip = address.value("postalCode", "");
    if (zip.size() != 5 || zip.find_first_not_of("0123456789") != std::string::npos) continue;
    ++total;
    const auto hit = search::FindZipCode(bytes, std::stoi(zip));
    if (!hit || hit->Record.Zip != std::stoi(zip)) continue;
    ++exact;
    const search::TablePoint point = search::TablePointOf(hit->Record.LonWest, hit->Record.LatNorth);
    const double lon = address.at("coordinates").at("lng").get<double>();
    const double lat = address.at("coordinates").at("lat").get<double>();
    const auto d = search::DistanceMiles(point.X, point.Y, static_cast<std::int32_t>(std::lround(lon * core::kUnitsPerDegree)),
                                         static_cast<std::int32_t>(std::lround(lat * core::kUnitsPerDegree)));
    if (d) miles.push_back(*d);
  }
  ASSERT_GT(total, 3000u);
  std::sort(miles.begin(), miles.end());
  const double median = miles.empty() ? 0 : miles[miles.size() / 2];
  const double p90 = miles.empty() ? 0 : miles[miles.size() * 9 / 10];
  std::printf("ZIP codes of %zu addresses: %zu found exactly (%.1f%%); from the ZIP point to the address: median %.2f mi, "
              "90th percentile %.2f mi\n",
              total, exact, 100.0 * exact / total, median, p90);
  EXPECT_GT(exact, total * 95 / 100);
  EXPECT_LT(median, 5.0);
}

}  // namespace
}  // namespace quelmar::builder
