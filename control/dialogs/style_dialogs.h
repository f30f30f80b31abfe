#pragma once
// The dialogs of the layer styles: "Layer" (the layer, state colour and
// landmark choices) and "Display" (the display options), opened by the
// ExecMethod words "LAYER" and "DISPLAY". Each is shown with the control's
// current settings, and what the user keeps goes back into the settings
// store (and the layer styles of the map model).
#include "control/core/control_context.h"
#include "control/render/map_model.h"

namespace quelmar::dialogs {

inline constexpr const char* kLayerDialog = "Layer";
inline constexpr const char* kDisplayDialog = "Display";

// Registers both dialogs and their command words in `context`; `model` must
// live as long as the context (the context keeps it).
void AttachStyleDialogs(core::ControlContext& context, render::MapModel& model);

}  // namespace quelmar::dialogs
