#include "control/data/layer_archive.h"

#include <gtest/gtest.h>

#include <functional>

#include <string>

#include "archive_test_support.h"
#include "control/core/errors.h"
#include "control/data/archive_writer.h"
#include "platform/kernel/test_files.h"

namespace quelmar::data {
namespace {

using quelmar::testing::TempDir;
using testing::Put16At;
using testing::Put32At;

std::vector<std::uint8_t> Text(std::string_view text) { return {text.begin(), text.end()}; }
std::string AsText(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// A layer archive of members whose contents are their names in lower case
// (imploded when asked), in the order given.
std::vector<std::uint8_t> LayerArchive(std::initializer_list<const char*> names, bool implode = false) {
  ArchiveWriter writer(ArchiveLayout::kLayerArchive);
  for (const char* name : names) {
    std::string contents = name;
    for (char& c : contents) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    writer.Add(name, Text(contents), implode ? std::optional(ImplodeVariant{}) : std::nullopt);
  }
  return writer.Finish();
}

// What the engine reads for `member`: its text, or "" when not in the index.
std::string Lookup(const std::vector<std::uint8_t>& archive, std::string_view member) {
  auto input = std::make_shared<MemoryArchiveInput>(archive);
  const LayerIndex index = LayerIndex::Read(*input);
  const std::optional<std::size_t> entry = index.FindByKey(member);
  if (!entry) return "";
  std::unique_ptr<ArchiveMemberSource> source = OpenLayerMember(input, index, *entry);
  return AsText(ReadAll(*source, source->Length()));
}

TEST(LayerArchive, FindsMembersByTheEngineKey) {
  const std::vector<std::uint8_t> archive =
      LayerArchive({"AB123.DCM", "AB124.DCM", "Q0102.DCM", "YAB12A.DCM", "YAB12B.DCM"}, true);
  struct Case {
    const char* member;
    const char* expected;
  };
  const Case cases[] = {
      {"AB123.DCM", "ab123.dcm"},
      {"AB123XYZ", "ab123.dcm"},  // 5 characters decide, whatever follows
      {"AB124", "ab124.dcm"},
      {"Q0102.DCM", "q0102.dcm"},
      {"YAB12B.DCM", "yab12b.dcm"},  // street members: 6 characters
      {"YAB12A-OTHER", "yab12a.dcm"},
      {"YAB12", ""},  // shorter than the entry's first 6 characters
      {"AB12", ""},
      {"AB125.DCM", ""},
      {"ab123.DCM", ""},  // byte order: case matters
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Lookup(archive, c.member), c.expected) << c.member;
}

TEST(LayerArchive, AnEmptyIndexFindsNothing) {
  const std::vector<std::uint8_t> archive = {0, 0};
  MemoryArchiveInput input(archive);
  EXPECT_FALSE(LayerIndex::Read(input).FindByKey("AB123"));
  EXPECT_EQ(Lookup(LayerArchive({}), "AB123"), "");
}

// The member asked for or an error: a member the reader does not take is
// never passed over for the next one, and an offset that lands on another
// member (swapped or damaged) is refused.
TEST(LayerArchive, OpensTheEntrysOwnMemberOrFails) {
  struct Case {
    const char* what;
    std::uint16_t method;
    std::uint16_t flags;
  };
  const Case cases[] = {
      {"deflate", 8, 0},
      {"deflate with flag bit 2 (once taken for imploded, 4 KB, 3 trees)", 8, 4},
      {"deflate with flag bits 1 and 2 (once taken for imploded, 8 KB, 3 trees)", 8, 6},
      {"shrink (once taken for stored)", 1, 0},
      {"encrypted stored", 0, 1},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> archive = LayerArchive({"AAAAA.DCM", "BBBBB.DCM"});
    MemoryArchiveInput input(archive);
    const std::uint64_t header = LayerIndex::Read(input).LocalHeaderOffset(0);
    Put16At(archive, header + 6, c.flags);
    Put16At(archive, header + 8, c.method);
    EXPECT_THROW(Lookup(archive, "AAAAA"), DataError) << c.what;
    EXPECT_EQ(Lookup(archive, "BBBBB"), "bbbbb.dcm") << c.what << ": the other member is still read";
  }
  // The two index offsets swapped: each entry would open the other's bytes.
  std::vector<std::uint8_t> archive = LayerArchive({"AAAAA.DCM", "BBBBB.DCM"});
  MemoryArchiveInput input(archive);
  const LayerIndex index = LayerIndex::Read(input);
  const std::uint32_t first = index.Entries()[0].offset, second = index.Entries()[1].offset;
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) archive[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  put32(2 + 13, second);
  put32(2 + LayerIndex::kEntrySize + 13, first);
  EXPECT_THROW(Lookup(archive, "AAAAA"), DataError);
  EXPECT_THROW(Lookup(archive, "BBBBB"), DataError);
}

// A member's bytes must have the CRC its header gives: a flipped bit in the
// data, a changed CRC, a shortened size or a size of 0 is a data error at the
// member's end, stored or imploded, and stays one for every later read.
TEST(LayerArchive, AMemberWhoseBytesDoNotMatchItsCrcIsAnError) {
  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&, std::size_t header, std::size_t data)> damage;
  };
  const Case cases[] = {
      {"a flipped bit in the data", [](std::vector<std::uint8_t>& a, std::size_t, std::size_t data) { a[data] ^= 0x04; }},
      {"a changed CRC", [](std::vector<std::uint8_t>& a, std::size_t header, std::size_t) { a[header + 14] ^= 0x01; }},
      {"a shorter size",
       [](std::vector<std::uint8_t>& a, std::size_t header, std::size_t) {
         --a[header + 18];  // compressed and uncompressed sizes alike: a stored member stays "stored"
         --a[header + 22];
       }},
      {"both sizes 0",
       [](std::vector<std::uint8_t>& a, std::size_t header, std::size_t) {
         Put32At(a, header + 18, 0);
         Put32At(a, header + 22, 0);
       }},
      {"an uncompressed size of 0",
       [](std::vector<std::uint8_t>& a, std::size_t header, std::size_t) { Put32At(a, header + 22, 0); }},
  };
  for (const bool implode : {false, true}) {
    const std::vector<std::uint8_t> good = LayerArchive({"AAAAA.DCM", "BBBBB.DCM"}, implode);
    MemoryArchiveInput input(good);
    const std::uint64_t header = LayerIndex::Read(input).LocalHeaderOffset(0);
    const std::size_t data = header + 30 + std::string("AAAAA.DCM").size();
    EXPECT_EQ(Lookup(good, "AAAAA"), "aaaaa.dcm");
    for (const Case& c : cases) {
      std::vector<std::uint8_t> archive = good;
      c.damage(archive, header, data);
      EXPECT_THROW(Lookup(archive, "AAAAA"), DataError) << c.what << (implode ? ", imploded" : ", stored");
    }
  }

