#include "control/dialogs/print_controller.h"

#include "control/core/errors.h"
#include "control/dialogs/print_dialog.h"
#include "control/items/direct_draw.h"
#include "control/printing/map_print.h"
#include "control/printing/print_job.h"
#include "platform/gdi/dc_handles.h"
#include "platform/ui/printer.h"

namespace quelmar::dialogs {

void ExecMapPrint(core::ControlContext& context) {
  core::SettingsStore& settings = context.Settings();
  ui::Printer* printer = ui::CurrentPrinter();
  core::Ttvmap& panel = context.Panel();
  const auto preview = [&panel](gdi::Canvas& canvas, const gdi::Rect& rect, bool mono) {
    gdi::ScopedDc dc(canvas);
    items::DirectDrawRequest draw;
    draw.Target = rect;
    draw.Mono = mono;
    draw.Output = core::OutputKind::Printer;
    items::DirectDraw(panel, canvas, dc.Handle(), draw);
  };
  PrintDialog dialog(PrintPage::Map, settings.Print(), settings.Startup().TitlePrint, printer, preview);
  ui::RunModal(dialog.Dialog());
  settings.Change(&core::ControlSettings::Print, [&](core::PrintSettings& p) { p = dialog.Result(p); });
  settings.Change(&core::ControlSettings::Startup, [&](core::StartupSettings& s) { s.TitlePrint = dialog.Title(); });
  if (!dialog.Ok()) return;
  if (!printer) throw IoError("ExecPrint: no printer is installed");

  if (!panel.Initialized()) panel.Init();
  printing::MapPrintRequest request;
  request.Print = settings.Print();
  request.TitlePrint = settings.Startup().TitlePrint;
  request.TitleUser = settings.Startup().TitleUser;
  request.CreatedAt = printing::PrintTimestamp();
  printing::PageCounter pages;
  printing::RunPrintJob(*printer, request.TitlePrint, "ExecPrint: ", [&](ui::PrintJob& job, const ui::PrinterInfo& info) {
    printing::PrintMap(panel, job, info, request, pages);
  });
}

}  // namespace quelmar::dialogs
