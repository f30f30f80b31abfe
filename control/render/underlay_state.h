#pragma once
// What the control remembers of the underlay image being drawn: one set per
// control, replaced by every drawing of every image.
#include <cstdint>
#include <optional>
#include <string>

#include "control/core/engine_hooks.h"
#include "control/render/underlay_colours.h"

namespace quelmar::render {

struct UnderlayState {
  std::int32_t Width = 0;   // image pixels
  std::int32_t Height = 0;
  int Colours = 0;          // colours the image uses
  core::MapRect Extent;     // north-west (x1, y1) and south-east (x2, y2) corners, map units
  // Set the first time an image is drawn and never cleared: from then on the
  // layer styles hide layers 7 and 19 and ZoomUnderlay works.
  bool Drawn = false;
  // Set when an image is (re)loaded, cleared once it has been copied to the screen.
  bool RebuildPalette = false;
  std::optional<UnderlayColours> Palette;  // the logical palette made for the image
  // Why the last image named drew nothing or stopped early; empty when it drew whole.
  std::string LastProblem;
};

}  // namespace quelmar::render
