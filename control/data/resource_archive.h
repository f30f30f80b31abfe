#pragma once
// The archives built into the control ("TARVO.ZIP", the base map, and
// "HMAP.ZIP", the highway network): complete PKZIP archives held in the
// library's read-only data, each with one member that the loader reads.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "control/data/archive_member_source.h"

namespace quelmar::data {

// For a name containing ".ZIP" (in any case), the built-in archive's type:
// the part of the name before its first "." ("TARVO" for "TARVO.ZIP");
// nullopt for any other name.
std::optional<std::string> ResourceArchiveType(std::string_view name);

// The drawing-file member the loader asks for: the name up to and including
// its first ".", then "DCM" ("TARVO.DCM" for "TARVO.ZIP").
std::string ResourceMemberName(std::string_view name);

// Opens the built-in archive `resource` of type `type` at its first stored
// or imploded member, walking local headers from its start. A member named
// for the type (its name before the first "." equals `type`, ignoring case)
// that is neither stored nor imploded ends the walk: the open fails rather
// than read some other member. The member reads `resource` in place, so the
// bytes must outlive it (resources live as long as the library).
// Throws DataError when no accepted member is found or a header is damaged
// (see ReadLocalHeader); it never reads outside `resource`.
std::unique_ptr<ArchiveMemberSource> OpenResourceArchive(std::span<const std::uint8_t> resource,
                                                         std::string_view type);

// OpenResourceArchive on the library's own resource for `name` ("TARVO.ZIP"):
// type ResourceArchiveType(name), resource name "Zipdata_1". Throws IoError
// when the name is not a built-in archive's or the library has no such
// resource, DataError as OpenResourceArchive.
std::unique_ptr<ArchiveMemberSource> OpenBuiltInArchive(std::string_view name);

}  // namespace quelmar::data
