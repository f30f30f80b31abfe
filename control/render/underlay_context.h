#pragma once
// The underlay of one control: its settings and the state of the image being
// drawn. The background filler draws from it and updates the state; the
// underlay service and the layer styles read the state.
#include "control/render/underlay_settings.h"
#include "control/render/underlay_state.h"

namespace quelmar::render {

struct UnderlayContext {
  UnderlaySettings Settings;
  UnderlayState State;
};

}  // namespace quelmar::render
