#include "tools/quelmar-data/builder/streets/street_network.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>

#include "tools/quelmar-data/builder/streets/label_transfer.h"
#include "tools/quelmar-data/builder/streets/network_geometry.h"

namespace quelmar::builder {

namespace {

constexpr std::int32_t kGridCell = 64;
// Rounding crossing points to map units can make new crossings nearby;
// noding repeats until none is left, this many times at most.
constexpr int kMaxNodingRounds = 8;

// A line with its attributes held once in a table.
struct Piece {
  Line Points;
  std::uint32_t Attr = 0;
};

class AttributeTable {
 public:
  std::uint32_t Intern(const StreetSegment& line) {
    const auto [found, added] = index_.try_emplace(KeyOf(line), static_cast<std::uint32_t>(rows_.size()));
    if (added) {
      StreetSegment row = line;
      row.Points.clear();
      rows_.push_back(std::move(row));
    }
    return found->second;
  }
  const StreetSegment& operator[](std::uint32_t id) const { return rows_[id]; }
  bool Layered(std::uint32_t id) const { return rows_[id].Bridge || rows_[id].Tunnel; }
  // Which of two attribute sets a duplicate piece keeps: a named one, then
  // by content, whatever order the lines came in.
  bool Preferred(std::uint32_t a, std::uint32_t b) const {
    const bool unnamedA = rows_[a].Name.empty(), unnamedB = rows_[b].Name.empty();
    if (unnamedA != unnamedB) return unnamedB;
    return KeyOf(rows_[a]) < KeyOf(rows_[b]);
  }

 private:
  using Key =
      std::tuple<std::string, std::string, bool, bool, bool, std::int32_t, std::int32_t, std::int32_t, std::string>;
  static Key KeyOf(const StreetSegment& line) {
    return {line.Name, line.Cfcc, line.Bridge, line.Tunnel, line.OneWay, line.Low, line.High, line.Zip, line.Ref};
  }
  std::vector<StreetSegment> rows_;
  std::map<Key, std::uint32_t> index_;
};

std::uint64_t KeyOf(TMapPoint at) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(at.X)) << 32) | static_cast<std::uint32_t>(at.Y);
}

bool Before(TMapPoint a, TMapPoint b) { return a.X != b.X ? a.X < b.X : a.Y < b.Y; }

double Distance2(TMapPoint a, TMapPoint b) {
  const double dx = static_cast<double>(a.X) - b.X, dy = static_cast<double>(a.Y) - b.Y;
  return dx * dx + dy * dy;
}

void DropRepeatedPoints(Line& points) { points.erase(std::unique(points.begin(), points.end()), points.end()); }

struct EdgeRef {
  std::uint32_t Piece = 0;
  std::uint32_t Index = 0;
};

// Points to put into edges: (piece, edge) -> points.
using Insertions = std::map<std::pair<std::uint32_t, std::uint32_t>, std::vector<TMapPoint>>;

void ApplyInsertions(std::vector<Piece>& pieces, const Insertions& insertions) {
  auto next = insertions.begin();
  for (std::uint32_t p = 0; p < pieces.size() && next != insertions.end(); ++p) {
    if (next->first.first != p) continue;
    const Line& old = pieces[p].Points;
    Line rebuilt;
    rebuilt.reserve(old.size() + 4);
    for (std::uint32_t i = 0; i < old.size(); ++i) {
      rebuilt.push_back(old[i]);
      if (next == insertions.end() || next->first != std::make_pair(p, i) || i + 1 >= old.size()) continue;
      // Along the edge from old[i] to old[i + 1], nearest first.
      std::vector<TMapPoint> points = next->second;
      const TMapPoint a = old[i], b = old[i + 1];
      const auto along = [&](TMapPoint at) {
        return (static_cast<double>(at.X) - a.X) * (static_cast<double>(b.X) - a.X) +
               (static_cast<double>(at.Y) - a.Y) * (static_cast<double>(b.Y) - a.Y);
      };
      std::sort(points.begin(), points.end(), [&](TMapPoint u, TMapPoint v) { return along(u) < along(v); });
      for (TMapPoint at : points) rebuilt.push_back(at);
      ++next;
    }
    while (next != insertions.end() && next->first.first == p) ++next;  // edges that no longer exist
    DropRepeatedPoints(rebuilt);
    pieces[p].Points = std::move(rebuilt);
  }
}

