#pragma once
// Attaches a map model to a control: the panel's paint-phase hooks load and
// draw through it (base data, palette, view loading, background and
// underlay, map drawing), and the layer styles answer the colour-table
// slots of SetOption.
#include "control/core/control_context.h"
#include "control/render/map_model.h"

namespace quelmar::render {

// Creates the model, attaches it to `context` and returns it; the context keeps it.
MapModel& AttachMapModel(core::ControlContext& context);

}  // namespace quelmar::render
