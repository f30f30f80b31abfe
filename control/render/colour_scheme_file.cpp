#include "control/render/colour_scheme_file.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <system_error>

#include "control/core/errors.h"
#include "platform/kernel/ascii.h"
#include "platform/kernel/atomic_file.h"

namespace quelmar::render {
namespace {

constexpr std::size_t kCountSize = 4;
constexpr std::size_t kNameFieldSize = 1 + kSchemeNameMax;
constexpr std::size_t kStatesOffset = 21;
constexpr std::size_t kPaletteOffset = 305;
constexpr std::size_t kReservedOffset = 401;
static_assert(kStatesOffset == kNameFieldSize);
static_assert(kPaletteOffset == kStatesOffset + 4 * kShadedStateCodes);
static_assert(kReservedOffset == kPaletteOffset + 4 * kPaletteEntries);
static_assert(kSchemeRecordSize == kReservedOffset + 20);

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) | (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

ColourScheme ReadRecord(std::span<const std::uint8_t> record) {
  ColourScheme scheme;
  // The length byte may claim up to 255 characters; the field holds 20.
  const std::size_t length = std::min<std::size_t>(record[0], kSchemeNameMax);
  scheme.Name.assign(reinterpret_cast<const char*>(record.data() + 1), length);
  for (int i = 0; i < kShadedStateCodes; ++i) scheme.States[i] = ReadU32(record, kStatesOffset + 4 * i);
  for (int i = 0; i < kPaletteEntries; ++i) scheme.Palette[i] = ReadU32(record, kPaletteOffset + 4 * i);
  return scheme;
}

}  // namespace

void ReadColourSchemes(std::span<const std::uint8_t> bytes, std::vector<ColourScheme>* schemes) {
  schemes->clear();
  if (bytes.size() < kCountSize) throw DataError("colour scheme file: the scheme count is cut short");
  const auto count = static_cast<std::int32_t>(ReadU32(bytes, 0));
  if (count < 0) throw DataError("colour scheme file: negative scheme count " + std::to_string(count));
  // The store holds 16 schemes; a larger count from a damaged or foreign file
  // must not make us read (or keep) more.
  const int wanted = std::min(count, kMaxColourSchemes);
  for (int i = 0; i < wanted; ++i) {
    const std::size_t offset = kCountSize + kSchemeRecordSize * static_cast<std::size_t>(i);
    if (bytes.size() - offset < kSchemeRecordSize) {
      throw DataError("colour scheme file: scheme " + std::to_string(i + 1) + " of " + std::to_string(count) +
                      " is cut short");
    }
    schemes->push_back(ReadRecord(bytes.subspan(offset, kSchemeRecordSize)));
  }
}

std::vector<std::uint8_t> WriteColourSchemes(std::span<const ColourScheme> schemes) {
  std::vector<std::uint8_t> out;
  out.reserve(kCountSize + kSchemeRecordSize * schemes.size());
  PutU32(out, static_cast<std::uint32_t>(schemes.size()));
  for (const ColourScheme& scheme : schemes) {
    const std::size_t length = std::min(scheme.Name.size(), kSchemeNameMax);
    out.push_back(static_cast<std::uint8_t>(length));
    for (std::size_t i = 0; i < kSchemeNameMax; ++i) {
      out.push_back(i < length ? static_cast<std::uint8_t>(scheme.Name[i]) : 0);
    }
    for (std::uint32_t state : scheme.States) PutU32(out, state);
    for (COLORREF entry : scheme.Palette) PutU32(out, entry);
    out.insert(out.end(), kSchemeRecordSize - kReservedOffset, 0);
  }
  return out;
}

std::filesystem::path ColourSchemeFilePath(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path exact = folder / kColourSchemeFileName;
  if (fs::is_regular_file(exact, error)) return exact;
  // The data product and hosts spell fixed names in any letter case.
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (kernel::EqualsIgnoreCase(name, kColourSchemeFileName) && it->is_regular_file(error)) return it->path();
  }
  return exact;
}

bool LoadColourSchemeFile(const std::filesystem::path& folder, ColourSchemeStore& store) {
  namespace fs = std::filesystem;
  store.Assign({});
  const fs::path path = ColourSchemeFilePath(folder);
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (!fs::exists(status)) return false;
  if (!fs::is_regular_file(status)) throw IoError("\"" + path.string() + "\" is not a file");
  // Nothing past the 16th record is read, so a huge file costs no more than a full one.
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> bytes(kCountSize + kSchemeRecordSize * kMaxColourSchemes);
  if (in) in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!in && !in.eof()) throw IoError("cannot read \"" + path.string() + "\"");
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  std::vector<ColourScheme> schemes;
  try {
    ReadColourSchemes(bytes, &schemes);
  } catch (const DataError&) {
    store.Assign(std::move(schemes));
    throw;
  }
  store.Assign(std::move(schemes));
  return true;
}

bool SaveColourSchemeFile(const std::filesystem::path& folder, const ColourSchemeStore& store) {
  const std::vector<std::uint8_t> bytes = WriteColourSchemes(store.Schemes());
  const std::string_view contents(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return kernel::WriteFileAtomically(ColourSchemeFilePath(folder), contents);
}

}  // namespace quelmar::render
