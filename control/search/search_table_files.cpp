#include "control/search/search_table_files.h"

#include <sys/stat.h>

#include <filesystem>

#include "control/data/data_path.h"
#include "platform/kernel/atomic_file.h"

namespace quelmar::search {

SearchTableFile::Bytes SearchTableFile::Read(std::string_view folder) {
  static const Bytes kEmpty = std::make_shared<const std::vector<std::uint8_t>>();
  std::lock_guard lock(mutex_);
  // The file found for the same folder before is looked at again with one
  // stat; the folder is searched (any case of the name) only when that fails.
  struct stat info {};
  const auto statRegular = [&info](const std::string& path) {
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
  };
  if (folder_ != folder || path_.empty() || !statRegular(path_)) {
    const std::optional<std::filesystem::path> path = data::ResolveDataFile(folder, name_);
    folder_ = folder;
    path_ = path ? path->string() : std::string();
    bytes_.reset();
    if (path_.empty() || !statRegular(path_)) {
      path_.clear();
      return kEmpty;
    }
  }
  const std::int64_t size = info.st_size;
  const std::int64_t modified = static_cast<std::int64_t>(info.st_mtime);
  if (bytes_ && size_ == size && modified_ == modified) return bytes_;
  std::string contents;
  if (!kernel::ReadWholeFile(path_, &contents)) {
    bytes_.reset();
    return kEmpty;
  }
  bytes_ = std::make_shared<const std::vector<std::uint8_t>>(contents.begin(), contents.end());
  size_ = size;
  modified_ = modified;
  return bytes_;
}

}  // namespace quelmar::search
