#include "control/data/drawing_kind.h"

namespace quelmar::data {
namespace {

// The two characters after an "M" quad name ("M7A2B95" → "95").
std::string_view Ending(std::string_view name) { return name.size() >= 7 ? name.substr(5, 2) : std::string_view{}; }

constexpr double kNoneMiles = 0.0001;  // "no upper bound": a scale no view reaches

}  // namespace

char KindLetter(std::string_view name, bool isBaseMap) {
  if (isBaseMap) return 'P';
  if (name.empty()) return '\0';
  const char c = name[0];
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

ScaleBounds BoundsOf(std::string_view name, char kind, const ScaleRules& r) {
  const double detail = r.Miles(r.DetailMiles);
  const double none = r.Miles(kNoneMiles);
  const double threshold = r.StreetThreshold;
  switch (kind) {
    case 'G': return {r.Miles(25), detail};
    case 'M': {
      const std::string_view end = Ending(name);
      if (end == "93" || end == "94") return {threshold / r.Divisor / 2, detail};
      if (end == "95") return {threshold / r.Divisor / 2, none};
      if (end == "96" || end == "97") return {threshold / r.Divisor * 4, none};
      if (end == "98") return {r.Miles(30), none};
      return {threshold / r.Divisor, detail};
    }
    case 'Q': return {detail, none};
    case 'U':
    case 'X':
    case 'Y': return {threshold, none};
    case 'Z': return {r.Miles(16), none};
    default: return {0, none};
  }
}

bool DueAt(std::string_view name, char kind, const ScaleBounds& b, double r, const ScaleRules& rules,
           const LoadSwitches& on) {
  const double detail = rules.Miles(rules.DetailMiles);
  switch (kind) {
    case 'G': return on.Highway && b.Lower <= r && r < detail;
    case 'M': {
      const std::string_view end = Ending(name);
      if (end == "93") return on.County && r >= b.Lower;
      if (end == "94") return on.Hydro && b.Lower <= r && r < detail;
      if (end == "95") return on.State && r >= b.Lower;
      if (end == "97") return on.Air && r >= b.Lower;
      if (end == "98") return on.City && r >= b.Lower;
      return on.Highway && b.Lower <= r && r < detail;
    }
    case 'Q': return r >= detail;
    case 'U': return on.Landmark && r >= b.Lower;
    case 'X':
    case 'Y': return r >= rules.StreetThreshold;
    case 'Z': return r >= b.Lower;
    default: return true;
  }
}

int PaintPriority(std::string_view name, char kind, bool paintingAfterLoad) {
  if (paintingAfterLoad) return 10;
  if (kind == 'P') return 0;
  switch (kind) {
    case 'M': {
      const std::string_view end = Ending(name);
      if (end == "93") return 1;
      if (end == "94") return 4;
      if (end == "95") return 5;
      if (end == "98") return 2;
      if (end == "97") return 7;
      return 100;
    }
    case 'Y': return 6;
    case 'U': return 8;
    case 'G': return 15;
    case 'Z': return 16;
    default: return 100;
  }
}

}  // namespace quelmar::data
