#pragma once
// A state street archive as street search reads it: its directory (the quad
// members in stored order) and the drawing of any member, read on its own
// without entering the control's table of loaded drawings.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/core/problem_reporter.h"
#include "control/data/drawing.h"
#include "control/data/index_cache.h"
#include "control/data/layer_archive_index.h"

namespace quelmar::search {

class StreetArchive {
 public:
  // Opens the archive and reads its directory (through `cache`). Throws
  // IoError when it cannot be opened or read, DataError when its directory
  // is damaged.
  StreetArchive(const std::filesystem::path& path, data::ArchiveIndexCache& cache);

  const data::ArchiveIdentity& Identity() const { return identity_; }
  const std::filesystem::path& Path() const { return path_; }
  std::vector<std::string> MemberNames() const;
  std::size_t MemberCount() const { return index_->Entries().size(); }

  // The drawing of member `member`. A member that cannot be opened gives
  // nothing; one that is damaged gives what was read before the damage.
  // Both are told to `problems` (may be null).
  std::optional<data::Drawing> ReadMember(std::size_t member, std::int32_t expectedStreetVersion,
                                          core::ProblemReporter* problems) const;

 private:
  std::filesystem::path path_;
  std::shared_ptr<data::FileArchiveInput> file_;
  data::ArchiveIdentity identity_;
  std::shared_ptr<const data::LayerIndex> index_;
};

}  // namespace quelmar::search
