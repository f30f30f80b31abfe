#include "tools/quelmar-data/builder/streets/tiger_reader.h"

#include <shapefil.h>

#include <algorithm>
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

DbfFile OpenDbf(const std::filesystem::path& shp) {
  const std::filesystem::path dbf = Beside(shp, ".dbf");
  RequireFile(dbf);
  SAHooks hooks = QuietHooks();
  DbfFile file(DBFOpenLL(dbf.string().c_str(), "rb", &hooks));
  if (!file) throw DataError("not a readable dBASE table: " + dbf.string());
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

std::unordered_map<std::string, Range> ReadAddressRanges(const std::filesystem::path& shp) {
  const DbfFile dbf = OpenDbf(shp);
  const int tlid = FieldOf(dbf, "TLID");
  if (tlid < 0) throw DataError(shp.string() + ": no TLID field");
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

}  // namespace

RawStreets ReadTigerEdges(const std::filesystem::path& edges, const std::filesystem::path& addressRanges) {
  const std::filesystem::path shpPath = Beside(edges, ".shp");
  RequireFile(shpPath);
  RequireFile(Beside(edges, ".shx"));
  const std::unordered_map<std::string, Range> ranges = addressRanges.empty()
                                                            ? std::unordered_map<std::string, Range>{}
                                                            : ReadAddressRanges(Beside(addressRanges, ".shp"));

  SAHooks hooks = QuietHooks();
  ShpFile shp(SHPOpenLL(shpPath.string().c_str(), "rb", &hooks));
  if (!shp) throw DataError("not a readable shapefile: " + shpPath.string());
  int shapeCount = 0, shapeType = 0;
  SHPGetInfo(shp.get(), &shapeCount, &shapeType, nullptr, nullptr);
  if (shapeType != SHPT_ARC && shapeType != SHPT_ARCZ && shapeType != SHPT_ARCM) {
    throw DataError(shpPath.string() + ": not a line shapefile (shape type " + std::to_string(shapeType) + ")");
  }
  const DbfFile dbf = OpenDbf(shpPath);
  const int tlid = FieldOf(dbf, "TLID"), mtfcc = FieldOf(dbf, "MTFCC"), fullName = FieldOf(dbf, "FULLNAME");
  if (tlid < 0 || mtfcc < 0 || fullName < 0) {
    throw DataError(shpPath.string() + ": not a TIGER/Line EDGES table (TLID, MTFCC, FULLNAME)");
  }
  const int numbers[4] = {FieldOf(dbf, "LFROMADD"), FieldOf(dbf, "LTOADD"), FieldOf(dbf, "RFROMADD"),
                          FieldOf(dbf, "RTOADD")};
  const int zipLeft = FieldOf(dbf, "ZIPL"), zipRight = FieldOf(dbf, "ZIPR");
  const int records = DBFGetRecordCount(dbf.get());
  if (records != shapeCount) {
    throw DataError(shpPath.string() + ": " + std::to_string(shapeCount) + " shapes but " + std::to_string(records) +
                    " table records");
  }

  RawStreets streets;
  for (int record = 0; record < records; ++record) {
    const std::string_view cfcc = CfccForMtfcc(Text(dbf, record, mtfcc));
    if (cfcc.empty()) continue;  // rail, water, boundaries
    Range range = RecordRange(dbf, record, numbers, zipLeft, zipRight);
    if (const auto joined = ranges.find(Text(dbf, record, tlid)); joined != ranges.end()) range.Add(joined->second);

    const Shape shape(SHPReadObject(shp.get(), record));
    if (!shape) throw DataError(shpPath.string() + ": shape " + std::to_string(record) + " cannot be read");
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
        throw DataError(shpPath.string() + ": shape " + std::to_string(record) + " lies off the globe");
      }
      if (piece.Points.size() >= 2) streets.Lines.push_back(std::move(piece));
    }
  }
  return streets;
}

}  // namespace quelmar::builder
