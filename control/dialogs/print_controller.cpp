#include "control/dialogs/print_controller.h"

#include <stdexcept>

#include "control/core/errors.h"
#include "control/dialogs/print_dialog.h"
#include "control/printing/map_print.h"
#include "platform/ui/printer.h"

namespace quelmar::dialogs {

void ExecMapPrint(core::ControlContext& context) {
  core::SettingsStore& settings = context.Settings();
  ui::Printer* printer = ui::CurrentPrinter();
  PrintDialog dialog(PrintPage::Map, settings.Print(), settings.Startup().TitlePrint, printer);
  ui::RunModal(dialog.Dialog());
  settings.Change(&core::ControlSettings::Print, [&](core::PrintSettings& p) { p = dialog.Result(p); });
  settings.Change(&core::ControlSettings::Startup, [&](core::StartupSettings& s) { s.TitlePrint = dialog.Title(); });
  if (!dialog.Ok()) return;
  if (!printer) throw IoError("ExecPrint: no printer is installed");

  core::Ttvmap& panel = context.Panel();
  if (!panel.Initialized()) panel.Init();
  printing::MapPrintRequest request;
  request.Print = settings.Print();
  request.TitlePrint = settings.Startup().TitlePrint;
  request.TitleUser = settings.Startup().TitleUser;
  request.CreatedAt = printing::PrintTimestamp();
  printing::PageCounter pages;
  try {
    const ui::PrinterInfo info = printer->Info();
    std::unique_ptr<ui::PrintJob> job = printer->StartJob(request.TitlePrint);
    printing::PrintMap(panel, *job, info, request, pages);
    job->End();
  } catch (const std::runtime_error& e) {
    if (dynamic_cast<const Error*>(&e)) throw;
    throw IoError(std::string("ExecPrint: ") + e.what());
  }
}

}  // namespace quelmar::dialogs
