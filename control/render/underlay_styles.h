#pragma once
// The four underlay styles, applied to the 256 entries of the image's colour
// table: UndUser keeps the image's colours, UndMono makes a grey ramp, UndTopo
// a topographic tint and UndShadow the yellow ramp the relief shading indexes.
#include "control/core/tx_enums.h"
#include "control/render/underlay_colours.h"

namespace quelmar::render {

// The colour table an image is drawn with. A style outside the four draws the
// image's own colours.
UnderlayColours StyledColours(TxUndMode style, const UnderlayColours& imageColours);

}  // namespace quelmar::render
