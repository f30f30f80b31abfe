#pragma once
// Cuts features into the drawings of one quad grid: a drawing per quad,
// started on first use with the quad's extents, and handed to an archive in
// name order once every feature is written.
#include <functional>
#include <map>
#include <string>

#include "control/data/archive_writer.h"
#include "control/data/drawing_writer.h"
#include "control/data/quad.h"
#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

class QuadTiler {
 public:
  // Members are named quad name + `suffix` ("M7A2B" + "95").
  QuadTiler(data::QuadGrid grid, std::string suffix, std::int16_t version = 400);

  // The quads whose cells meet `box`.
  std::vector<data::Quad> QuadsMeeting(const data::MapBox& box) const;
  // The quad that holds `point`, if the grid reaches it.
  std::optional<data::Quad> QuadHolding(TMapPoint point) const;

  // The drawing of `quad`, begun with its extents.
  data::DrawingWriter& Drawing(const data::Quad& quad);
  // The base point relative points of `quad`'s drawing count from.
  TMapPoint Base(const data::Quad& quad) const;

  // Runs `write` for every quad that `box` meets, with its cell; `write`
  // asks for the quad's drawing only when it has something to put in it, so
  // that no member is empty.
  void ForEachQuad(const data::MapBox& box,
                   const std::function<void(const data::Quad& quad, const data::MapBox& cell)>& write) const;

  // Writes `line` cut to every quad it meets, on feature code `code`, named
  // `name` (NameString and NameRef, ended by a GroupMark) when it has one.
  // Returns the number of quads it went into.
  std::size_t TileLine(const Line& line, std::uint8_t code, const std::string& name = {});

  // Ends every drawing and adds it, imploded, to `archive`.
  void AddTo(data::ArchiveWriter& archive);
  std::size_t Count() const { return drawings_.size(); }

 private:
  data::QuadGrid grid_;
  std::string suffix_;
  std::int16_t version_;
  std::map<std::string, data::DrawingWriter> drawings_;
};

// The implode settings of every archive member the builder writes.
data::ImplodeVariant MemberImplode();

}  // namespace quelmar::builder
