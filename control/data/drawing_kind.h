#pragma once
// Kinds of loaded drawings and the scales at which each is kept and painted.
// A drawing's kind letter is the first letter of its registry name (member or
// file name); the built-in base map is kind "P". Scales are the view's pixels
// per map unit: larger is zoomed in further.
#include <functional>
#include <string_view>

namespace quelmar::data {

// The scale rules of the current view, recomputed at every load pass.
struct ScaleRules {
  // ScaleForMilesAt40 of the view: the scale at which one screen inch shows
  // `miles` at 40° N.
  std::function<double(double miles)> ForMiles;
  double DetailMiles = 2;       // configuration "TIGER="
  double Divisor = 12;          // the Map Blocks dialog's "Maximize" changes it
  double StreetThreshold = 0;   // the scale of DetailMiles, set by the load pass

  double Miles(double miles) const { return ForMiles ? ForMiles(miles) : 0; }
};

struct ScaleBounds {
  double Lower = 0;
  double Upper = 0;
};

// The switches of the control that turn layers of the overview data on and off.
struct LoadSwitches {
  bool Highway = true, Hydro = true, State = true, City = true, Air = true, County = true, Landmark = true;
};

// 'P' for the base map, else the first letter of `name` in upper case ('\0' for "").
char KindLetter(std::string_view name, bool isBaseMap);

// The bounds a drawing of `name` keeps. Kinds without a rule of their own
// (the routing network "HMAP.ZIP" among them) are kept at every scale.
ScaleBounds BoundsOf(std::string_view name, char kind, const ScaleRules& rules);

// Whether the drawing is painted at `scale`.
bool DueAt(std::string_view name, char kind, const ScaleBounds& bounds, double scale, const ScaleRules& rules,
           const LoadSwitches& switches);

// The paint order of a drawing: lower first (the base map is always first).
int PaintPriority(std::string_view name, char kind, bool paintingAfterLoad);

}  // namespace quelmar::data