std::vector<EdgeRef> IndexEdges(const std::vector<Piece>& pieces, SegmentGrid& grid,
                                const AttributeTable* skipLayered) {
  std::vector<EdgeRef> edges;
  for (std::uint32_t p = 0; p < pieces.size(); ++p) {
    if (skipLayered != nullptr && skipLayered->Layered(pieces[p].Attr)) continue;
    const Line& points = pieces[p].Points;
    for (std::uint32_t i = 0; i + 1 < points.size(); ++i) {
      grid.Add(static_cast<std::uint32_t>(edges.size()), points[i], points[i + 1]);
      edges.push_back({p, i});
    }
  }
  return edges;
}

// Step 2: ends within `snap` of each other become one point; an end left
// alone is joined to a nearby vertex or edge of another line.
void SnapEnds(std::vector<Piece>& pieces, std::int32_t snap) {
  if (snap <= 0) return;
  struct End {
    TMapPoint At;
    std::uint32_t Piece;
    bool Last;
  };
  std::vector<End> ends;
  for (std::uint32_t p = 0; p < pieces.size(); ++p) {
    ends.push_back({pieces[p].Points.front(), p, false});
    ends.push_back({pieces[p].Points.back(), p, true});
  }
  std::sort(ends.begin(), ends.end(), [](const End& a, const End& b) {
    return std::tie(a.At.X, a.At.Y, a.Piece, a.Last) < std::tie(b.At.X, b.At.Y, b.Piece, b.Last);
  });
  const double snap2 = static_cast<double>(snap) * snap;
  SegmentGrid representatives(std::max(snap, 1) * 4);
  std::vector<TMapPoint> representativeAt;
  std::vector<std::uint32_t> members;
  std::vector<std::uint32_t> joinedTo(ends.size());
  std::vector<std::uint32_t> scratch;
  for (std::size_t e = 0; e < ends.size(); ++e) {
    representatives.Near(ends[e].At, snap, scratch);
    std::int64_t best = -1;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::uint32_t r : scratch) {
      const double distance = Distance2(representativeAt[r], ends[e].At);
      if (distance <= snap2 && (distance < bestDistance || (distance == bestDistance && r < best))) {
        best = r;
        bestDistance = distance;
      }
    }
    if (best < 0) {
      best = static_cast<std::int64_t>(representativeAt.size());
      representatives.Add(static_cast<std::uint32_t>(best), ends[e].At, ends[e].At);
      representativeAt.push_back(ends[e].At);
      members.push_back(0);
    }
    joinedTo[e] = static_cast<std::uint32_t>(best);
    ++members[joinedTo[e]];
    Line& points = pieces[ends[e].Piece].Points;
    (ends[e].Last ? points.back() : points.front()) = representativeAt[joinedTo[e]];
  }

  // Ends that met no other end: the nearest vertex, else the nearest edge,
  // of another line (or a part of its own line away from the end).
  SegmentGrid grid(kGridCell);
  const std::vector<EdgeRef> edges = IndexEdges(pieces, grid, nullptr);
  Insertions insertions;
  for (std::size_t e = 0; e < ends.size(); ++e) {
    if (members[joinedTo[e]] != 1) continue;
    const std::uint32_t piece = ends[e].Piece;
    Line& own = pieces[piece].Points;
    const std::uint32_t endIndex = ends[e].Last ? static_cast<std::uint32_t>(own.size() - 1) : 0;
    const TMapPoint at = own[endIndex];
    grid.Near(at, 2 * snap + 1, scratch);
    std::sort(scratch.begin(), scratch.end());
    scratch.erase(std::unique(scratch.begin(), scratch.end()), scratch.end());

    double bestVertex = std::numeric_limits<double>::infinity();
    TMapPoint vertex;
    double bestEdge = std::numeric_limits<double>::infinity();
    EdgeRef edge;
    for (std::uint32_t id : scratch) {
      const EdgeRef candidate = edges[id];
      const Line& points = pieces[candidate.Piece].Points;
      for (std::uint32_t v : {candidate.Index, candidate.Index + 1}) {
        // Not the end itself, nor the vertex next to it on its own line.
        if (candidate.Piece == piece && (v == endIndex || v + 1 == endIndex || v == endIndex + 1)) continue;
        const double distance = Distance2(points[v], at);
        if (distance <= snap2 && (distance < bestVertex || (distance == bestVertex && Before(points[v], vertex)))) {
          bestVertex = distance;
          vertex = points[v];
        }
      }
      if (candidate.Piece == piece && (candidate.Index == endIndex || candidate.Index + 1 == endIndex)) continue;
      const double distance =
          SquaredDistanceToSegment(at.X, at.Y, points[candidate.Index], points[candidate.Index + 1]);
      if (distance <= snap2 && distance < bestEdge) {
        bestEdge = distance;
        edge = candidate;
      }
    }
    if (bestVertex <= snap2) {
      own[endIndex] = vertex;
    } else if (bestEdge <= snap2) {
      insertions[{edge.Piece, edge.Index}].push_back(at);
    }
  }
  ApplyInsertions(pieces, insertions);
}