  // After the mismatch, the source does not end quietly.
  std::vector<std::uint8_t> archive = LayerArchive({"AAAAA.DCM"});
  auto input = std::make_shared<MemoryArchiveInput>(archive);
  const LayerIndex index = LayerIndex::Read(*input);
  archive[index.LocalHeaderOffset(0) + 14] ^= 0x01;
  std::unique_ptr<ArchiveMemberSource> source = OpenLayerMember(input, index, 0);
  std::uint8_t buffer[64];
  EXPECT_THROW(source->Read(buffer), DataError);
  EXPECT_THROW(source->Read(buffer), DataError);
  EXPECT_THROW(source->Finish(), DataError);
}

// A member that is empty is read as empty, stored or imploded.
TEST(LayerArchive, AnEmptyMemberReadsWithoutError) {
  for (const bool implode : {false, true}) {
    ArchiveWriter writer(ArchiveLayout::kLayerArchive);
    writer.Add("EMPTY.DCM", {}, implode ? std::optional(ImplodeVariant{}) : std::nullopt);
    EXPECT_EQ(Lookup(writer.Finish(), "EMPTY"), "") << (implode ? "imploded" : "stored");
  }
}

TEST(LayerArchive, RefusesHostileIndexes) {
  struct Case {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
    int width;
  };
  // One entry "AAAAA.DCM": count at 0, name length at 2, offset at 15; the
  // ZIP stream starts at 19. The last offset whose 30-byte header still fits:
  const auto lastFit = static_cast<std::uint32_t>(LayerArchive({"AAAAA.DCM"}).size() - 19 - kLocalHeaderSize);
  const Case cases[] = {
      {"a negative count", 0, 0xFFFF, 16},
      {"more entries than the file holds", 0, 1000, 16},
      {"a name of 13 characters", 2, 13, 8},
      {"a name of 255 characters", 2, 255, 8},
      {"a negative offset", 15, 0x80000000u, 32},
      {"an offset past the end", 15, 100'000, 32},
      {"an offset too near the end for a header", 15, lastFit + 1, 32},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> archive = LayerArchive({"AAAAA.DCM"});
    if (c.width == 8) {
      archive[c.offset] = static_cast<std::uint8_t>(c.value);
    } else if (c.width == 16) {
      Put16At(archive, c.offset, static_cast<std::uint16_t>(c.value));
    } else {
      Put32At(archive, c.offset, c.value);
    }
    EXPECT_THROW(Lookup(archive, "AAAAA"), DataError) << c.what;
  }
  std::vector<std::uint8_t> shifted = LayerArchive({"AAAAA.DCM"});
  Put32At(shifted, 15, 1);
  EXPECT_THROW(Lookup(shifted, "AAAAA"), DataError) << "an offset that misses the local header";
  EXPECT_THROW(Lookup({7}, "AAAAA"), DataError) << "one byte";
}

TEST(LayerArchive, EveryTruncationFailsCleanlyUnlessIndexAndMemberAreWhole) {
  ArchiveWriter writer(ArchiveLayout::kLayerArchive);
  const std::vector<std::uint8_t> text = testing::TextSample(3'000);
  writer.Add("IMPLODED.DCM", text, ImplodeVariant{true, true});
  writer.Add("STORED.DCM", Text("stored member"));
  const std::vector<std::uint8_t> archive = writer.Finish();

  for (const char* name : {"IMPLODED.DCM", "STORED.DCM"}) {
    MemoryArchiveInput whole(archive);
    const LayerIndex wholeIndex = LayerIndex::Read(whole);
    const std::size_t entry = *wholeIndex.FindExact(name);
    // The index is refused whole while any entry's header lies past the end.
    std::uint64_t needed = ReadLocalHeader(whole, wholeIndex.LocalHeaderOffset(entry))->DataEnd();
    for (std::size_t i = 0; i < wholeIndex.Entries().size(); ++i) {
      needed = std::max<std::uint64_t>(needed, wholeIndex.LocalHeaderOffset(i) + kLocalHeaderSize);
    }
    for (std::size_t length = 0; length <= archive.size(); ++length) {
      auto input = std::make_shared<MemoryArchiveInput>(std::span(archive).first(length));
      try {
        const LayerIndex index = LayerIndex::Read(*input);
        std::unique_ptr<ArchiveMemberSource> member = OpenLayerMember(input, index, entry);
        ReadAll(*member, member->Length());
        EXPECT_GE(length, needed) << name << " read from " << length << " bytes";
      } catch (const DataError&) {
        EXPECT_LT(length, needed) << name << " refused at " << length << " bytes";
      }
    }
  }
}

TEST(OpenArchiveMember, OpensFilesAndSaysWhatIsMissing) {
  TempDir dir;
  testing::WriteFileBytes(dir / "STATE.ZPX", LayerArchive({"AB123.DCM", "CD456.DCM"}, true));
  ArchiveIndexCache cache;
  std::unique_ptr<ArchiveMemberSource> member = OpenArchiveMember(cache, dir / "STATE.ZPX", "CD456.DCM");
  ASSERT_NE(member, nullptr);
  EXPECT_EQ(AsText(ReadAll(*member, 100)), "cd456.dcm");
  EXPECT_EQ(OpenArchiveMember(cache, dir / "STATE.ZPX", "EF789.DCM"), nullptr);
  EXPECT_THROW(OpenArchiveMember(cache, dir / "NONE.ZPX", "AB123.DCM"), IoError);
  EXPECT_THROW(OpenArchiveMember(cache, dir.path(), "AB123.DCM"), IoError) << "a folder";
}

TEST(OpenArchiveMember, AnArchiveCutShortWhileAMemberIsReadFailsCleanly) {
  const std::vector<std::uint8_t> text = testing::TextSample(200'000);
  for (bool implode : {false, true}) {
    TempDir dir;
    ArchiveWriter writer(ArchiveLayout::kLayerArchive);
    writer.Add("BIG.DCM", text, implode ? std::optional(ImplodeVariant{}) : std::nullopt);
    writer.WriteFile(dir / "STATE.ZPX");
    ArchiveIndexCache cache;
    std::unique_ptr<ArchiveMemberSource> member = OpenArchiveMember(cache, dir / "STATE.ZPX", "BIG.DCM");
    ASSERT_NE(member, nullptr);
    std::filesystem::resize_file(dir / "STATE.ZPX", member->Header().dataOffset + 1000);
    EXPECT_THROW(ReadAll(*member, text.size()), DataError) << (implode ? "imploded" : "stored");
  }
}

}  // namespace
}  // namespace quelmar::data
