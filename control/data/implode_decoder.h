#pragma once
// Streaming decoder of one imploded ZIP member (method 6, any of its four
// variants). It pulls compressed bytes from a source in chunks, keeps the
// sliding dictionary inside itself and hands out the decoded bytes a chunk
// at a time, so memory stays fixed (about 100 KB) whatever the member's size.
//
// Throws DataError when the code trees are malformed, the compressed data
// ends before the uncompressed size is reached, or a match runs past that
// size; IoError from the compressed source passes through. The bytes decoded
// before a fault are delivered first: the Read that would go past them
// throws, and so does every later Read.
// Guarantees: never reads or writes outside its buffers, does bounded work
// per output byte (each code takes at least one input bit and gives at least
// one byte), and delivers exactly the uncompressed size, never more. Bytes
// after the last code in the compressed data are ignored. A match reaching
// back before the start of the member reads zeros, as the reference
// decoders do.
#include <cstdint>
#include <exception>
#include <memory>
#include <span>

#include "control/data/byte_source.h"
#include "control/data/implode_decode_table.h"
#include "control/data/implode_variant.h"

namespace quelmar::data {

class ImplodeDecoder final : public ByteSource {
 public:
  static constexpr std::size_t kInputChunk = 40960;
  static constexpr std::size_t kOutputChunk = 40960;

  // `compressed` delivers the member's compressed bytes and nothing after
  // them; it must outlive the decoder. Nothing is read until the first Read.
  ImplodeDecoder(ByteSource& compressed, ImplodeVariant variant, std::uint64_t uncompressedSize);

  std::size_t Read(std::span<std::uint8_t> out) override;
  std::uint64_t Length() const override { return size_; }
  std::uint64_t Position() const override { return delivered_; }

 private:
  // The dictionary kept ahead of each output chunk (the larger of the two).
  static constexpr std::size_t kHistory = 8192;
  static constexpr std::size_t kMaxMatch = 321;
  // Zero bytes put after the member's last byte so that the bit refill can
  // always load 8 bytes; any bit taken from them means the data ended early.
  static constexpr std::size_t kPadding = 16;

  void ReadTrees();
  void ReadTree(ImplodeDecodeTable& table, std::size_t symbols);
  std::uint32_t TakeBits(unsigned count);
  void TopUpInput();
  void CheckNotPastEnd() const;
  void Fill();
  void DecodeChunk();

  ByteSource& compressed_;
  const ImplodeVariant variant_;
  const std::uint64_t size_;
  std::uint64_t decoded_ = 0;
  std::uint64_t delivered_ = 0;
  bool treesRead_ = false;
  std::exception_ptr fault_;  // met while decoding; thrown once the bytes before it are out

  // Compressed bytes [inPos_, inLen_) not yet loaded into bitBuf_.
  std::unique_ptr<std::uint8_t[]> input_;
  std::size_t inPos_ = 0;
  std::size_t inLen_ = 0;
  bool inputEnded_ = false;
  // Bit position in input_ of the member's end, once read. The bits in
  // bitBuf_ are the last bitCount_ bits before inPos_; bits were taken past
  // the end when inPos_ * 8 > realEndBits_ + bitCount_.
  std::uint64_t realEndBits_ = UINT64_MAX / 2;
  std::uint64_t bitBuf_ = 0;
  unsigned bitCount_ = 0;

  // window_[0, kHistory) holds the dictionary (zeros before the member's
  // start), then this chunk's bytes; [next_, end_) are not yet delivered.
  std::unique_ptr<std::uint8_t[]> window_;
  std::size_t next_ = kHistory;
  std::size_t end_ = kHistory;

  ImplodeDecodeTable literals_;
  ImplodeDecodeTable lengths_;
  ImplodeDecodeTable distances_;
};

}  // namespace quelmar::data
