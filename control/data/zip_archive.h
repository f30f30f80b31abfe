#pragma once
// Plain PKZIP archives, read by walking their local headers from a starting
// offset: each member's data is followed by the next local header. The
// central directory is never read; the walk ends where the next bytes are not
// a local header (normally at the central directory). Members whose sizes are
// left to a data descriptor cannot be walked past and end the walk with
// DataError; writers of the map data do not produce them.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "control/data/archive_input.h"
#include "control/data/archive_member_source.h"
#include "control/data/zip_local_header.h"

namespace quelmar::data {

// Every member from `offset` on, in archive order. DataError as ReadLocalHeader.
std::vector<ZipLocalHeader> ListZipMembers(ArchiveInput& input, std::uint64_t offset = 0);

// The member of a plain PKZIP archive named exactly `name`, or nullptr when
// no member has that name. Throws DataError when the member is there but is
// not read (see AcceptedCoding), or as ReadLocalHeader for the headers
// walked before it.
std::unique_ptr<ArchiveMemberSource> OpenZipMember(std::shared_ptr<ArchiveInput> input, std::string_view name);

}  // namespace quelmar::data
