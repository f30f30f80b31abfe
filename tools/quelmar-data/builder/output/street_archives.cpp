#include "tools/quelmar-data/builder/output/street_archives.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <set>
#include <tuple>

#include "control/data/archive_catalogue.h"
#include "control/data/archive_writer.h"
#include "control/data/drawing_writer.h"
#include "control/data/quad.h"
#include "control/data/state_table.h"
#include "tools/quelmar-data/builder/output/geometry.h"
#include "tools/quelmar-data/builder/output/line_records.h"
#include "tools/quelmar-data/builder/output/map_names.h"
#include "tools/quelmar-data/builder/output/quad_tiler.h"

namespace quelmar::builder {
namespace {

// Feature codes of the naming labels: state, county and place.
constexpr std::uint8_t kStateNameCode = 2;
constexpr std::uint8_t kCountyNameCode = 5;
constexpr std::uint8_t kPlaceNameCode = 7;
constexpr std::size_t kMaxZipsPerMember = 255;  // the attribute index is one byte

// A street line with what names it.
struct NamedSegment {
  const StreetSegment* Segment = nullptr;
  std::string County;  // naming labels; empty when not known
  std::string Place;
};

TMapPoint Midpoint(const Line& line) { return line[line.size() / 2]; }

// The county and nearby place of each street, found once per street.
class Locator {
 public:
  Locator(const NationalInputs& inputs, int stateFips) {
    for (const CountyArea& county : inputs.Counties) {
      if (county.StateFips == stateFips) counties_.push_back({&county, *BoundsOf(county.Rings)});
    }
    for (const Place& place : inputs.Places) {
      if (place.StateFips == stateFips) places_.push_back(&place);
    }
  }

  std::string CountyAt(TMapPoint p) const {
    for (const auto& [county, box] : counties_) {
      if (data::BoxContains(box, p.X, p.Y) && InsideRings(county->Rings, p)) return UpperAscii(county->Name);
    }
    return {};
  }

  // The place whose reach holds the point most nearly at its centre, else
  // the nearest place within about ten miles. A place reaches as far as a
  // circle of its population at 6,000 people per square mile (Chicago about
  // twelve miles), and at least two miles: a small town beside a big city
  // keeps its own streets, and a big city's streets far from its centre
  // point are still its own.
  std::string PlaceAt(TMapPoint p) const {
    constexpr double kUnitsPerMile = 226.3;  // north-south; east-west shrinks with the latitude
    constexpr double kPeoplePerSquareMile = 6000;
    constexpr double kLeastReachMiles = 2;
    const double eastWest = std::cos(p.Y * 0.000064 * std::numbers::pi / 180);
    const Place* best = nullptr;
    double bestShare = 1;
    const Place* nearest = nullptr;
    double nearestMiles = 10;
    for (const Place* place : places_) {
      const double miles = std::hypot((double(place->At.X) - p.X) * eastWest, double(place->At.Y) - p.Y) / kUnitsPerMile;
      const double reach = std::max(kLeastReachMiles,
                                    std::sqrt(std::max(0, place->Population) / (kPeoplePerSquareMile * std::numbers::pi)));
      if (miles / reach < bestShare) best = place, bestShare = miles / reach;
      if (miles < nearestMiles) nearest = place, nearestMiles = miles;
    }
    const Place* chosen = best ? best : nearest;
    return chosen ? UpperAscii(chosen->Name) : std::string{};
  }

