// TopoJSON of any bytes: the topology, every object's geometries, then the
// us-atlas and Natural Earth layers the builder makes of it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/natural_earth.h"
#include "tools/quelmar-data/builder/inputs/topojson.h"
#include "tools/quelmar-data/builder/inputs/us_atlas.h"

namespace {

template <typename Read>
void Refusable(Read read) {
  try {
    read();
  } catch (const quelmar::Error&) {
    // Refused cleanly.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar::builder;
  Topology topology;
  try {
    topology = Topology::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const quelmar::Error&) {
    return 0;
  }
  for (const std::string& name : topology.ObjectNames()) {
    Refusable([&] {
      for (const TopoGeometry& geometry : topology.Object(name)) (void)geometry.Name();
    });
  }
  std::vector<StateArea> states;
  Refusable([&] { states = StatesFromTopology(topology); });
  Refusable([&] { (void)CountiesFromTopology(topology); });
  Refusable([&] { (void)NationFromTopology(topology, states); });
  Refusable([&] { (void)NaturalEarthFromTopology(topology, NorthAmericaCut()); });
  return 0;
}
