#pragma once
// One member of an archive as a byte source: stored bytes copied out of the
// archive, or imploded bytes decoded on the way, through fixed buffers.
// Length is the member's uncompressed size.
//
// Read throws DataError when the member's data ends before its size is
// reached or does not decode (see ImplodeDecoder), and when the bytes
// delivered do not have the CRC-32 the header gives (checked as the last byte
// is read, or at the first read of a member whose size is 0, and thrown again
// by every read after; a header that leaves its CRC to a data descriptor has
// none to check). It passes on IoError from the archive and never delivers more than
// Length bytes.
#include <memory>

#include "control/data/archive_input.h"
#include "control/data/byte_source.h"
#include "control/data/zip_local_header.h"

namespace quelmar::data {

class ArchiveMemberSource final : public ByteSource {
 public:
  // `header` must come from ReadLocalHeader on `input` and be accepted by
  // AcceptedCoding; otherwise throws DataError.
  ArchiveMemberSource(std::shared_ptr<ArchiveInput> input, ZipLocalHeader header);
  ~ArchiveMemberSource() override;

  std::size_t Read(std::span<std::uint8_t> out) override;
  std::uint64_t Length() const override { return header_.uncompressedSize; }
  std::uint64_t Position() const override { return position_; }

  const ZipLocalHeader& Header() const { return header_; }
  MemberCoding Coding() const { return coding_; }
  // Reads what is left, so that the CRC is checked even when the reader
  // stopped before the member's end. Throws as Read.
  void Finish() override;
  // Off: the caller checks the CRC itself (the data tool reports it its own way).
  void SetCrcCheck(bool on) { checkCrc_ = on; }

 private:
  class CompressedRange;

  std::shared_ptr<ArchiveInput> input_;
  ZipLocalHeader header_;
  MemberCoding coding_;
  std::unique_ptr<CompressedRange> compressed_;
  std::unique_ptr<ByteSource> decoder_;  // for imploded members
  std::uint64_t position_ = 0;
  std::uint32_t crc_ = 0;  // of the bytes delivered so far
  bool checkCrc_ = true;
  bool atEnd_ = false;       // Length bytes delivered and the CRC judged
  bool crcMatches_ = true;
};

}  // namespace quelmar::data