 private:
  std::vector<std::pair<const CountyArea*, data::MapBox>> counties_;
  std::vector<const Place*> places_;
};

// The place a street is named in: the city of its ZIP code (its own, else
// the nearest), which is the name its addresses are written with; else the
// place the locator finds near it.
std::string PlaceOf(const StreetSegment& segment, TMapPoint at, const std::string& stateCode, const Locator& locator,
                    const ZipCentroids& zips) {
  const ZipCentroid* zip = segment.Zip != 0 ? zips.Find(segment.Zip) : zips.NearestCentroid(stateCode, at);
  if (zip && !zip->City.empty()) return UpperAscii(zip->City);
  return locator.PlaceAt(at);
}

// One member of a street archive and the streets it holds.
struct MemberContent {
  data::MapBox Cell;
  std::vector<NamedSegment> Streets;
};

std::vector<std::uint8_t> WriteMember(const MemberContent& content, const std::string& stateCode,
                                      const ZipCentroids& zips) {
  // Extents: the cell, widened to streets that reach beyond it.
  data::MapBox box = content.Cell;
  for (const NamedSegment& s : content.Streets) box = Union(box, *BoundsOf(s.Segment->Points));
  data::DrawingWriter writer(kStreetDataVersion);
  writer.Extents(box.Left, box.Right, box.Bottom, box.Top);
  const TMapPoint base{box.Left, box.Bottom};

  // The ZIP codes the member's streets lie in: its index list.
  std::vector<std::int32_t> zipOf;
  std::set<std::int32_t> zipSet;
  for (const NamedSegment& s : content.Streets) {
    std::int32_t zip = s.Segment->Zip != 0 ? s.Segment->Zip : zips.Nearest(stateCode, Midpoint(s.Segment->Points));
    zipOf.push_back(zip);
    if (zip != 0) zipSet.insert(zip);
  }
  std::vector<std::int32_t> zipList(zipSet.begin(), zipSet.end());
  if (zipList.size() > kMaxZipsPerMember) zipList.resize(kMaxZipsPerMember);
  auto zipIndex = [&](std::int32_t zip) -> std::uint8_t {
    const auto it = std::lower_bound(zipList.begin(), zipList.end(), zip);
    return it != zipList.end() && *it == zip ? static_cast<std::uint8_t>(it - zipList.begin() + 1) : 0;
  };

  writer.FeatureCode(kStateNameCode);
  writer.Label(data::opcode::kAbsoluteLabel, {0, 0}, stateCode);
  if (!zipList.empty()) writer.IndexList(zipList);

  // Streets in the order county, place, name (unnamed first), then as built.
  std::vector<std::size_t> order(content.Streets.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const NamedSegment& x = content.Streets[a];
    const NamedSegment& y = content.Streets[b];
    return std::tie(x.County, x.Place, x.Segment->Name) < std::tie(y.County, y.Place, y.Segment->Name);
  });

