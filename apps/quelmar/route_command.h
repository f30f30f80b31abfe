#pragma once
// quelmar route LON1,LAT1 LON2,LAT2 [--type T] [--km] [--tsv]: one route
// through the control's FindRoute, its directions printed from the FindRte
// rows and FindDir manoeuvres, then the totals.
#include <iosfwd>
#include <string>

#include "platform/com/activation.h"

namespace quelmar::app {

struct RouteOptions {
  std::string from, to;  // "lon,lat"
  std::string type = "shortest-bias";  // shortest-bias, fastest, least-turns, shortest (or 0, 1, 2, 4)
  std::string data;
  bool km = false;
  bool hours = false;
  bool tsv = false;  // the rows as they are, then "TOTAL\tmiles\tseconds"
};

// The option word's route-type bits for a --type value; -1 for an unknown one.
int RouteTypeBits(const std::string& type);

// Exit status: 0 a route was found, 1 none or a failed call, 2 wrong arguments.
int RouteCommand(com::Activator& activator, const RouteOptions& options, std::ostream& out, std::ostream& err);

}  // namespace quelmar::app
