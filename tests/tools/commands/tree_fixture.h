#pragma once
// A small data tree as `quelmar-data build` lays it out, held in memory so a
// test can damage one part of it before writing it to a temporary folder.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "control/data/archive_writer.h"
#include "control/data/drawing_writer.h"
#include "control/data/quad.h"

namespace quelmar::builder::testing {

using data::TMapPoint;

// Chicago, where every quad of the tree lies.
inline constexpr TMapPoint kChicago{-1369219, 654375};

inline std::string QuadNameAt(data::QuadGrid grid, TMapPoint point = kChicago) {
  return data::QuadName(*data::QuadAt(grid, point));
}

// A street member name of the street quad at `point`.
inline std::string StreetMember(int sub, int state, TMapPoint point = kChicago) {
  return data::StreetMemberName({*data::QuadAt(data::QuadGrid::Street, point), sub, state});
}

// A drawing of one of each common object: extents, feature code 77 (a street),
// the name "MAIN" and a NameRef to it, an IndexList {60601}, a kind-13
// polyline (-87.63 W) with range 100..198 index 1, a plain segment and a group
// mark: 9 records, 6 objects. `end` false leaves the end record off.
inline std::vector<std::uint8_t> SampleDrawing(TMapPoint corner = kChicago, bool end = true,
                                               std::int16_t version = data::kDefaultStreetVersion) {
  data::DrawingWriter w(version);
  w.Extents(corner.X, corner.X + 4000, corner.Y, corner.Y + 4000);
  w.FeatureCode(77);
  w.NameString("MAIN");
  w.NameRef(1);
  w.IndexList(std::vector<std::int32_t>{60601});
  w.Polyline(data::ObjectKind::Polyline13, data::AttributeCoding::Short, data::PointCoding::Absolute, {100, 98, 1},
             corner, std::vector<TMapPoint>{{corner.X + 10, corner.Y}, {corner.X + 10, corner.Y + 10}});
  w.Segment(data::AttributeCoding::None, data::PointCoding::Relative, {{corner.X + 5, corner.Y + 5}, 3, 4, {}});
  w.GroupMark();
  if (end) w.End();
  return w.Bytes();
}

using Members = std::vector<std::pair<std::string, std::vector<std::uint8_t>>>;

struct ArchiveContents {
  data::ArchiveLayout layout = data::ArchiveLayout::kLayerArchive;
  Members members;
  bool implode = false;
};

inline ArchiveContents LayerArchive(Members members, bool implode = false) {
  return {data::ArchiveLayout::kLayerArchive, std::move(members), implode};
}
inline ArchiveContents PlainArchive(Members members) {
  return {data::ArchiveLayout::kPlainZip, std::move(members), true};
}

struct TreeContents {
  std::string mapIni;
  std::map<std::string, ArchiveContents> archives;  // by path under the tree
  std::vector<std::string> folders;                 // made even when empty

  void Write(const std::filesystem::path& dir) const {
    std::filesystem::create_directories(dir);
    for (const std::string& folder : folders) std::filesystem::create_directories(dir / folder);
    std::ofstream(dir / "MAP.INI", std::ios::binary) << mapIni;
    for (const auto& [path, archive] : archives) {
      data::ArchiveWriter writer(archive.layout);
      for (const auto& [name, bytes] : archive.members) {
        writer.Add(name, bytes, archive.implode ? std::optional(data::ImplodeVariant{}) : std::nullopt);
      }
      writer.WriteFile(dir / path);
    }
  }
};

// The tree: MAP.INI naming DATA1, DATA2, DATA3 and STATES0; TARVO.ZIP and
// HMAP.ZIP with their imploded members; the seven DATA1 archives and the
// DATA2 one with one quad member each; STATES0 with 17.ZP5 (two members of
// Illinois) and 02.ZP5 (one national quad). 12 archives, 13 members.
inline TreeContents GoodTree() {
  TreeContents tree;
  tree.mapIni =
      "[Application Interface]\r\nData1Path=DATA1\r\nData2Path=DATA2\r\nData3Path=DATA3\r\nStatesPath=STATES0\r\n";
  tree.folders = {"DATA1", "DATA2", "DATA3", "STATES0"};
  const std::vector<std::uint8_t> drawing = SampleDrawing();
  tree.archives["TARVO.ZIP"] = PlainArchive({{"TARVO.DCM", drawing}});
  tree.archives["HMAP.ZIP"] = PlainArchive({{"HTOTAL.DCM", drawing}});
  const std::string overview = QuadNameAt(data::QuadGrid::Overview);
  const std::pair<const char*, std::string> data1[] = {
      {"mstate.zpx", overview + "95"},
      {"Mcity.zpx", overview + "98"},
      {"Mcnty.zpx", overview + "93"},
      {"mhydro.zpx", overview + "94"},
      {"Mair.zpx", overview + "97"},
      {"mrte.zpx", QuadNameAt(data::QuadGrid::Network)},
      {"MXtra.zpx", QuadNameAt(data::QuadGrid::Extra) + "00"},
  };
  for (const auto& [archive, member] : data1) {
    tree.archives[std::string("DATA1/") + archive] = LayerArchive({{member, drawing}});
  }
  tree.archives["DATA2/Mland.zpx"] = LayerArchive({{QuadNameAt(data::QuadGrid::Land) + "96", drawing}});
  tree.archives["STATES0/17.ZP5"] =
      LayerArchive({{StreetMember(1, 17), drawing}, {StreetMember(0, 17), drawing}}, true);
  tree.archives["STATES0/02.ZP5"] = LayerArchive({{QuadNameAt(data::QuadGrid::National), drawing}});
  return tree;
}

}  // namespace quelmar::builder::testing
