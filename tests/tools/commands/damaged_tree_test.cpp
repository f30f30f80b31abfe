// The real data tree, damaged one file at a time: bit flips, truncations and
// rewritten fields in a plain PKZIP base map, an overview layer archive and
// a state street archive of imploded members; each archive replaced by a
// FIFO, a folder, a link to /dev/zero or an empty file; MAP.INI as a FIFO, a
// link to /dev/zero and a huge file. Every member is read back as
// `quelmar-data cat` reads it, and the tree is verified. Damaged data never
// passes as good: each case gives the right bytes or a clear error, never
// other bytes without one, and nothing blocks. Skipped when the public
// inputs have not been fetched.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "control/core/errors.h"
#include "control/data/archive_catalogue.h"
#include "control/data/archive_input.h"
#include "control/data/layer_archive_index.h"
#include "control/data/zip_archive.h"
#include "platform/kernel/atomic_file.h"
#include "platform/kernel/ini_file.h"
#include "tests/tools/builder/streets/street_test_support.h"
#include "tools/quelmar-data/builder/inputs/national_inputs.h"
#include "tools/quelmar-data/builder/output/archive_members.h"
#include "tools/quelmar-data/builder/output/geometry.h"
#include "tools/quelmar-data/builder/output/map_tree.h"
#include "tools/quelmar-data/builder/output/verify_tree.h"
#include "tools/quelmar-data/builder/streets/street_samples.h"

