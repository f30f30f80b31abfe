// libFuzzer target: any bytes as a street quad, indexed and matched both
// ways. The street index must give exactly the hits that walking the drawing
// gives, for a street alone and with a cross street; any difference traps.
#include <cstddef>
#include <cstdint>
#include <span>

#include "control/core/errors.h"
#include "control/data/byte_source.h"
#include "control/data/drawing.h"
#include "control/data/drawing_reader.h"
#include "control/search/match_streets.h"
#include "control/search/street_index.h"

namespace {

using namespace quelmar;

bool SameHits(const search::StreetHitList& a, const search::StreetHitList& b) {
  if (a.Hits().size() != b.Hits().size() || a.Overflowed() != b.Overflowed()) return false;
  for (std::size_t i = 0; i < a.Hits().size(); ++i) {
    const search::StreetHit& x = a.Hits()[i];
    const search::StreetHit& y = b.Hits()[i];
    if (x.Text != y.Text || x.Point != y.Point || x.Object != y.Object || x.Kind != y.Kind) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  data::MemorySource source(std::span(data, size));
  data::Drawing drawing;
  data::ReadDrawingOptions options;
  options.RegistryName = "G0Z1C";  // no street-version check, so any bytes get read
  try {
    data::ReadDrawing(source, drawing, options);
  } catch (const Error&) {
    // What was read before the damage is matched below.
  }
  const auto index = search::StreetIndex::Build({"Y7O37017"}, [&](std::size_t) { return drawing; });
  const struct {
    const char* street;
    const char* cross;
  } queries[] = {{"A", ""}, {"ST", "N"}, {"MAIN ST", "OAK"}, {"W", "E"}};
  for (const auto& q : queries) {
    const search::StreetMatchText text = search::MakeStreetMatchText(q.street, q.cross, *q.cross != 0, 100, {0, 0});
    search::StreetHitList walked, indexed;
    search::MatchStreets(drawing, text, walked);
    search::StreetIndexQuery(index, text).MatchMember(0, indexed);
    if (!SameHits(walked, indexed)) __builtin_trap();
  }
  return 0;
}
