#include "tools/quelmar-data/builder/output/verify_tree.h"

#include "control/data/name_unpack.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <system_error>
#include <unordered_set>
#include <utility>

#include "control/core/errors.h"
#include "control/core/map_units.h"
#include "control/data/archive_catalogue.h"
#include "control/data/archive_crc32.h"
#include "control/data/layer_archive.h"
#include "control/data/quad.h"
#include "control/data/search_table_layout.h"
#include "control/data/state_table.h"
#include "platform/kernel/atomic_file.h"
#include "platform/kernel/ini_file.h"
#include "tools/quelmar-data/builder/output/archive_members.h"
#include "tools/quelmar-data/builder/output/verify_search_tables.h"

namespace quelmar::builder {
namespace {

namespace fs = std::filesystem;
using data::ArchiveMemberSource;
using data::Drawing;
using data::DrawingExtents;
using data::ObjectKind;
using data::ZipLocalHeader;

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = AsciiUpper(c);
  return upper;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

bool HasSignature(data::ArchiveInput& input, std::uint64_t offset, std::initializer_list<std::uint8_t> kinds) {
  std::uint8_t bytes[4] = {};
  if (input.ReadAt(offset, bytes) < 4 || bytes[0] != 'P' || bytes[1] != 'K') return false;
  return std::any_of(kinds.begin(), kinds.end(),
                     [&](std::uint8_t kind) { return bytes[2] == kind && bytes[3] == kind + 1; });
}

// Whether a local header stands anywhere in the room the largest index could
// take after its count (an index of 32,767 entries of 17 bytes).
bool HasLocalHeaderAfterIndex(data::ArchiveInput& input) {
  constexpr std::uint64_t kRoom = 2 + data::LayerIndex::kEntrySize * 32767 + 4;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min<std::uint64_t>(input.Size(), kRoom)));
  bytes.resize(input.ReadAt(0, bytes));
  constexpr std::uint8_t kSignature[] = {'P', 'K', 3, 4};
  return bytes.size() > 2 &&
         std::search(bytes.begin() + 2, bytes.end(), std::begin(kSignature), std::end(kSignature)) != bytes.end();
}

// Counts the bytes a member delivers into its CRC, and keeps the message of a
// failure of the member itself (it does not decode, the archive cannot be
// read) apart from the drawing reader's own.
class CrcSource final : public data::ByteSource {
 public:
  explicit CrcSource(data::ByteSource& inner) : inner_(inner) {}

  std::size_t Read(std::span<std::uint8_t> out) override {
    std::size_t n = 0;
    try {
      n = inner_.Read(out);
    } catch (const Error& error) {
      failure_ = error.what();
      throw;
    }
    crc_ = data::ArchiveCrc32(out.first(n), crc_);
    return n;
  }
  std::uint64_t Length() const override { return inner_.Length(); }
  std::uint64_t Position() const override { return inner_.Position(); }

  std::uint32_t Crc() const { return crc_; }
  const std::optional<std::string>& Failure() const { return failure_; }

  // Reads what is left, for the CRC. Throws as the member does.
  void Drain() {
    std::array<std::uint8_t, 16384> buffer;
    while (Read(buffer) != 0) {
    }
  }

 private:
  data::ByteSource& inner_;
  std::uint32_t crc_ = 0;
  std::optional<std::string> failure_;
};

std::string Hex32(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

std::string Degrees(std::int32_t units) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", core::UnitsToDegrees(units));
  return text;
}

}  // namespace

std::string DecodedName(std::string_view packed) { return DisplayName(data::UnpackNameAbbreviated(packed)); }

std::string DisplayName(std::string_view stored) {
  std::string text;
  for (const char c : stored) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && c != '\\') {
      text += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
      text += escaped;
    }
  }
  return text;
}

// --- DrawingArchive ---------------------------------------------------------

