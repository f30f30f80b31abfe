#include "control/search/street_hits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "control/core/geodesy.h"
#include "control/search/house_number.h"
#include "control/search/street_name.h"
#include "control/search/title_case.h"

namespace quelmar::search {
namespace {

constexpr int kMaxMatchTextLength = 80;

// The place name as hits show it.
ShortString ShownPlace(std::string_view place) { return TitleCaseName(PlaceWithoutColons(place)); }

std::string RangeAndZip(std::int32_t from, std::int32_t to, std::int32_t zip) {
  if (from == 0 && to == 0) return "\t";
  const std::int32_t low = std::min(from, to), high = std::max(from, to);
  std::string text = HouseNumberText(low).Str();
  if (high != low) text += " - " + HouseNumberText(high).Str();
  text += '\t';
  if (zip != 0) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%05d", zip);
    text += digits;
  }
  return text;
}

bool Meets(core::TMapPoint a, core::TMapPoint b) {
  return std::llabs(std::int64_t{a.X} - b.X) <= 1 && std::llabs(std::int64_t{a.Y} - b.Y) <= 1;
}

}  // namespace

ShortString PlaceWithoutColons(std::string_view place) {
  ShortString name(place);
  while (const int colon = name.Pos(":")) {
    name = IsDigit(name.At(1)) ? name.From(colon + 1) : name.Copy(1, colon - 1);
  }
  return name;
}

StreetMatchText MakeStreetMatchText(const ShortString& street, const ShortString& cross, bool crossFlag,
                                    std::int32_t houseKey, core::TMapPoint centre) {
  StreetMatchText text;
  text.Key = StreetSearchKey(UpperCase(street.Copy(1, kMaxMatchTextLength)));
  text.Cross = UpperCase(cross.Copy(1, kMaxMatchTextLength));
  text.CrossFlag = crossFlag;
  text.HouseKey = houseKey;
  text.Centre = centre;
  return text;
}

NameMatch MatchStreetName(std::string_view name, const StreetMatchText& text) {
  std::size_t begin = 0;
  while (begin <= name.size()) {
    const std::size_t slash = name.find('/', begin);
    const std::size_t end = slash == std::string_view::npos ? name.size() : slash;
    const ShortString normalised = NormalizeStreetName(ShortString(name.substr(begin, end - begin)));
    if (normalised.Contains(text.Key.View())) return {MatchKind::Street, normalised};
    if (normalised.Contains(text.Cross.View())) return {MatchKind::Cross, normalised};
    if (slash == std::string_view::npos) break;
    begin = slash + 1;
  }
  return {};
}

std::string StreetHitText(const ShortString& street, const ShortString& place, const std::string& rangeAndZip) {
  const std::size_t fixed = street.Str().size() + 2 + rangeAndZip.size();
  std::string shownPlace = place.Str();
  if (fixed + shownPlace.size() > kMaxHitTextLength) {
    shownPlace.resize(fixed < kMaxHitTextLength ? kMaxHitTextLength - fixed : 0);
  }
  return street.Str() + '\t' + shownPlace + '\t' + rangeAndZip;
}

double HouseNumberFraction(std::int32_t key, std::int32_t from, std::int32_t to) {
  double fraction = 0.5;
  if (key != 0 && from != 0) {
    // In doubles: differences of numbers near the 32-bit limits do not wrap.
    if (to != from) {
      fraction = (double(key) - double(from)) / (double(to) - double(from));
    } else {
      fraction = key == from ? 0.5 : -1;
    }
  }
  return std::clamp(fraction, 0.0, 1.0);
}

