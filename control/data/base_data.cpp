#include "control/data/base_data.h"

#include "control/data/resource_archive.h"
#include "platform/kernel/beep.h"

namespace quelmar::data {

void BuiltInBaseData::OpenBaseData(const core::StartupSettings& settings, core::ProblemReporter* problems) {
  table_.Clear();
  failure_.clear();
  LoadContext context;
  context.DataFolder = settings.workingFolder;  // a drawing file named instead of the archive
  context.RouteNames = routeNames_;
  context.Problems = problems;
  const std::string& name = settings.baseArchiveName;
  table_.LoadDrawing(0, name, "", false, context);
  loadError_ = table_.LoadError();
  if (table_.Count() == 0) {
    failure_ = ResourceArchiveType(name) ? "the built-in archive " + name + " cannot be read"
                                         : "the base map " + name + " is not in " + settings.workingFolder;
    kernel::Beep();
  }
}

const Drawing& BuiltInBaseData::BaseMap() const { return table_.Count() > 0 ? table_.At(1).Store : empty_; }

}  // namespace quelmar::data