// Step 3: crossings and touches of lines that are not bridges or tunnels
// become vertices of both lines.
void NodeCrossings(std::vector<Piece>& pieces, const AttributeTable& attributes) {
  for (int round = 0; round < kMaxNodingRounds; ++round) {
    SegmentGrid grid(kGridCell);
    const std::vector<EdgeRef> edges = IndexEdges(pieces, grid, &attributes);
    std::set<std::tuple<std::uint32_t, std::uint32_t, std::int32_t, std::int32_t>> found;
    for (const auto& [cell, ids] : grid.Cells()) {
      for (std::size_t i = 0; i < ids.size(); ++i) {
        for (std::size_t j = i + 1; j < ids.size(); ++j) {
          if (ids[i] == ids[j]) continue;
          const EdgeRef first = edges[ids[i]], second = edges[ids[j]];
          const Line& p = pieces[first.Piece].Points;
          const Line& q = pieces[second.Piece].Points;
          const SegmentSplits splits =
              SplitsWhereSegmentsMeet(p[first.Index], p[first.Index + 1], q[second.Index], q[second.Index + 1]);
          for (TMapPoint at : splits.OnFirst) found.emplace(first.Piece, first.Index, at.X, at.Y);
          for (TMapPoint at : splits.OnSecond) found.emplace(second.Piece, second.Index, at.X, at.Y);
        }
      }
    }
    if (found.empty()) return;
    Insertions insertions;
    for (const auto& [piece, index, x, y] : found) insertions[{piece, index}].push_back({x, y});
    ApplyInsertions(pieces, insertions);
  }
}

