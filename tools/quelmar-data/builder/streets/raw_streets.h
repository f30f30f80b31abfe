#pragma once
// What the street readers hand to the network builder: street lines as the
// source has them (not yet noded), plus address points and landmarks.
#include <vector>

#include "tools/quelmar-data/builder/geo_model.h"

namespace quelmar::builder {

struct RawStreets {
  std::vector<StreetSegment> Lines;
  // Named lines that only carry names for the geometry of Lines (the label
  // layer of vector tiles); the network builder moves their names onto the
  // lines they follow.
  std::vector<StreetSegment> Labels;
  std::vector<AddressPoint> Addresses;
  std::vector<Landmark> Landmarks;
};

// A longitude/latitude box, for keeping a reader to one area.
struct GeoBox {
  double West = -180.0;
  double South = -90.0;
  double East = 180.0;
  double North = 90.0;
  bool Contains(double lon, double lat) const { return lon >= West && lon <= East && lat >= South && lat <= North; }
};

}  // namespace quelmar::builder
