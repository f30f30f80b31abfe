#include "control/data/archive_member_source.h"

#include <algorithm>
#include <cstdio>

#include "control/core/errors.h"
#include "control/data/archive_crc32.h"
#include "control/data/implode_decoder.h"

namespace quelmar::data {

// The member's compressed bytes, read straight from the archive.
class ArchiveMemberSource::CompressedRange final : public ByteSource {
 public:
  CompressedRange(ArchiveInput& input, std::uint64_t offset, std::uint64_t length)
      : input_(input), offset_(offset), length_(length) {}

  std::size_t Read(std::span<std::uint8_t> out) override {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), length_ - position_));
    const std::size_t got = input_.ReadAt(offset_ + position_, out.first(n));
    if (got != n) throw DataError("the archive ends inside a member's data");
    position_ += got;
    return got;
  }
  std::uint64_t Length() const override { return length_; }
  std::uint64_t Position() const override { return position_; }

 private:
  ArchiveInput& input_;
  std::uint64_t offset_;
  std::uint64_t length_;
  std::uint64_t position_ = 0;
};

ArchiveMemberSource::ArchiveMemberSource(std::shared_ptr<ArchiveInput> input, ZipLocalHeader header)
    : input_(std::move(input)), header_(std::move(header)) {
  const std::optional<MemberCoding> coding = AcceptedCoding(header_);
  if (!coding) throw DataError("member " + header_.name + " is " + DescribeCoding(header_) + ", which is not read");
  if (header_.DataEnd() > input_->Size()) throw DataError("member " + header_.name + " runs past the end of the archive");
  coding_ = *coding;
  compressed_ = std::make_unique<CompressedRange>(*input_, header_.dataOffset, header_.compressedSize);
  if (coding_.kind == MemberCoding::Kind::kImploded) {
    decoder_ = std::make_unique<ImplodeDecoder>(*compressed_, coding_.variant, header_.uncompressedSize);
  }
}

ArchiveMemberSource::~ArchiveMemberSource() = default;

std::size_t ArchiveMemberSource::Read(std::span<std::uint8_t> out) {
  // Stored members have equal sizes (AcceptedCoding), so both paths end at Length.
  ByteSource& source = decoder_ ? *decoder_ : static_cast<ByteSource&>(*compressed_);
  const std::size_t n = source.Read(out);
  position_ += n;
  if (!checkCrc_) return n;
  if (!atEnd_) {
    crc_ = ArchiveCrc32(out.first(n), crc_);
    if (position_ < Length()) return n;
    // The end, reached by this read (or by the first one of a member whose
    // size is 0, which a damaged size field may claim): the CRC is judged
    // once, and a mismatch stays an error for every later read.
    atEnd_ = true;
    // Writers that leave the CRC to a data descriptor store 0 in the header.
    const bool crcInHeader = (header_.flags & 8) == 0 || header_.crc32 != 0;
    crcMatches_ = !crcInHeader || crc_ == header_.crc32;
  }
  if (!crcMatches_) {
    char text[96];
    std::snprintf(text, sizeof text, ": CRC mismatch: the header says 0x%08X, the data gives 0x%08X",
                  static_cast<unsigned>(header_.crc32), static_cast<unsigned>(crc_));
    throw DataError("member " + header_.name + text);
  }
  return n;
}

void ArchiveMemberSource::Finish() {
  std::uint8_t rest[4096];
  while (Read(rest) > 0) {
  }
}

}  // namespace quelmar::data
