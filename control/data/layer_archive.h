#pragma once
// Opening members of layer archives: the index (layer_archive_index.h) names
// where a member's local header lies; from there the local headers are
// walked to the first member that is stored or imploded.
#include <filesystem>
#include <memory>
#include <string_view>

#include "control/data/archive_input.h"
#include "control/data/archive_member_source.h"
#include "control/data/index_cache.h"
#include "control/data/layer_archive_index.h"

namespace quelmar::data {

// The member for index entry `entry` of `index` (read from `input`): the
// member whose local header stands at the entry's offset. Throws DataError
// when no local header stands there, when that member has another name than
// the entry (ignoring case: a damaged or swapped offset never yields some
// other member's bytes), or when it is not stored or imploded (deflated,
// encrypted, stored with unequal sizes; see ArchiveMemberSource).
std::unique_ptr<ArchiveMemberSource> OpenLayerMember(std::shared_ptr<ArchiveInput> input, const LayerIndex& index,
                                                     std::size_t entry);

// Opens `member` of the layer archive at `path` by the engine's look-up
// (LayerIndex::FindByKey), taking the archive's index from `cache` or
// reading it into the cache. Returns nullptr when the index has no entry for
// the member. Throws IoError when the archive cannot be opened or read, and
// DataError when its index is damaged (LayerIndex::Read) or as
// OpenLayerMember. The archive file stays open while the source lives.
std::unique_ptr<ArchiveMemberSource> OpenArchiveMember(ArchiveIndexCache& cache, const std::filesystem::path& path,
                                                       std::string_view member);

// The identity under which `file`'s index is cached.
ArchiveIdentity IdentityOf(const FileArchiveInput& file);

}  // namespace quelmar::data
