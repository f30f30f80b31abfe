#pragma once
// The logical palette made for an underlay image: the first 10 and last 10
// entries are the system's static colours, entries 11 to 226 the image's
// (styled) colour table entries of the same numbers, and the rest black. It
// is what a display of 256 colours or fewer would realise; the drawing
// surfaces here hold true colour, so the picture keeps its own colours.
#include "control/render/underlay_colours.h"

namespace quelmar::render {

UnderlayColours UnderlayLogicalPalette(const UnderlayColours& colours);

}  // namespace quelmar::render
