#pragma once
// Opening one member of an archive file by name, as `quelmar-data cat` does:
// layer archives (the sorted member index ahead of a ZIP stream) and plain
// PKZIP files, told apart by their first bytes.
#include <filesystem>
#include <memory>
#include <string_view>

#include "control/data/archive_input.h"
#include "control/data/archive_member_source.h"

namespace quelmar::builder {

// Whether `input` begins with a local header or an empty archive's end
// record: a plain PKZIP file. Anything else is read as a layer archive.
bool IsPlainZip(data::ArchiveInput& input);

// The member `member` of the archive at `path`: in a plain PKZIP file the
// member of exactly that name (data::OpenZipMember); in a layer archive the
// entry of that whole name, else the one the engine's look-up finds
// (LayerIndex::FindByKey), opened with data::OpenLayerMember. Nullptr when
// there is no such member. Throws IoError when the file cannot be opened or
// read (a folder, a FIFO, a device) and DataError as those readers do.
std::unique_ptr<data::ArchiveMemberSource> OpenNamedMember(const std::filesystem::path& path,
                                                           std::string_view member);

}  // namespace quelmar::builder
