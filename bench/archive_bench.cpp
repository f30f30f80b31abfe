// Decoding speed of imploded members (MB/s of decoded bytes): the real
// PKZIP-made lorem-ipsum archive, and a large member made by our encoder in
// each variant. Also the encoder's speed.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "control/data/archive_input.h"
#include "control/data/implode_decoder.h"
#include "control/data/implode_encoder.h"
#include "control/data/zip_archive.h"

namespace {

using namespace quelmar::data;

std::filesystem::path LoremArchive() {
  const char* root = std::getenv("QUELMAR_TEST_SOURCE_DIR");
  const std::filesystem::path project = root ? std::filesystem::path(root) : std::filesystem::path(__FILE__).parent_path().parent_path();
  return project / ".." / "shared" / "testdata" / "implode" / "lorem-ipsum-implode.zip";
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reads a source to its end through a fixed buffer; returns the byte count.
std::size_t Drain(ByteSource& source) {
  static std::uint8_t buffer[65536];
  std::size_t total = 0;
  while (std::size_t n = source.Read(buffer)) total += n;
  return total;
}

void BM_DecodeLoremArchive(benchmark::State& state) {
  const std::vector<std::uint8_t> zip = ReadFile(LoremArchive());
  if (zip.empty()) {
    state.SkipWithError("lorem-ipsum-implode.zip not found");
    return;
  }
  auto input = std::make_shared<MemoryArchiveInput>(zip);
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::unique_ptr<ArchiveMemberSource> member = OpenZipMember(input, "LOREM.TXT");
    bytes += Drain(*member);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_DecodeLoremArchive);

// 16 MB of street-list text and coordinate records, the map's two kinds of data.
const std::vector<std::uint8_t>& LargeSample() {
  static const std::vector<std::uint8_t> sample = [] {
    static constexpr const char* kWords[] = {"MAIN ST", "OAK AVE", "ELM ST", "CR 12", "US HWY 41", "LAKE DR",
                                             "1ST ST", "PARK PL", "N", "S", "E", "W", "RD", "BLVD"};
    std::vector<std::uint8_t> bytes;
    std::uint32_t random = 12345;
    auto next = [&] { return random = random * 1664525u + 1013904223u; };
    std::int32_t x = -1'400'000;
    while (bytes.size() < (16u << 20)) {
      for (int i = 0; i < 8; ++i) {
        const std::string word = kWords[(next() >> 16) % std::size(kWords)];
        bytes.insert(bytes.end(), word.begin(), word.end());
        bytes.push_back(' ');
      }
      for (int i = 0; i < 6; ++i) {
        x += static_cast<std::int32_t>((next() >> 16) % 200) - 100;
        for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(x) >> (8 * b)));
      }
    }
    return bytes;
  }();
  return sample;
}

void BM_DecodeLargeMember(benchmark::State& state) {
  const ImplodeVariant variant = kImplodeVariants[state.range(0)];
  const std::vector<std::uint8_t>& sample = LargeSample();
  const std::vector<std::uint8_t> compressed = Implode(sample, variant);
  std::size_t bytes = 0;
  for (auto _ : state) {
    MemorySource source(compressed);
    ImplodeDecoder decoder(source, variant, sample.size());
    bytes += Drain(decoder);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
  state.SetLabel(ImplodeVariantName(variant) + ", " + std::to_string(compressed.size() * 100 / sample.size()) + "% of size");
}
BENCHMARK(BM_DecodeLargeMember)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_ImplodeEncode(benchmark::State& state) {
  const std::vector<std::uint8_t> sample(LargeSample().begin(), LargeSample().begin() + (1 << 20));
  for (auto _ : state) benchmark::DoNotOptimize(Implode(sample, {true, true}));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sample.size()));
}
BENCHMARK(BM_ImplodeEncode)->Unit(benchmark::kMillisecond);

}  // namespace
