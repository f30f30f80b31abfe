#pragma once
// Route labels: while a drawing is read, the route numbers in the names of
// roads (highway numbers shown as shields) are collected with a point on each
// line they name; at the end of the file each becomes a LabelText of feature
// code 33 whose route layer is the layer of the road.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "control/data/drawing.h"

namespace quelmar::data {

// Name text rules the reader borrows from the name decoder. Either may be
// empty, which leaves the text as it is (names stored unpacked).
struct RouteNameRules {
  // A NameString's stored bytes as text whose word codes (bytes 1..31) are
  // kept: the pair expansion of the packed-name decoder.
  std::function<std::string(std::string_view)> Expand;
  // The street-name normalisation, applied to each route number kept.
  std::function<std::string(std::string_view)> Normalize;
};

inline constexpr char kMarkedRoadWordCode = 29;  // names that turn "Roads:" lines into highways
inline constexpr std::size_t kMaxRouteNumberLength = 40;
inline constexpr std::size_t kMaxRouteLabelLength = 20;

// Whether one "/"-separated part of an expanded name is a route number: it
// holds a route-prefix word code (15..20 or 27; "CARRETERA" counts as 27), or
// "A-", "C-" or "H-".
bool IsRouteNumber(std::string_view part);

// The route numbers of an expanded name in order: each route-number part,
// without a leading "E ", "N ", "S " or "W ", normalised, at most 40 characters.
std::vector<std::string> RouteNumbersOf(std::string_view expandedName, const RouteNameRules& rules);

struct RouteAnchor {
  std::int16_t Code = 0;  // the road's layer (its feature code when 40 or below)
  std::string Text;       // the route number, at most 20 characters
  TMapPoint Point;
};

class RouteLabelCollector {
 public:
  static constexpr std::size_t kMaxAnchors = 20000;  // per file

  // The rules are borrowed: they must outlive the collector.
  explicit RouteLabelCollector(const RouteNameRules& rules) : rules_(rules) {}

  // A NameRef was read; `name` is what it points to (null when it points at
  // no NameString read so far). Replaces the current route numbers.
  void OnNameRef(const NameString* name);
  // A GroupMark ends the current route numbers.
  void OnGroupMark();
  // The feature code a polyline of code `code` gets: 51 ("Highway:") while a
  // marked name is current and the code draws on "Roads:".
  std::uint8_t PolylineCode(std::uint8_t code) const;
  // A Polyline or Segment was stored: one anchor per current route number,
  // unless it draws on "Streets" or its anchors would not all fit.
  void OnLine(const DrawObject& object);
  // Appends each anchor, in the order collected, as a route LabelText.
  void AppendLabels(Drawing& drawing) const;

  const std::vector<std::string>& RouteNumbers() const { return routeNumbers_; }
  bool Marked() const { return marked_; }
  const std::vector<RouteAnchor>& Anchors() const { return anchors_; }

 private:
  const RouteNameRules& rules_;
  std::vector<std::string> routeNumbers_;
  bool marked_ = false;
  std::vector<RouteAnchor> anchors_;
};

}  // namespace quelmar::data
