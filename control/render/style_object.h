#pragma once
// Per-object style selection: how one polyline or ring of a drawing is drawn,
// from its layer's prepared style, its area code and whether it is closed.
#include <cstdint>
#include <optional>

#include "control/render/colour_grey.h"
#include "control/render/layer_style_table.h"
#include "control/render/shading_area_colour_map.h"
#include "control/render/shading_colours.h"
#include "control/core/shading_switches.h"
#include "control/render/style_preparation.h"
#include "control/render/style_strokes.h"

namespace quelmar::render {

using core::ShadingSwitches;

inline constexpr std::uint8_t kMeadowFeatureCode = 151;  // CFCC D51: filled bright green

// One polyline or ring as the painter sees it.
struct ObjectQuery {
  int Layer = 0;                 // the layer of its feature code
  std::uint8_t FeatureCode = 0;
  // The object's area number: the state code of state rings (layers 0, 2),
  // the county code (state × 1000 + county) of county rings, the place or
  // MCD code of place and MCD rings.
  std::int32_t AreaCode = 0;
  bool Closed = false;           // first and last points are equal
};

enum class StyleDisposition {
  Draw,   // draw now: the fill (if any), then the strokes
  Defer,  // a boundary kept for the end of the paint; draw only the strokes now (a halo)
  Queue,  // a cased line kept for the two passes at the end of the paint; draw nothing now
};

// The line a cased-line queue keeps, besides its points.
struct CasedLineStyle {
  std::uint16_t ColorWord = 0;
  std::uint16_t WidthCode = 0;
  int Layer = 0;
};

struct ObjectStyle {
  StyleDisposition Disposition = StyleDisposition::Draw;
  std::optional<COLORREF> Fill;  // fill the ring with a solid brush, no outline
  StrokeList Strokes;
  bool PointByPoint = false;     // width code 15: the engine's point-by-point line
  CasedLineStyle Cased;          // for Queue
};

// Everything the selection reads.
struct ObjectStyleContext {
  const LayerStyleTable& Styles;
  const PreparedSwitches& Switches;
  const ShadeColours& Colours;
  const ShadingSwitches& Shading;   // the switches in force for this paint
  const BlackWhiteSettings& BlackWhite;
  bool BlackWhiteOutput = false;
  // Boundaries wait for the end of the paint: on during a full map paint,
  // off for a single drawing and while the kept boundaries are drawn.
  bool Deferral = false;
  AreaColourMap& Areas;             // place and MCD colours; marks codes used in this paint
};

// The style of one object of a layer that is drawn at this scale.
ObjectStyle SelectObjectStyle(const ObjectStyleContext& context, const ObjectQuery& object);

// The pen colour of an ordinary line of `layer`: an outlined layer uses its
// line colour index; otherwise a non-zero outline index, or casing on any
// layer but 2, selects the outline index.
int LineColourIndex(const TLayerStyle& style, int layer);

// The two passes of a kept cased line: first the outline colour (black in
// black-and-white output) at the full width step, then the line colour two
// steps narrower; with the street-map style on, the inner colour comes from
// the layer (red, yellow, silver or white) unless the line colour index is 2.
StrokePass CasedOuterPass(const CasedLineStyle& line, bool blackWhiteOutput);
StrokePass CasedInnerPass(const CasedLineStyle& line, bool streetStyle);

}  // namespace quelmar::render
