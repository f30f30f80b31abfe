#include "control/search/closest_place.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>

#include "control/core/coordinate_format.h"
#include "control/core/errors.h"
#include "control/core/map_units.h"
#include "control/data/archive_input.h"
#include "control/data/data_path.h"
#include "control/data/drawing.h"
#include "control/data/drawing_reader.h"
#include "control/data/layer_archive.h"
#include "control/data/layer_archive_index.h"
#include "control/data/quad.h"
#include "control/data/name_unpack.h"
#include "control/search/search_box.h"
#include "control/search/title_case.h"

namespace quelmar::search {
namespace {

constexpr std::int32_t kPlaceQuadSize = 78125;  // 5 degrees

struct Best {
  double Miles = 0;
  std::string Line;
};

// Degrees in 11 decimals without trailing zeros or a trailing ".".
std::string ShortDegrees(double degrees) {
  std::string text = core::FormatFixed(degrees, 11);
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

bool PassesPopulation(std::int32_t population, const ClosestPlaceRequest& request) {
  if (request.Test > 0) return population > request.Population;
  if (request.Test < 0) return population < request.Population;
  return true;
}

void Consider(const data::PlaceObject& place, const ClosestPlaceRequest& request, std::int32_t x, std::int32_t y,
              Best& best) {
  const std::int32_t population = place.Population == INT32_MIN ? INT32_MAX : std::abs(place.Population);
  if (!PassesPopulation(population, request)) return;
  const std::optional<double> miles = DistanceMiles(x, y, place.Point.X, place.Point.Y);
  if (!miles || *miles >= request.RadiusMiles || *miles >= best.Miles) return;
  // Stored as a packed name; "*" first marks the national capital.
  std::string name = data::UnpackName(place.Name);
  if (name.starts_with('*')) name.erase(0, 1);
  best.Miles = *miles;
  best.Line = TitleCaseName(name).Str() + '\t' + std::to_string(place.County) + '\t' + std::to_string(population) + '\t' +
              core::FormatFixed(*miles, request.Decimals) + '\t' + ShortDegrees(place.Point.X * core::kDegreesPerUnit) +
              ',' + ShortDegrees(place.Point.Y * core::kDegreesPerUnit);
}

// The quad's rectangle from its name: columns and rows of 5 degrees in
// characters 2-3 and 4-5.
std::optional<data::MapBox> PlaceQuadBox(std::string_view name) {
  if (name.size() < 5) return std::nullopt;
  const int column = data::Base36Pair(name.substr(1, 2));
  const int row = data::Base36Pair(name.substr(3, 2));
  if (column < 0 || row < 0) return std::nullopt;
  const std::int32_t west = column * kPlaceQuadSize - data::kQuadColumnOrigin;
  const std::int32_t south = row * kPlaceQuadSize;
  return data::MapBox{west, south, west + kPlaceQuadSize, south + kPlaceQuadSize};
}

void ScanArchive(const ClosestPlaceRequest& request, std::int32_t x, std::int32_t y, std::int32_t half, Best& best) {
  const std::optional<std::filesystem::path> path = data::ResolveDataFile(request.CityFolder, kCityArchive);
  if (!path) return;
  try {
    auto input = std::make_shared<data::FileArchiveInput>(*path);
    const data::LayerIndex index = data::LayerIndex::Read(*input);
    for (std::size_t i = 0; i < index.Entries().size(); ++i) {
      const std::optional<data::MapBox> box = PlaceQuadBox(index.Entries()[i].name);
      if (!box || box->Right < x - half || box->Left > x + half || box->Top < y - half || box->Bottom > y + half) {
        continue;
      }
      data::Drawing drawing;
      try {
        const std::unique_ptr<data::ArchiveMemberSource> member = data::OpenLayerMember(input, index, i);
        data::ReadDrawing(*member, drawing);
      } catch (const Error&) {
        // A damaged quad still offers the places read before the damage.
      }
      for (const data::DrawObject& object : drawing.Objects()) {
        if (const data::PlaceObject* place = object.As<data::PlaceObject>()) Consider(*place, request, x, y, best);
      }
    }
  } catch (const Error&) {
    // An archive that cannot be opened, or whose index is damaged, has no places to offer.
  }
}

}  // namespace

std::string FindClosestPlace(const ClosestPlaceRequest& request) {
  if (!std::isfinite(request.Lon) || !std::isfinite(request.Lat) || std::abs(request.Lon) > 180 ||
      std::abs(request.Lat) > 90) {
    return {};
  }
  const std::int32_t x = static_cast<std::int32_t>(std::lround(request.Lon * core::kUnitsPerDegree));
  const std::int32_t y = static_cast<std::int32_t>(std::lround(request.Lat * core::kUnitsPerDegree));
  const std::optional<std::int32_t> half = SearchBoxHalfSize(x, y, request.RadiusMiles);
  if (!half) return {};
  Best best{request.RadiusMiles, {}};
  for (const data::PlaceObject& place : request.UserPlaces) Consider(place, request, x, y, best);
  ScanArchive(request, x, y, *half, best);
  return best.Line;
}

}  // namespace quelmar::search
