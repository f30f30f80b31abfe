#pragma once
// The street matcher: the hits one street drawing gives for a street and an
// optional cross street.
#include "control/data/drawing.h"
#include "control/data/loaded_drawings.h"
#include "control/search/street_hits.h"

namespace quelmar::search {

// Appends the hits of `drawing` to `hits` in store order until the list is
// full; with a cross street, an intersection found replaces them all by the
// one meeting hit. Returns whether any hit was found.
bool MatchStreets(const data::Drawing& drawing, const StreetMatchText& text, StreetHitList& hits);

// The same over every loaded drawing but the first (the base map).
bool MatchLoadedStreets(const data::DrawingTable& table, const StreetMatchText& text, StreetHitList& hits);

// The hits a search reports from a quad's list: with a cross street and no
// intersection, only the hits of the street itself.
std::vector<const StreetHit*> ReportedHits(const StreetHitList& hits);

}  // namespace quelmar::search
