#include "tools/quelmar-data/builder/zip_centroids.h"

#include <algorithm>

#include <cctype>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/input_files.h"
#include "tools/quelmar-data/builder/json_text.h"

namespace quelmar::builder {
namespace {

constexpr std::int32_t kCell = 2500;      // map units, 0.16°
constexpr double kMaxDistance = 2500.0;   // about 10 miles of latitude

std::int64_t CellKey(std::int64_t cx, std::int64_t cy) { return cx * 1000003 + cy; }
std::int64_t CellOf(std::int32_t v) { return static_cast<std::int64_t>(std::floor(double(v) / kCell)); }

// A string member of an entry; "" when it is missing or not a string
// (nlohmann's value() would throw its own exception for the latter).
std::string StringMember(const nlohmann::json& entry, const char* key) {
  const auto found = entry.find(key);
  return found != entry.end() && found->is_string() ? found->get<std::string>() : std::string();
}

}  // namespace

ZipCentroids::ZipCentroids(std::vector<ZipCentroid> zips) : zips_(std::move(zips)) {
  for (std::size_t i = 0; i < zips_.size(); ++i) {
    cells_[CellKey(CellOf(zips_[i].At.X), CellOf(zips_[i].At.Y))].push_back(i);
    byCode_.push_back(i);
  }
  std::stable_sort(byCode_.begin(), byCode_.end(), [this](std::size_t a, std::size_t b) { return zips_[a].Zip < zips_[b].Zip; });
}

ZipCentroids ZipCentroids::Load(const std::filesystem::path& package) {
  const std::filesystem::path path = package / "lib" / "codes.js";
  return Parse(ReadWholeFile(path), path.string());
}

ZipCentroids ZipCentroids::Parse(std::string_view text, const std::string& what) {
  // The file is a script: "exports.codes = {...};" then other exports.
  const auto start = text.find("exports.codes");
  const auto brace = start == std::string_view::npos ? start : text.find('{', start);
  if (brace == std::string_view::npos) throw DataError(what + ": no ZIP table");
  auto end = text.find("exports.", brace);
  if (end == std::string_view::npos) end = text.size();
  std::string_view body = text.substr(brace, end - brace);
  while (!body.empty() && (body.back() == ';' || std::isspace(static_cast<unsigned char>(body.back())))) {
    body.remove_suffix(1);
  }
  const nlohmann::json table = ParseJsonText(body, what + ": the ZIP table");
  if (!table.is_object()) throw DataError(what + ": the ZIP table is not a JSON object");
  std::vector<ZipCentroid> zips;
  for (const auto& [key, entry] : table.items()) {
    if (!entry.is_object() || StringMember(entry, "country") != "US") continue;
    const auto lat = entry.find("latitude"), lon = entry.find("longitude");
    if (lat == entry.end() || lon == entry.end() || !lat->is_number() || !lon->is_number()) continue;
    if (key.size() != 5 || key.find_first_not_of("0123456789") != std::string::npos) continue;
    try {
      zips.push_back({std::stoi(key), StringMember(entry, "state"), ToMapUnits(lon->get<double>(), lat->get<double>()),
                      StringMember(entry, "city")});
    } catch (const std::invalid_argument&) {
      continue;  // a centroid outside the globe is a fault of that entry only
    }
  }
  return ZipCentroids(std::move(zips));
}

const ZipCentroid* ZipCentroids::NearestCentroid(const std::string& stateCode, TMapPoint point) const {
  double best = kMaxDistance;
  const ZipCentroid* nearest = nullptr;
  const std::int64_t cx = CellOf(point.X), cy = CellOf(point.Y);
  for (std::int64_t dx = -1; dx <= 1; ++dx) {
    for (std::int64_t dy = -1; dy <= 1; ++dy) {
      const auto it = cells_.find(CellKey(cx + dx, cy + dy));
      if (it == cells_.end()) continue;
      for (const std::size_t i : it->second) {
        const ZipCentroid& z = zips_[i];
        if (z.StateCode != stateCode) continue;
        const double d = std::hypot(double(z.At.X) - point.X, double(z.At.Y) - point.Y);
        if (d < best || (d == best && nearest && z.Zip < nearest->Zip)) best = d, nearest = &z;
      }
    }
  }
  return nearest;
}

std::int32_t ZipCentroids::Nearest(const std::string& stateCode, TMapPoint point) const {
  const ZipCentroid* nearest = NearestCentroid(stateCode, point);
  return nearest ? nearest->Zip : 0;
}

const ZipCentroid* ZipCentroids::Find(std::int32_t zip) const {
  const auto it = std::lower_bound(byCode_.begin(), byCode_.end(), zip,
                                   [this](std::size_t i, std::int32_t code) { return zips_[i].Zip < code; });
  return it != byCode_.end() && zips_[*it].Zip == zip ? &zips_[*it] : nullptr;
}

}  // namespace quelmar::builder
