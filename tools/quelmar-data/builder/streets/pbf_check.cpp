#include "tools/quelmar-data/builder/streets/pbf_check.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <system_error>

#include "control/core/errors.h"

namespace quelmar::builder {

namespace {

// The bytes being checked: the whole file in memory, or read from disk as
// the walk needs them.
class PbfSource {
 public:
  virtual ~PbfSource() = default;
  virtual std::uint64_t Size() const = 0;
  // `length` bytes at `offset`, within Size(); valid until the next call.
  virtual std::string_view Read(std::uint64_t offset, std::size_t length) = 0;
};

class MemorySource final : public PbfSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  std::string_view Read(std::uint64_t offset, std::size_t length) override {
    return bytes_.substr(static_cast<std::size_t>(offset), length);
  }

 private:
  std::string_view bytes_;
};

class FileSource final : public PbfSource {
 public:
  explicit FileSource(const std::filesystem::path& file) : name_(file.string()), in_(file, std::ios::binary) {
    std::error_code error;
    size_ = std::filesystem::file_size(file, error);
    if (error || !in_) throw IoError("cannot open " + name_);
  }
  std::uint64_t Size() const override { return size_; }
  std::string_view Read(std::uint64_t offset, std::size_t length) override {
    buffer_.resize(length);
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(buffer_.data(), static_cast<std::streamsize>(length));
    if (!in_) throw IoError("cannot read " + name_);
    return buffer_;
  }

 private:
  std::string name_;
  std::ifstream in_;
  std::uint64_t size_ = 0;
  std::string buffer_;
};

enum WireType { kVarint = 0, kFixed64 = 1, kLengthDelimited = 2, kFixed32 = 5 };

// Reads protobuf fields of a message from a source, within [at, end).
class FieldWalk {
 public:
  FieldWalk(PbfSource& source, std::uint64_t at, std::uint64_t end, std::string context)
      : source_(source), at_(at), end_(end), context_(std::move(context)) {}

  struct Field {
    std::uint64_t Number = 0;
    int Wire = 0;
    std::uint64_t Value = 0;   // a varint's value; the length of a length-delimited field
    std::uint64_t Offset = 0;  // where a length-delimited field's bytes start
  };

  // The next field, its bytes skipped; nullopt at the end of the message.
  std::optional<Field> Next() {
    if (at_ == end_) return std::nullopt;
    Field field;
    const std::uint64_t key = Varint();
    field.Number = key >> 3;
    field.Wire = static_cast<int>(key & 7);
    if (field.Number == 0) Fail("a field numbered 0");
    switch (field.Wire) {
      case kVarint:
        field.Value = Varint();
        break;
      case kFixed64:
        Skip(8);
        break;
      case kFixed32:
        Skip(4);
        break;
      case kLengthDelimited:
        field.Value = Varint();
        field.Offset = at_;
        Skip(field.Value);
        break;
      default:
        Fail("a field of wire type " + std::to_string(field.Wire));
    }
    return field;
  }

  // The bytes of a length-delimited field (small ones: the type name).
  std::string Bytes(const Field& field) {
    return std::string(source_.Read(field.Offset, static_cast<std::size_t>(field.Value)));
  }

  [[noreturn]] void Fail(const std::string& problem) const { throw DataError(context_ + ": " + problem); }

 private:
  std::uint64_t Varint() {
    const std::size_t available = static_cast<std::size_t>(std::min<std::uint64_t>(10, end_ - at_));
    const std::string_view bytes = source_.Read(at_, available);
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const auto byte = static_cast<unsigned char>(bytes[i]);
      if (i == 9 && byte > 1) Fail("a number of more than 64 bits");
      value |= static_cast<std::uint64_t>(byte & 0x7F) << (7 * i);
      if ((byte & 0x80) == 0) {
        at_ += i + 1;
        return value;
      }
    }
    Fail(available < 10 ? "a number cut short" : "a number of more than 64 bits");
  }

  void Skip(std::uint64_t length) {
    if (length > end_ - at_) Fail("a field runs past the end of the message");
    at_ += length;
  }

  PbfSource& source_;
  std::uint64_t at_;
  std::uint64_t end_;
  std::string context_;
};

std::uint32_t BigEndian32(std::string_view bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
  return value;
}

// A size field of a message: an int32 that must be 1..kMaxPbfBlobSize.
void CheckSize(const FieldWalk& walk, std::uint64_t value, const char* name) {
  if (value == 0 || value > kMaxPbfBlobSize) {
    walk.Fail(std::string(name) + " " + std::to_string(static_cast<std::int64_t>(value)) + " is not 1.." +
              std::to_string(kMaxPbfBlobSize));
  }
}

