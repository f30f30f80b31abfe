#pragma once
// The map print of a control (ExecPrint): the Printer dialog on its map
// page, then, after "&Print", one page on the current printer with the
// title, the current view and the footer. What the dialog keeps goes to the
// settings store whether or not it printed.
#include "control/core/control_context.h"

namespace quelmar::dialogs {

// Throws IoError when the job cannot be started or written (no printer
// installed, an unwritable file); nothing is written then.
void ExecMapPrint(core::ControlContext& context);

}  // namespace quelmar::dialogs