  std::string county = "\x01", place = "\x01", name = "\x01";
  int code = -1;
  for (const std::size_t i : order) {
    const NamedSegment& s = content.Streets[i];
    if (s.County != county) {
      if (!name.empty() && name != "\x01") writer.GroupMark();
      writer.FeatureCode(kCountyNameCode), code = -1;
      writer.Label(data::opcode::kAbsoluteLabel, {0, 0}, StoredLabel(s.County.empty() ? "?" : s.County));
      county = s.County, place = "\x01", name = "\x01";
    }
    if (s.Place != place) {
      if (!name.empty() && name != "\x01") writer.GroupMark();
      writer.FeatureCode(kPlaceNameCode), code = -1;
      writer.Label(data::opcode::kAbsoluteLabel, {0, 0}, StoredLabel(s.Place.empty() ? "?" : s.Place));
      place = s.Place, name = "\x01";
    }
    if (s.Segment->Name != name) {
      if (s.Segment->Name.empty()) {
        writer.GroupMark();
      } else {
        writer.NameString(StoredName(s.Segment->Name));
        writer.NameRef(writer.Objects() - writer.SectionBase());
      }
      name = s.Segment->Name;
    }
    const std::uint8_t featureCode = FeatureCodeOf(s.Segment->Cfcc);
    if (featureCode != code) writer.FeatureCode(featureCode), code = featureCode;
    data::Attributes attributes;
    if (s.Segment->Low != 0 || s.Segment->High != 0) {
      attributes.Low = s.Segment->Low;
      attributes.Span = s.Segment->High - s.Segment->Low;
    }
    attributes.Index = zipIndex(zipOf[i]);
    WriteLine(writer, s.Segment->Points, attributes, base);
  }
  writer.End();
  return writer.Bytes();
}

StreetArchive WriteStateArchive(int stateFips, const std::vector<const StreetSample*>& samples,
                                const NationalInputs& inputs, const ZipCentroids& zips,
                                const std::filesystem::path& folder) {
  const std::string stateCode(data::StateCode(stateFips));
  const Locator locator(inputs, stateFips);
  std::map<std::string, MemberContent> members;
  std::size_t segments = 0;
  for (const StreetSample* sample : samples) {
    for (const StreetSegment& segment : sample->Segments) {
      if (segment.Points.size() < 2) continue;
      const TMapPoint at = Midpoint(segment.Points);
      const auto quad = data::QuadAt(data::QuadGrid::Street, segment.Points.front());
      if (!quad) continue;
      // Major roads go to the whole-quad member; streets to the quarter
      // their first point lies in.
      int sub = 0;
      if (!IsMajorRoad(segment.Cfcc)) {
        const auto cell = *data::QuadBox(*quad);
        const std::int32_t midX = cell.Left + (cell.Right - cell.Left) / 2;
        const std::int32_t midY = cell.Bottom + (cell.Top - cell.Bottom) / 2;
        const TMapPoint p = segment.Points.front();
        sub = (p.Y >= midY ? 3 : 1) + (p.X >= midX ? 1 : 0);
      }
      const std::string name = data::StreetMemberName({*quad, sub, stateFips});
      auto [it, added] = members.try_emplace(name);
      if (added) it->second.Cell = *data::SubQuadBox(*quad, sub);
      it->second.Streets.push_back({&segment, locator.CountyAt(at), PlaceOf(segment, at, stateCode, locator, zips)});
      ++segments;
    }
  }
  data::ArchiveWriter archive(data::ArchiveLayout::kLayerArchive);
  for (const auto& [name, content] : members) {
    archive.Add(name, WriteMember(content, stateCode, zips), MemberImplode());
  }
  const std::string archiveName = data::StreetArchiveName(stateFips);
  const std::filesystem::path path = folder / archiveName;
  archive.WriteFile(path);
  return {archiveName, archive.MemberCount(), segments, std::filesystem::file_size(path)};
}

// The national "Z" quads: the major roads of every street sample, cut to
// the quads.
StreetArchive WriteNationalArchive(const std::vector<StreetSample>& samples, const std::filesystem::path& folder) {
  QuadTiler tiler(data::QuadGrid::National, "", kStreetDataVersion);
  std::size_t segments = 0;
  // Only real road geometry: the highway table's place-to-place lines would
  // cut straight across the streets at the scales these quads show.
  for (const StreetSample& sample : samples) {
    for (const StreetSegment& segment : sample.Segments) {
      if (IsMajorRoad(segment.Cfcc)) segments += tiler.TileLine(segment.Points, FeatureCodeOf(segment.Cfcc), segment.Name);
    }
  }
  data::ArchiveWriter archive(data::ArchiveLayout::kLayerArchive);
  tiler.AddTo(archive);
  const std::string name = data::StreetArchiveName(data::kNationalStreetArchive);
  const std::filesystem::path path = folder / name;
  archive.WriteFile(path);
  return {name, archive.MemberCount(), segments, std::filesystem::file_size(path)};
}

}  // namespace

bool IsMajorRoad(std::string_view cfcc) {
  return cfcc.size() == 3 && cfcc[0] == 'A' && (cfcc[1] == '1' || cfcc[1] == '2' || cfcc[1] == '3');
}

std::vector<StreetArchive> WriteStreetArchives(const std::vector<StreetSample>& samples, const NationalInputs& inputs,
                                               const ZipCentroids& zips, const std::filesystem::path& folder,
                                               const std::function<void(const std::string&)>& progress) {
  std::map<int, std::vector<const StreetSample*>> byState;
  for (const StreetSample& sample : samples) byState[sample.StateFips].push_back(&sample);
  std::vector<StreetArchive> written;
  const std::string folderName(data::FolderName(data::ArchiveFolder::States));
  for (const auto& [state, list] : byState) {
    progress(folderName + "/" + data::StreetArchiveName(state));
    written.push_back(WriteStateArchive(state, list, inputs, zips, folder));
  }
  progress(folderName + "/" + data::StreetArchiveName(data::kNationalStreetArchive));
  written.push_back(WriteNationalArchive(samples, folder));
  return written;
}

}  // namespace quelmar::builder
