#pragma once
// Style preparation: run before the objects of each drawing are painted. From
// the view's scale, the drawing's kind letter, the detail drawings that are
// loaded and the user's layer choices it sets every layer's pen, colours,
// fill and casing, and which layers are drawn at all.
#include <cstdint>

#include "control/render/layer_style_table.h"
#include "control/render/scale_visibility.h"
#include "control/core/shading_switches.h"
#include "control/render/style_span_gauge.h"
#include "control/render/style_user_layers.h"

namespace quelmar::render {

using core::ShadingSwitches;

// The view's north edge above which the network drawings show their
// secondary roads (54.34° N in map units).
inline constexpr std::int32_t kNorthernRoadsEdge = 849058;

// What stays the same for every drawing of one paint.
struct PaintStyleContext {
  SpanGauge Gauge;
  std::int32_t ViewTop = 0;        // the view's north edge, map units
  bool BlackWhiteMode = false;     // the black-and-white switch
  bool BlackWhiteOutput = false;   // that switch while printing or drawing into a device
  bool UnderlayDrawn = false;      // an underlay image has been drawn since start-up
  ShadingSwitches Shading;         // the switches in force for this paint
  COLORREF Land = 0;
  COLORREF Water = 0;
};

// One group of detail drawings: whether any is loaded, and the scale at which
// its drawings are due (the lower scale bound of its kind).
struct DetailDrawings {
  bool Loaded = false;
  double Threshold = 0;
};

// What differs per drawing.
struct DrawingStyleInputs {
  char KindLetter = 'P';
  DetailDrawings States;          // "M...95"
  DetailDrawings Counties;        // "M...93"
  DetailDrawings Hydro;           // "M...94"
  DetailDrawings HighwayNetwork;  // "G"
  // Every layer 1..40 drawn, whatever the scale and the user's choices
  // (the painter's all-layers override).
  bool EveryLayerVisible = false;
};

// Switches the preparation derives for the per-object selection and the
// finishing passes.
struct PreparedSwitches {
  char KindLetter = 'P';
  bool StreetStyle = false;      // the zoomed-in street-map style
  bool StateDoubleLine = false;  // set by base-map drawings only, kept for the others
  bool CountyHalo = false;
};

// The kinds that carry their own scale selection, and whose boundaries wait
// for the end of a full paint.
constexpr bool IsSelfSelectingKind(char kind) {
  return kind == 'G' || kind == 'H' || kind == 'M' || kind == 'Q' || kind == 'U';
}

// Runs the preparation for one drawing. The width codes, colour words,
// fills, derived flags and scale visibility of the layers it names are set;
// records it does not name keep their values.
void PrepareLayerStyles(const PaintStyleContext& paint, const DrawingStyleInputs& drawing,
                        const UserLayerChoices& user, LayerStyleTable& styles, ScaleVisibility& visibility,
                        PreparedSwitches& switches);

}  // namespace quelmar::render