DrawingArchive::DrawingArchive(const fs::path& path, std::optional<Layout> layout)
    : input_(std::make_shared<data::FileArchiveInput>(path)) {
  layout_ = layout ? *layout : IsPlainZip(*input_) ? Layout::kPlainZip : Layout::kLayerArchive;
  if (layout_ == Layout::kLayerArchive) {
    index_.emplace(data::LayerIndex::Read(*input_));
    for (const data::LayerIndexEntry& entry : index_->Entries()) names_.push_back(entry.name);
    // An empty index over members (a count cut to 0) hides them all from the map.
    if (names_.empty() && HasLocalHeaderAfterIndex(*input_)) {
      damage_ = "the index lists no members, but members follow it";
    }
    return;
  }
  // Each header is at least 30 bytes long, so the walk always moves on.
  std::uint64_t offset = 0;
  try {
    while (std::optional<ZipLocalHeader> header = data::ReadLocalHeader(*input_, offset)) {
      offset = header->DataEnd();
      names_.push_back(header->name);
      headers_.push_back(std::move(*header));
    }
  } catch (const DataError& error) {
    damage_ = error.what();
    return;
  }
  // The members end at the central directory, the end record or the end of the file.
  if (offset < input_->Size() && !HasSignature(*input_, offset, {1, 5})) {
    damage_ = "no local header or central directory at offset " + std::to_string(offset);
  }
}

std::unique_ptr<ArchiveMemberSource> DrawingArchive::OpenMember(std::size_t member) const {
  if (index_) return data::OpenLayerMember(input_, *index_, member);
  const ZipLocalHeader& header = headers_[member];
  if (!data::AcceptedCoding(header)) {
    throw DataError(data::DescribeCoding(header) + ", and the map reads only stored and imploded members");
  }
  return std::make_unique<ArchiveMemberSource>(input_, header);
}

std::optional<std::size_t> DrawingArchive::Find(std::string_view name) const {
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (EqualsIgnoringCase(names_[i], name)) return i;
  }
  if (index_) return index_->FindByKey(UpperCase(name));
  return std::nullopt;
}

std::vector<std::string> ReadMember(const DrawingArchive& archive, std::size_t member,
                                    const data::ReadDrawingOptions& options, Drawing& drawing) {
  std::vector<std::string> problems;
  std::unique_ptr<ArchiveMemberSource> source;
  try {
    source = archive.OpenMember(member);
  } catch (const Error& error) {
    problems.push_back(std::string("cannot be opened: ") + error.what());
    return problems;
  }
  source->SetCrcCheck(false);  // checked below, and reported as a CRC mismatch
  const ZipLocalHeader& header = source->Header();
  if (archive.Index() && header.name != archive.MemberName(member)) {
    problems.push_back("its index entry opens the member \"" + DisplayName(header.name) + "\"");
  }

  CrcSource checked(*source);
  try {
    data::ReadDrawing(checked, drawing, options);
  } catch (const Error& error) {
    if (checked.Failure()) {
      problems.push_back("does not decompress: " + *checked.Failure());
      return problems;
    }
    problems.push_back("reading stopped after " + std::to_string(drawing.File().Records) + " records: " + error.what());
  }
  if (drawing.File().Refused) {
    problems.push_back("refused: a street quad of data version " + std::to_string(drawing.File().StoredVersion) +
                       " where " + std::to_string(options.ExpectedStreetVersion) + " is expected");
  } else if (drawing.OutOfMemory()) {
    problems.push_back("the engine's object store cannot hold it (full after " +
                       std::to_string(drawing.File().Records) + " records)");
  }

  try {
    checked.Drain();
  } catch (const Error& error) {
    problems.push_back(std::string("does not decompress: ") + error.what());
    return problems;
  }
  // Writers that leave the CRC to a data descriptor store 0 here.
  const bool crcInHeader = (header.flags & 8) == 0 || header.crc32 != 0;
  if (crcInHeader && checked.Crc() != header.crc32) {
    problems.push_back("CRC mismatch: the header says " + Hex32(header.crc32) + ", the data gives " +
                       Hex32(checked.Crc()));
  }
  return problems;
}

// --- The tree ---------------------------------------------------------------

