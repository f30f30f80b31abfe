#include "control/data/resource_archive.h"

#include <gtest/gtest.h>

#include "archive_test_support.h"
#include "control/core/errors.h"
#include "control/data/archive_writer.h"

namespace quelmar::data {
namespace {

using testing::Put16At;

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(ResourceArchive, NamesTypeAndMemberFromTheArchiveName) {
  struct Case {
    const char* name;
    std::optional<std::string> type;
    const char* member;
  };
  const Case cases[] = {
      {"TARVO.ZIP", "TARVO", "TARVO.DCM"},
      {"HMAP.ZIP", "HMAP", "HMAP.DCM"},
      {"hmap.zip", "hmap", "hmap.DCM"},
      {"TARVO.DCM", std::nullopt, "TARVO.DCM"},
      {"NOEXT", std::nullopt, "NOEXT.DCM"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResourceArchiveType(c.name), c.type) << c.name;
    EXPECT_EQ(ResourceMemberName(c.name), c.member) << c.name;
  }
}

// README.TXT (stored), then TARVO.DCM (imploded), then OTHER.DCM (stored).
std::vector<std::uint8_t> BuiltIn() {
  ArchiveWriter writer(ArchiveLayout::kPlainZip);
  writer.Add("README.TXT", Bytes("read me"));
  writer.Add("TARVO.DCM", testing::TextSample(2'000), ImplodeVariant{true, true});
  writer.Add("OTHER.DCM", Bytes("other"));
  return writer.Finish();
}

TEST(ResourceArchive, OpensTheFirstStoredOrImplodedMember) {
  std::vector<std::uint8_t> archive = BuiltIn();
  EXPECT_EQ(OpenResourceArchive(archive, "TARVO")->Header().name, "README.TXT");

  Put16At(archive, 8, 8);  // README.TXT: deflate, skipped
  std::unique_ptr<ArchiveMemberSource> member = OpenResourceArchive(archive, "TARVO");
  EXPECT_EQ(member->Header().name, "TARVO.DCM");
  EXPECT_EQ(ReadAll(*member, member->Length()), testing::TextSample(2'000));
}

TEST(ResourceArchive, FailsWhenTheMemberNamedForTheTypeIsNotRead) {
  std::vector<std::uint8_t> archive = BuiltIn();
  Put16At(archive, 8, 8);  // README.TXT: deflate
  const std::size_t tarvo = 30 + 10 + 7;
  Put16At(archive, tarvo + 8, 8);  // TARVO.DCM: deflate; OTHER.DCM is not read instead
  EXPECT_THROW(OpenResourceArchive(archive, "TARVO"), DataError);
  EXPECT_EQ(OpenResourceArchive(archive, "HMAP")->Header().name, "OTHER.DCM");
}

TEST(ResourceArchive, RefusesWhatHoldsNoMember) {
  EXPECT_THROW(OpenResourceArchive({}, "TARVO"), DataError);
  EXPECT_THROW(OpenResourceArchive(Bytes("not an archive"), "TARVO"), DataError);
  EXPECT_THROW(OpenBuiltInArchive("NOSUCH.ZIP"), IoError);
  EXPECT_THROW(OpenBuiltInArchive("TARVO.DCM"), IoError);
}

}  // namespace
}  // namespace quelmar::data
