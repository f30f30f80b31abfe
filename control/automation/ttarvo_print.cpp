// The print member of TTarvo: ExecPrint prints the current view on one page
// of the current printer (a PDF file by default) after the Printer dialog.
#include "control/automation/ttarvo.h"
#include "control/automation/ttarvo_guard.h"
#include "control/dialogs/print_controller.h"

namespace quelmar::automation {

HRESULT TTarvo::ExecPrint() {
  return Call("ExecPrint", [&](Ttvmap&) { dialogs::ExecMapPrint(*context_); });
}

}  // namespace quelmar::automation