namespace {

// What an archive's members must be named for the map to find them.
struct MemberRule {
  enum class Kind {
    kAny,       // an archive the map does not read: no rule
    kResource,  // a built-in archive: the first stored or imploded member is `member`
    kQuad,      // a quad name of `grid`, then `suffix`
    kStreet,    // a street member name of state `state`
  };
  Kind kind = Kind::kAny;
  std::string member;
  data::QuadGrid grid = data::QuadGrid::Overview;
  std::string suffix;
  int state = 0;
};

struct PlannedArchive {
  std::string label;  // as the report names it
  fs::path path;
  DrawingArchive::Layout layout = DrawingArchive::Layout::kLayerArchive;
  MemberRule rule;
};

// Why a layer archive member's name does not fit `rule`, or nullopt.
std::optional<std::string> NameMisfit(const MemberRule& rule, const std::string& name) {
  if (name != UpperCase(name)) return "the name has lower-case letters, and the map looks members up in upper case";
  if (rule.kind == MemberRule::Kind::kAny || rule.kind == MemberRule::Kind::kResource) return std::nullopt;
  const std::size_t dot = name.find('.');
  const std::string stem = name.substr(0, dot);
  if (dot != std::string::npos && name.substr(dot) != ".DCM") return "not a drawing file name (.DCM)";
  if (rule.kind == MemberRule::Kind::kStreet) {
    const std::optional<data::StreetMember> street = data::ParseStreetMemberName(stem);
    if (!street) return "not a street member name (Y quad name, sub-quad 0..4, state code)";
    if (street->State != rule.state) {
      char codes[64];
      std::snprintf(codes, sizeof codes, "state code %02d in the archive of state %02d", street->State, rule.state);
      return std::string(codes);
    }
    return std::nullopt;
  }
  const data::QuadGridInfo grid = data::GridInfo(rule.grid);
  const std::optional<data::Quad> quad = data::ParseQuadName(stem.substr(0, data::kQuadNameLength));
  if (stem.size() != data::kQuadNameLength + rule.suffix.size() || !quad || quad->Grid != rule.grid ||
      stem.substr(data::kQuadNameLength) != rule.suffix) {
    std::string expected = std::string("a ") + grid.Prefix + " quad name";
    if (!rule.suffix.empty()) expected += " followed by " + rule.suffix;
    return "not " + expected;
  }
  return std::nullopt;
}

// The engine's look-up key of a layer archive member.
std::string_view LookupKey(std::string_view name) { return name.substr(0, !name.empty() && name[0] == 'Y' ? 6 : 5); }

// The entry `name` in `folder`: the exact name, else one that differs only in
// letter case.
std::optional<fs::path> FindEntry(const fs::path& folder, std::string_view name) {
  std::error_code error;
  const fs::path exact = folder / name;
  if (fs::exists(exact, error)) return exact;
  fs::directory_iterator it(folder, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    if (EqualsIgnoringCase(it->path().filename().string(), name)) return it->path();
  }
  return std::nullopt;
}

// `path` (relative to `base` unless absolute), each part matched ignoring case.
std::optional<fs::path> FindPath(const fs::path& base, const fs::path& path) {
  std::error_code error;
  const fs::path start = path.is_absolute() ? path.root_path() : base;
  if (fs::exists(start / path, error)) return start / path;
  fs::path found = start;
  for (const fs::path& part : path.relative_path()) {
    if (part == "." || part.empty()) continue;
    if (part == "..") {
      found /= part;
      continue;
    }
    const std::optional<fs::path> next = FindEntry(found, part.string());
    if (!next) return std::nullopt;
    found = *next;
  }
  return found;
}

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

// Object counts by kind, with names and extents, of one member or summed.
struct Tally {
  std::int64_t records = 0;
  std::int64_t objects = 0;
  std::int64_t polylines = 0, segments = 0, places = 0, labels = 0, nameStrings = 0, nameRefs = 0, indexLists = 0,
               groupMarks = 0, blocks = 0, inert = 0;
  std::optional<DrawingExtents> extents;
  std::unordered_set<std::string> names;
  std::vector<std::string> firstNames;  // in order of first appearance, up to the shown number

