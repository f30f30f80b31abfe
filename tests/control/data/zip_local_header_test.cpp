#include "control/data/zip_local_header.h"

#include <gtest/gtest.h>

#include "archive_test_support.h"
#include "control/core/errors.h"
#include "control/data/archive_writer.h"
#include "control/data/zip_archive.h"

namespace quelmar::data {
namespace {

using testing::Put16At;
using testing::Put32At;

ZipLocalHeader Header(std::uint16_t method, std::uint16_t flags, std::uint32_t compressed = 5,
                      std::uint32_t uncompressed = 5) {
  ZipLocalHeader header;
  header.method = method;
  header.flags = flags;
  header.compressedSize = compressed;
  header.uncompressedSize = uncompressed;
  return header;
}

TEST(AcceptedCoding, JudgesTheMethodAndTheFlagBitsSeparately) {
  using Kind = MemberCoding::Kind;
  struct Case {
    std::uint16_t method;
    std::uint16_t flags;
    std::optional<Kind> kind;
    ImplodeVariant variant;
  };
  const Case cases[] = {
      // Stored: flag bits 1 and 2 mean nothing for stored data.
      {0, 0, Kind::kStored, {}}, {0, 2, Kind::kStored, {}}, {0, 4, Kind::kStored, {}}, {0, 6, Kind::kStored, {}},
      // Imploded: the flags choose the variant.
      {6, 0, Kind::kImploded, {false, false}}, {6, 2, Kind::kImploded, {true, false}},
      {6, 4, Kind::kImploded, {false, true}}, {6, 6, Kind::kImploded, {true, true}},
      {6, 0x0800, Kind::kImploded, {false, false}},  // UTF-8 names
      // Deflate with compression flags once passed as imploded, shrink as stored.
      {8, 0, std::nullopt, {}}, {8, 2, std::nullopt, {}}, {8, 4, std::nullopt, {}}, {8, 6, std::nullopt, {}},
      {1, 0, std::nullopt, {}}, {1, 2, std::nullopt, {}}, {5, 0, std::nullopt, {}}, {12, 0, std::nullopt, {}},
      {14, 2, std::nullopt, {}},
      // Encrypted members, whatever the method.
      {0, 1, std::nullopt, {}}, {6, 7, std::nullopt, {}}, {6, 0x0040, std::nullopt, {}}, {0, 0x2000, std::nullopt, {}},
  };
  for (const Case& c : cases) {
    const std::optional<MemberCoding> coding = AcceptedCoding(Header(c.method, c.flags));
    ASSERT_EQ(coding.has_value(), c.kind.has_value()) << c.method << " " << c.flags;
    if (!coding) continue;
    EXPECT_EQ(coding->kind, *c.kind) << c.method << " " << c.flags;
    if (coding->kind == Kind::kImploded) {
      EXPECT_EQ(coding->variant, c.variant) << c.flags;
    }
  }
  EXPECT_FALSE(AcceptedCoding(Header(0, 0, 5, 6))) << "stored with two different sizes";
}

// A plain archive: "A.TXT" holding "hello" at 0 (data at 35..40), then "BB.TXT".
std::vector<std::uint8_t> TwoMemberZip() {
  ArchiveWriter writer(ArchiveLayout::kPlainZip);
  const std::string a = "hello";
  const std::string b = "second member";
  writer.Add("A.TXT", std::span(reinterpret_cast<const std::uint8_t*>(a.data()), a.size()));
  writer.Add("BB.TXT", std::span(reinterpret_cast<const std::uint8_t*>(b.data()), b.size()));
  return writer.Finish();
}

TEST(ReadLocalHeader, ReadsTheFieldsTheReaderUses) {
  std::vector<std::uint8_t> zip = TwoMemberZip();
  MemoryArchiveInput input(zip);
  const std::optional<ZipLocalHeader> header = ReadLocalHeader(input, 0);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->name, "A.TXT");
  EXPECT_EQ(header->method, 0);
  EXPECT_EQ(header->compressedSize, 5u);
  EXPECT_EQ(header->uncompressedSize, 5u);
  EXPECT_EQ(header->dataOffset, 35u);
  EXPECT_EQ(ReadLocalHeader(input, 40)->name, "BB.TXT");
  EXPECT_FALSE(ReadLocalHeader(input, 1)) << "no signature there";
  EXPECT_FALSE(ReadLocalHeader(input, zip.size())) << "at the end";
}

TEST(ReadLocalHeader, RefusesHeadersThatDoNotFit) {
  struct Case {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
    int width;
  };
  const Case cases[] = {
      {"a name running past the end", 26, 0xFFFF, 16},
      {"an extra field running past the end", 28, 0xFFFF, 16},
      {"a compressed size beyond the file", 18, 100'000, 32},
      {"a compressed size of 4 GB", 18, 0xFFFFFFFF, 32},
      {"sizes left to a data descriptor", 6, 0x0008, 16},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> zip = TwoMemberZip();
    if (c.width == 16) {
      Put16At(zip, c.offset, static_cast<std::uint16_t>(c.value));
    } else {
      Put32At(zip, c.offset, c.value);
    }
    if (c.offset == 6) Put32At(zip, 18, 0);  // a data descriptor leaves the sizes 0
    MemoryArchiveInput input(zip);
    EXPECT_THROW(ReadLocalHeader(input, 0), DataError) << c.what;
  }
}

TEST(ListZipMembers, EveryTruncationGivesTheWholeMembersOrDataError) {
  const std::vector<std::uint8_t> zip = TwoMemberZip();
  const std::size_t starts[] = {0, 40};
  const std::size_t ends[] = {40, 40 + 30 + 6 + 13};
  for (std::size_t length = 0; length <= zip.size(); ++length) {
    MemoryArchiveInput input{std::span(zip).first(length)};
    // Whole members before the cut; a cut inside a member's first 4 bytes
    // leaves no signature, so the walk just ends there.
    std::size_t whole = 0;
    bool damaged = false;
    for (std::size_t m = 0; m < 2; ++m) {
      if (length >= ends[m]) {
        whole = m + 1;
      } else {
        damaged = length >= starts[m] + 4;
        break;
      }
    }
    if (damaged) {
      EXPECT_THROW(ListZipMembers(input), DataError) << length;
    } else {
      EXPECT_EQ(ListZipMembers(input).size(), whole) << length;
    }
  }
}

}  // namespace
}  // namespace quelmar::data
