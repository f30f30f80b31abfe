#pragma once
// The desktop's printer, as a service: what the Printer dialog shows (the
// printer's name, its page in printer pixels and its resolution) and print
// jobs, each a canvas per page. The default printer writes each job as a
// PDF document (vector drawing, fonts embedded) to a file; a host or a test
// installs another with SetPrinter, or none ("no printer installed").
//
//   ui::Printer* printer = ui::CurrentPrinter();
//   auto job = printer->StartJob("Map");           // throws on failure
//   draw on job->Page(); job->NewPage(); ...; job->End();
#include <filesystem>
#include <memory>
#include <string>

#include "platform/gdi/canvas.h"

namespace quelmar::ui {

struct PrinterInfo {
  std::string Name;
  gdi::Size PageSize;   // printer pixels, the printable page
  int DotsPerInch = 150;
  bool Landscape = false;
};

class PrintJob {
 public:
  virtual ~PrintJob() = default;
  virtual gdi::Canvas& Page() = 0;
  virtual void NewPage() = 0;
  virtual int PageCount() const = 0;
  // Draws in units of `scale` page pixels from `offset` on (see
  // PdfCanvas::SetUnitTransform); false when the printer cannot, and the
  // caller then scales a picture itself.
  virtual bool SetUnitTransform(double /*scale*/, gdi::Point /*offset*/) { return false; }
  // Ends the job: the document goes out whole or not at all. Throws
  // std::runtime_error with the reason when it could not be written.
  virtual void End() = 0;
};

class Printer {
 public:
  virtual ~Printer() = default;
  virtual PrinterInfo Info() const = 0;
  // Throws std::runtime_error when no job can be started.
  virtual std::unique_ptr<PrintJob> StartJob(const std::string& title) = 0;
  // The printer's setup dialog: true when it changed the printer's settings.
  virtual bool Setup() { return false; }
};

// A printer that writes every job as a PDF file to `path` (the file is
// replaced only when the whole document was made), on letter paper.
class PdfFilePrinter final : public Printer {
 public:
  explicit PdfFilePrinter(std::filesystem::path path, int dotsPerInch = 150);
  PrinterInfo Info() const override;
  std::unique_ptr<PrintJob> StartJob(const std::string& title) override;
  // "Print Setup": portrait or landscape, and the file.
  bool Setup() override;
  const std::filesystem::path& Path() const { return path_; }
  void SetPath(std::filesystem::path path) { path_ = std::move(path); }
  void SetLandscape(bool landscape) { landscape_ = landscape; }

 private:
  std::filesystem::path path_;
  int dpi_;
  bool landscape_ = false;
};

// The printer in use: by default a PdfFilePrinter writing "Quelmar50.pdf"
// in the current folder; nullptr after SetPrinter(nullptr).
Printer* CurrentPrinter();
void SetPrinter(std::shared_ptr<Printer> printer);
// Puts the default printer back.
void ResetPrinter();

}  // namespace quelmar::ui
