#include "control/search/search_table_files.h"

#include <filesystem>

#include "control/data/data_path.h"
#include "platform/kernel/atomic_file.h"

namespace quelmar::search {

SearchTableFile::Bytes SearchTableFile::Read(std::string_view folder) {
  static const Bytes kEmpty = std::make_shared<const std::vector<std::uint8_t>>();
  namespace fs = std::filesystem;
  const std::optional<fs::path> path = data::ResolveDataFile(folder, name_);
  std::lock_guard lock(mutex_);
  std::error_code error;
  const bool regular = path && fs::is_regular_file(*path, error);
  const auto size = regular ? fs::file_size(*path, error) : 0;
  const auto modified = regular ? fs::last_write_time(*path, error).time_since_epoch().count() : 0;
  if (!regular || error) {
    bytes_.reset();
    return kEmpty;
  }
  if (bytes_ && path_ == path->string() && size_ == static_cast<std::int64_t>(size) && modified_ == modified) {
    return bytes_;
  }
  std::string contents;
  if (!kernel::ReadWholeFile(*path, &contents)) {
    bytes_.reset();
    return kEmpty;
  }
  bytes_ = std::make_shared<const std::vector<std::uint8_t>>(contents.begin(), contents.end());
  path_ = path->string();
  size_ = static_cast<std::int64_t>(size);
  modified_ = static_cast<std::int64_t>(modified);
  return bytes_;
}

}  // namespace quelmar::search
