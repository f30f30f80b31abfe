#include "control/data/base_data.h"

#include <filesystem>

#include "control/core/errors.h"
#include "control/data/drawing_reader.h"
#include "control/data/file_source.h"
#include "control/data/resource_archive.h"
#include "platform/kernel/beep.h"

namespace quelmar::data {

void BuiltInBaseData::OpenBaseData(const core::StartupSettings& settings) {
  baseMap_ = Drawing();
  loadError_ = kLoadSourceNotOpened;
  failure_.clear();
  const std::string& name = settings.baseArchiveName;
  ReadDrawingOptions options;
  options.CollectRouteLabels = true;
  try {
    if (ResourceArchiveType(name)) {
      options.RegistryName = ResourceMemberName(name);
      std::unique_ptr<ArchiveMemberSource> member = OpenBuiltInArchive(name);
      ReadDrawing(*member, baseMap_, options);
    } else {
      const std::filesystem::path file = std::filesystem::path(settings.workingFolder) / name;
      if (!std::filesystem::is_regular_file(file)) return;  // nothing to load
      options.RegistryName = name;
      FileSource source(file);
      ReadDrawing(source, baseMap_, options);
    }
    loadError_ = baseMap_.File().LoadError;
  } catch (const Error& e) {
    // Keep what was read; the map shows whatever arrived.
    failure_ = e.what();
    if (baseMap_.Count() > 0) loadError_ = kLoadOk;
    kernel::Beep();
  }
}

}  // namespace quelmar::data