// The BlobHeader at [at, at + length): the Blob's type and size.
std::uint64_t CheckBlobHeader(PbfSource& source, std::uint64_t at, std::uint32_t length, const std::string& context,
                              std::string_view expectedType) {
  FieldWalk walk(source, at, at + length, context + " header");
  std::optional<std::string> type;
  std::optional<std::uint64_t> dataSize;
  while (const std::optional<FieldWalk::Field> field = walk.Next()) {
    if (field->Number == 1 && field->Wire == kLengthDelimited) {
      if (field->Value > 64) walk.Fail("a type name of " + std::to_string(field->Value) + " bytes");
      type = walk.Bytes(*field);
    } else if (field->Number == 3 && field->Wire == kVarint) {
      dataSize = field->Value;
    }
  }
  if (!type) walk.Fail("no type");
  if (*type != expectedType) walk.Fail("type \"" + *type + "\" where " + std::string(expectedType) + " belongs");
  if (!dataSize) walk.Fail("no datasize");
  CheckSize(walk, *dataSize, "datasize");
  return *dataSize;
}

// The strings of a data block's string table: libosmium keeps tags and
// roles as zero-terminated strings, so a string holding a zero byte would
// have it read past the end of the object.
void CheckStringTable(std::string_view block, const std::string& context) {
  MemorySource source(block);
  FieldWalk primitive(source, 0, block.size(), context + " block");
  while (const std::optional<FieldWalk::Field> field = primitive.Next()) {
    if (field->Number != 1 || field->Wire != kLengthDelimited) continue;
    FieldWalk table(source, field->Offset, field->Offset + field->Value, context + " string table");
    std::uint64_t index = 0;
    while (const std::optional<FieldWalk::Field> text = table.Next()) {
      if (text->Number != 1 || text->Wire != kLengthDelimited) continue;
      if (block.substr(static_cast<std::size_t>(text->Offset), static_cast<std::size_t>(text->Value))
              .find('\0') != std::string_view::npos) {
        table.Fail("string " + std::to_string(index) + " holds a zero byte");
      }
      ++index;
    }
  }
}

// The Blob at [at, at + length): its data and its uncompressed size; for a
// data blob, the string table of the block it holds.
void CheckBlob(PbfSource& source, std::uint64_t at, std::uint64_t length, const std::string& context,
               bool dataBlob) {
  FieldWalk walk(source, at, at + length, context);
  std::optional<FieldWalk::Field> data;
  std::uint64_t rawSize = 0;
  while (const std::optional<FieldWalk::Field> field = walk.Next()) {
    if (field->Number == 2 && field->Wire == kVarint) {
      CheckSize(walk, field->Value, "raw_size");
      rawSize = field->Value;
    } else if (field->Number >= 1 && field->Number <= 7 && field->Number != 2 && field->Wire == kLengthDelimited) {
      if (data) walk.Fail("more than one data field");
      data = field;
    }
  }
  if (!data) walk.Fail("no data");
  if (data->Number == 1) {
    if (data->Value > kMaxPbfBlobSize) walk.Fail("raw data of " + std::to_string(data->Value) + " bytes");
    if (dataBlob) CheckStringTable(walk.Bytes(*data), context);
    return;
  }
  if (data->Number != 3) walk.Fail("data compressed other than with zlib (field " + std::to_string(data->Number) + ")");
  if (rawSize == 0) walk.Fail("compressed data without its raw_size");
  if (!dataBlob) return;
  const std::string compressed = walk.Bytes(*data);
  std::string block(static_cast<std::size_t>(rawSize), '\0');
  uLongf produced = static_cast<uLongf>(block.size());
  if (uncompress(reinterpret_cast<Bytef*>(block.data()), &produced, reinterpret_cast<const Bytef*>(compressed.data()),
                 static_cast<uLong>(compressed.size())) != Z_OK) {
    walk.Fail("zlib data that does not inflate to its raw_size of " + std::to_string(rawSize) + " bytes");
  }
  // libosmium reads the block at its raw_size (zeros past what inflated).
  CheckStringTable(block, context);
}

void CheckFraming(PbfSource& source, const std::string& what) {
  const std::uint64_t size = source.Size();
  std::uint64_t at = 0;
  std::uint64_t blob = 0;
  while (at < size) {
    const std::string context = what + ": blob " + std::to_string(blob) + " at byte " + std::to_string(at);
    if (size - at < 4) throw DataError(context + ": the header length is cut short");
    const std::uint32_t headerLength = BigEndian32(source.Read(at, 4));
    at += 4;
    if (headerLength == 0 || headerLength > kMaxPbfBlobHeaderSize) {
      throw DataError(context + ": a header of " + std::to_string(headerLength) + " bytes is not 1.." +
                      std::to_string(kMaxPbfBlobHeaderSize));
    }
    if (headerLength > size - at) throw DataError(context + ": the header runs past the end of the file");
    const std::uint64_t dataSize =
        CheckBlobHeader(source, at, headerLength, context, blob == 0 ? "OSMHeader" : "OSMData");
    at += headerLength;
    if (dataSize > size - at) {
      throw DataError(context + ": " + std::to_string(dataSize) + " bytes of data run past the end of the file");
    }
    CheckBlob(source, at, dataSize, context, blob != 0);
    at += dataSize;
    ++blob;
  }
  if (blob == 0) throw DataError(what + ": no OSMHeader blob (the file is empty)");
}

}  // namespace

void CheckPbfFraming(std::string_view bytes, const std::string& what) {
  MemorySource source(bytes);
  CheckFraming(source, what);
}

void CheckPbfFile(const std::filesystem::path& file) {
  FileSource source(file);
  CheckFraming(source, file.string());
}

}  // namespace quelmar::builder
