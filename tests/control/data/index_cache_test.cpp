#include "control/data/index_cache.h"

#include <gtest/gtest.h>

#include <string>

#include "archive_test_support.h"
#include "control/data/archive_writer.h"
#include "control/data/layer_archive.h"
#include "platform/kernel/test_files.h"

namespace quelmar::data {
namespace {

using quelmar::testing::TempDir;

ArchiveIdentity Identity(int n, std::uint64_t size = 100, std::int64_t modified = 1) {
  return {"/data/" + std::to_string(n) + "/STATE.ZPX", size, modified};
}

std::shared_ptr<const LayerIndex> Index(const char* name) {
  return std::make_shared<const LayerIndex>(std::vector<LayerIndexEntry>{{name, 0}});
}

TEST(ArchiveIndexCache, DropsTheLeastRecentlyUsedIndex) {
  ArchiveIndexCache cache;
  for (int i = 0; i < 20; ++i) cache.Insert(Identity(i), Index("A"));
  ASSERT_NE(cache.Find(Identity(0)), nullptr);  // 1 is now the oldest
  cache.Insert(Identity(20), Index("A"));
  EXPECT_EQ(cache.Size(), ArchiveIndexCache::kCapacity);
  EXPECT_EQ(cache.Find(Identity(1)), nullptr);
  for (int i : {0, 2, 19, 20}) EXPECT_NE(cache.Find(Identity(i)), nullptr) << i;
}

TEST(ArchiveIndexCache, KeysByPathSizeAndModificationTime) {
  ArchiveIndexCache cache;
  cache.Insert(Identity(1), Index("OLD"));
  EXPECT_EQ(cache.Find(Identity(1, 101)), nullptr) << "another size";
  EXPECT_EQ(cache.Find(Identity(1, 100, 2)), nullptr) << "another time";
  EXPECT_EQ(cache.Find(Identity(2)), nullptr) << "another folder";
  // A newer version of the same file takes the older one's place.
  cache.Insert(Identity(1, 100, 2), Index("NEW"));
  EXPECT_EQ(cache.Size(), 1u);
  EXPECT_EQ(cache.Find(Identity(1, 100, 2))->Entries()[0].name, "NEW");
}

std::string ReadMember(ArchiveIndexCache& cache, const std::filesystem::path& archive, const char* member) {
  std::unique_ptr<ArchiveMemberSource> source = OpenArchiveMember(cache, archive, member);
  if (!source) return "";
  const std::vector<std::uint8_t> bytes = ReadAll(*source, source->Length());
  return {bytes.begin(), bytes.end()};
}

void WriteArchive(const std::filesystem::path& path, std::vector<std::pair<const char*, std::string>> members) {
  ArchiveWriter writer(ArchiveLayout::kLayerArchive);
  for (const auto& [name, text] : members) {
    writer.Add(name, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  }
  writer.WriteFile(path);
}

TEST(OpenArchiveMember, SameNamedArchivesInTwoFoldersKeepTheirOwnIndexes) {
  TempDir dir;
  std::filesystem::create_directories(dir / "east");
  std::filesystem::create_directories(dir / "west");
  WriteArchive(dir / "east" / "STATE.ZPX", {{"AAAAA.DCM", "east a"}});
  WriteArchive(dir / "west" / "STATE.ZPX", {{"BBBBB.DCM", "west b"}, {"AAAAA.DCM", "west a"}});
  ArchiveIndexCache cache;
  EXPECT_EQ(ReadMember(cache, dir / "east" / "STATE.ZPX", "AAAAA.DCM"), "east a");
  EXPECT_EQ(ReadMember(cache, dir / "west" / "STATE.ZPX", "AAAAA.DCM"), "west a");
  EXPECT_EQ(ReadMember(cache, dir / "east" / "STATE.ZPX", "BBBBB.DCM"), "");
  EXPECT_EQ(cache.Size(), 2u);
  // Another spelling of the same file shares its index.
  EXPECT_EQ(ReadMember(cache, dir / "west" / ".." / "west" / "STATE.ZPX", "BBBBB.DCM"), "west b");
  EXPECT_EQ(cache.Size(), 2u);
}

TEST(OpenArchiveMember, RereadsTheIndexOfAnArchiveRewrittenInPlace) {
  TempDir dir;
  const std::filesystem::path path = dir / "STATE.ZPX";
  WriteArchive(path, {{"AAAAA.DCM", "a one"}, {"BBBBB.DCM", "b one"}});
  ArchiveIndexCache cache;
  EXPECT_EQ(ReadMember(cache, path, "AAAAA.DCM"), "a one");
  // Same size, members swapped, so the old index would point at the wrong
  // member; the time differs by a second even on coarse file systems.
  const auto before = std::filesystem::last_write_time(path);
  WriteArchive(path, {{"BBBBB.DCM", "b two"}, {"AAAAA.DCM", "a two"}});
  std::filesystem::last_write_time(path, before + std::chrono::seconds(1));
  EXPECT_EQ(ReadMember(cache, path, "AAAAA.DCM"), "a two");
  EXPECT_EQ(cache.Size(), 1u);
}

}  // namespace
}  // namespace quelmar::data
