// The closest-street member of TTarvo: FindClosest leaves the street line
// nearest to a point, within a radius, in `result` ("" when none is that
// near). No event is fired.
#include "control/automation/ttarvo.h"
#include "control/automation/ttarvo_guard.h"

namespace quelmar::automation {

using guard::Degrees;

HRESULT TTarvo::FindClosest(const Variant& xctr, const Variant& yctr, const Variant& mradius) {
  return Call("FindClosest", [&](Ttvmap& p) {
    p.SetResultText("");
    search::ClosestQuery query;
    query.CentreLon = Degrees(xctr, "xctr");
    query.CentreLat = Degrees(yctr, "yctr");
    query.RadiusMiles = Degrees(mradius, "mradius");
    guard::CheckSearchCircle(query.CentreLon, query.CentreLat, query.RadiusMiles);
    if (const std::optional<std::string> line = streetSearch_->FindClosest(query, StreetSourcesOf(p))) {
      p.SetResultText(*line);
    }
  });
}

}  // namespace quelmar::automation