namespace quelmar::builder {
namespace {

namespace fs = std::filesystem;
using data::ZipLocalHeader;

// How long one case may take before it counts as a hang.
constexpr auto kHangTimeout = std::chrono::seconds(60);

std::string FileBytes(const fs::path& file) {
  std::string bytes;
  std::error_code error;
  if (!kernel::ReadWholeFile(file, &bytes, &error)) ADD_FAILURE() << file << ": " << error.message();
  return bytes;
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << file;
}

// What reading one member gave.
struct MemberRead {
  std::optional<std::string> bytes;  // the member's bytes when it read to its end
  std::string error;                 // the message when it was refused
  bool clear = true;                 // refused with a quelmar::Error that says why
};

// The member as `quelmar-data cat` writes it, read to its end.
MemberRead ReadMember(const fs::path& archive, const std::string& name) {
  MemberRead read;
  try {
    std::unique_ptr<data::ArchiveMemberSource> source = OpenNamedMember(archive, name);
    if (!source) {
      read.error = archive.filename().string() + " has no member " + name;
      return read;
    }
    std::string bytes;
    std::uint8_t buffer[65536];
    while (const std::size_t n = source->Read(buffer)) bytes.append(reinterpret_cast<const char*>(buffer), n);
    read.bytes = std::move(bytes);
  } catch (const Error& error) {
    read.error = error.what();
    read.clear = !read.error.empty();
  } catch (const std::exception& error) {
    read.error = std::string("not a quelmar::Error: ") + error.what();
    read.clear = false;
  }
  return read;
}

// Where one member's parts lie in its archive.
struct MemberPlace {
  std::uint64_t header = 0;  // the local header's signature
  std::uint64_t data = 0;    // the first byte of its data
  std::uint64_t size = 0;    // compressed bytes
};

// One archive of the tree under test: its bytes, its members as they read
// undamaged, and where their parts lie.
struct Archive {
  std::string label;
  fs::path path;
  std::string original;
  bool layer = false;
  std::uint64_t indexEnd = 0;  // 0 in a plain PKZIP file
  std::vector<std::string> names;
  std::vector<std::string> contents;
  std::vector<MemberPlace> places;
  bool imploded = false;  // every member
};

Archive Describe(const std::string& label, const fs::path& path) {
  Archive archive;
  archive.label = label;
  archive.path = path;
  archive.original = FileBytes(path);
  data::FileArchiveInput input(path);
  std::vector<ZipLocalHeader> headers;
  if (IsPlainZip(input)) {
    headers = data::ListZipMembers(input);
  } else {
    archive.layer = true;
    const data::LayerIndex index = data::LayerIndex::Read(input);
    archive.indexEnd = index.ZipStart();
    for (std::size_t i = 0; i < index.Entries().size(); ++i) {
      headers.push_back(*data::ReadLocalHeader(input, index.LocalHeaderOffset(i)));
    }
  }
  archive.imploded = !headers.empty();
  for (const ZipLocalHeader& header : headers) {
    archive.names.push_back(header.name);
    archive.places.push_back({header.offset, header.dataOffset, header.compressedSize});
    archive.imploded = archive.imploded && header.method == 6;
    const MemberRead read = ReadMember(path, header.name);
    EXPECT_TRUE(read.bytes) << label << ": " << header.name << ": " << read.error;
    archive.contents.push_back(read.bytes.value_or(""));
  }
  return archive;
}

// --- The damage ---------------------------------------------------------------

using Edit = std::function<void(std::string& bytes)>;

Edit FlipBit(std::uint64_t offset, std::uint8_t mask = 0x10) {
  return [=](std::string& bytes) { bytes.at(offset) = static_cast<char>(bytes.at(offset) ^ mask); };
}
Edit Truncate(std::uint64_t length) {
  return [=](std::string& bytes) { bytes.resize(length); };
}
Edit Put16(std::uint64_t offset, std::uint16_t value) {
  return [=](std::string& bytes) {
    bytes.at(offset) = static_cast<char>(value & 0xFF);
    bytes.at(offset + 1) = static_cast<char>(value >> 8);
  };
}
std::uint32_t Get32(const std::string& bytes, std::uint64_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes.at(offset + i));
  return value;
}
Edit Put32(std::uint64_t offset, std::function<std::uint32_t(std::uint32_t)> change) {
  return [=](std::string& bytes) {
    const std::uint32_t value = change(Get32(bytes, offset));
    for (int i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
}
Edit Swap(std::uint64_t a, std::uint64_t b, std::size_t length) {
  return [=](std::string& bytes) {
    for (std::size_t i = 0; i < length; ++i) std::swap(bytes.at(a + i), bytes.at(b + i));
  };
}

// What stands at a damaged file's place for the case.
enum class Kind { kBytes, kFifo, kFolder, kDevZero, kEmpty };

struct Case {
  std::string name;
  const Archive* archive = nullptr;  // null: MAP.INI
  Kind kind = Kind::kBytes;
  Edit edit;  // for kBytes
};

// The damage `c` puts at `path`, whose undamaged bytes are `original`.
void Damage(const Case& c, const fs::path& path, const std::string& original) {
  fs::remove(path);
  switch (c.kind) {
    case Kind::kBytes: {
      std::string bytes = original;
      c.edit(bytes);
      WriteBytes(path, bytes);
      break;
    }
    case Kind::kFifo: ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path; break;
    case Kind::kFolder: fs::create_directory(path); break;
    case Kind::kDevZero: fs::create_symlink("/dev/zero", path); break;
    case Kind::kEmpty: WriteBytes(path, ""); break;
  }
}

void Restore(const fs::path& path, const std::string& original) {
  fs::remove_all(path);
  WriteBytes(path, original);
}

// The damage every archive gets: its first member's data, header and sizes;
// its last member's data and header; truncations through it; and the file
// itself replaced. A layer archive's index is damaged as well.
std::vector<Case> ArchiveCases(const Archive& a) {
  std::vector<Case> cases;
  const auto add = [&](const std::string& name, Edit edit) { cases.push_back({a.label + ": " + name, &a, Kind::kBytes, edit}); };
  const MemberPlace& first = a.places.front();
  const MemberPlace& last = a.places.back();
  const std::uint64_t h = first.header;

  add("bit flip at the start of the first member's data", FlipBit(first.data, 0x01));
  add("bit flip in the middle of the first member's data", FlipBit(first.data + first.size / 2));
  // The top bits of an imploded member's last byte may be padding after its
  // last code: flipped, the bytes stay right.
  add("bit flip in the last byte of the first member's data", FlipBit(first.data + first.size - 1, 0x80));
  add("bit flip in the middle of the last member's data", FlipBit(last.data + last.size / 2, 0x04));

  add("bit flip in a local header's signature", FlipBit(h + 2, 0x01));
  add("bit flip in a local header's version", FlipBit(h + 4, 0x01));  // not read: the bytes stay right
  add("bit flip in a local header's flags (bit 1)", FlipBit(h + 6, 0x02));
  add("bit flip in a local header's flags (bit 2)", FlipBit(h + 6, 0x04));
  add("bit flip in a local header's time", FlipBit(h + 10, 0x01));  // not read either
  add("bit flip in a local header's CRC", FlipBit(h + 15, 0x20));
  add("bit flip in a local header's compressed size", FlipBit(h + 18, 0x01));
  add("bit flip in a local header's uncompressed size", FlipBit(h + 22, 0x08));
  add("bit flip in a local header's name length", FlipBit(h + 26, 0x01));
  add("bit flip in a local header's extra length", FlipBit(h + 28, 0x02));
  add("bit flip in a local header's name", FlipBit(h + 30, 0x01));
  add("bit flip in the last member's local header name", FlipBit(last.header + 31, 0x02));

  add("method set to deflate (8)", Put16(h + 8, 8));
  add("method set to an unknown one (77)", Put16(h + 8, 77));
  add("encrypted flag (bit 0) set", FlipBit(h + 6, 0x01));
  add("compressed size halved", Put32(h + 18, [](std::uint32_t v) { return v / 2; }));
  add("compressed size zeroed", Put32(h + 18, [](std::uint32_t) { return 0u; }));
  add("uncompressed size halved", Put32(h + 22, [](std::uint32_t v) { return v / 2; }));
  add("uncompressed size zeroed", Put32(h + 22, [](std::uint32_t) { return 0u; }));

  if (a.layer) {
    add("bit flip in the index count", FlipBit(0, 0x01));
    add("bit flip in an index entry's name length", FlipBit(2 + 17, 0x01));
    add("bit flip in an index entry's name", FlipBit(2 + 1, 0x01));
    add("bit flip in an index entry's offset", FlipBit(2 + 17 + 13, 0x04));
    add("bit flip in the last index entry's offset", FlipBit(a.indexEnd - 4, 0x01));
    add("two index offsets swapped", Swap(2 + 13, 2 + 17 + 13, 4));
    add("index count set to 0", Put16(0, 0));
    add("truncated inside the index", Truncate(2 + 17 + 5));
    add("truncated inside the count", Truncate(1));
  }
  add("truncated inside the first local header", Truncate(h + 12));
  add("truncated inside the first member's data", Truncate(first.data + first.size / 2));
  add("truncated inside the last local header", Truncate(last.header + 20));
  add("truncated inside the last member's data", Truncate(last.data + last.size / 2));
  add("truncated one byte before the last member's end", Truncate(last.data + last.size - 1));
  add("truncated after the last member", Truncate(last.data + last.size));
  add("truncated one byte short", Truncate(a.original.size() - 1));

  cases.push_back({a.label + ": replaced by a FIFO", &a, Kind::kFifo, {}});
  cases.push_back({a.label + ": replaced by a folder", &a, Kind::kFolder, {}});
  cases.push_back({a.label + ": replaced by a link to /dev/zero", &a, Kind::kDevZero, {}});
  cases.push_back({a.label + ": replaced by an empty file", &a, Kind::kEmpty, {}});
  return cases;
}

// --- Running a case ---------------------------------------------------------

enum class Outcome { kRightBytes, kClearError, kWrongSuccess, kUnclearError };

const char* OutcomeName(Outcome outcome) {
  switch (outcome) {
    case Outcome::kRightBytes: return "right bytes";
    case Outcome::kClearError: return "clear error";
    case Outcome::kWrongSuccess: return "wrong success";
    case Outcome::kUnclearError: return "unclear error";
  }
  return "?";
}

struct Result {
  Outcome outcome = Outcome::kRightBytes;
  std::string detail;  // the first refusal or wrong member
  int verify = 0;      // VerifyTree's status
  std::string verifyReport;
};

// Every member of the archive read back and compared with the undamaged one.
Result ReadArchive(const Archive& a) {
  Result result;
  for (std::size_t i = 0; i < a.names.size(); ++i) {
    const MemberRead read = ReadMember(a.path, a.names[i]);
    if (read.bytes && *read.bytes == a.contents[i]) continue;
    Outcome outcome = Outcome::kClearError;
    std::string detail = a.names[i] + ": " + read.error;
    if (read.bytes) {
      outcome = Outcome::kWrongSuccess;
      detail = a.names[i] + ": " + std::to_string(read.bytes->size()) + " bytes read without error, not the " +
               std::to_string(a.contents[i].size()) + " it holds";
    } else if (!read.clear) {
      outcome = Outcome::kUnclearError;
    }
    if (outcome > result.outcome) {  // the worst member, and the first of that kind, names the case
      result.outcome = outcome;
      result.detail = detail;
    }
  }
  return result;
}

// MAP.INI opened as the tool and the host open it: read whole, then the
// folders of [Application Interface].
Result OpenMapIni(const fs::path& tree, const kernel::IniFile& undamaged) {
  Result result;
  kernel::IniFile ini;
  std::error_code error;
  if (!ini.Load(tree / kMapIniName, &error)) {
    result.outcome = error ? Outcome::kClearError : Outcome::kUnclearError;
    result.detail = "MAP.INI cannot be read: " + error.message();
    return result;
  }
  for (const char* key : {"Data1Path", "Data2Path", "Data3Path", "StatesPath"}) {
    if (ini.Get("Application Interface", key) != undamaged.Get("Application Interface", key)) {
      result.outcome = Outcome::kWrongSuccess;
      result.detail = std::string("MAP.INI read without error but with another ") + key;
    }
  }
  return result;
}

Result RunCase(const Case& c, const fs::path& tree, const kernel::IniFile& mapIni) {
  Result result = c.archive ? ReadArchive(*c.archive) : OpenMapIni(tree, mapIni);
  std::ostringstream report;
  VerifyOptions options;
  options.detail = VerifyOptions::Detail::kSummary;
  result.verify = VerifyTree(tree, options, report);
  result.verifyReport = report.str();
  return result;
}

// --- The tree -----------------------------------------------------------------

class DamagedTree : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const char* inputs = std::getenv("QUELMAR_INPUTS");
    if (!inputs || !*inputs || !fs::exists(fs::path(inputs) / "npm" / "us-atlas")) return;
    const fs::path source = std::getenv("QUELMAR_TEST_SOURCE_DIR");
    NationalInputs national = LoadNationalInputs(inputs, source / "data" / "reference");
    DropEastOfAntimeridian(national);
    const std::vector<StreetSample> streets = LoadStreetSamples(SampleFilesIn(street_testing::StreetTestData()));
    const ZipCentroids zips = ZipCentroids::Load(fs::path(inputs) / "npm" / "zipcodes");
    folder_ = new fs::path(fs::temp_directory_path() / ("damaged-tree-" + std::to_string(::getpid())));
    fs::remove_all(*folder_);
    WriteMapTree(national, streets, zips, *folder_ / "tree", [](const std::string&) {});
  }
  static void TearDownTestSuite() {
    if (!folder_) return;
    std::error_code ignored;
    fs::remove_all(*folder_, ignored);
    delete folder_;
    folder_ = nullptr;
  }
  void SetUp() override {
    if (!folder_) GTEST_SKIP() << "the public inputs are not fetched (scripts/fetch-inputs)";
  }

  static fs::path Tree() { return *folder_ / "tree"; }

  // The first street archive whose members are all imploded.
  static std::optional<fs::path> ImplodedStreetArchive() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(Tree() / "STATES0")) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      if (!data::StreetArchiveNumber(file.filename().string())) continue;
      data::FileArchiveInput input(file);
      const data::LayerIndex index = data::LayerIndex::Read(input);
      bool imploded = index.Entries().size() >= 2;
      for (std::size_t i = 0; imploded && i < index.Entries().size(); ++i) {
        imploded = data::ReadLocalHeader(input, index.LocalHeaderOffset(i))->method == 6;
      }
      if (imploded) return file;
    }
    return std::nullopt;
  }

  static fs::path* folder_;
};

