#pragma once
// Checking a built data tree through the engine's own readers: MAP.INI, the
// two built-in archives, the layer archives of the data folders and the
// street archives, every member read as the map would read it. The archive
// access below (DrawingArchive, ReadMember) also serves the GeoJSON export.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "control/core/problem_reporter.h"
#include "control/data/archive_input.h"
#include "control/data/archive_member_source.h"
#include "control/data/drawing.h"
#include "control/data/drawing_reader.h"
#include "control/data/layer_archive_index.h"
#include "control/data/zip_local_header.h"

namespace quelmar::builder {

// Bytes as the tool shows them: printable ASCII as it is, every other byte
// and the backslash as \xNN.
std::string DisplayName(std::string_view stored);

// A NameString's packed bytes decoded as the map reads them (word codes and
// pairs written out, direction letters kept), shown as DisplayName does.
std::string DecodedName(std::string_view packed);

// An archive of drawing files, opened once: the member list comes from a
// layer archive's index or from walking a plain PKZIP file's local headers,
// and members are then opened from it without reading the list again.
class DrawingArchive {
 public:
  enum class Layout { kPlainZip, kLayerArchive };

  // Opens the file and reads its member list; without `layout` a file that
  // begins with a local header or an empty archive's end record is a plain
  // PKZIP file, anything else a layer archive. Throws IoError when the file
  // cannot be opened or read and DataError when a layer archive's index is
  // damaged. A plain file's walk that meets a damaged header keeps the
  // members before it and says why in ListingDamage().
  explicit DrawingArchive(const std::filesystem::path& path, std::optional<Layout> layout = std::nullopt);

  Layout GetLayout() const { return layout_; }
  std::size_t MemberCount() const { return names_.size(); }
  // The index entry's name, or a plain member's header name.
  const std::string& MemberName(std::size_t member) const { return names_[member]; }
  const std::string& ListingDamage() const { return damage_; }
  // The layer archive's index; null for a plain PKZIP file.
  const data::LayerIndex* Index() const { return index_ ? &*index_ : nullptr; }
  // A plain member's local header; null in a layer archive.
  const data::ZipLocalHeader* PlainHeader(std::size_t member) const {
    return layout_ == Layout::kPlainZip ? &headers_[member] : nullptr;
  }

  // The member as the engine opens it: a layer archive's entry through
  // OpenLayerMember; a plain member only when stored or imploded. Throws
  // DataError when it cannot be opened.
  std::unique_ptr<data::ArchiveMemberSource> OpenMember(std::size_t member) const;

  // The member named `name` ignoring case; in a layer archive also the one
  // the engine's look-up finds for the upper-cased name. Nullopt when none.
  std::optional<std::size_t> Find(std::string_view name) const;

 private:
  std::shared_ptr<data::FileArchiveInput> input_;
  Layout layout_ = Layout::kLayerArchive;
  std::optional<data::LayerIndex> index_;
  std::vector<data::ZipLocalHeader> headers_;  // plain PKZIP files only
  std::vector<std::string> names_;
  std::string damage_;
};

// Reads member `member` of `archive` into `drawing` as the engine does and
// returns what was wrong, one text each: a member that cannot be opened or
// does not decompress, a CRC mismatch, a drawing whose reading stopped before
// its end record, a refused street quad, a drawing the engine's store cannot
// hold, a layer index entry that opens a member of another name. Empty when
// the member is sound. The objects read before a failure stay in `drawing`.
std::vector<std::string> ReadMember(const DrawingArchive& archive, std::size_t member,
                                    const data::ReadDrawingOptions& options, data::Drawing& drawing);

struct VerifyOptions {
  enum class Detail {
    kAuto,     // one line per member up to kMaxListedMembers, else summed per archive
    kSummary,  // summed per archive
    kMembers,  // one line per member
  };
  static constexpr std::size_t kMaxListedMembers = 20;

  Detail detail = Detail::kAuto;
  std::size_t names = 5;  // names shown per member or archive
  std::int32_t streetVersion = data::kDefaultStreetVersion;
  // Told of every problem as it is found, as the control tells its own
  // reporter while it loads (a server logs them, a test collects them); may be null.
  core::ProblemReporter* problems = nullptr;
};

// Checks the tree at `dir` (MAP.INI, TARVO.ZIP, HMAP.ZIP, the folders that
// MAP.INI names and their archives) and writes a report to `out`: a block per
// archive with its members' objects by kind, names and extents, every problem
// found, and totals. Returns 1 when anything could not be read, else 0.
// Problems in the data never throw; an unwritable `out` is not checked.
int VerifyTree(const std::filesystem::path& dir, const VerifyOptions& options, std::ostream& out);

}  // namespace quelmar::builder
