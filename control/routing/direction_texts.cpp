#include "control/routing/direction_texts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "control/data/cfcc.h"

namespace quelmar::routing {
namespace {

struct Clock {
  long Hours, Minutes, Seconds;
};

Clock ClockOf(double seconds) {
  const long total = std::max(0L, std::lround(seconds));
  return {total / 3600, total % 3600 / 60, total % 60};
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

int CompassSector(double angle) {
  const double a = std::fmod(std::fmod(angle, 360) + 360, 360);
  return static_cast<int>(std::floor((a + 22.5) / 45)) % 8;
}

int NameRank(std::string_view name) {
  if (name.starts_with("I-")) return 0;
  if (name.starts_with("US ")) return 1;
  if (name.starts_with("SH ")) return 2;
  if (name.starts_with("CH ")) return 3;
  return 4;
}

}  // namespace

std::string TotalTimeText(double seconds) {
  const Clock c = ClockOf(seconds);
  if (c.Hours > 0) {
    std::string text = std::to_string(c.Hours) + " Hour";
    if (c.Minutes > 0) text += " " + std::to_string(c.Minutes) + " Min";
    return text;
  }
  std::string text;
  if (c.Minutes > 0) text += " " + std::to_string(c.Minutes) + " Min";
  return text + " " + std::to_string(c.Seconds) + " Sec";
}

std::string RowTimeText(double seconds, bool hoursFormat) {
  const Clock c = ClockOf(seconds);
  char text[48];
  if (hoursFormat) {
    std::snprintf(text, sizeof text, "%02ld:%02ld", c.Hours, c.Minutes);
  } else {
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", c.Hours, c.Minutes, c.Seconds);
  }
  return text;
}

std::string DriveTimeLabel(double seconds) {
  const Clock c = ClockOf(seconds);
  const std::string hours = " " + std::to_string(c.Hours) + " Hour";
  const std::string minutes = " " + std::to_string(c.Minutes) + " Min";
  const std::string secs = " " + std::to_string(c.Seconds) + " Sec";
  if (c.Hours > 0) return hours + "\r\n" + minutes;
  if (c.Minutes > 0) return minutes + "\r\n" + secs;
  return secs;
}

std::string DriveDistanceText(double miles, bool kilometres) {
  const int decimals = miles <= 10 ? 1 : 0;
  if (kilometres) return Fixed(miles * kKilometresPerMile, decimals) + " km ";
  return Fixed(miles, decimals) + " miles";
}

std::string SentenceTimeText(double seconds) {
  if (seconds > 3600) return Fixed(seconds / 3600, 1) + " hrs";
  if (seconds > 30) return "about " + std::to_string(std::lround(seconds / 60 + 0.5)) + " mins";
  const long fives = static_cast<long>(seconds + 2) / 5 * 5;
  return fives >= 5 ? "about " + std::to_string(fives) + " secs" : "less than 5 secs";
}

std::string_view CompassRowText(double angle) {
  static constexpr std::array<std::string_view, 8> kRows = {"E ", "NE", "N ", "NW", "W ", "SW", "S ", "SE"};
  return kRows[CompassSector(angle)];
}

std::string_view CompassWord(double angle) {
  static constexpr std::array<std::string_view, 8> kWords = {"East", "Northeast", "North", "Northwest",
                                                             "West", "Southwest", "South", "Southeast"};
  return kWords[CompassSector(angle)];
}

std::string RoadClassText(std::uint8_t classCode) {
  switch (classCode) {
    case 8:
    case 9: return "A10";
    case 10: return "A20";
    case 11: return "A30";
    case 12: return "A35";
    case 13:
    case 14: return "A40";
    default: break;
  }
  if (classCode >= 40) {
    std::string code(data::CfccOfFeatureCode(classCode));
    code.resize(4, ' ');
    return code;
  }
  return "A99";
}

std::string RoadNameText(std::string_view entry, std::uint8_t classCode, bool allNames) {
  if (classCode == 93) return "Ramp";
  const std::size_t tab = entry.find('\t');
  const std::string_view street = entry.substr(0, tab);
  const std::string_view place = tab == std::string_view::npos ? std::string_view() : entry.substr(tab + 1);
  std::vector<std::string_view> names;
  for (std::size_t at = 0; at <= street.size();) {
    const std::size_t slash = std::min(street.find('/', at), street.size());
    if (slash > at) names.push_back(street.substr(at, slash - at));
    at = slash + 1;
  }
  if (names.empty()) return "Unnamed Rd";
  std::stable_sort(names.begin(), names.end(), [](std::string_view a, std::string_view b) {
    const int ra = NameRank(a), rb = NameRank(b);
    return ra != rb ? ra < rb : a < b;
  });
  std::string text(names.front());
  if (allNames) {
    for (std::size_t i = 1; i < names.size(); ++i) text += "/" + std::string(names[i]);
  }
  if (!place.empty()) text += "\r\n" + std::string(place);
  return text;
}

std::string StreetOfRoadName(std::string_view roadName) {
  return std::string(roadName.substr(0, roadName.find("\r\n")));
}

Manoeuvre TurnManoeuvre(double angle, std::string_view roadName) {
  Manoeuvre m;
  m.Side = angle < -15 ? " Left" : angle > 15 ? " Right" : " Straight";
  const double size = std::abs(angle);
  m.Verb = size > 120 ? "Turn and head" : size > 45 ? "Turn" : size > 15 ? "Bear" : "Continue";
  const bool sided = m.Verb == "Turn and head" || m.Verb == "Turn";
  const std::string name = roadName.empty() || roadName == "*" ? "an unnamed road" : std::string(roadName);
  m.Sentence = m.Verb + (sided ? m.Side : "") + " onto " + name;
  return m;
}

}  // namespace quelmar::routing
