#pragma once
// The dialogs of the layer styles that command strings open: "LAYER" (the
// layer, state colour and landmark choices) and "DISPLAY" (the display
// options). Each is shown with the control's current settings, and what the
// user keeps goes back into the control.
#include <string>

#include "control/core/tv_object.h"
#include "control/render/label_engine.h"
#include "control/render/style_engine.h"

namespace quelmar::render {

// Runs the dialog `command` names; false for a command that is no dialog of
// the layer styles.
bool RunStyleDialog(const std::string& command, core::TTvObject& panel, StyleEngine& styles, LabelEngine& labels);

}  // namespace quelmar::render