  void Add(const Drawing& drawing, std::size_t shownNames) {
    records += drawing.File().Records;
    objects += drawing.Count();
    for (const data::DrawObject& object : drawing.Objects()) {
      if (object.IsPolyline()) {
        ++polylines;
        continue;
      }
      switch (object.Kind) {
        case ObjectKind::Inert: ++inert; break;
        case ObjectKind::Segment:
        case ObjectKind::SegmentNoAttributes:
        case ObjectKind::Segment16: ++segments; break;
        case ObjectKind::GroupMark: ++groupMarks; break;
        case ObjectKind::PlaceObject: ++places; break;
        case ObjectKind::NameString: {
          ++nameStrings;
          const std::string& text = object.As<data::NameString>()->Packed;
          if (names.insert(text).second && firstNames.size() < shownNames) firstNames.push_back(text);
          break;
        }
        case ObjectKind::NameRef: ++nameRefs; break;
        case ObjectKind::BlockObject: ++blocks; break;
        case ObjectKind::IndexList: ++indexLists; break;
        case ObjectKind::LabelText: ++labels; break;
        default: break;
      }
    }
    if (const std::optional<DrawingExtents>& e = drawing.File().Extents) {
      if (!extents) {
        extents = *e;
      } else {
        extents = DrawingExtents{std::min(extents->X1, e->X1), std::max(extents->X2, e->X2),
                                 std::min(extents->Y1, e->Y1), std::max(extents->Y2, e->Y2)};
      }
    }
  }

  void Print(std::ostream& out, const std::string& indent) const {
    out << "records " << records << ", objects " << objects << ": polylines " << polylines << ", segments " << segments
        << ", places " << places << ", labels " << labels << ", name strings " << nameStrings << ", name refs "
        << nameRefs << ", index lists " << indexLists << ", group marks " << groupMarks << ", blocks " << blocks;
    if (inert != 0) out << ", inert " << inert;
    out << "\n" << indent << "names: " << names.size() << " distinct";
    for (std::size_t i = 0; i < firstNames.size(); ++i) {
      out << (i == 0 ? ": \"" : ", \"") << DecodedName(firstNames[i]) << "\"";
    }
    if (firstNames.size() < names.size()) out << ", ...";
    out << "\n" << indent << "extents: ";
    if (extents) {
      out << "lon " << Degrees(extents->X1) << " to " << Degrees(extents->X2) << ", lat " << Degrees(extents->Y1)
          << " to " << Degrees(extents->Y2) << "\n";
    } else {
      out << "none\n";
    }
  }
};

class TreeVerifier {
 public:
  TreeVerifier(const fs::path& dir, const VerifyOptions& options, std::ostream& out)
      : dir_(dir), options_(options), out_(out) {}

  int Run() {
    out_ << "tree " << dir_.string() << "\n";
    if (!IsFolder(dir_)) {
      Problem(dir_.string(), "no such folder");
      return Finish();
    }
    const std::optional<Folders> folders = ReadMapIni();
    VerifyResource("TARVO.ZIP", "TARVO.DCM");
    VerifyResource("HMAP.ZIP", "HTOTAL.DCM");
    if (folders) {
      VerifyDataFolder(folders->data1, data::ArchiveFolder::Data1);
      VerifyDataFolder(folders->data2, data::ArchiveFolder::Data2);
      VerifySearchFolder(folders->data3);
      VerifyStreetFolder(folders->states);
    }
    return Finish();
  }

 private:
  // A folder MAP.INI names: its key, and where it was found (nullopt: missing).
  struct Folder {
    std::string key;
    std::optional<fs::path> path;
    std::string missing;  // why there is no path
  };
  struct Folders {
    Folder data1, data2, data3, states;
  };

  std::string Label(const fs::path& path) const {
    const fs::path relative = path.lexically_relative(dir_);
    if (relative.empty() || *relative.begin() == "..") return path.string();
    return relative.string();
  }

