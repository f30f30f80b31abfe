#include "tools/quelmar-data/builder/streets/tiger_reader.h"

#include <shapefil.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <unordered_map>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/streets/cfcc_from_tags.h"
#include "tools/quelmar-data/builder/streets/osm_tags.h"
#include "tools/quelmar-data/builder/streets/street_name.h"

namespace quelmar::builder {

namespace {

struct CloseShp {
  void operator()(SHPInfo* shp) const { SHPClose(shp); }
};
struct CloseDbf {
  void operator()(DBFInfo* dbf) const { DBFClose(dbf); }
};
struct DestroyShape {
  void operator()(SHPObject* shape) const { SHPDestroyObject(shape); }
};
using ShpFile = std::unique_ptr<SHPInfo, CloseShp>;
using DbfFile = std::unique_ptr<DBFInfo, CloseDbf>;
using Shape = std::unique_ptr<SHPObject, DestroyShape>;

// The file beside `shp` with another extension.
std::filesystem::path Beside(const std::filesystem::path& shp, const char* extension) {
  std::filesystem::path path = shp;
  return path.replace_extension(extension);
}

void RequireFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) throw IoError("no such file: " + path.string());
}

// Shapelib reports problems through a hook that prints them; the reader
// reports them by its exceptions instead.
void IgnoreMessage(const char*) {}
SAHooks QuietHooks() {
  SAHooks hooks;
  SASetupDefaultHooks(&hooks);
  hooks.Error = IgnoreMessage;
  return hooks;
}

// Files held in memory, for shapelib's file hooks (which carry no context of
// their own): the layer being read on this thread, by file name.
thread_local const std::unordered_map<std::string, std::string_view>* tMemoryFiles = nullptr;

struct MemoryFile {
  std::string_view Bytes;
  std::size_t At = 0;
};

MemoryFile* Opened(SAFile file) { return reinterpret_cast<MemoryFile*>(file); }

SAFile MemoryOpen(const char* name, const char* access) {
  if (tMemoryFiles == nullptr || std::string_view(access).find_first_of("wa+") != std::string_view::npos) {
    return nullptr;
  }
  const auto found = tMemoryFiles->find(name);
  if (found == tMemoryFiles->end()) return nullptr;
  return reinterpret_cast<SAFile>(new MemoryFile{found->second, 0});
}

SAOffset MemoryRead(void* into, SAOffset size, SAOffset count, SAFile file) {
  MemoryFile& memory = *Opened(file);
  if (size == 0 || memory.At >= memory.Bytes.size()) return 0;
  const std::size_t available = memory.Bytes.size() - memory.At;
  const SAOffset whole = std::min<SAOffset>(count, available / size);
  std::memcpy(into, memory.Bytes.data() + memory.At, whole * size);
  memory.At += whole * size;
  return whole;
}

SAOffset MemoryWrite(void*, SAOffset, SAOffset, SAFile) { return 0; }

SAOffset MemorySeek(SAFile file, SAOffset offset, int whence) {
  MemoryFile& memory = *Opened(file);
  const auto signedOffset = static_cast<long long>(offset);
  long long base = 0;
  if (whence == SEEK_CUR) base = static_cast<long long>(memory.At);
  if (whence == SEEK_END) base = static_cast<long long>(memory.Bytes.size());
  if ((signedOffset < 0 && -signedOffset > base) || (signedOffset > 0 && signedOffset > LLONG_MAX - base)) {
    return static_cast<SAOffset>(-1);
  }
  memory.At = static_cast<std::size_t>(base + signedOffset);  // past the end reads nothing, as with a file
  return 0;
}

SAOffset MemoryTell(SAFile file) { return Opened(file)->At; }
int MemoryFlush(SAFile) { return 0; }
int MemoryClose(SAFile file) {
  delete Opened(file);
  return 0;
}
int MemoryRemove(const char*) { return -1; }

SAHooks MemoryHooks() {
  SAHooks hooks = QuietHooks();
  hooks.FOpen = MemoryOpen;
  hooks.FRead = MemoryRead;
  hooks.FWrite = MemoryWrite;
  hooks.FSeek = MemorySeek;
  hooks.FTell = MemoryTell;
  hooks.FFlush = MemoryFlush;
  hooks.FClose = MemoryClose;
  hooks.Remove = MemoryRemove;
  return hooks;
}

// The layer of a TigerLayerBytes under fixed names while it is read.
class MemoryLayer {
 public:
  explicit MemoryLayer(const TigerLayerBytes& layer)
      : files_{{"edges.shp", layer.Shp}, {"edges.shx", layer.Shx}, {"edges.dbf", layer.Dbf}} {
    if (layer.AddressDbf) files_.emplace("addrfeat.dbf", *layer.AddressDbf);
    previous_ = tMemoryFiles;
    tMemoryFiles = &files_;
  }
  ~MemoryLayer() { tMemoryFiles = previous_; }
  MemoryLayer(const MemoryLayer&) = delete;
  MemoryLayer& operator=(const MemoryLayer&) = delete;

