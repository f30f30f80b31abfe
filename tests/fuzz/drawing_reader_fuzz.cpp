// libFuzzer target: any bytes as a drawing file, read with route-label
// collection, then every object walked as the engine walks them.
#include <cstddef>
#include <cstdint>
#include <span>

#include "control/core/errors.h"
#include "control/data/byte_source.h"
#include "control/data/drawing.h"
#include "control/data/drawing_reader.h"
#include "control/data/drawing_scope.h"
#include "control/data/drawing_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar::data;
  MemorySource source(std::span(data, size));
  Drawing drawing;
  ReadDrawingOptions options;
  options.RegistryName = "G0Z1C";  // a network quad: route labels, no version check
  options.CollectRouteLabels = true;
  try {
    ReadDrawing(source, drawing, options);
  } catch (const quelmar::Error&) {
    // Malformed input ends the read; what was read before is walked below.
  }
  DrawingScope scope(drawing);
  for (std::int32_t n = 1; n <= drawing.Count(); ++n) {
    scope.Enter(n);
    const DrawObject& object = *drawing.ObjectAt(n);
    if (const Segment* segment = object.As<Segment>()) {
      (void)scope.IndexValue(segment->Attr.Index);
      (void)RangeOf(segment->Attr);
    }
    (void)PolylinePoints(object);
    (void)DescribeObject(n, object);
  }
  return 0;
}
