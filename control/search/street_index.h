#pragma once
// StreetIndex: the street lines of one state archive, read once, so that a
// search finds the lines whose names can match without opening a quad.
// Every line of every member is kept with what a hit needs (its name, place,
// numbers, ZIP code and points), and the normalised forms of all names are
// kept in one text that a query scans for its street key and cross street.
//
// The index is immutable once built and may be shared by any number of
// searches; each search keeps its scratch state in a StreetIndexQuery. A
// member matched through the index gives exactly the hits that matching its
// drawing gives (MatchStreets), in the same order.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/data/drawing.h"
#include "control/data/map_box.h"
#include "control/search/street_hits.h"

namespace quelmar::search {

class StreetIndex {
 public:
  struct Member {
    std::string Name;                // as the archive's directory names it
    std::optional<data::MapBox> Box;  // the quad's rectangle; none for a name that is no street quad
  };

  // Reads the lines of each member, in directory order; `read` gives the
  // drawing of member i, or nothing when it cannot be read (the member then
  // has no lines).
  static std::shared_ptr<const StreetIndex> Build(
      const std::vector<std::string>& memberNames,
      const std::function<std::optional<data::Drawing>(std::size_t member)>& read);

  const std::vector<Member>& Members() const { return members_; }
  std::size_t LineCount() const { return lines_.size(); }
  std::size_t NameCount() const { return names_.size(); }
  std::size_t MemoryBytes() const;

 private:
  friend class StreetIndexQuery;
  struct Line {
    std::uint32_t Member = 0;
    std::int32_t Object = 0;
    std::uint32_t Name = 0;
    std::uint32_t Place = 0;
    std::int32_t From = 0, To = 0, Zip = 0;
    std::uint32_t FirstPoint = 0, PointCount = 0;
  };
  std::vector<Member> members_;
  std::vector<std::string> names_;   // distinct street names as stored ("/" between names)
  std::vector<std::string> places_;  // distinct place names
  std::vector<std::vector<std::uint32_t>> linesOfName_;  // ascending line numbers
  std::vector<Line> lines_;          // in member order, then store order
  std::vector<core::TMapPoint> points_;
  // The normalised form of every part of every name, each followed by a NUL,
  // in name order; partStart_[p] is where part p begins, partName_[p] its name.
  std::string partText_;
  std::vector<std::uint32_t> partStart_;
  std::vector<std::uint32_t> partName_;
  std::vector<std::uint32_t> firstPart_;  // of each name, and one past the last
};

// One search's look-up in an index: the lines whose names match, grouped by
// member.
class StreetIndexQuery {
 public:
  StreetIndexQuery(std::shared_ptr<const StreetIndex> index, const StreetMatchText& text);

  const StreetIndex& Index() const { return *index_; }
  // Whether member `member` has a line whose name matches.
  bool HasLines(std::size_t member) const;
  // As MatchStreets on the member's drawing: appends its hits to `hits`.
  bool MatchMember(std::size_t member, StreetHitList& hits) const;

 private:
  // The parts whose normalised text contains `needle`, ascending.
  std::vector<std::uint32_t> PartsContaining(std::string_view needle) const;

  struct MatchedLine {
    std::uint32_t Line = 0;
    std::uint32_t Match = 0;  // into matches_
  };
  std::shared_ptr<const StreetIndex> index_;
  StreetMatchText text_;
  std::vector<NameMatch> matches_;         // of the names that match
  std::vector<MatchedLine> lines_;         // the lines under them, ascending
  std::vector<std::uint32_t> memberBegin_;  // per member, into lines_; one more entry at the end
};

}  // namespace quelmar::search
