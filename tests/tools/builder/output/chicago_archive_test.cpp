// The Chicago sample as the map reads it back from its state archive: a
// network whose junctions are shared vertices, and address ranges that put
// a real address on its street.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <deque>
#include <map>
#include <unordered_map>

#include "control/data/name_unpack.h"
#include "control/search/house_number.h"
#include "tests/tools/builder/output/archive_reading.h"
#include "tests/tools/builder/streets/street_test_support.h"
#include "tools/quelmar-data/builder/output/street_archives.h"
#include "tools/quelmar-data/builder/streets/street_samples.h"

namespace quelmar::builder {
namespace {

namespace fs = std::filesystem;

struct ReadLine {
  std::string Name;
  data::AddressRange Range;
  std::vector<TMapPoint> Points;
};

// Every street line of the Chicago archive with the name that covers it.
class ChicagoArchive : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::vector<StreetSample> samples = LoadStreetSamples(SampleFilesIn(street_testing::StreetTestData()));
    std::erase_if(samples, [](const StreetSample& s) { return s.StateFips != 17; });
    ASSERT_EQ(samples.size(), 1u);
    const fs::path folder = fs::temp_directory_path() / ("chicago-archive-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    WriteStreetArchives(samples, NationalInputs{}, ZipCentroids{}, folder, [](const std::string&) {});
    for (auto& [member, read] : testing::ReadLayerArchive(folder / "17.ZP5")) {
      const data::Drawing& d = read.Drawing;
      std::string name;
      for (std::int32_t i = 1; i <= d.Count(); ++i) {
        const data::DrawObject& o = *d.ObjectAt(i);
        if (const auto* ref = o.As<data::NameRef>()) {
          const data::NameString* named = d.NameAt(ref->Object);
          name = named ? data::UnpackNameAbbreviated(named->Packed) : "";
        } else if (o.Kind == data::ObjectKind::GroupMark) {
          name.clear();
        } else if (const auto* line = o.As<data::Polyline>()) {
          lines_->push_back({name, data::RangeOf(line->Attr), data::PolylinePoints(o)});
        }
      }
    }
    fs::remove_all(folder);
  }

  static std::vector<ReadLine>* lines_;
};
std::vector<ReadLine>* ChicagoArchive::lines_ = new std::vector<ReadLine>();

std::uint64_t Key(TMapPoint p) {
  return (std::uint64_t(std::uint32_t(p.X)) << 32) | std::uint32_t(p.Y);
}

TEST_F(ChicagoArchive, AWalkAlongSharedJunctionsCrossesTheSample) {
  ASSERT_GT(lines_->size(), 10000u);
  std::unordered_map<std::uint64_t, std::vector<std::uint64_t>> next;
  TMapPoint west{0, 0}, east{0, 0};
  bool first = true;
  for (const ReadLine& line : *lines_) {
    const TMapPoint a = line.Points.front(), b = line.Points.back();
    next[Key(a)].push_back(Key(b));
    next[Key(b)].push_back(Key(a));
    for (const TMapPoint p : {a, b}) {
      if (first || p.X < west.X) west = p;
      if (first || p.X > east.X) east = p;
      first = false;
    }
  }
  std::unordered_map<std::uint64_t, bool> seen{{Key(west), true}};
  std::deque<std::uint64_t> queue{Key(west)};
  while (!queue.empty()) {
    const std::uint64_t at = queue.front();
    queue.pop_front();
    for (const std::uint64_t n : next[at]) {
      if (!seen[n]) seen[n] = true, queue.push_back(n);
    }
  }
  EXPECT_TRUE(seen[Key(east)]) << "the eastmost junction is reachable from the westmost";
  // About 0.2° of longitude apart: the walk crosses the whole sample.
  EXPECT_GT(east.X - west.X, 2500);
}

TEST_F(ChicagoArchive, TheGridRangesPlaceAnAddressOnItsStreet) {
  const std::int32_t number = search::HouseNumberKey("1060");
  const TMapPoint wrigley = street_testing::At(-87.6555, 41.9470);
  int found = 0;
  for (const ReadLine& line : *lines_) {
    if (line.Name != "W ADDISON ST" || number < line.Range.Low || number > line.Range.High) continue;
    const TMapPoint mid = line.Points[line.Points.size() / 2];
    EXPECT_LT(std::hypot(double(mid.X) - wrigley.X, double(mid.Y) - wrigley.Y), 60.0) << "near Wrigley Field";
    ++found;
  }
  EXPECT_GE(found, 1);
  // The named streets of the sample are all there, directional prefixes kept.
  std::map<std::string, int> names;
  for (const ReadLine& line : *lines_) ++names[line.Name];
  for (const char* street : {"N CLARK ST", "W MADISON ST", "S STATE ST", "N LAKE SHORE DR", "W ADDISON ST"}) {
    EXPECT_GT(names[street], 0) << street;
  }
}

}  // namespace
}  // namespace quelmar::builder
