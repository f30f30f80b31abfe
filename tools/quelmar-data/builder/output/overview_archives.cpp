#include "tools/quelmar-data/builder/output/overview_archives.h"

#include "control/data/archive_writer.h"
#include "tools/quelmar-data/builder/output/geometry.h"
#include "tools/quelmar-data/builder/output/line_records.h"
#include "tools/quelmar-data/builder/output/map_names.h"
#include "tools/quelmar-data/builder/output/place_records.h"
#include "tools/quelmar-data/builder/output/quad_tiler.h"

namespace quelmar::builder {
namespace {

using data::QuadGrid;

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

OverviewArchive Finish(QuadTiler& tiler, const std::filesystem::path& folder, const std::string& folderName,
                       const std::string& name) {
  data::ArchiveWriter archive(data::ArchiveLayout::kLayerArchive);
  tiler.AddTo(archive);
  const std::filesystem::path path = folder / name;
  archive.WriteFile(path);
  return {folderName, name, archive.MemberCount(), std::filesystem::file_size(path)};
}

OverviewArchive WriteStates(const NationalInputs& in, const std::filesystem::path& folder) {
  QuadTiler tiler(QuadGrid::Overview, "95");
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
  return Finish(tiler, folder, "DATA1", "mstate.zpx");
}

OverviewArchive WriteCounties(const NationalInputs& in, const std::filesystem::path& folder) {
  QuadTiler tiler(QuadGrid::Overview, "93");
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
  return Finish(tiler, folder, "DATA1", "Mcnty.zpx");
}

OverviewArchive WriteWater(const NationalInputs& in, const std::filesystem::path& folder) {
  QuadTiler tiler(QuadGrid::Overview, "94");
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
  return Finish(tiler, folder, "DATA1", "mhydro.zpx");
}

// Points, each in the quad that holds it.
template <typename Item, typename Write>
OverviewArchive WritePoints(const std::vector<Item>& items, const std::string& suffix, std::uint8_t code,
                            const std::filesystem::path& folder, const std::string& folderName,
                            const std::string& name, Write write) {
  QuadTiler tiler(QuadGrid::Overview, suffix);
  for (const Item& item : items) {
    const auto quad = tiler.QuadHolding(item.At);
    if (!quad) continue;
    data::DrawingWriter& writer = tiler.Drawing(*quad);
    writer.FeatureCode(code);
    write(writer, item);
  }
  return Finish(tiler, folder, folderName, name);
}

OverviewArchive WriteNetwork(const NationalInputs& in, const std::filesystem::path& folder) {
  QuadTiler tiler(QuadGrid::Network, "");
  for (const HighwayRoute& route : in.Highways) {
    tiler.TileLine(route.Points, route.Interstate ? FeatureCodeOf("A11") : FeatureCodeOf("A21"),
                   RouteName(route.Route));
  }
  return Finish(tiler, folder, "DATA1", "mrte.zpx");
}

OverviewArchive WriteExtra(const NationalInputs& in, const std::filesystem::path& folder) {
  QuadTiler tiler(QuadGrid::Extra, "00");
  TileRings(tiler, in.Nation, kCountryCode, {}, true, kExtraTolerance);
  TileRings(tiler, in.Neighbours, kCountryCode, {}, true, kExtraTolerance);
  return Finish(tiler, folder, "DATA1", "MXtra.zpx");
}

OverviewArchive WriteLandmarks(const NationalInputs& in, const std::vector<Landmark>& extra,
                               const std::filesystem::path& folder) {
  QuadTiler tiler(QuadGrid::Land, "96");
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
  return Finish(tiler, folder, "DATA2", "Mland.zpx");
}

}  // namespace

std::vector<OverviewArchive> WriteOverviewArchives(const NationalInputs& inputs,
                                                   const std::vector<Landmark>& extraLandmarks,
                                                   const std::filesystem::path& data1,
                                                   const std::filesystem::path& data2,
                                                   const std::function<void(const std::string&)>& progress) {
  std::vector<OverviewArchive> written;
  progress("DATA1/mstate.zpx");
  written.push_back(WriteStates(inputs, data1));
  progress("DATA1/Mcnty.zpx");
  written.push_back(WriteCounties(inputs, data1));
  progress("DATA1/mhydro.zpx");
  written.push_back(WriteWater(inputs, data1));
  progress("DATA1/Mcity.zpx");
  written.push_back(WritePoints(inputs.Places, "98", kPlaceNameCode, data1, "DATA1", "Mcity.zpx",
                                [](data::DrawingWriter& w, const Place& place) {
                                  WritePlaces(w, {place}, [](const Place&) { return true; });
                                }));
  progress("DATA1/Mair.zpx");
  written.push_back(WritePoints(inputs.Airports, "97", kLandmarkCode, data1, "DATA1", "Mair.zpx",
                                [](data::DrawingWriter& w, const Airport& airport) {
                                  WriteLandmarkPoint(w, airport.Name, airport.At);
                                }));
  progress("DATA1/mrte.zpx");
  written.push_back(WriteNetwork(inputs, data1));
  progress("DATA1/MXtra.zpx");
  written.push_back(WriteExtra(inputs, data1));
  progress("DATA2/Mland.zpx");
  written.push_back(WriteLandmarks(inputs, extraLandmarks, data2));
  return written;
}

}  // namespace quelmar::builder
