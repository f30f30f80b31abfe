#pragma once
// One print job from start to end: started on the printer, drawn by the
// caller, ended so that the document goes out whole. Any failure of the
// printer (it cannot start, draw or write) comes out as an IoError whose
// message starts with `what`; the control's own errors pass as they are.
#include <functional>
#include <string>

#include "platform/ui/printer.h"

namespace quelmar::printing {

void RunPrintJob(ui::Printer& printer, const std::string& title, const std::string& what,
                 const std::function<void(ui::PrintJob&, const ui::PrinterInfo&)>& draw);

}  // namespace quelmar::printing
