#include "control/data/archive_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "archive_test_support.h"
#include "control/core/errors.h"
#include "control/data/archive_crc32.h"
#include "control/data/layer_archive.h"
#include "control/data/zip_archive.h"
#include "platform/kernel/test_files.h"

namespace quelmar::data {
namespace {

using quelmar::testing::FileCount;
using quelmar::testing::TempDir;
using testing::HaveProgram;
using testing::RunQuietly;

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(ArchiveCrc32, GivesTheStandardCheckValue) {
  EXPECT_EQ(ArchiveCrc32(Bytes("123456789")), 0xCBF43926u);
  EXPECT_EQ(ArchiveCrc32({}), 0u);
  EXPECT_EQ(ArchiveCrc32(Bytes("6789"), ArchiveCrc32(Bytes("12345"))), 0xCBF43926u);
}

struct Content {
  std::string name;
  std::vector<std::uint8_t> bytes;
  std::optional<ImplodeVariant> implode;
};

// Every variant with every kind of data, and a stored member.
std::vector<Content> EveryKindOfMember() {
  const std::vector<std::pair<char, std::vector<std::uint8_t>>> kinds = {
      {'T', testing::TextSample(60'000)}, {'R', testing::RandomSample(20'000)}, {'M', testing::MapSample(60'000)},
      {'E', {}},                          {'O', {'x'}}};
  std::vector<Content> members;
  for (ImplodeVariant variant : kImplodeVariants) {
    for (const auto& [letter, bytes] : kinds) {
      members.push_back({std::string(1, letter) + ImplodeVariantName(variant) + ".DAT", bytes, variant});
    }
  }
  members.push_back({"STORED.DAT", testing::TextSample(5'000), std::nullopt});
  return members;
}

std::vector<std::uint8_t> Write(ArchiveLayout layout, const std::vector<Content>& members) {
  ArchiveWriter writer(layout);
  for (const Content& m : members) writer.Add(m.name, m.bytes, m.implode);
  return writer.Finish();
}

class ArchiveWriterTools : public ::testing::TestWithParam<ArchiveLayout> {
 protected:
  std::filesystem::path WriteSample() {
    const std::filesystem::path path = dir_ / (GetParam() == ArchiveLayout::kLayerArchive ? "SAMPLE.ZPX" : "sample.zip");
    testing::WriteFileBytes(path, Write(GetParam(), EveryKindOfMember()));
    return path;
  }
  TempDir dir_;
};

TEST_P(ArchiveWriterTools, InfoZipTestsEveryMember) {
  if (!HaveProgram("unzip")) GTEST_SKIP() << "unzip is not installed";
  EXPECT_EQ(RunQuietly("unzip -t " + WriteSample().string()), 0);
}

TEST_P(ArchiveWriterTools, SevenZipTestsEveryMember) {
  if (!HaveProgram("7z")) GTEST_SKIP() << "7z is not installed";
  EXPECT_EQ(RunQuietly("7z t " + WriteSample().string()), 0);
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, ArchiveWriterTools,
                         ::testing::Values(ArchiveLayout::kPlainZip, ArchiveLayout::kLayerArchive),
                         [](const ::testing::TestParamInfo<ArchiveLayout>& info) {
                           return info.param == ArchiveLayout::kPlainZip ? "PlainZip" : "LayerArchive";
                         });

TEST(ArchiveWriter, OurReaderReadsBackEveryMemberOfBothLayouts) {
  const std::vector<Content> members = EveryKindOfMember();
  const std::vector<std::uint8_t> plain = Write(ArchiveLayout::kPlainZip, members);
  const std::vector<std::uint8_t> layer = Write(ArchiveLayout::kLayerArchive, members);
  auto plainInput = std::make_shared<MemoryArchiveInput>(plain);
  auto layerInput = std::make_shared<MemoryArchiveInput>(layer);
  const LayerIndex index = LayerIndex::Read(*layerInput);
  ASSERT_EQ(index.Entries().size(), members.size());
  for (const Content& m : members) {
    SCOPED_TRACE(m.name);
    std::unique_ptr<ArchiveMemberSource> fromPlain = OpenZipMember(plainInput, m.name);
    ASSERT_NE(fromPlain, nullptr);
    EXPECT_EQ(ReadAll(*fromPlain, m.bytes.size()), m.bytes);
    const std::optional<std::size_t> entry = index.FindExact(m.name);
    ASSERT_TRUE(entry);
    std::unique_ptr<ArchiveMemberSource> fromLayer = OpenLayerMember(layerInput, index, *entry);
    EXPECT_EQ(fromLayer->Header().name, m.name);
    EXPECT_EQ(ReadAll(*fromLayer, m.bytes.size()), m.bytes);
  }
}

TEST(ArchiveWriter, SortsTheLayerIndexInByteOrder) {
  ArchiveWriter writer(ArchiveLayout::kLayerArchive);
  for (const char* name : {"ZED.DCM", "abc.DCM", "ABC.DCM", "Y0000A.DCM"}) writer.Add(name, Bytes(name));
  const std::vector<std::uint8_t> bytes = writer.Finish();
  MemoryArchiveInput input(bytes);
  const LayerIndex index = LayerIndex::Read(input);
  std::vector<std::string> names;
  for (const LayerIndexEntry& e : index.Entries()) names.push_back(e.name);
  EXPECT_EQ(names, (std::vector<std::string>{"ABC.DCM", "Y0000A.DCM", "ZED.DCM", "abc.DCM"}));
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(ReadLocalHeader(input, index.LocalHeaderOffset(i))->name, names[i]);
  }
}

TEST(ArchiveWriter, RefusesNamesTheLayoutCannotHold) {
  struct Case {
    const char* what;
    ArchiveLayout layout;
    std::string name;
  };
  const Case cases[] = {
      {"empty", ArchiveLayout::kPlainZip, ""},
      {"13 characters in a layer index", ArchiveLayout::kLayerArchive, "ABCDEFGHI.DCM"},
      {"used twice", ArchiveLayout::kPlainZip, "FIRST.DCM"},
  };
  for (const Case& c : cases) {
    ArchiveWriter writer(c.layout);
    writer.Add("FIRST.DCM", {});
    EXPECT_THROW(writer.Add(c.name, {}), DataError) << c.what;
    EXPECT_EQ(writer.MemberCount(), 1u) << c.what;
  }
  ArchiveWriter plain(ArchiveLayout::kPlainZip);
  EXPECT_NO_THROW(plain.Add("A LONG NAME FOR A PLAIN ARCHIVE.TXT", {}));
}

TEST(ArchiveWriter, WritesFilesWholeOrNotAtAll) {
  TempDir dir;
  ArchiveWriter writer(ArchiveLayout::kLayerArchive);
  writer.Add("A.DCM", Bytes("contents"));
  testing::WriteFileBytes(dir / "OUT.ZPX", Bytes("old"));
  writer.WriteFile(dir / "OUT.ZPX");
  EXPECT_EQ(testing::ReadFileBytes(dir / "OUT.ZPX"), writer.Finish());
  EXPECT_EQ(FileCount(dir.path()), 1u);
  EXPECT_THROW(writer.WriteFile(dir / "missing" / "OUT.ZPX"), IoError);
}

}  // namespace
}  // namespace quelmar::data
