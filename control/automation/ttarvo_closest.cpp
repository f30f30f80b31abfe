// The closest-street member of TTarvo: FindClosest leaves the street line
// nearest to a point, within a radius, in `result` ("" when none is that
// near). No event is fired.
#include <cmath>

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
    if (!(std::abs(query.CentreLon) <= 180))
      throw ArgumentError("Argument xctr is not a longitude (-180 to 180 degrees)");
    if (!(std::abs(query.CentreLat) <= 90)) throw ArgumentError("Argument yctr is not a latitude (-90 to 90 degrees)");
    if (!(query.RadiusMiles >= 0 && query.RadiusMiles <= 25000)) {
      throw ArgumentError("Argument mradius is not a radius of 0 to 25000 miles");
    }
    if (const std::optional<std::string> line = streetSearch_->FindClosest(query, StreetSourcesOf(p))) {
      p.SetResultText(*line);
    }
  });
}

}  // namespace quelmar::automation
