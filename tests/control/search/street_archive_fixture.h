#pragma once
// Small street archives assembled from the drawing and archive writers, so a
// test states exactly which lines, names, places and ZIP codes each quad
// member holds.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "control/data/archive_writer.h"
#include "control/data/drawing_opcodes.h"
#include "control/data/drawing_writer.h"
#include "control/data/quad.h"

namespace quelmar::search::testing {

using data::TMapPoint;

struct FixtureLine {
  std::string Name;  // as stored (plain text packs as itself); "" for an unnamed line
  std::vector<TMapPoint> Points;
  std::int32_t Low = 0;
  std::int32_t High = 0;
  std::uint8_t ZipIndex = 0;  // 1-based into the member's ZIP list
  std::uint8_t Code = 77;     // the line's layer
};

struct FixtureMember {
  std::string Name;   // e.g. StreetMemberAt(point, 0, 17)
  std::string Place;  // the naming label before the lines; "" for none
  std::vector<std::int32_t> Zips;
  std::vector<FixtureLine> Lines;
};

inline std::string StreetMemberAt(TMapPoint point, int sub, int state) {
  return data::StreetMemberName({*data::QuadAt(data::QuadGrid::Street, point), sub, state});
}

// The drawing of one member: extents of its quad, the state label, the place
// label, the ZIP list, then the lines, consecutive lines of one name under
// one name reference.
inline std::vector<std::uint8_t> StreetDrawing(const FixtureMember& member, const std::string& state = "IL") {
  data::DrawingWriter w;
  const auto parsed = data::ParseStreetMemberName(member.Name);
  const data::MapBox box = parsed ? *data::SubQuadBox(parsed->Street, parsed->Sub) : data::MapBox{};
  w.Extents(box.Left, box.Right, box.Bottom, box.Top);
  w.FeatureCode(2);
  w.Label(data::opcode::kAbsoluteLabel, {0, 0}, state);
  if (!member.Place.empty()) {
    w.FeatureCode(7);
    w.Label(data::opcode::kAbsoluteLabel, {0, 0}, member.Place);
  }
  if (!member.Zips.empty()) w.IndexList(member.Zips);
  std::string current = "\x01";
  for (const FixtureLine& line : member.Lines) {
    if (line.Name != current) {
      w.GroupMark();
      if (!line.Name.empty()) {
        w.NameString(line.Name);
        w.NameRef(w.Objects() - w.SectionBase());
      }
      current = line.Name;
    }
    w.FeatureCode(line.Code);
    data::Attributes attributes{line.Low, line.High - line.Low, line.ZipIndex};
    const std::vector<TMapPoint> rest(line.Points.begin() + 1, line.Points.end());
    w.Polyline(data::ObjectKind::Polyline12, data::AttributeCoding::Long, data::PointCoding::Absolute, attributes,
               line.Points.front(), rest);
  }
  w.End();
  return w.Bytes();
}

inline void WriteStreetArchive(const std::filesystem::path& path, const std::vector<FixtureMember>& members,
                               const std::string& state = "IL") {
  data::ArchiveWriter archive(data::ArchiveLayout::kLayerArchive);
  for (const FixtureMember& member : members) archive.Add(member.Name, StreetDrawing(member, state));
  archive.WriteFile(path);
}

}  // namespace quelmar::search::testing
