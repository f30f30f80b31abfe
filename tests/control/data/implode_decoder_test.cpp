#include "control/data/implode_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "archive_test_support.h"
#include "control/core/errors.h"
#include "control/data/archive_input.h"
#include "control/data/implode_trees.h"
#include "control/data/zip_archive.h"

namespace quelmar::data {
namespace {

using testing::ImplodeTestDataDir;
using testing::ReadFileBytes;
using testing::ReadInChunks;
using testing::Sha256Hex;

struct RealArchive {
  const char* file;
  const char* member;
  std::uint32_t size;
  ImplodeVariant variant;
  const char* sha256;
};

constexpr RealArchive kRealArchives[] = {
    {"imploding-4Kdict-2trees.zip", "HEADER.TXT", 818, {false, false},
     "fdb715b10947e98f8bfb104194f9be0cda1b809391a8dc2100d78a25c06c7812"},
    {"imploding-8Kdict-3trees.zip", "LICENSE.TXT", 11560, {true, true},
     "3ddf9be5c28fe27dad143a5dc76eea25222ad1dd68934a047064e56ed2fa40c5"},
    {"lorem-ipsum-implode.zip", "LOREM.TXT", 144060, {true, true},
     "a00c4f3f36515c96b2faef71c054e7f3e86a4f0f4ed4824cb7c5293bb455d28a"},
};

// Hands out one byte per read, so that the decoder must stop and resume
// inside every code.
class TrickleSource final : public ByteSource {
 public:
  explicit TrickleSource(std::span<const std::uint8_t> bytes) : inner_(bytes) {}
  std::size_t Read(std::span<std::uint8_t> out) override { return inner_.Read(out.first(std::min<std::size_t>(out.size(), 1))); }
  std::uint64_t Length() const override { return inner_.Length(); }
  std::uint64_t Position() const override { return inner_.Position(); }

 private:
  MemorySource inner_;
};

// The compressed bytes of a real archive's only member.
std::vector<std::uint8_t> CompressedMember(const RealArchive& archive) {
  const std::vector<std::uint8_t> zip = ReadFileBytes(ImplodeTestDataDir() / archive.file);
  MemoryArchiveInput input(zip);
  const ZipLocalHeader header = ReadLocalHeader(input, 0).value();
  return {zip.begin() + static_cast<std::ptrdiff_t>(header.dataOffset),
          zip.begin() + static_cast<std::ptrdiff_t>(header.DataEnd())};
}

std::vector<std::uint8_t> Decode(ByteSource& compressed, ImplodeVariant variant, std::uint64_t size,
                                 std::size_t chunk = 65536) {
  ImplodeDecoder decoder(compressed, variant, size);
  return ReadInChunks(decoder, chunk);
}

TEST(ImplodeDecoder, ReproducesRealArchivesByteForByte) {
  for (const RealArchive& archive : kRealArchives) {
    SCOPED_TRACE(archive.file);
    auto input = std::make_shared<FileArchiveInput>(ImplodeTestDataDir() / archive.file);
    std::unique_ptr<ArchiveMemberSource> member = OpenZipMember(input, archive.member);
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(member->Coding().kind, MemberCoding::Kind::kImploded);
    EXPECT_EQ(member->Coding().variant, archive.variant);
    EXPECT_EQ(member->Length(), archive.size);
    const std::vector<std::uint8_t> bytes = ReadAll(*member, archive.size);
    EXPECT_EQ(bytes.size(), archive.size);
    EXPECT_EQ(Sha256Hex(bytes), archive.sha256);
    EXPECT_EQ(member->Read(std::span<std::uint8_t>()), 0u);
  }
}

TEST(ImplodeDecoder, ResumesAcrossInputAndOutputChunks) {
  for (const RealArchive& archive : kRealArchives) {
    SCOPED_TRACE(archive.file);
    const std::vector<std::uint8_t> compressed = CompressedMember(archive);
    for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{40961}}) {
      TrickleSource trickle(compressed);
      EXPECT_EQ(Sha256Hex(Decode(trickle, archive.variant, archive.size, chunk)), archive.sha256) << chunk;
    }
  }
}

TEST(ImplodeDecoder, EveryTruncationFailsCleanly) {
  // The two small archives: every prefix of the compressed data.
  for (const RealArchive& archive : {kRealArchives[0], kRealArchives[1]}) {
    SCOPED_TRACE(archive.file);
    const std::vector<std::uint8_t> compressed = CompressedMember(archive);
    for (std::size_t length = 0; length < compressed.size(); ++length) {
      MemorySource source{std::span(compressed).first(length)};
      EXPECT_THROW(Decode(source, archive.variant, archive.size), DataError) << length;
    }
    MemorySource whole(compressed);
    EXPECT_EQ(Sha256Hex(Decode(whole, archive.variant, archive.size)), archive.sha256);
  }
}

TEST(ImplodeDecoder, SizeZeroReadsNothing) {
  MemorySource empty(std::span<const std::uint8_t>{});
  EXPECT_TRUE(Decode(empty, {}, 0).empty());
}

