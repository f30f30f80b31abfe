#include "tools/quelmar-data/builder/output/overview_archives.h"

#include "control/data/archive_catalogue.h"
#include "control/data/archive_writer.h"
#include "tools/quelmar-data/builder/output/geometry.h"
#include "tools/quelmar-data/builder/output/line_records.h"
#include "tools/quelmar-data/builder/output/map_names.h"
#include "tools/quelmar-data/builder/output/place_records.h"
#include "tools/quelmar-data/builder/output/quad_tiler.h"

namespace quelmar::builder {
namespace {

using data::Layer;
using data::LayerArchiveEntry;

// Detail of the overview layers, in map units: they show from about 50 miles
// to 2 miles an inch, where a pixel covers 5 to 100 units.
constexpr double kAreaTolerance = 8;
constexpr double kExtraTolerance = 400;  // the extra overview is for the continent

constexpr std::uint8_t kCountryCode = 0;
constexpr std::uint8_t kStateBoundaryCode = 1;
constexpr std::uint8_t kStateInteriorCode = 2;
constexpr std::uint8_t kCountyBoundaryCode = 5;
constexpr std::uint8_t kHydroCode = 23;

// Writes `rings` cut to each quad they meet: as filled areas with
// `attributes`, or as outlines when `asLines` is set.
void TileRings(QuadTiler& tiler, const std::vector<Ring>& rings, std::uint8_t code, const data::Attributes& attributes,
               bool asLines, double tolerance) {
  for (const Ring& raw : rings) {
    const Ring ring = SimplifyRing(raw, tolerance);
    const auto box = BoundsOf(ring);
    if (!box) continue;
    tiler.ForEachQuad(*box, [&](const data::Quad& quad, const data::MapBox& cell) {
      std::vector<Line> parts;
      if (asLines) {
        parts = ClipLine(ring, cell);
      } else if (Ring clipped = ClipRing(ring, cell); !clipped.empty()) {
        parts.push_back(std::move(clipped));
      }
      if (parts.empty()) return;
      data::DrawingWriter& writer = tiler.Drawing(quad);
      writer.FeatureCode(code);
      for (const Line& part : parts) WriteLine(writer, part, attributes, tiler.Base(quad));
    });
  }
}

// A tiler of the archive's grid whose members take the archive's suffix.
QuadTiler TilerOf(const LayerArchiveEntry& entry) { return QuadTiler(entry.Grid, std::string(entry.Suffix)); }

OverviewArchive Finish(QuadTiler& tiler, const std::filesystem::path& folder, const LayerArchiveEntry& entry) {
  data::ArchiveWriter archive(data::ArchiveLayout::kLayerArchive);
  tiler.AddTo(archive);
  const std::string name(entry.Name);
  const std::filesystem::path path = folder / name;
  archive.WriteFile(path);
  return {std::string(data::FolderName(entry.Folder)), name, archive.MemberCount(), std::filesystem::file_size(path)};
}

OverviewArchive WriteStates(const NationalInputs& in, const LayerArchiveEntry& entry,
                            const std::filesystem::path& folder) {
  QuadTiler tiler = TilerOf(entry);
  for (const StateArea& state : in.States) {
    TileRings(tiler, state.Rings, kStateInteriorCode, {state.Fips, 0, 0}, false, kAreaTolerance);
    TileRings(tiler, state.Rings, kStateBoundaryCode, {}, true, kAreaTolerance);
    const auto at = LabelPointOf(state.Rings);
    const auto quad = at ? tiler.QuadHolding(*at) : std::nullopt;
    if (quad) {
      data::DrawingWriter& writer = tiler.Drawing(*quad);
      writer.FeatureCode(kStateInteriorCode);
      writer.Label(data::opcode::kAbsoluteLabel, *at, StoredLabel(state.Code + "\\" + UpperAscii(state.Name)));
    }
  }
  return Finish(tiler, folder, entry);
}

OverviewArchive WriteCounties(const NationalInputs& in, const LayerArchiveEntry& entry,
                            const std::filesystem::path& folder) {
  QuadTiler tiler = TilerOf(entry);
  for (const CountyArea& county : in.Counties) {
    TileRings(tiler, county.Rings, kCountyBoundaryCode, {county.AreaCode(), 0, 0}, true, kAreaTolerance);
    const auto at = LabelPointOf(county.Rings);
    const auto quad = at ? tiler.QuadHolding(*at) : std::nullopt;
    if (quad) {
      data::DrawingWriter& writer = tiler.Drawing(*quad);
      writer.FeatureCode(kCountyBoundaryCode);
      // "?5": written centred, without a symbol, in the county colour.
      WriteLandmarkPoint(writer, "?5" + county.Name, *at);
    }
  }
  return Finish(tiler, folder, entry);
}

OverviewArchive WriteWater(const NationalInputs& in, const LayerArchiveEntry& entry,
                            const std::filesystem::path& folder) {
  QuadTiler tiler = TilerOf(entry);
  for (const WaterArea& lake : in.Lakes) {
    TileRings(tiler, lake.Rings, kHydroCode, {}, false, kAreaTolerance);
    const auto at = lake.Name.empty() ? std::nullopt : LabelPointOf(lake.Rings);
    const auto quad = at ? tiler.QuadHolding(*at) : std::nullopt;
    if (quad) {
      data::DrawingWriter& writer = tiler.Drawing(*quad);
      writer.FeatureCode(kHydroCode);
      writer.Label(data::opcode::kAbsoluteLabel, *at, StoredLabel(UpperAscii(lake.Name)));
    }
  }
  for (const WaterLine& river : in.Rivers) tiler.TileLine(SimplifyLine(river.Points, kAreaTolerance), FeatureCodeOf("H11"));
  for (const Line& coast : in.Coastline) tiler.TileLine(SimplifyLine(coast, kAreaTolerance), FeatureCodeOf("H01"));
  return Finish(tiler, folder, entry);
}

// Points, each in the quad that holds it.
template <typename Item, typename Write>
OverviewArchive WritePoints(const std::vector<Item>& items, std::uint8_t code, const LayerArchiveEntry& entry,
                            const std::filesystem::path& folder, Write write) {
  QuadTiler tiler = TilerOf(entry);
  for (const Item& item : items) {
    const auto quad = tiler.QuadHolding(item.At);
    if (!quad) continue;
    data::DrawingWriter& writer = tiler.Drawing(*quad);
    writer.FeatureCode(code);
    write(writer, item);
  }
  return Finish(tiler, folder, entry);
}

OverviewArchive WriteNetwork(const NationalInputs& in, const LayerArchiveEntry& entry,
                            const std::filesystem::path& folder) {
  QuadTiler tiler = TilerOf(entry);
  for (const HighwayRoute& route : in.Highways) {
    tiler.TileLine(route.Points, route.Interstate ? FeatureCodeOf("A11") : FeatureCodeOf("A21"),
                   RouteName(route.Route));
  }
  return Finish(tiler, folder, entry);
}

OverviewArchive WriteExtra(const NationalInputs& in, const LayerArchiveEntry& entry,
                            const std::filesystem::path& folder) {
  QuadTiler tiler = TilerOf(entry);
  TileRings(tiler, in.Nation, kCountryCode, {}, true, kExtraTolerance);
  TileRings(tiler, in.Neighbours, kCountryCode, {}, true, kExtraTolerance);
  return Finish(tiler, folder, entry);
}

OverviewArchive WriteLandmarks(const NationalInputs& in, const std::vector<Landmark>& extra,
                               const LayerArchiveEntry& entry, const std::filesystem::path& folder) {
  QuadTiler tiler = TilerOf(entry);
  std::vector<Landmark> all = in.Landmarks;
  all.insert(all.end(), extra.begin(), extra.end());
  for (const Landmark& landmark : all) {
    if (landmark.Kind == LandmarkKind::Water) continue;  // named with the water layer
    const std::uint8_t areaCode = landmark.Kind == LandmarkKind::Park ? FeatureCodeOf("D85") : FeatureCodeOf("D50");
    TileRings(tiler, landmark.Rings, areaCode, {}, false, 0);
    const auto quad = tiler.QuadHolding(landmark.At);
    if (!quad) continue;
    data::DrawingWriter& writer = tiler.Drawing(*quad);
    writer.FeatureCode(kLandmarkCode);
    WriteLandmarkPoint(writer, landmark.Name, landmark.At);
  }
  return Finish(tiler, folder, entry);
}

}  // namespace

std::vector<OverviewArchive> WriteOverviewArchives(const NationalInputs& inputs,
                                                   const std::vector<Landmark>& extraLandmarks,
                                                   const std::filesystem::path& data1,
                                                   const std::filesystem::path& data2,
                                                   const std::function<void(const std::string&)>& progress) {
  std::vector<OverviewArchive> written;
  // Announces the archive of `layer` and writes it with `write(entry, folder)`.
  auto next = [&](Layer layer, const auto& write) {
    const LayerArchiveEntry& entry = data::LayerArchiveOf(layer);
    progress(std::string(data::FolderName(entry.Folder)) + "/" + std::string(entry.Name));
    written.push_back(write(entry, entry.Folder == data::ArchiveFolder::Data2 ? data2 : data1));
  };
  using Folder = std::filesystem::path;
  next(Layer::State, [&](const LayerArchiveEntry& e, const Folder& f) { return WriteStates(inputs, e, f); });
  next(Layer::County, [&](const LayerArchiveEntry& e, const Folder& f) { return WriteCounties(inputs, e, f); });
  next(Layer::Hydro, [&](const LayerArchiveEntry& e, const Folder& f) { return WriteWater(inputs, e, f); });
  next(Layer::City, [&](const LayerArchiveEntry& e, const Folder& f) {
    return WritePoints(inputs.Places, kPlaceNameCode, e, f, [](data::DrawingWriter& w, const Place& place) {
      WritePlaces(w, {place}, [](const Place&) { return true; });
    });
  });
  next(Layer::Air, [&](const LayerArchiveEntry& e, const Folder& f) {
    return WritePoints(inputs.Airports, kLandmarkCode, e, f, [](data::DrawingWriter& w, const Airport& airport) {
      WriteLandmarkPoint(w, airport.Name, airport.At);
    });
  });
  next(Layer::Network, [&](const LayerArchiveEntry& e, const Folder& f) { return WriteNetwork(inputs, e, f); });
  next(Layer::Extra, [&](const LayerArchiveEntry& e, const Folder& f) { return WriteExtra(inputs, e, f); });
  next(Layer::Landmark,
       [&](const LayerArchiveEntry& e, const Folder& f) { return WriteLandmarks(inputs, extraLandmarks, e, f); });
  return written;
}

}  // namespace quelmar::builder