fs::path* DamagedTree::folder_ = nullptr;

TEST_F(DamagedTree, DamageGivesTheRightBytesOrAClearErrorAndNeverBlocks) {
  std::ostringstream undamaged;
  ASSERT_EQ(VerifyTree(Tree(), VerifyOptions{}, undamaged), 0) << undamaged.str();
  const std::optional<fs::path> streets = ImplodedStreetArchive();
  ASSERT_TRUE(streets) << "no street archive of imploded members in " << Tree() / "STATES0";
  const Archive archives[] = {
      Describe(kBaseMapArchive, Tree() / kBaseMapArchive),
      Describe("DATA1/Mcity.zpx", Tree() / "DATA1" / "Mcity.zpx"),
      Describe("STATES0/" + streets->filename().string(), *streets),
  };
  ASSERT_FALSE(::testing::Test::HasFailure());
  EXPECT_TRUE(archives[2].imploded);

  std::vector<Case> cases;
  for (const Archive& archive : archives) {
    ASSERT_FALSE(archive.places.empty()) << archive.label;
    for (Case& c : ArchiveCases(archive)) cases.push_back(std::move(c));
  }
  const fs::path mapIniPath = Tree() / kMapIniName;
  const std::string mapIniText = FileBytes(mapIniPath);
  kernel::IniFile mapIni;
  mapIni.Parse(mapIniText);
  std::string huge = mapIniText;
  for (int i = 0; i < 100000; ++i) huge += "[Extra " + std::to_string(i) + "]\r\nKey=" + std::to_string(i) + "\r\n";
  cases.push_back({"MAP.INI: a FIFO", nullptr, Kind::kFifo, {}});
  cases.push_back({"MAP.INI: a link to /dev/zero", nullptr, Kind::kDevZero, {}});
  cases.push_back({"MAP.INI: 100,000 more sections", nullptr, Kind::kBytes, [&](std::string& bytes) { bytes = huge; }});

  std::map<Outcome, int> counts;
  int hangs = 0;
  for (const Case& c : cases) {
    const fs::path path = c.archive ? c.archive->path : mapIniPath;
    const std::string& original = c.archive ? c.archive->original : mapIniText;
    Damage(c, path, original);
    std::future<Result> running = std::async(std::launch::async, [&] { return RunCase(c, Tree(), mapIni); });
    if (running.wait_for(kHangTimeout) != std::future_status::ready) {
      ++hangs;
      std::printf("damaged tree: %s: hang (no end after %lld s)\n", c.name.c_str(),
                  static_cast<long long>(kHangTimeout.count()));
      std::fflush(stdout);
      ADD_FAILURE() << c.name << ": hangs";
      std::abort();  // the worker cannot be stopped, and the tree stays damaged
    }
    const Result result = running.get();
    Restore(path, original);
    ++counts[result.outcome];
    std::printf("damaged tree: %s: %s%s%s (verify %d)\n", c.name.c_str(), OutcomeName(result.outcome),
                result.detail.empty() ? "" : ": ", result.detail.c_str(), result.verify);

    EXPECT_NE(result.outcome, Outcome::kWrongSuccess) << c.name << ": " << result.detail;
    EXPECT_NE(result.outcome, Outcome::kUnclearError) << c.name << ": " << result.detail;
    const bool mustFailVerify = result.outcome != Outcome::kRightBytes || c.kind != Kind::kBytes;
    if (mustFailVerify) {
      EXPECT_NE(result.verify, 0) << c.name << " passes verify:\n" << result.verifyReport;
    }
    if (!c.archive && c.kind != Kind::kBytes) {
      EXPECT_EQ(result.outcome, Outcome::kClearError) << c.name;
    }
  }
  std::printf("damaged tree: cases %zu\n", cases.size());
  std::printf("damaged tree: right bytes %d\n", counts[Outcome::kRightBytes]);
  std::printf("damaged tree: clear errors %d\n", counts[Outcome::kClearError]);
  std::printf("damaged tree: wrong successes %d\n", counts[Outcome::kWrongSuccess]);
  std::printf("damaged tree: unclear errors %d\n", counts[Outcome::kUnclearError]);
  std::printf("damaged tree: hangs %d\n", hangs);

  std::ostringstream restored;
  EXPECT_EQ(VerifyTree(Tree(), VerifyOptions{}, restored), 0) << "the tree is not restored:\n" << restored.str();
}

}  // namespace
}  // namespace quelmar::builder
