#include "tools/quelmar-data/builder/output/quad_tiler.h"

#include <stdexcept>

#include "tools/quelmar-data/builder/output/geometry.h"
#include "tools/quelmar-data/builder/output/line_records.h"
#include "tools/quelmar-data/builder/output/map_names.h"

namespace quelmar::builder {

QuadTiler::QuadTiler(data::QuadGrid grid, std::string suffix, std::int16_t version)
    : grid_(grid), suffix_(std::move(suffix)), version_(version) {}

std::vector<data::Quad> QuadTiler::QuadsMeeting(const data::MapBox& box) const {
  const auto range = data::QuadsOfView(grid_, {box.Left, box.Bottom}, {box.Right, box.Top});
  return range ? data::ListQuads(*range) : std::vector<data::Quad>{};
}

std::optional<data::Quad> QuadTiler::QuadHolding(TMapPoint point) const { return data::QuadAt(grid_, point); }

data::DrawingWriter& QuadTiler::Drawing(const data::Quad& quad) {
  const std::string name = data::QuadName(quad) + suffix_;
  auto it = drawings_.find(name);
  if (it == drawings_.end()) {
    const auto cell = data::QuadBox(quad);
    if (!cell) throw std::invalid_argument("no such quad");
    it = drawings_.emplace(name, data::DrawingWriter(version_)).first;
    it->second.Extents(cell->Left, cell->Right, cell->Bottom, cell->Top);
  }
  return it->second;
}

TMapPoint QuadTiler::Base(const data::Quad& quad) const {
  const auto cell = data::QuadBox(quad);
  return cell ? TMapPoint{cell->Left, cell->Bottom} : TMapPoint{};
}

void QuadTiler::ForEachQuad(
    const data::MapBox& box, const std::function<void(const data::Quad& quad, const data::MapBox& cell)>& write) const {
  for (const data::Quad& quad : QuadsMeeting(box)) {
    if (const auto cell = data::QuadBox(quad)) write(quad, *cell);
  }
}

std::size_t QuadTiler::TileLine(const Line& line, std::uint8_t code, const std::string& name) {
  const auto box = BoundsOf(line);
  if (!box) return 0;
  std::size_t quads = 0;
  ForEachQuad(*box, [&](const data::Quad& quad, const data::MapBox& cell) {
    const std::vector<Line> parts = ClipLine(line, cell);
    if (parts.empty()) return;
    data::DrawingWriter& writer = Drawing(quad);
    writer.FeatureCode(code);
    if (!name.empty()) {
      writer.NameString(StoredName(name));
      writer.NameRef(writer.Objects() - writer.SectionBase());
    }
    for (const Line& part : parts) WriteLine(writer, part, {}, Base(quad));
    if (!name.empty()) writer.GroupMark();
    ++quads;
  });
  return quads;
}

void QuadTiler::AddTo(data::ArchiveWriter& archive) {
  for (auto& [name, writer] : drawings_) {
    writer.End();
    archive.Add(name, writer.Bytes(), MemberImplode());
  }
}

data::ImplodeVariant MemberImplode() { return data::ImplodeVariant{true, true}; }

}  // namespace quelmar::builder