 private:
  std::unordered_map<std::string, std::string_view> files_;
  const std::unordered_map<std::string, std::string_view>* previous_ = nullptr;
};

std::uint32_t LittleEndian(const unsigned char* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = count; i-- > 0;) value = (value << 8) | bytes[i];
  return value;
}

// Shapelib takes a table's record count as its header gives it; a count the
// file cannot hold would make every read past the end fail quietly (and an
// address table of a hostile count be walked record by record for ever).
// The header must fit the file: header length + count × record length.
void CheckDbfSize(SAHooks& hooks, const std::string& dbf) {
  const std::unique_ptr<int, int (*)(SAFile)> file(hooks.FOpen(dbf.c_str(), "rb"), hooks.FClose);
  if (!file) throw DataError("not a readable dBASE table: " + dbf);
  unsigned char header[32] = {};
  const SAOffset read = hooks.FRead(header, 1, sizeof header, file.get());
  if (read != sizeof header || hooks.FSeek(file.get(), 0, SEEK_END) != 0) {
    throw DataError(dbf + ": the dBASE header is cut short");
  }
  const std::uint64_t size = hooks.FTell(file.get());
  const std::uint64_t records = LittleEndian(header + 4, 4);
  const std::uint64_t headerLength = LittleEndian(header + 8, 2);
  const std::uint64_t recordLength = LittleEndian(header + 10, 2);
  if (headerLength < sizeof header || recordLength == 0) throw DataError(dbf + ": not a dBASE header");
  if (headerLength + records * recordLength > size) {
    throw DataError(dbf + ": the header gives " + std::to_string(records) + " records of " +
                    std::to_string(recordLength) + " bytes after " + std::to_string(headerLength) +
                    " header bytes, but the file has " + std::to_string(size) + " bytes");
  }
}

DbfFile OpenDbf(SAHooks& hooks, const std::string& dbf) {
  CheckDbfSize(hooks, dbf);
  DbfFile file(DBFOpenLL(dbf.c_str(), "rb", &hooks));
  if (!file) throw DataError("not a readable dBASE table: " + dbf);
  return file;
}

// Field indexes by name; -1 for a field the table does not have.
int FieldOf(const DbfFile& dbf, const char* name) { return DBFGetFieldIndex(dbf.get(), name); }

std::string Text(const DbfFile& dbf, int record, int field) {
  if (field < 0 || DBFIsAttributeNULL(dbf.get(), record, field)) return {};
  const char* value = DBFReadStringAttribute(dbf.get(), record, field);
  if (value == nullptr) return {};
  std::string text(value);
  const std::size_t first = text.find_first_not_of(' ');
  const std::size_t last = text.find_last_not_of(' ');
  return first == std::string::npos ? std::string{} : text.substr(first, last - first + 1);
}

// The number at the start of a house number ("1060", "12-34" gives 12).
std::int32_t HouseNumber(const std::string& text) {
  std::int64_t number = 0;
  std::size_t digits = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || digits == 9) break;
    number = number * 10 + (c - '0');
    ++digits;
  }
  return digits == 0 ? -1 : static_cast<std::int32_t>(number);
}

struct Range {
  std::int32_t Low = -1;
  std::int32_t High = -1;
  std::int32_t Zip = 0;
  void Add(std::int32_t number) {
    if (number < 0) return;
    Low = Low < 0 ? number : std::min(Low, number);
    High = std::max(High, number);
  }
  void Add(const Range& other) {
    Add(other.Low);
    Add(other.High);
    if (Zip == 0) Zip = other.Zip;
  }
};

// The range of one record from its four house number fields and two ZIPs.
Range RecordRange(const DbfFile& dbf, int record, const int (&numberFields)[4], int zipLeft, int zipRight) {
  Range range;
  for (int field : numberFields) range.Add(HouseNumber(Text(dbf, record, field)));
  range.Zip = ZipFromText(Text(dbf, record, zipLeft));
  if (range.Zip == 0) range.Zip = ZipFromText(Text(dbf, record, zipRight));
  return range;
}

std::unordered_map<std::string, Range> ReadAddressRanges(SAHooks& hooks, const std::string& dbfName) {
  const DbfFile dbf = OpenDbf(hooks, dbfName);
  const int tlid = FieldOf(dbf, "TLID");
  if (tlid < 0) throw DataError(dbfName + ": no TLID field");
  const int numbers[4] = {FieldOf(dbf, "LFROMHN"), FieldOf(dbf, "LTOHN"), FieldOf(dbf, "RFROMHN"),
                          FieldOf(dbf, "RTOHN")};
  const int zipLeft = FieldOf(dbf, "ZIPL"), zipRight = FieldOf(dbf, "ZIPR");
  std::unordered_map<std::string, Range> ranges;
  const int records = DBFGetRecordCount(dbf.get());
  for (int record = 0; record < records; ++record) {
    ranges[Text(dbf, record, tlid)].Add(RecordRange(dbf, record, numbers, zipLeft, zipRight));
  }
  return ranges;
}

