#include "control/search/match_streets.h"

namespace quelmar::search {
namespace {

// Adds the hits of one drawing; false once the list is full.
bool AddDrawingHits(const data::Drawing& drawing, const StreetMatchText& text, StreetHitList& hits) {
  bool room = !hits.Full();
  std::string lastName;
  NameMatch lastMatch;
  bool haveLast = false;
  WalkStreetLines(drawing, [&](const StreetLine& line) {
    if (!room) return WalkNext::Stop;
    // Lines under one name reference share their name: match it once.
    if (!haveLast || line.Name != lastName) {
      lastName.assign(line.Name);
      lastMatch = MatchStreetName(line.Name, text);
      haveLast = true;
    }
    if (lastMatch.Kind == MatchKind::None) return WalkNext::SkipName;
    room = hits.Add(MakeStreetHit(line, lastMatch, text), line.Points.front(), line.Points.back());
    return room ? WalkNext::Go : WalkNext::Stop;
  });
  return room;
}

}  // namespace

bool MatchStreets(const data::Drawing& drawing, const StreetMatchText& text, StreetHitList& hits) {
  AddDrawingHits(drawing, text, hits);
  if (!text.Cross.Empty()) hits.ResolveIntersection(text.Centre);
  return !hits.Hits().empty();
}

bool MatchLoadedStreets(const data::DrawingTable& table, const StreetMatchText& text, StreetHitList& hits) {
  for (int i = 2; i <= table.Count(); ++i) {
    if (!AddDrawingHits(table.At(i).Store, text, hits)) break;
  }
  if (!text.Cross.Empty()) hits.ResolveIntersection(text.Centre);
  return !hits.Hits().empty();
}

std::vector<const StreetHit*> ReportedHits(const StreetHitList& hits) {
  std::vector<const StreetHit*> reported;
  for (const StreetHit& hit : hits.Hits()) {
    if (hit.Kind != MatchKind::Cross) reported.push_back(&hit);
  }
  return reported;
}

}  // namespace quelmar::search
