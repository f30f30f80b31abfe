#include "control/printing/print_job.h"

#include <memory>
#include <stdexcept>

#include "control/core/errors.h"

namespace quelmar::printing {

void RunPrintJob(ui::Printer& printer, const std::string& title, const std::string& what,
                 const std::function<void(ui::PrintJob&, const ui::PrinterInfo&)>& draw) {
  try {
    const ui::PrinterInfo info = printer.Info();
    std::unique_ptr<ui::PrintJob> job = printer.StartJob(title);
    draw(*job, info);
    job->End();
  } catch (const Error&) {
    throw;
  } catch (const std::runtime_error& e) {
    throw IoError(what + e.what());
  }
}

}  // namespace quelmar::printing