core::TMapPoint PointAlongLine(std::span<const core::TMapPoint> points, double fraction) {
  if (points.empty()) return {};
  if (points.size() == 1 || points.size() > kMaxMeasuredPoints) return points.front();
  auto length = [](core::TMapPoint a, core::TMapPoint b) {
    return std::hypot(double(b.X) - a.X, double(b.Y) - a.Y);
  };
  double total = 0;
  for (std::size_t i = 1; i < points.size(); ++i) total += length(points[i - 1], points[i]);
  if (total <= 0) return points.front();
  double wanted = std::clamp(fraction, 0.0, 1.0) * total;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const double piece = length(points[i - 1], points[i]);
    if (wanted <= piece || i + 1 == points.size()) {
      const double t = piece > 0 ? std::min(wanted / piece, 1.0) : 0;
      const core::TMapPoint a = points[i - 1], b = points[i];
      return {static_cast<std::int32_t>(std::lround(a.X + t * (double(b.X) - a.X))),
              static_cast<std::int32_t>(std::lround(a.Y + t * (double(b.Y) - a.Y)))};
    }
    wanted -= piece;
  }
  return points.back();
}

double HitMiles(core::TMapPoint a, core::TMapPoint b) {
  const auto d = core::Distance(core::UnitsToDegrees(a.X), core::UnitsToDegrees(a.Y), core::UnitsToDegrees(b.X),
                                core::UnitsToDegrees(b.Y));
  return d ? d->Angle * core::kEarthRadiusMiles : 0;
}

StreetHit MakeStreetHit(const StreetLine& line, const NameMatch& match, const StreetMatchText& text) {
  StreetHit hit;
  hit.Text = StreetHitText(TitleCaseName(match.Name), ShownPlace(line.Place), RangeAndZip(line.From, line.To, line.Zip));
  hit.Object = line.Object;
  hit.Kind = match.Kind;
  hit.From = line.From;
  hit.To = line.To;
  const double fraction = text.CrossFlag ? 0 : HouseNumberFraction(text.HouseKey, line.From, line.To);
  hit.Point = PointAlongLine(line.Points, fraction);
  hit.Miles = HitMiles(text.Centre, hit.Point);
  return hit;
}

bool StreetHitList::Add(StreetHit hit, core::TMapPoint first, core::TMapPoint last) {
  if (Full()) {
    overflowed_ = true;
    return false;
  }
  auto& ends = hit.Kind == MatchKind::Cross ? crossEnds_ : streetEnds_;
  ends.push_back({hits_.size(), first, last});
  hits_.push_back(std::move(hit));
  return true;
}

void StreetHitList::Clear() {
  hits_.clear();
  streetEnds_.clear();
  crossEnds_.clear();
  overflowed_ = false;
}

bool StreetHitList::ResolveIntersection(core::TMapPoint centre) {
  for (const Ends& street : streetEnds_) {
    for (const Ends& cross : crossEnds_) {
      // A cross line both of whose ends lie on the street's first point is
      // no crossing (a loop back to where it began).
      if (Meets(cross.First, street.First) && Meets(cross.Last, street.First)) continue;
      std::optional<core::TMapPoint> at;
      if (Meets(cross.First, street.First) || Meets(cross.Last, street.First)) {
        at = street.First;
      } else if (Meets(cross.First, street.Last) || Meets(cross.Last, street.Last)) {
        at = street.Last;
      }
      if (!at) continue;
      const StreetHit& streetHit = hits_[street.Hit];
      const StreetHit& crossHit = hits_[cross.Hit];
      const std::string streetName = streetHit.Text.substr(0, streetHit.Text.find('\t'));
      const std::string crossName = crossHit.Text.substr(0, crossHit.Text.find('\t'));
      // Fields after the name: place, range (now "N/A"), ZIP code.
      const std::size_t placeStart = streetHit.Text.find('\t') + 1;
      const std::size_t rangeStart = streetHit.Text.find('\t', placeStart) + 1;
      const std::size_t zipStart = streetHit.Text.find('\t', rangeStart);
      const ShortString place(streetHit.Text.substr(placeStart, rangeStart - 1 - placeStart));
      StreetHit meeting = streetHit;
      meeting.Text = StreetHitText(ShortString("*" + streetName + " and " + crossName), place,
                                   "N/A" + streetHit.Text.substr(zipStart));
      meeting.Point = *at;
      meeting.Miles = HitMiles(centre, *at);
      meeting.Intersection = true;
      Clear();
      hits_.push_back(std::move(meeting));
      return true;
    }
  }
  return false;
}

}  // namespace quelmar::search
