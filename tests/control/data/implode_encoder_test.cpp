#include "control/data/implode_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "archive_test_support.h"
#include "control/data/archive_input.h"
#include "control/data/implode_code_lengths.h"
#include "control/data/implode_decoder.h"
#include "control/data/implode_trees.h"
#include "control/data/zip_archive.h"

namespace quelmar::data {
namespace {

using testing::MapSample;
using testing::RandomSample;
using testing::TextSample;

std::vector<std::uint8_t> Explode(std::span<const std::uint8_t> compressed, ImplodeVariant variant,
                                  std::uint64_t size) {
  MemorySource source(compressed);
  ImplodeDecoder decoder(source, variant, size);
  return ReadAll(decoder, size);
}

struct Sample {
  const char* what;
  std::vector<std::uint8_t> bytes;
};

std::vector<Sample> Samples() {
  std::vector<Sample> samples = {
      {"empty", {}},
      {"one byte", {'x'}},
      {"two bytes", {'x', 'x'}},
      {"text", TextSample(200'000)},
      {"random", RandomSample(30'000)},
      {"map records", MapSample(150'000)},
      {"one byte repeated (longest matches)", std::vector<std::uint8_t>(5'000, 'a')},
  };
  // Repeats 6 KB apart: inside the 8 KB dictionary, outside the 4 KB one.
  std::vector<std::uint8_t> far = RandomSample(6'000, 9);
  far.insert(far.end(), far.begin(), far.end());
  samples.push_back({"repeats 6 KB apart", far});
  return samples;
}

TEST(ImplodeEncoder, RoundTripsEveryVariantAndKindOfData) {
  for (const Sample& sample : Samples()) {
    for (ImplodeVariant variant : kImplodeVariants) {
      SCOPED_TRACE(std::string(sample.what) + " " + ImplodeVariantName(variant));
      const std::vector<std::uint8_t> compressed = Implode(sample.bytes, variant);
      EXPECT_EQ(Explode(compressed, variant, sample.bytes.size()), sample.bytes);
    }
  }
}

TEST(ImplodeEncoder, CompressesAsTheDataAllows) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    ImplodeVariant variant;
    double atMost;  // compressed size over input size
  };
  const std::vector<std::uint8_t> far = [] {
    std::vector<std::uint8_t> b = RandomSample(6'000, 9);
    b.insert(b.end(), b.begin(), b.end());
    return b;
  }();
  const Case cases[] = {
      {"text", TextSample(200'000), {true, true}, 0.25},
      {"map records", MapSample(150'000), {true, true}, 0.60},
      {"random data grows only by its literal flags", RandomSample(30'000), {true, false}, 1.13},
      {"8 KB dictionary finds the repeat", far, {true, false}, 0.60},
  };
  for (const Case& c : cases) {
    const double ratio = static_cast<double>(Implode(c.bytes, c.variant).size()) / static_cast<double>(c.bytes.size());
    EXPECT_LE(ratio, c.atMost) << c.what;
  }
  EXPECT_GT(Implode(far, {false, false}).size(), 11'000u) << "4 KB dictionary used a match 6 KB back";
}

TEST(ImplodeEncoder, MatchesThePkzipSizeOfTheLoremArchive) {
  const std::vector<std::uint8_t> zip = testing::ReadFileBytes(testing::ImplodeTestDataDir() / "lorem-ipsum-implode.zip");
  auto input = std::make_shared<MemoryArchiveInput>(zip);
  std::unique_ptr<ArchiveMemberSource> member = OpenZipMember(input, "LOREM.TXT");
  ASSERT_NE(member, nullptr);
  const std::vector<std::uint8_t> text = ReadAll(*member, member->Length());
  const std::vector<std::uint8_t> ours = Implode(text, {true, true});
  EXPECT_LE(ours.size(), member->Header().compressedSize);
  EXPECT_EQ(Explode(ours, {true, true}, text.size()), text);
}

TEST(ImplodeCodeLengths, GiveCompleteCodesOfAtMost16Bits) {
  std::vector<std::uint32_t> fibonacci(64);
  fibonacci[0] = fibonacci[1] = 1;
  for (std::size_t i = 2; i < fibonacci.size(); ++i) fibonacci[i] = fibonacci[i - 1] + fibonacci[i - 2];
  std::vector<std::uint32_t> oneUsed(256, 0);
  oneUsed[65] = 1'000'000;
  std::vector<std::uint32_t> skewed(256, 1);
  skewed[0] = 4'000'000'000u;
  struct Case {
    const char* what;
    std::vector<std::uint32_t> counts;
  };
  const Case cases[] = {
      {"nothing used", std::vector<std::uint32_t>(64, 0)},
      {"one symbol used", oneUsed},
      {"Fibonacci counts (a 63-deep Huffman tree)", fibonacci},
      {"one symbol dominates", skewed},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> lengths(c.counts.size());
    BuildCodeLengths(c.counts, lengths);
    EXPECT_LE(*std::max_element(lengths.begin(), lengths.end()), kMaxImplodeCodeBits) << c.what;
    std::vector<std::uint16_t> codes(lengths.size());
    EXPECT_NO_THROW(CanonicalCodes(lengths, codes)) << c.what;
  }
}

TEST(ImplodeTrees, DescriptionsRoundTripWithRunsLongerThan16) {
  std::vector<std::uint8_t> lengths(256, 8);
  std::fill(lengths.begin() + 40, lengths.begin() + 75, 9);  // a run of 35
  lengths[200] = 16;
  lengths[201] = 1;
  const std::vector<std::uint8_t> description = DescribeTree(lengths);
  EXPECT_EQ(description[0] + 2u, description.size());
  std::vector<std::uint8_t> expanded(256);
  ExpandTreeDescription(std::span(description).subspan(1), expanded);
  EXPECT_EQ(expanded, lengths);
}

TEST(ImplodeTrees, CodesAreCanonicalAndSentInverted) {
  // Lengths 1, 2, 3, 3: canonical codes 0, 10, 110, 111.
  const std::uint8_t lengths[] = {2, 1, 3, 3};
  std::uint16_t codes[4];
  CanonicalCodes(lengths, codes);
  EXPECT_EQ(codes[1], 0b0);
  EXPECT_EQ(codes[0], 0b10);
  EXPECT_EQ(codes[2], 0b110);
  EXPECT_EQ(codes[3], 0b111);
  // Inverted 01, first bit in bit 0.
  EXPECT_EQ(StreamPattern(0b10, 2), 0b10u);
  EXPECT_EQ(StreamPattern(0b110, 3), 0b100u);
}

}  // namespace
}  // namespace quelmar::data
