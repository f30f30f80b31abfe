#include "tools/quelmar-data/builder/streets/label_transfer.h"

#include <cmath>
#include <iterator>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "tools/quelmar-data/builder/streets/network_geometry.h"

namespace quelmar::builder {

namespace {

constexpr std::int32_t kGridCell = 64;
// Edges closer than 30° to parallel run the same way.
constexpr double kMaxSine = 0.5;
// Unfollowed label stretches shorter than this many tolerances are the
// ragged ends of a label that a line covers.
constexpr double kMinOwnLineTolerances = 4.0;

struct EdgeRef {
  std::uint32_t Line = 0;
  std::uint32_t Index = 0;  // edge Index runs from point Index to Index + 1
};

// Whether edge a–b follows edge c–d: its middle lies within the tolerance
// and it runs the same way. Edges too short for a direction have to lie
// within the tolerance at both ends. Returns the squared distance of the
// middle, or a negative number when it does not follow.
double FollowDistance(TMapPoint a, TMapPoint b, TMapPoint c, TMapPoint d, double tolerance2) {
  const double midX = (static_cast<double>(a.X) + b.X) / 2, midY = (static_cast<double>(a.Y) + b.Y) / 2;
  const double distance2 = SquaredDistanceToSegment(midX, midY, c, d);
  if (distance2 > tolerance2) return -1;
  const double ux = static_cast<double>(b.X) - a.X, uy = static_cast<double>(b.Y) - a.Y;
  const double vx = static_cast<double>(d.X) - c.X, vy = static_cast<double>(d.Y) - c.Y;
  const double lengthU = std::hypot(ux, uy), lengthV = std::hypot(vx, vy);
  if (lengthU >= 3 && lengthV >= 1) {
    return std::fabs(ux * vy - uy * vx) <= kMaxSine * lengthU * lengthV ? distance2 : -1;
  }
  const bool bothEnds =
      SquaredDistanceToSegment(a.X, a.Y, c, d) <= tolerance2 && SquaredDistanceToSegment(b.X, b.Y, c, d) <= tolerance2;
  return bothEnds ? distance2 : -1;
}

std::vector<EdgeRef> IndexEdges(const std::vector<StreetSegment>& lines, SegmentGrid& grid) {
  std::vector<EdgeRef> edges;
  for (std::uint32_t line = 0; line < lines.size(); ++line) {
    const Line& points = lines[line].Points;
    for (std::uint32_t i = 0; i + 1 < points.size(); ++i) {
      grid.Add(static_cast<std::uint32_t>(edges.size()), points[i], points[i + 1]);
      edges.push_back({line, i});
    }
  }
  return edges;
}

// Labels only name roads of their own kind: a ramp leaving a highway runs
// beside the highway's label for a while but is not part of it.
bool SameRoadKind(std::string_view cfcc, std::string_view other) { return cfcc.substr(0, 2) == other.substr(0, 2); }

// The nearest of `others` that edge a–b follows: its line, or -1.
std::int64_t FollowedLine(TMapPoint a, TMapPoint b, std::string_view kind, const std::vector<StreetSegment>& others,
                          const std::vector<EdgeRef>& otherEdges, const SegmentGrid& grid, std::int32_t tolerance,
                          std::vector<std::uint32_t>& scratch) {
  const double tolerance2 = static_cast<double>(tolerance) * tolerance;
  const TMapPoint middle{static_cast<std::int32_t>((std::int64_t{a.X} + b.X) / 2),
                         static_cast<std::int32_t>((std::int64_t{a.Y} + b.Y) / 2)};
  grid.Near(middle, tolerance + 1, scratch);
  std::int64_t best = -1;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (std::uint32_t id : scratch) {
    const EdgeRef edge = otherEdges[id];
    if (!SameRoadKind(kind, others[edge.Line].Cfcc)) continue;
    const Line& points = others[edge.Line].Points;
    const double distance = FollowDistance(a, b, points[edge.Index], points[edge.Index + 1], tolerance2);
    if (distance < 0) continue;
    if (distance < bestDistance || (distance == bestDistance && edge.Line < best)) {
      best = edge.Line;
      bestDistance = distance;
    }
  }
  return best;
}

double Length(const Line& points, std::size_t from, std::size_t to) {
  double length = 0;
  for (std::size_t i = from; i < to; ++i) {
    length += std::hypot(static_cast<double>(points[i + 1].X) - points[i].X,
                         static_cast<double>(points[i + 1].Y) - points[i].Y);
  }
  return length;
}

}  // namespace

std::vector<StreetSegment> CarryLabelsOntoLines(std::vector<StreetSegment> lines,
                                                const std::vector<StreetSegment>& labels, std::int32_t toleranceUnits) {
  if (labels.empty()) return lines;
  SegmentGrid labelGrid(kGridCell);
  const std::vector<EdgeRef> labelEdges = IndexEdges(labels, labelGrid);
  SegmentGrid lineGrid(kGridCell);
  const std::vector<EdgeRef> lineEdges = IndexEdges(lines, lineGrid);
  std::vector<std::uint32_t> scratch;

  // Labels with the same name and route numbers are one label to the lines
  // (tiles cut a street's label into many pieces).
  std::vector<std::int64_t> sameAs(labels.size());
  std::map<std::pair<std::string, std::string>, std::int64_t> firstWith;
  for (std::size_t l = 0; l < labels.size(); ++l) {
    sameAs[l] = firstWith.try_emplace({labels[l].Name, labels[l].Ref}, static_cast<std::int64_t>(l)).first->second;
  }

  // Label stretches that follow no line become lines themselves (found
  // before the lines are split up below).
  std::vector<StreetSegment> ownLines;
  const double minOwnLength = kMinOwnLineTolerances * toleranceUnits;
  for (std::uint32_t l = 0; l < labels.size(); ++l) {
    const Line& points = labels[l].Points;
    std::size_t runStart = 0;
    bool inRun = false;
    for (std::size_t i = 0; i + 1 <= points.size(); ++i) {
      const bool followed = i + 1 < points.size() && FollowedLine(points[i], points[i + 1], labels[l].Cfcc, lines,
                                                                  lineEdges, lineGrid, toleranceUnits, scratch) >= 0;
      const bool atEnd = i + 1 == points.size();
      if (!followed && !atEnd && !inRun) {
        runStart = i;
        inRun = true;
      } else if ((followed || atEnd) && inRun) {
        inRun = false;
        if (Length(points, runStart, i) >= minOwnLength) {
          StreetSegment own = labels[l];
          own.Points.assign(points.begin() + static_cast<std::ptrdiff_t>(runStart),
                            points.begin() + static_cast<std::ptrdiff_t>(i) + 1);
          ownLines.push_back(std::move(own));
        }
      }
    }
  }

  std::vector<StreetSegment> named;
  named.reserve(lines.size());
  for (StreetSegment& line : lines) {
    const Line& points = line.Points;
    if (!line.Name.empty() || points.size() < 2) {
      named.push_back(std::move(line));
      continue;
    }
    std::vector<std::int64_t> labelOf(points.size() - 1);
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      const std::int64_t label =
          FollowedLine(points[i], points[i + 1], line.Cfcc, labels, labelEdges, labelGrid, toleranceUnits, scratch);
      labelOf[i] = label < 0 ? label : sameAs[static_cast<std::size_t>(label)];
    }
    // One output line per run of edges with the same label.
    std::size_t start = 0;
    for (std::size_t i = 1; i <= labelOf.size(); ++i) {
      if (i < labelOf.size() && labelOf[i] == labelOf[start]) continue;
      StreetSegment run = line;
      run.Points.assign(points.begin() + static_cast<std::ptrdiff_t>(start),
                        points.begin() + static_cast<std::ptrdiff_t>(i) + 1);
      if (labelOf[start] >= 0) {
        const StreetSegment& label = labels[static_cast<std::size_t>(labelOf[start])];
        run.Name = label.Name;
        if (run.Ref.empty()) run.Ref = label.Ref;
      }
      named.push_back(std::move(run));
      start = i;
    }
  }

  named.insert(named.end(), std::make_move_iterator(ownLines.begin()), std::make_move_iterator(ownLines.end()));
  return named;
}

}  // namespace quelmar::builder
