#include "control/render/style_landmark_classes.h"

#include <cstdint>

namespace quelmar::render {
namespace {

constexpr std::array<std::string_view, kLandmarkClassCount> kNames = {
    "*airport", "arch",     "area",   "arroyo",   "bar",     "basin",   "bay",       "beach",    "bench",
    "bend",     "bridge",   "building", "canal",  "cape",    "cave",    "cemetery",  "channel",  "church",
    "*civil",   "cliff",    "crater", "crossing", "dam",     "desert",  "dike",      "falls",    "flat",
    "forest",   "gap",      "geyser", "glacier",  "gut",     "harbor",  "hill",      "hospital", "island",
    "isthmus",  "lake",     "lava",   "levee",    "*locale", "marsh",   "meadow",    "military", "mine",
    "oilfield", "other",    "park",   "pass",     "pillar",  "plain",   "p o",       "*ppl",     "range",
    "rapids",   "reserve",  "reservoir", "ridge", "rock",    "school",  "sea",       "slope",    "spring",
    "stream",   "summit",   "swamp",  "tower",    "trail",   "tunnel",  "valley",    "well",     "woods",
};

// Colour classes of classes 1..70.
constexpr std::array<std::uint8_t, 70> kColourClasses = {
    8, 10, 2, 1, 1, 1, 1, 2, 2, 1, 9,  9,  1, 1, 10, 5, 1, 4, 9, 10, 10, 8, 1, 2, 1, 1, 2, 2, 10, 1, 1, 1, 1, 10, 6,
    2, 1,  1, 10, 1, 8, 1, 2, 3, 3, 10, 2, 10, 10, 2, 9, 10, 1, 2, 1, 10, 10, 7, 1, 2, 1, 1, 10, 1, 9, 8, 8, 2, 3, 2,
};

// Standard colour index of colour classes 1..10.
constexpr std::array<int, 11> kColourClassIndex = {0, 1, 2, 0, 13, 8, 12, 4, 5, 7, 6};

}  // namespace

std::string_view LandmarkClasses::Name(int k) { return IsClass(k) ? kNames[k - 1] : ""; }

std::optional<int> LandmarkClasses::ColourIndex(int k) {
  if (k < 1 || k > static_cast<int>(kColourClasses.size())) return std::nullopt;
  return kColourClassIndex[kColourClasses[k - 1]];
}

bool LandmarkClasses::SetVisible(int k, bool visible) {
  if (!IsClass(k)) return false;
  visible_[k] = visible;
  return true;
}

void LandmarkClasses::SetAllVisible(bool visible) {
  visible_.fill(visible);
  visible_[0] = false;
}

}  // namespace quelmar::render