  // Keeps the problem for the list at the end and, unless the line above
  // already said it, prints it where it was found.
  void Problem(const std::string& where, const std::string& what, bool print = true) {
    const core::DataProblem problem{where, "", what};
    problems_.push_back(core::DescribeProblem(problem));
    if (options_.problems) options_.problems->Report(problem);
    if (print) out_ << "  problem: " << where << ": " << what << "\n";
  }

  std::optional<Folders> ReadMapIni() {
    const std::optional<fs::path> path = FindEntry(dir_, "MAP.INI");
    if (!path) {
      Problem("MAP.INI", "missing, so the data folders are unknown");
      return std::nullopt;
    }
    kernel::IniFile ini;
    std::error_code error;
    if (!ini.Load(*path, &error)) {
      Problem(Label(*path), "cannot be read: " + error.message());
      return std::nullopt;
    }
    Folders folders{ReadFolder(ini, "Data1Path"), ReadFolder(ini, "Data2Path"), ReadFolder(ini, "Data3Path"),
                    ReadFolder(ini, "StatesPath")};
    out_ << "MAP.INI:";
    for (const Folder* folder : {&folders.data1, &folders.data2, &folders.data3, &folders.states}) {
      out_ << " " << folder->key << " " << (folder->path ? Label(*folder->path) : "(missing)");
    }
    out_ << "\n";
    for (const Folder* folder : {&folders.data1, &folders.data2, &folders.data3, &folders.states}) {
      if (!folder->path) Problem("MAP.INI", folder->missing);
    }
    return folders;
  }

  // The folder of `key`, relative to the tree unless absolute; MAP.INI may
  // write it with backslashes and a trailing one.
  Folder ReadFolder(const kernel::IniFile& ini, const std::string& key) {
    std::string value = ini.GetOr("Application Interface", key, "");
    std::replace(value.begin(), value.end(), '\\', '/');
    while (value.size() > 1 && value.back() == '/') value.pop_back();
    Folder folder{key, std::nullopt, ""};
    if (value.empty()) {
      folder.missing = "has no " + key + " in [Application Interface]";
      return folder;
    }
    folder.path = FindPath(dir_, value);
    if (!folder.path || !IsFolder(*folder.path)) {
      folder.path.reset();
      folder.missing = key + " names " + value + ", which is no folder";
    }
    return folder;
  }

  void VerifyResource(const char* name, const char* member) {
    const std::optional<fs::path> path = FindEntry(dir_, name);
    if (!path) {
      out_ << name << ": missing\n";
      Problem(name, "missing", false);
      return;
    }
    MemberRule rule;
    rule.kind = MemberRule::Kind::kResource;
    rule.member = member;
    VerifyArchive({Label(*path), *path, DrawingArchive::Layout::kPlainZip, rule});
  }

  // The catalogue's layer archives of `role`, then the other layer archives
  // the folder holds.
  void VerifyDataFolder(const Folder& folder, data::ArchiveFolder role) {
    if (!folder.path) return;
    std::vector<fs::path> known;
    for (const data::LayerArchiveEntry& archive : data::kLayerArchives) {
      if (archive.Folder != role) continue;
      const std::string name(archive.Name);
      const std::optional<fs::path> path = FindEntry(*folder.path, name);
      const std::string label = Label(*folder.path / name);
      if (!path) {
        out_ << label << ": missing\n";
        Problem(label, "missing", false);
        continue;
      }
      known.push_back(*path);
      MemberRule rule;
      rule.kind = MemberRule::Kind::kQuad;
      rule.grid = archive.Grid;
      rule.suffix = archive.Suffix;
      VerifyArchive({Label(*path), *path, DrawingArchive::Layout::kLayerArchive, rule});
    }
    // Other layer archives are read as well, without a naming rule.
    for (const fs::path& path : FilesOf(*folder.path)) {
      const std::string name = path.filename().string();
      const std::string_view extension = data::kLayerArchiveExtension;
      const bool layerArchive = name.size() >= extension.size() &&
                                EqualsIgnoringCase(name.substr(name.size() - extension.size()), extension);
      if (!layerArchive) continue;
      if (std::find(known.begin(), known.end(), path) != known.end()) continue;
      out_ << Label(path) << ": not read by the map\n";
      VerifyArchive({Label(path), path, DrawingArchive::Layout::kLayerArchive, {}});
    }
  }

