// libFuzzer target: any bytes as the names the map reads from its archives
// and drawings: quad and street member names, registry names with their kind
// letter, scale bounds and paint priority, and stored names and route labels
// unpacked as the labels and the route-name collection do.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "control/data/drawing_kind.h"
#include "control/data/drawing_route_labels.h"
#include "control/data/name_unpack.h"
#include "control/data/quad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar::data;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto quad = ParseQuadName(text)) (void)QuadName(*quad);
  if (const auto member = ParseStreetMemberName(text)) (void)StreetMemberName(*member);
  ScaleRules rules;
  rules.ForMiles = [](double miles) { return 100.0 / miles; };
  for (bool base : {false, true}) {
    const char kind = KindLetter(text, base);
    const ScaleBounds bounds = BoundsOf(text, kind, rules);
    (void)DueAt(text, kind, bounds, 1.0, rules, LoadSwitches{});
    (void)PaintPriority(text, kind, base);
  }
  (void)UnpackName(text);
  (void)UnpackNameAbbreviated(text);
  (void)UnpackLabelWords(text);
  (void)WithoutStreetType(text);
  RouteNameRules routeNames;
  routeNames.Expand = [](std::string_view stored) { return UnpackPairs(stored.substr(0, 40)); };
  routeNames.Normalize = [](std::string_view name) { return std::string(name); };
  (void)RouteNumbersOf(UnpackPairs(text), routeNames);
  return 0;
}
