#include "platform/ui/printer.h"

#include <mutex>
#include <stdexcept>
#include <system_error>

#include "platform/gdi/pdf_canvas.h"
#include "platform/kernel/atomic_file.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::ui {
namespace {

// Letter paper, 8.5 x 11 inches, printed to its edges.
constexpr double kPageWidthInches = 8.5;
constexpr double kPageHeightInches = 11;

class PdfFileJob final : public PrintJob {
 public:
  PdfFileJob(std::filesystem::path path, gdi::Size page, int dpi)
      : path_(std::move(path)),
        canvas_([this](std::span<const unsigned char> bytes) {
          bytes_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
          return true;
        },
                page, dpi) {}

  gdi::Canvas& Page() override { return canvas_; }
  void NewPage() override { canvas_.ShowPage(); }
  int PageCount() const override { return canvas_.PageCount(); }
  bool SetUnitTransform(double scale, gdi::Point offset) override {
    canvas_.SetUnitTransform(scale, offset);
    return true;
  }
  void End() override {
    if (!canvas_.Finish()) throw std::runtime_error("the PDF document could not be made");
    std::error_code error;
    if (!kernel::WriteFileAtomically(path_, bytes_, &error)) {
      throw std::runtime_error("the PDF file " + path_.string() + " cannot be written: " + error.message());
    }
  }

 private:
  std::filesystem::path path_;
  std::string bytes_;
  gdi::PdfCanvas canvas_;
};

std::mutex& PrinterLock() {
  static std::mutex lock;
  return lock;
}

std::shared_ptr<Printer>& Installed() {
  static std::shared_ptr<Printer> printer = std::make_shared<PdfFilePrinter>("Quelmar50.pdf");
  return printer;
}

}  // namespace

PdfFilePrinter::PdfFilePrinter(std::filesystem::path path, int dotsPerInch)
    : path_(std::move(path)), dpi_(dotsPerInch > 0 ? dotsPerInch : 150) {}

PrinterInfo PdfFilePrinter::Info() const {
  const int w = static_cast<int>(kPageWidthInches * dpi_);
  const int h = static_cast<int>(kPageHeightInches * dpi_);
  return PrinterInfo{"PDF file " + path_.filename().string(), landscape_ ? gdi::Size{h, w} : gdi::Size{w, h}, dpi_,
                     landscape_};
}

std::unique_ptr<PrintJob> PdfFilePrinter::StartJob(const std::string& /*title*/) {
  if (path_.empty()) throw std::runtime_error("the PDF printer has no file to print to");
  const PrinterInfo info = Info();
  return std::make_unique<PdfFileJob>(path_, info.PageSize, info.DotsPerInch);
}

// "Print Setup": the orientation and the file the documents go to.
bool PdfFilePrinter::Setup() {
  DialogModel setup("Print Setup");
  setup.Add("&Portrait", FieldKind::Radio, "Orientation").checked = !landscape_;
  setup.Add("&Landscape", FieldKind::Radio, "Orientation").checked = landscape_;
  setup.Add("File:", FieldKind::Edit, {}, path_.string());
  setup.Add("OK", FieldKind::Button, {}, "OK");
  setup.Add("Cancel", FieldKind::Button, {}, "Cancel");
  RunModal(setup);
  if (setup.Pressed() != "OK") return false;
  const bool landscape = setup.Field("&Landscape").checked;
  const std::string file = setup.Field("File:").text;
  const bool changed = landscape != landscape_ || (!file.empty() && file != path_.string());
  landscape_ = landscape;
  if (!file.empty()) path_ = file;
  return changed;
}

Printer* CurrentPrinter() {
  std::lock_guard lock(PrinterLock());
  return Installed().get();
}

void SetPrinter(std::shared_ptr<Printer> printer) {
  std::lock_guard lock(PrinterLock());
  Installed() = std::move(printer);
}

void ResetPrinter() { SetPrinter(std::make_shared<PdfFilePrinter>("Quelmar50.pdf")); }

}  // namespace quelmar::ui