// Step 4: cut each line where it meets another line at a junction.
std::vector<Piece> CutAtJunctions(const std::vector<Piece>& pieces, const AttributeTable& attributes,
                                  std::size_t maxPoints) {
  struct Incidence {
    std::uint32_t Piece;
    std::uint32_t Index;
  };
  std::unordered_map<std::uint64_t, std::vector<Incidence>> at;
  for (std::uint32_t p = 0; p < pieces.size(); ++p) {
    for (std::uint32_t i = 0; i < pieces[p].Points.size(); ++i) at[KeyOf(pieces[p].Points[i])].push_back({p, i});
  }
  const auto isEnd = [&](const Incidence& incidence) {
    return incidence.Index == 0 || incidence.Index + 1 == pieces[incidence.Piece].Points.size();
  };

  std::vector<Piece> cut;
  for (std::uint32_t p = 0; p < pieces.size(); ++p) {
    const Line& points = pieces[p].Points;
    const bool layered = attributes.Layered(pieces[p].Attr);
    std::size_t start = 0;
    for (std::uint32_t i = 1; i < points.size(); ++i) {
      bool junction = i + 1 == points.size() || i - start + 1 >= maxPoints;
      if (!junction) {
        for (const Incidence& other : at[KeyOf(points[i])]) {
          if (other.Piece == p && other.Index == i) continue;
          // A bridge or tunnel only joins lines that end on it (or it on them).
          if ((!layered && !attributes.Layered(pieces[other.Piece].Attr)) || isEnd(other)) {
            junction = true;
            break;
          }
        }
      }
      if (!junction) continue;
      Piece piece{Line(points.begin() + static_cast<std::ptrdiff_t>(start), points.begin() + i + 1), pieces[p].Attr};
      cut.push_back(std::move(piece));
      start = i;
    }
  }
  return cut;
}

// The vertices of a piece in the direction that sorts first.
Line CanonicalPoints(const Line& points) {
  Line reversed(points.rbegin(), points.rend());
  return std::lexicographical_compare(reversed.begin(), reversed.end(), points.begin(), points.end(), Before) ? reversed
                                                                                                              : points;
}

// Step 5: one piece for each set of vertices, a named one where there is.
std::vector<Piece> KeepOnce(std::vector<Piece> pieces, const AttributeTable& attributes) {
  std::vector<std::pair<Line, std::uint32_t>> keyed;  // canonical points, piece
  keyed.reserve(pieces.size());
  for (std::uint32_t p = 0; p < pieces.size(); ++p) keyed.emplace_back(CanonicalPoints(pieces[p].Points), p);
  const auto lineLess = [](const Line& a, const Line& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), Before);
  };
  std::sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
    if (lineLess(a.first, b.first)) return true;
    if (lineLess(b.first, a.first)) return false;
    const std::uint32_t attrA = pieces[a.second].Attr, attrB = pieces[b.second].Attr;
    if (attrA != attrB) return attributes.Preferred(attrA, attrB);
    return lineLess(pieces[a.second].Points, pieces[b.second].Points);  // the same line both ways
  });
  std::vector<Piece> kept;
  for (std::size_t k = 0; k < keyed.size(); ++k) {
    if (k > 0 && keyed[k].first == keyed[k - 1].first) continue;
    kept.push_back(std::move(pieces[keyed[k].second]));
  }
  return kept;
}

