#pragma once
// The hits of street search in one quad: what a matched line becomes (its
// hit text and its point along the line), the fixed array they are kept in
// with the end points of their lines, and the intersection of a street with
// a cross street.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "control/core/map_units.h"
#include "control/search/short_string.h"
#include "control/search/street_lines.h"

namespace quelmar::search {

inline constexpr std::size_t kMaxStreetHits = 1000;
inline constexpr std::size_t kMaxHitTextLength = 100;
inline constexpr std::size_t kMaxMeasuredPoints = 3300;

enum class MatchKind : std::uint8_t { None = 0, Street = 1, Cross = 2 };

// What a search looks for in a quad: the street key (StreetSearchKey of the
// upper-cased street) and the cross street ("" for none), both upper-cased
// and cut to 80 characters.
struct StreetMatchText {
  ShortString Key;
  ShortString Cross;
  // Whether the hit point lies at the start of the line (searches for an
  // intersection) instead of at the house number.
  bool CrossFlag = false;
  std::int32_t HouseKey = 0;
  core::TMapPoint Centre;
};

// Makes the match text of a street and a cross street as typed.
StreetMatchText MakeStreetMatchText(const ShortString& street, const ShortString& cross, bool crossFlag,
                                    std::int32_t houseKey, core::TMapPoint centre);

struct NameMatch {
  MatchKind Kind = MatchKind::None;
  ShortString Name;  // the matched name in normalised form
};

// Tests a street name ("/" between several names): each name in turn,
// normalised, matches as the street when it contains the key and as the
// cross street when it contains the cross text; the first name that matches
// either way decides.
NameMatch MatchStreetName(std::string_view name, const StreetMatchText& text);

struct StreetHit {
  std::string Text;  // street, tab, place, tab, address range, tab, ZIP code
  std::int16_t Qualifier = 0;
  std::int32_t Object = 0;
  MatchKind Kind = MatchKind::None;
  core::TMapPoint Point;
  double Miles = 0;  // from the search centre
  // Not part of the hit text: the line's numbers, for the match quality.
  std::int32_t From = 0;
  std::int32_t To = 0;
  bool Intersection = false;
};

// The hit a matched line gives.
StreetHit MakeStreetHit(const StreetLine& line, const NameMatch& match, const StreetMatchText& text);

// The hit text's fields: the place name is shortened so that the whole text
// stays within 100 characters; the other fields are never cut.
std::string StreetHitText(const ShortString& street, const ShortString& place, const std::string& rangeAndZip);

// The point at `fraction` (0..1) of the line's length, straight distances
// between its points; the first point for lines of more than 3300 points.
core::TMapPoint PointAlongLine(std::span<const core::TMapPoint> points, double fraction);

// The fraction along a line of house number `key` on a line numbered from
// `from` to `to`: 0.5 without a key or numbers; clamped to 0..1.
double HouseNumberFraction(std::int32_t key, std::int32_t from, std::int32_t to);

// A place name as hits give it: while it holds a ":", a name beginning with
// a digit keeps what follows the ":", any other what comes before it.
ShortString PlaceWithoutColons(std::string_view place);

// Great-circle miles between two points in map units (0 for equal points).
double HitMiles(core::TMapPoint a, core::TMapPoint b);

// The hits of one quad, at most 1000, with the first and last point of each
// hit's line in the list of its kind.
class StreetHitList {
 public:
  // False, dropping the hit, when 1000 are held already.
  bool Add(StreetHit hit, core::TMapPoint first, core::TMapPoint last);
  bool Full() const { return hits_.size() >= kMaxStreetHits; }
  // Whether a hit was dropped because the list was full.
  bool Overflowed() const { return overflowed_; }
  const std::vector<StreetHit>& Hits() const { return hits_; }
  void Clear();

  // With a cross street: the first pair of a street line and a cross line
  // (in list order) whose end points meet within one map unit replaces the
  // whole list by one hit at the meeting point, "*" street " and " cross,
  // its range "N/A", its distance from `centre`. Returns whether they met.
  bool ResolveIntersection(core::TMapPoint centre);

 private:
  struct Ends {
    std::size_t Hit = 0;
    core::TMapPoint First, Last;
  };
  std::vector<StreetHit> hits_;
  std::vector<Ends> streetEnds_, crossEnds_;
  bool overflowed_ = false;
};

}  // namespace quelmar::search
