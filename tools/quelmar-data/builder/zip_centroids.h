#pragma once
// ZIP code centroids (the npm "zipcodes" package's table), for giving street
// segments without a ZIP code of their own the ZIP code nearest to them.
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

struct ZipCentroid {
  std::int32_t Zip = 0;
  std::string StateCode;
  TMapPoint At;
  std::string City;  // as the table writes it: "Chicago"
};

class ZipCentroids {
 public:
  ZipCentroids() = default;
  explicit ZipCentroids(std::vector<ZipCentroid> zips);

  // Reads lib/codes.js of the package folder. Throws DataError or IoError.
  static ZipCentroids Load(const std::filesystem::path& package);
  // The same from the script's text: "exports.codes = {...};" and other
  // exports. Entries that are not United States ZIP codes with a position
  // are passed over; DataError naming `what` when there is no such table
  // or it is not a JSON object.
  static ZipCentroids Parse(std::string_view text, const std::string& what);

  // The ZIP code of `stateCode` nearest to `point` within about 10 miles, or 0.
  std::int32_t Nearest(const std::string& stateCode, TMapPoint point) const;
  // The same centroid, with its city; null when none is that near.
  const ZipCentroid* NearestCentroid(const std::string& stateCode, TMapPoint point) const;
  // The centroid of `zip`; null when the table has none.
  const ZipCentroid* Find(std::int32_t zip) const;
  std::size_t Size() const { return zips_.size(); }
  const std::vector<ZipCentroid>& All() const { return zips_; }

 private:
  std::vector<ZipCentroid> zips_;
  std::unordered_map<std::int64_t, std::vector<std::size_t>> cells_;  // by 0.16° cell
  std::vector<std::size_t> byCode_;  // indexes in ZIP code order
};

}  // namespace quelmar::builder