// Step 6: join pieces through the points where exactly two of them meet with
// the same attributes.
std::vector<StreetSegment> JoinThroughPoints(const std::vector<Piece>& pieces, const AttributeTable& attributes,
                                             std::size_t maxPoints) {
  struct Incidence {
    std::uint32_t Piece;
    bool Last;
  };
  std::unordered_map<std::uint64_t, std::vector<Incidence>> at;
  for (std::uint32_t p = 0; p < pieces.size(); ++p) {
    at[KeyOf(pieces[p].Points.front())].push_back({p, false});
    at[KeyOf(pieces[p].Points.back())].push_back({p, true});
  }
  // The piece that continues through `point` from the end (piece, last)
  // arriving there, with whether it leaves by its first point.
  const auto continuation = [&](TMapPoint point, std::uint32_t piece,
                                bool arrivingEndIsLast) -> std::optional<std::pair<std::uint32_t, bool>> {
    const std::vector<Incidence>& here = at[KeyOf(point)];
    if (here.size() != 2) return std::nullopt;
    const Incidence other = here[0].Piece == piece && here[0].Last == arrivingEndIsLast ? here[1] : here[0];
    if (other.Piece == piece) return std::nullopt;
    if (pieces[other.Piece].Attr != pieces[piece].Attr) return std::nullopt;
    // One-way pieces join only head to tail.
    if (attributes[pieces[piece].Attr].OneWay && other.Last == arrivingEndIsLast) return std::nullopt;
    return std::make_pair(other.Piece, !other.Last);
  };

  std::vector<bool> used(pieces.size(), false);
  std::vector<StreetSegment> segments;
  const auto emit = [&](Line&& points, std::uint32_t attr) {
    StreetSegment segment = attributes[attr];
    if (!segment.OneWay) {
      const bool reverse = points.front() == points.back() ? Before(points[points.size() - 2], points[1])
                                                           : Before(points.back(), points.front());
      if (reverse) std::reverse(points.begin(), points.end());
    }
    segment.Points = std::move(points);
    segments.push_back(std::move(segment));
  };

  for (std::uint32_t s = 0; s < pieces.size(); ++s) {
    if (used[s]) continue;
    // Walk back to where the chain through `s` starts (or once round a ring).
    std::uint32_t first = s;
    bool firstForward = true;
    for (std::size_t steps = 0; steps < pieces.size(); ++steps) {
      const Line& points = pieces[first].Points;
      const TMapPoint start = firstForward ? points.front() : points.back();
      const auto previous = continuation(start, first, !firstForward);
      if (!previous || used[previous->first] || previous->first == s) break;
      first = previous->first;
      firstForward = !previous->second;  // it leaves towards us by its last point
    }
    // Walk forward, joining.
    Line chain;
    std::uint32_t current = first;
    bool forward = firstForward;
    while (true) {
      used[current] = true;
      const Line& points = pieces[current].Points;
      Line oriented = forward ? points : Line(points.rbegin(), points.rend());
      if (!chain.empty() && chain.size() + oriented.size() - 1 > maxPoints) {
        emit(std::move(chain), pieces[current].Attr);
        chain.clear();
      }
      chain.insert(chain.end(), oriented.begin() + (chain.empty() ? 0 : 1), oriented.end());
      const auto next = continuation(chain.back(), current, forward);
      if (!next || used[next->first]) break;
      current = next->first;
      forward = next->second;
    }
    emit(std::move(chain), pieces[first].Attr);
  }
  return segments;
}

}  // namespace

std::vector<StreetSegment> BuildStreetNetwork(std::vector<StreetSegment> lines,
                                              const std::vector<StreetSegment>& labels, const NetworkOptions& options) {
  const std::size_t maxPoints = std::max<std::size_t>(options.MaxPoints, 2);
  lines = CarryLabelsOntoLines(std::move(lines), labels, options.LabelUnits);

  AttributeTable attributes;
  std::vector<Piece> pieces;
  pieces.reserve(lines.size());
  for (StreetSegment& line : lines) {
    DropRepeatedPoints(line.Points);
    if (line.Points.size() < 2) continue;
    pieces.push_back({std::move(line.Points), attributes.Intern(line)});
  }

  SnapEnds(pieces, options.SnapUnits);
  for (Piece& piece : pieces) DropRepeatedPoints(piece.Points);
  std::erase_if(pieces, [](const Piece& piece) { return piece.Points.size() < 2; });

  NodeCrossings(pieces, attributes);
  pieces = KeepOnce(CutAtJunctions(pieces, attributes, maxPoints), attributes);
  std::vector<StreetSegment> segments = JoinThroughPoints(pieces, attributes, maxPoints);

  std::sort(segments.begin(), segments.end(), [](const StreetSegment& a, const StreetSegment& b) {
    if (!(a.Points[0] == b.Points[0])) return Before(a.Points[0], b.Points[0]);
    if (!(a.Points[1] == b.Points[1])) return Before(a.Points[1], b.Points[1]);
    return a.Points.size() < b.Points.size();
  });
  return segments;
}

}  // namespace quelmar::builder
