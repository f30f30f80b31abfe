#pragma once
// The named lines of a street drawing, as street search reads them: the
// objects are walked in store order keeping the current place name (from the
// naming labels of minor civil divisions and places) and the current street
// name (from name references; cleared by group ends and blocks). Every object
// with a line layer (feature code above 7) that lies under a street name is
// one StreetLine.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "control/core/map_units.h"
#include "control/data/drawing.h"

namespace quelmar::search {

struct StreetLine {
  std::int32_t Object = 0;  // the object's number in its drawing
  std::string_view Name;    // the street name, unpacked (names joined by "/")
  std::string_view Place;   // the place name as stored, cut before " Town", " City" or " Township"; may be empty
  std::int32_t From = 0;    // house numbers at the first and last point; From 0 (with To 0): no range
  std::int32_t To = 0;
  std::int32_t Zip = 0;     // the ZIP code of the line's index list entry; 0 when none
  std::span<const core::TMapPoint> Points;  // the line; one point for a place object
};

// What the walk does after a line.
enum class WalkNext {
  Go,        // on with the next line
  SkipName,  // drop the current street name: the lines that follow under the
             // same name reference are not visited (their name would not match either)
  Stop,
};

// How the walk decodes street names: with a leading direction letter
// written out ("WEST ADDISON ST", for matching), or as abbreviated as stored
// ("W ADDISON ST").
enum class StreetNameForm { Written, Abbreviated };

// Calls `visit` for each street line of `drawing` in store order.
void WalkStreetLines(const data::Drawing& drawing, const std::function<WalkNext(const StreetLine&)>& visit,
                     StreetNameForm form = StreetNameForm::Written);

// The place name rule of the walk: cut before the first " Town", else the
// first " City", else the first " Township".
std::string_view PlaceNameOfLabel(std::string_view label);

}  // namespace quelmar::search
