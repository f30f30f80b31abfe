#pragma once
// Names for the large lakes of the Natural Earth layer, which carries none:
// each name with a point well inside its lake. A lake takes the first name
// whose point it contains.
#include <string_view>
#include <vector>

#include "tools/quelmar-data/builder/inputs/topojson.h"

namespace quelmar::builder {

struct NamedLake {
  std::string_view Name;
  LonLat Inside;
};

const std::vector<NamedLake>& NamedLakes();

}  // namespace quelmar::builder
