#pragma once
// quelmar geocode "ADDRESS" ...: each address through the control's GeoFind,
// its hits printed with their precision and score.
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/com/activation.h"

namespace quelmar::app {

struct GeocodeOptions {
  std::vector<std::string> addresses;
  std::string data;  // the map data tree; "" for the default
  bool tsv = false;  // one raw line per hit: address, precision, score, Street text
};

// Exit status: 0 (every address was looked up, found or not), 1 when the
// control or a call failed.
int GeocodeCommand(com::Activator& activator, const GeocodeOptions& options, std::ostream& out, std::ostream& err);

}  // namespace quelmar::app
