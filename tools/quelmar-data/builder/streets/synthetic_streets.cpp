#include "tools/quelmar-data/builder/streets/synthetic_streets.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "control/core/errors.h"

namespace quelmar::builder {

namespace {

constexpr int kMaxStreets = 1000;
constexpr double kMilesPerDegreeLat = 69.05;

std::string Ordinal(int number) {
  const int lastTwo = number % 100;
  const char* suffix = "TH";
  if (lastTwo < 11 || lastTwo > 13) {
    switch (number % 10) {
      case 1:
        suffix = "ST";
        break;
      case 2:
        suffix = "ND";
        break;
      case 3:
        suffix = "RD";
        break;
      default:
        break;
    }
  }
  return std::to_string(number) + suffix;
}

}  // namespace

StreetSample MakeSyntheticStreets(const SyntheticStreetOptions& options) {
  const int count = options.StreetsEachWay;
  if (count < 2 || count > kMaxStreets) {
    throw ArgumentError("synthetic streets: " + std::to_string(count) + " streets each way is outside 2.." +
                        std::to_string(kMaxStreets));
  }
  if (!(options.BlockMiles > 0) || !std::isfinite(options.BlockMiles)) {
    throw ArgumentError("synthetic streets: the block size must be a positive number of miles");
  }
  const double latStep = options.BlockMiles / kMilesPerDegreeLat;
  const double lonStep = latStep / std::cos(options.CenterLat * core::kRadiansPerDegree);
  const double west = options.CenterLon - lonStep * (count - 1) / 2;
  const double south = options.CenterLat - latStep * (count - 1) / 2;

  StreetSample sample;
  char source[160];
  std::snprintf(source, sizeof source, "synthetic: %d x %d street grid around %.4f, %.4f", count, count,
                options.CenterLon, options.CenterLat);
  sample.Source = source;
  sample.StateFips = options.StateFips;
  sample.Synthetic = true;
  try {
    std::vector<TMapPoint> corners;  // row-major from the south-west, `count` to a row
    corners.reserve(static_cast<std::size_t>(count) * count);
    for (int row = 0; row < count; ++row) {
      for (int column = 0; column < count; ++column) {
        corners.push_back(ToMapUnits(west + column * lonStep, south + row * latStep));
      }
    }
    const auto at = [&](int row, int column) { return corners[static_cast<std::size_t>(row) * count + column]; };
    for (int street = 0; street < count; ++street) {
      const std::string cfcc = street % 8 == 7 ? "A31" : "A41";
      for (int block = 0; block + 1 < count; ++block) {
        const std::int32_t low = (block + 1) * 100;
        StreetSegment eastWest;
        eastWest.Name = Ordinal(street + 1) + " ST";
        eastWest.Cfcc = cfcc;
        eastWest.Points = {at(street, block), at(street, block + 1)};
        eastWest.Low = low;
        eastWest.High = low + 99;
        sample.Segments.push_back(std::move(eastWest));
        StreetSegment northSouth;
        northSouth.Name = Ordinal(street + 1) + " AVE";
        northSouth.Cfcc = cfcc;
        northSouth.Points = {at(block, street), at(block + 1, street)};
        northSouth.Low = low;
        northSouth.High = low + 99;
        sample.Segments.push_back(std::move(northSouth));
      }
    }
  } catch (const std::invalid_argument&) {
    throw ArgumentError("synthetic streets: the grid does not fit on the globe at this centre and size");
  }
  return sample;
}

}  // namespace quelmar::builder