  // The search-files folder: its three tables, each read back whole.
  void VerifySearchFolder(const Folder& folder) {
    if (!folder.path) return;
    out_ << Label(*folder.path) << ": " << FilesOf(*folder.path).size() << " files\n";
    const std::pair<std::string_view, TableCheck (*)(data::TableBytes)> tables[] = {
        {data::kZipTableFile, CheckZipTable},
        {data::kCityTableFile, CheckCityTable},
        {data::kExchangeTableFile, CheckExchangeTable}};
    for (const auto& [name, check] : tables) {
      const std::optional<fs::path> path = FindPath(*folder.path, std::string(name));
      if (!path) {
        out_ << "  " << name << ": not present\n";
        continue;
      }
      std::string bytes;
      std::error_code error;
      if (!kernel::ReadWholeFile(*path, &bytes, &error)) {
        Problem(Label(*path), "cannot be read: " + error.message());
        continue;
      }
      const TableCheck result = check({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
      out_ << "  " << name << ": " << (result.Summary.empty() ? "unreadable" : result.Summary) << "\n";
      for (const std::string& problem : result.Problems) Problem(Label(*path), problem);
    }
  }

  void VerifyStreetFolder(const Folder& folder) {
    if (!folder.path) return;
    for (const fs::path& path : OtherEntriesOf(*folder.path)) {
      if (data::StreetArchiveNumber(path.filename().string())) {
        Problem(Label(path), "is not a regular file (a folder, a FIFO or a device): the map cannot read it");
      }
    }
    std::size_t streetArchives = 0;
    for (const fs::path& path : FilesOf(*folder.path)) {
      const std::string name = path.filename().string();
      const std::optional<int> number = data::StreetArchiveNumber(name);
      if (!number) continue;
      ++streetArchives;
      const int state = *number;
      MemberRule rule;
      if (state == data::kNationalStreetArchive) {
        rule.kind = MemberRule::Kind::kQuad;
        rule.grid = data::QuadGrid::National;
      } else {
        rule.kind = MemberRule::Kind::kStreet;
        rule.state = state;
      }
      VerifyArchive({Label(path), path, DrawingArchive::Layout::kLayerArchive, rule});
      if (state != data::kNationalStreetArchive && !data::StateBoxOf(state)) {
        Problem(Label(path), "the map reads no street archive of state code " + name.substr(0, 2));
      }
    }
    if (streetArchives == 0) {
      Problem(Label(*folder.path), "holds no street archive (NN" + std::string(data::kDefaultStreetExtension) + ")");
    }
  }

  // The regular files of `folder` (or, with `regular` false, every other
  // entry: folders, FIFOs, devices, dangling links), sorted by name.
  static std::vector<fs::path> FilesOf(const fs::path& folder, bool regular = true) {
    std::vector<fs::path> files;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
      std::error_code typeError;
      if (it->is_regular_file(typeError) == regular) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
  }
  static std::vector<fs::path> OtherEntriesOf(const fs::path& folder) { return FilesOf(folder, false); }

  void VerifyArchive(const PlannedArchive& planned) {
    std::optional<DrawingArchive> archive;
    try {
      archive.emplace(planned.path, planned.layout);
    } catch (const Error& error) {
      out_ << planned.label << ": unreadable: " << error.what() << "\n";
      Problem(planned.label, error.what(), false);
      return;
    }
    ++archives_;
    const bool plain = archive->GetLayout() == DrawingArchive::Layout::kPlainZip;
    out_ << planned.label << ": " << (plain ? "PKZIP archive, " : "layer archive, ") << archive->MemberCount()
         << (archive->MemberCount() == 1 ? " member\n" : " members\n");
    if (!archive->ListingDamage().empty()) Problem(planned.label, archive->ListingDamage());
    CheckArchiveNames(planned, *archive);

    const bool perMember =
        options_.detail == VerifyOptions::Detail::kMembers ||
        (options_.detail == VerifyOptions::Detail::kAuto && archive->MemberCount() <= VerifyOptions::kMaxListedMembers);
    Tally sum;
    std::vector<std::pair<std::string, std::string>> deferred;  // member, problem: printed after the sum
    for (std::size_t i = 0; i < archive->MemberCount(); ++i) {
      const std::string& name = archive->MemberName(i);
      std::vector<std::string> problems;
      if (!plain) {
        if (std::optional<std::string> misfit = NameMisfit(planned.rule, name)) problems.push_back(*misfit);
        if (i > 0 && LookupKey(archive->MemberName(i - 1)) == LookupKey(name)) {
          problems.push_back("the map cannot reach it: " + DisplayName(archive->MemberName(i - 1)) +
                             " has the same look-up key");
        }
      }
      data::ReadDrawingOptions read;
      read.RegistryName = name;
      read.ExpectedStreetVersion = options_.streetVersion;
      Drawing drawing;
      for (std::string& problem : ReadMember(*archive, i, read, drawing)) problems.push_back(std::move(problem));
      ++members_;

      const std::string display = DisplayName(name);
      if (perMember) {
        Tally tally;
        tally.Add(drawing, options_.names);
        out_ << "  " << display << ": ";
        tally.Print(out_, "    ");
        for (const std::string& problem : problems) Problem(planned.label + ": " + display, problem);
      } else {
        for (std::string& problem : problems) deferred.emplace_back(display, std::move(problem));
      }
      sum.Add(drawing, options_.names);
    }
    records_ += sum.records;
    objects_ += sum.objects;
    if (!perMember) {
      out_ << (archive->MemberCount() == 1 ? std::string("  1 member: ")
                                           : "  all " + std::to_string(archive->MemberCount()) + " members: ");
      sum.Print(out_, "    ");
      for (const auto& [member, problem] : deferred) Problem(planned.label + ": " + member, problem);
    }
  }

  // The archive-wide rules on member names: a built-in archive's member that
  // the map reads, a layer index the engine can search.
  void CheckArchiveNames(const PlannedArchive& planned, const DrawingArchive& archive) {
    if (planned.rule.kind == MemberRule::Kind::kResource) {
      std::size_t first = 0;
      while (first < archive.MemberCount() && !data::AcceptedCoding(*archive.PlainHeader(first))) ++first;
      if (first == archive.MemberCount()) {
        Problem(planned.label, "no stored or imploded member, so the map reads nothing");
      } else if (!EqualsIgnoringCase(archive.MemberName(first), planned.rule.member)) {
        Problem(planned.label, "the map reads its first stored or imploded member, " +
                                   DisplayName(archive.MemberName(first)) + ", not " + planned.rule.member);
      }
      return;
    }
    if (!archive.Index()) return;
    for (std::size_t i = 1; i < archive.MemberCount(); ++i) {
      if (!(archive.MemberName(i - 1) < archive.MemberName(i))) {
        Problem(planned.label, "the index is not sorted, so the map's binary search misses members: " +
                                   DisplayName(archive.MemberName(i)) + " follows " +
                                   DisplayName(archive.MemberName(i - 1)));
        return;
      }
    }
  }

  int Finish() {
    if (!problems_.empty()) {
      out_ << "problems (" << problems_.size() << "):\n";
      for (const std::string& problem : problems_) out_ << "  " << problem << "\n";
    }
    out_ << "totals: " << archives_ << " archives, " << members_ << " members, " << records_ << " records, " << objects_
         << " objects, " << problems_.size() << " problems\n";
    return problems_.empty() ? 0 : 1;
  }

  fs::path dir_;
  const VerifyOptions& options_;
  std::ostream& out_;
  std::vector<std::string> problems_;
  std::int64_t archives_ = 0;
  std::int64_t members_ = 0;
  std::int64_t records_ = 0;
  std::int64_t objects_ = 0;
};

}  // namespace

int VerifyTree(const fs::path& dir, const VerifyOptions& options, std::ostream& out) {
  return TreeVerifier(dir, options, out).Run();
}

}  // namespace quelmar::builder