// The EDGES layer `shpPath` (its .shx and .dbf beside it) and, unless
// `rangesDbf` is empty, the ADDRFEAT table, through `hooks`.
RawStreets ReadEdges(SAHooks hooks, const std::string& shpPath, const std::string& rangesDbf) {
  const std::unordered_map<std::string, Range> ranges =
      rangesDbf.empty() ? std::unordered_map<std::string, Range>{} : ReadAddressRanges(hooks, rangesDbf);

  ShpFile shp(SHPOpenLL(shpPath.c_str(), "rb", &hooks));
  if (!shp) throw DataError("not a readable shapefile: " + shpPath);
  int shapeCount = 0, shapeType = 0;
  SHPGetInfo(shp.get(), &shapeCount, &shapeType, nullptr, nullptr);
  if (shapeType != SHPT_ARC && shapeType != SHPT_ARCZ && shapeType != SHPT_ARCM) {
    throw DataError(shpPath + ": not a line shapefile (shape type " + std::to_string(shapeType) + ")");
  }
  const DbfFile dbf = OpenDbf(hooks, Beside(shpPath, ".dbf").string());
  const int tlid = FieldOf(dbf, "TLID"), mtfcc = FieldOf(dbf, "MTFCC"), fullName = FieldOf(dbf, "FULLNAME");
  if (tlid < 0 || mtfcc < 0 || fullName < 0) {
    throw DataError(shpPath + ": not a TIGER/Line EDGES table (TLID, MTFCC, FULLNAME)");
  }
  const int numbers[4] = {FieldOf(dbf, "LFROMADD"), FieldOf(dbf, "LTOADD"), FieldOf(dbf, "RFROMADD"),
                          FieldOf(dbf, "RTOADD")};
  const int zipLeft = FieldOf(dbf, "ZIPL"), zipRight = FieldOf(dbf, "ZIPR");
  const int records = DBFGetRecordCount(dbf.get());
  if (records != shapeCount) {
    throw DataError(shpPath + ": " + std::to_string(shapeCount) + " shapes but " + std::to_string(records) +
                    " table records");
  }

  RawStreets streets;
  for (int record = 0; record < records; ++record) {
    const std::string_view cfcc = CfccForMtfcc(Text(dbf, record, mtfcc));
    if (cfcc.empty()) continue;  // rail, water, boundaries
    Range range = RecordRange(dbf, record, numbers, zipLeft, zipRight);
    if (const auto joined = ranges.find(Text(dbf, record, tlid)); joined != ranges.end()) range.Add(joined->second);

    const Shape shape(SHPReadObject(shp.get(), record));
    if (!shape) throw DataError(shpPath + ": shape " + std::to_string(record) + " cannot be read");
    StreetSegment line;
    line.Cfcc = std::string(cfcc);
    line.Name = StoredStreetName(Text(dbf, record, fullName));
    if (range.Low >= 0) {
      line.Low = range.Low;
      line.High = range.High;
    }
    line.Zip = range.Zip;
    for (int part = 0; part < std::max(shape->nParts, 1); ++part) {
      const int first = shape->nParts == 0 ? 0 : shape->panPartStart[part];
      const int last =
          shape->nParts == 0 || part + 1 == shape->nParts ? shape->nVertices : shape->panPartStart[part + 1];
      if (first < 0 || last > shape->nVertices || first >= last) continue;
      StreetSegment piece = line;
      try {
        for (int v = first; v < last; ++v) piece.Points.push_back(ToMapUnits(shape->padfX[v], shape->padfY[v]));
      } catch (const std::invalid_argument&) {
        throw DataError(shpPath + ": shape " + std::to_string(record) + " lies off the globe");
      }
      if (piece.Points.size() >= 2) streets.Lines.push_back(std::move(piece));
    }
  }
  return streets;
}

}  // namespace

RawStreets ReadTigerEdges(const std::filesystem::path& edges, const std::filesystem::path& addressRanges) {
  const std::filesystem::path shp = Beside(edges, ".shp");
  RequireFile(shp);
  RequireFile(Beside(edges, ".shx"));
  RequireFile(Beside(edges, ".dbf"));
  std::filesystem::path rangesDbf;
  if (!addressRanges.empty()) {
    rangesDbf = Beside(addressRanges, ".dbf");
    RequireFile(rangesDbf);
  }
  return ReadEdges(QuietHooks(), shp.string(), rangesDbf.string());
}

RawStreets ReadTigerEdges(const TigerLayerBytes& layer) {
  const MemoryLayer files(layer);
  return ReadEdges(MemoryHooks(), "edges.shp", layer.AddressDbf ? "addrfeat.dbf" : "");
}

}  // namespace quelmar::builder
