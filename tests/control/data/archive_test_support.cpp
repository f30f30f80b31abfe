#include "archive_test_support.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace quelmar::data::testing {
namespace {

constexpr std::array<std::uint32_t, 64> kRound = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::uint32_t Rotr(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

void Compress(std::array<std::uint32_t, 8>& h, const std::uint8_t* block) {
  std::array<std::uint32_t, 64> w{};
  for (int i = 0; i < 16; ++i) {
    w[i] = (std::uint32_t{block[4 * i]} << 24) | (std::uint32_t{block[4 * i + 1]} << 16) |
           (std::uint32_t{block[4 * i + 2]} << 8) | block[4 * i + 3];
  }
  for (int i = 16; i < 64; ++i) {
    const std::uint32_t s0 = Rotr(w[i - 15], 7) ^ Rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
    const std::uint32_t s1 = Rotr(w[i - 2], 17) ^ Rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
    w[i] = w[i - 16] + s0 + w[i - 7] + s1;
  }
  std::array<std::uint32_t, 8> v = h;
  for (int i = 0; i < 64; ++i) {
    const std::uint32_t s1 = Rotr(v[4], 6) ^ Rotr(v[4], 11) ^ Rotr(v[4], 25);
    const std::uint32_t choice = (v[4] & v[5]) ^ (~v[4] & v[6]);
    const std::uint32_t t1 = v[7] + s1 + choice + kRound[i] + w[i];
    const std::uint32_t s0 = Rotr(v[0], 2) ^ Rotr(v[0], 13) ^ Rotr(v[0], 22);
    const std::uint32_t majority = (v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]);
    v = {t1 + s0 + majority, v[0], v[1], v[2], v[3] + t1, v[4], v[5], v[6]};
  }
  for (int i = 0; i < 8; ++i) h[i] += v[i];
}

// A small fixed-seed generator (xorshift32).
struct Random {
  std::uint32_t state;
  std::uint32_t Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
};

}  // namespace

std::string Sha256Hex(std::span<const std::uint8_t> bytes) {
  std::array<std::uint32_t, 8> h = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                    0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  std::size_t whole = bytes.size() / 64 * 64;
  for (std::size_t i = 0; i < whole; i += 64) Compress(h, bytes.data() + i);
  // The tail, a 1 bit, zeros, and the length in bits as 64 bits big-endian.
  std::vector<std::uint8_t> tail(bytes.begin() + static_cast<std::ptrdiff_t>(whole), bytes.end());
  tail.push_back(0x80);
  while (tail.size() % 64 != 56) tail.push_back(0);
  const std::uint64_t bits = std::uint64_t{bytes.size()} * 8;
  for (int i = 7; i >= 0; --i) tail.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
  for (std::size_t i = 0; i < tail.size(); i += 64) Compress(h, tail.data() + i);

  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  for (std::uint32_t word : h) {
    for (int shift = 28; shift >= 0; shift -= 4) text += kHex[(word >> shift) & 15];
  }
  return text;
}

std::filesystem::path ImplodeTestDataDir() {
  if (const char* root = std::getenv("QUELMAR_TEST_SOURCE_DIR")) {
    return std::filesystem::path(root) / ".." / "shared" / "testdata" / "implode";
  }
  // tests/control/data/ -> project root
  return std::filesystem::path(__FILE__).parent_path() / ".." / ".." / ".." / ".." / "shared" / "testdata" /
         "implode";
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> TextSample(std::size_t size) {
  static constexpr const char* kWords[] = {
      "street", "avenue", "county", "road", "the", "of", "and", "north", "south", "river", "lake",
      "highway", "interstate", "bridge", "park", "main", "oak", "elm", "route", "boulevard", "place"};
  Random random{12345};
  std::vector<std::uint8_t> text;
  while (text.size() < size) {
    const char* word = kWords[random.Next() % std::size(kWords)];
    text.insert(text.end(), word, word + std::char_traits<char>::length(word));
    text.push_back(random.Next() % 11 == 0 ? '\n' : ' ');
  }
  text.resize(size);
  return text;
}

std::vector<std::uint8_t> RandomSample(std::size_t size, std::uint32_t seed) {
  Random random{seed | 1};
  std::vector<std::uint8_t> bytes(size);
  for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random.Next() >> 24);
  return bytes;
}

std::vector<std::uint8_t> MapSample(std::size_t size) {
  Random random{777};
  std::vector<std::uint8_t> bytes;
  std::int32_t x = -1'400'000;
  std::int32_t y = 600'000;
  auto put32 = [&](std::int32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
  };
  while (bytes.size() < size) {
    bytes.push_back(static_cast<std::uint8_t>(41 + random.Next() % 8));  // feature code
    const int points = 2 + static_cast<int>(random.Next() % 12);
    bytes.push_back(static_cast<std::uint8_t>(points));
    for (int i = 0; i < points; ++i) {
      x += static_cast<std::int32_t>(random.Next() % 200) - 100;
      y += static_cast<std::int32_t>(random.Next() % 200) - 100;
      put32(x);
      put32(y);
    }
    if (random.Next() % 4 == 0) {
      static constexpr char kName[] = "\x07MAIN ST";
      bytes.insert(bytes.end(), kName, kName + 8);
    }
  }
  bytes.resize(size);
  return bytes;
}

void Put16At(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value) {
  bytes.at(offset) = static_cast<std::uint8_t>(value);
  bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

void Put32At(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
  Put16At(bytes, offset, static_cast<std::uint16_t>(value));
  Put16At(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

std::vector<std::uint8_t> ReadInChunks(ByteSource& source, std::size_t chunk) {
  std::vector<std::uint8_t> all;
  std::vector<std::uint8_t> buffer(chunk);
  while (std::size_t n = source.Read(buffer)) all.insert(all.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n));
  return all;
}

bool HaveProgram(const std::string& program) {
  return RunQuietly("command -v " + program) == 0;
}

int RunQuietly(const std::string& command) {
  const int status = std::system((command + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace quelmar::data::testing
