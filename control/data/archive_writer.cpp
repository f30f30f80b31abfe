#include "control/data/archive_writer.h"

#include <algorithm>
#include <string_view>
#include <system_error>

#include "control/core/errors.h"
#include "control/data/archive_crc32.h"
#include "control/data/implode_encoder.h"
#include "control/data/layer_archive_index.h"
#include "platform/kernel/atomic_file.h"

namespace quelmar::data {
namespace {

constexpr std::uint16_t kVersionNeeded = 10;  // 1.0: stored and imploded
constexpr std::uint16_t kVersionMadeBy = 20;  // 2.0, MS-DOS attributes
constexpr std::uint64_t kZipLimit = 0xFFFFFFFFu;

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void DosDateTime(std::time_t when, std::uint16_t& dosTime, std::uint16_t& dosDate) {
  std::tm local{};
  if (when <= 0 || !localtime_r(&when, &local) || local.tm_year < 80 || local.tm_year > 207) {
    dosTime = 0;
    dosDate = (1 << 5) | 1;  // 1980-01-01
    return;
  }
  dosTime = static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
  dosDate = static_cast<std::uint16_t>(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
}

}  // namespace

void ArchiveWriter::Add(std::string name, std::span<const std::uint8_t> data, std::optional<ImplodeVariant> implode,
                        std::time_t modified) {
  if (name.empty() || name.size() > 0xFFFF) throw DataError("a member name must have 1 to 65535 characters");
  if (layout_ == ArchiveLayout::kLayerArchive && name.size() > LayerIndex::kMaxNameLength) {
    throw DataError("member name " + name + " is longer than the 12 characters a layer index holds");
  }
  const std::size_t maxMembers = layout_ == ArchiveLayout::kLayerArchive ? 32767 : 65535;
  if (members_.size() >= maxMembers) throw DataError("too many members for one archive");
  if (std::any_of(members_.begin(), members_.end(), [&](const Member& m) { return m.name == name; })) {
    throw DataError("member name " + name + " is used twice");
  }
  if (data.size() >= kZipLimit) throw DataError("member " + name + " is too large for a ZIP archive");

  Member member{std::move(name), 0, 0, 0, 0, ArchiveCrc32(data), static_cast<std::uint32_t>(data.size()), {}};
  DosDateTime(modified, member.dosTime, member.dosDate);
  if (implode) {
    member.flags = implode->Flags();
    member.method = 6;
    member.data = Implode(data, *implode);
  } else {
    member.data.assign(data.begin(), data.end());
  }
  if (member.data.size() >= kZipLimit) throw DataError("member " + member.name + " is too large for a ZIP archive");
  const std::uint64_t bytes = 2 * (46 + member.name.size()) + member.data.size();
  if (totalBytes_ + bytes >= kZipLimit - 0x100000) throw DataError("the archive would reach 4 GB");
  totalBytes_ += bytes;
  members_.push_back(std::move(member));
}

// The fields a local header and its central-directory entry share, from the
// flags to the name length.
void ArchiveWriter::PutSharedFields(std::vector<std::uint8_t>& out, const Member& m) {
  Put16(out, m.flags);
  Put16(out, m.method);
  Put16(out, m.dosTime);
  Put16(out, m.dosDate);
  Put32(out, m.crc32);
  Put32(out, static_cast<std::uint32_t>(m.data.size()));
  Put32(out, m.uncompressedSize);
  Put16(out, static_cast<std::uint32_t>(m.name.size()));
}

std::vector<std::uint8_t> ArchiveWriter::Finish() const {
  std::vector<std::uint8_t> out;
  std::size_t zipStart = 0;
  std::vector<std::uint32_t> localOffsets;  // from the start of the ZIP stream

  std::uint32_t next = 0;
  for (const Member& m : members_) {
    localOffsets.push_back(next);
    next += static_cast<std::uint32_t>(30 + m.name.size() + m.data.size());
  }

  if (layout_ == ArchiveLayout::kLayerArchive) {
    std::vector<std::size_t> order(members_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
      return std::string_view(members_[a].name) < std::string_view(members_[b].name);
    });
    Put16(out, static_cast<std::uint32_t>(members_.size()));
    for (std::size_t i : order) {
      const std::string& name = members_[i].name;
      std::uint8_t entry[LayerIndex::kEntrySize] = {};
      entry[0] = static_cast<std::uint8_t>(name.size());
      std::copy(name.begin(), name.end(), entry + 1);
      out.insert(out.end(), entry, entry + 13);
      Put32(out, localOffsets[i]);
    }
    zipStart = out.size();
  }

  for (const Member& m : members_) {
    Put32(out, 0x04034B50);
    Put16(out, kVersionNeeded);
    PutSharedFields(out, m);
    Put16(out, 0);
    out.insert(out.end(), m.name.begin(), m.name.end());
    out.insert(out.end(), m.data.begin(), m.data.end());
  }

  const std::size_t directoryStart = out.size();
  for (std::size_t i = 0; i < members_.size(); ++i) {
    const Member& m = members_[i];
    Put32(out, 0x02014B50);
    Put16(out, kVersionMadeBy);
    Put16(out, kVersionNeeded);
    PutSharedFields(out, m);
    Put16(out, 0);  // extra field
    Put16(out, 0);  // comment
    Put16(out, 0);  // disk
    Put16(out, 0);  // internal attributes
    Put32(out, 0);  // external attributes
    Put32(out, static_cast<std::uint32_t>(zipStart + localOffsets[i]));
    out.insert(out.end(), m.name.begin(), m.name.end());
  }

  const std::size_t directorySize = out.size() - directoryStart;
  Put32(out, 0x06054B50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<std::uint32_t>(members_.size()));
  Put16(out, static_cast<std::uint32_t>(members_.size()));
  Put32(out, static_cast<std::uint32_t>(directorySize));
  Put32(out, static_cast<std::uint32_t>(directoryStart));
  Put16(out, 0);
  return out;
}

void ArchiveWriter::WriteFile(const std::filesystem::path& path) const {
  const std::vector<std::uint8_t> bytes = Finish();
  std::error_code error;
  if (!kernel::WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                                   &error)) {
    throw IoError("cannot write " + path.string() + ": " + error.message());
  }
}

}  // namespace quelmar::data