// Packs bits low-bit-first, for streams written by hand.
class BitPacker {
 public:
  void Bytes(std::initializer_list<std::uint8_t> bytes) {
    for (std::uint8_t b : bytes) Bits(b, 8);
  }
  void Bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
      if (bit_ == 0) bytes_.push_back(0);
      bytes_.back() |= static_cast<std::uint8_t>(((value >> i) & 1u) << bit_);
      bit_ = (bit_ + 1) % 8;
    }
  }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  int bit_ = 0;
};

// A 2-tree, 4 KB stream whose length and distance trees give all 64 codes
// 6 bits, so the code of symbol s is s itself, sent inverted.
BitPacker UniformTwoTreeStream() {
  BitPacker packer;
  packer.Bytes({3, 0xF5, 0xF5, 0xF5, 0xF5});  // lengths: 4 runs of 16 codes of 6 bits
  packer.Bytes({3, 0xF5, 0xF5, 0xF5, 0xF5});  // distances
  return packer;
}
void Literal(BitPacker& packer, char c) {
  packer.Bits(1, 1);
  packer.Bits(static_cast<std::uint8_t>(c), 8);
}
void Match(BitPacker& packer, std::uint32_t distance, std::uint32_t length) {
  packer.Bits(0, 1);
  packer.Bits((distance - 1) & 63, 6);
  packer.Bits(StreamPattern((distance - 1) >> 6, 6), 6);
  packer.Bits(StreamPattern(length - 2, 6), 6);
}

TEST(ImplodeDecoder, HandWrittenStreamSendsDistanceBeforeLength) {
  BitPacker packer = UniformTwoTreeStream();
  for (char c : std::string("ABCDEFGHIJ")) Literal(packer, c);
  Match(packer, 10, 3);   // "ABC"
  Match(packer, 200, 4);  // before the start: zeros
  MemorySource source(packer.bytes());
  const std::vector<std::uint8_t> out = Decode(source, {false, false}, 17);
  EXPECT_EQ(std::string(out.begin(), out.end()), std::string("ABCDEFGHIJABC\0\0\0\0", 17));
}

TEST(ImplodeDecoder, RefusesMalformedStreams) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> stream;
    std::uint64_t size;
  };
  const std::vector<std::uint8_t> good = UniformTwoTreeStream().bytes();
  auto withTail = [&](std::vector<std::uint8_t> tail) {
    std::vector<std::uint8_t> stream = good;
    stream.insert(stream.end(), tail.begin(), tail.end());
    return stream;
  };
  BitPacker pastSize = UniformTwoTreeStream();
  Literal(pastSize, 'x');
  Match(pastSize, 1, 10);
  pastSize.Bits(0, 32);

  const Case cases[] = {
      {"a tree of 65 codes", {4, 0xF5, 0xF5, 0xF5, 0xF5, 0x00}, 1},
      {"a tree of 48 codes", {2, 0xF5, 0xF5, 0xF5}, 1},
      {"lengths over-subscribed (64 codes of 1 bit)", {3, 0xF0, 0xF0, 0xF0, 0xF0, 3, 0xF5, 0xF5, 0xF5, 0xF5}, 1},
      {"lengths leaving codes unused (64 codes of 7 bits)", {3, 0xF6, 0xF6, 0xF6, 0xF6, 3, 0xF5, 0xF5, 0xF5, 0xF5}, 1},
      {"a stream ending inside the trees", {3, 0xF5, 0xF5}, 1},
      {"a stream ending before its size", withTail({0xFF}), 5},
      {"a match running past the size", pastSize.bytes(), 5},
  };
  for (const Case& c : cases) {
    MemorySource source(c.stream);
    EXPECT_THROW(Decode(source, {false, false}, c.size), DataError) << c.what;
  }
}

TEST(ImplodeDecoder, DeliversTheBytesDecodedBeforeAFault) {
  BitPacker packer = UniformTwoTreeStream();
  for (char c : std::string("ABCDEFGHIJ")) Literal(packer, c);
  MemorySource source(packer.bytes());
  ImplodeDecoder decoder(source, {false, false}, 20);  // 10 bytes short
  std::uint8_t buffer[64];
  ASSERT_EQ(decoder.Read(buffer), 10u);
  EXPECT_EQ(std::string(buffer, buffer + 10), "ABCDEFGHIJ");
  EXPECT_THROW(decoder.Read(buffer), DataError);
  EXPECT_EQ(decoder.Position(), 10u);
}

TEST(ImplodeDecoder, KeepsFailingAfterAnError) {
  const std::vector<std::uint8_t> stream = {2, 0xF5, 0xF5, 0xF5};
  MemorySource source(stream);
  ImplodeDecoder decoder(source, {false, false}, 10);
  std::uint8_t buffer[4];
  EXPECT_THROW(decoder.Read(buffer), DataError);
  EXPECT_THROW(decoder.Read(buffer), DataError);
}

}  // namespace
}  // namespace quelmar::data
