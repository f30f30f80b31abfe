#include "tools/quelmar-data/builder/streets/tiger_reader.h"

#include <gtest/gtest.h>
#include <shapefil.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/core/errors.h"
#include "tools/builder/streets/street_test_support.h"
#include "tools/quelmar-data/builder/streets/file_bytes.h"

namespace quelmar::builder {
namespace {

using street_testing::At;

struct Edge {
  const char* tlid;
  const char* mtfcc;
  const char* fullName;
  std::vector<std::pair<double, double>> points;
  const char* numbers[4];  // LFROMADD, LTOADD, RFROMADD, RTOADD
  const char* zips[2];     // ZIPL, ZIPR
};

// A tiny county in the TIGER/Line layout, written with shapelib: EDGES
// with geometry and ADDRFEAT with the ranges of one more edge.
class TigerFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder of this process: the tests run in parallel, one process each.
    folder_ = std::filesystem::path(::testing::TempDir()) / ("quelmar-tiger-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    WriteEdges(
        folder_ / "edges",
        {
            {"101",
             "S1400",
             "West Addison Street",
             {{-87.656, 41.947}, {-87.654, 41.947}},
             {"1001", "1099", "1000", "1098"},
             {"60613", "60613"}},
            {"102",
             "S1100",
             "Kennedy Expressway",
             {{-87.70, 41.94}, {-87.69, 41.93}, {-87.68, 41.92}},
             {"", "", "", ""},
             {"", ""}},
            {"103", "R1011", "Union Pacific Railroad", {{-87.70, 41.95}, {-87.60, 41.95}}, {"", "", "", ""}, {"", ""}},
            {"104", "S1400", "N Clark St", {{-87.66, 41.94}, {-87.66, 41.95}}, {"", "", "", ""}, {"", ""}},
        });
    WriteAddressRanges(folder_ / "addrfeat", {{"104", "3500", "3598", "3501", "3599", "60657", ""},
                                              {"104", "3600", "3648", "", "", "", "60613"}});
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  static void WriteEdges(const std::filesystem::path& base, const std::vector<Edge>& edges) {
    SHPHandle shp = SHPCreate(base.string().c_str(), SHPT_ARC);
    DBFHandle dbf = DBFCreate(base.string().c_str());
    ASSERT_NE(shp, nullptr);
    ASSERT_NE(dbf, nullptr);
    const int tlid = DBFAddField(dbf, "TLID", FTDouble, 10, 0);
    const int mtfcc = DBFAddField(dbf, "MTFCC", FTString, 5, 0);
    const int fullName = DBFAddField(dbf, "FULLNAME", FTString, 100, 0);
    const int numbers[4] = {DBFAddField(dbf, "LFROMADD", FTString, 12, 0), DBFAddField(dbf, "LTOADD", FTString, 12, 0),
                            DBFAddField(dbf, "RFROMADD", FTString, 12, 0), DBFAddField(dbf, "RTOADD", FTString, 12, 0)};
    const int zips[2] = {DBFAddField(dbf, "ZIPL", FTString, 5, 0), DBFAddField(dbf, "ZIPR", FTString, 5, 0)};
    for (int record = 0; record < static_cast<int>(edges.size()); ++record) {
      const Edge& edge = edges[static_cast<std::size_t>(record)];
      std::vector<double> x, y;
      for (const auto& [lon, lat] : edge.points) {
        x.push_back(lon);
        y.push_back(lat);
      }
      SHPObject* shape = SHPCreateSimpleObject(SHPT_ARC, static_cast<int>(x.size()), x.data(), y.data(), nullptr);
      SHPWriteObject(shp, -1, shape);
      SHPDestroyObject(shape);
      DBFWriteDoubleAttribute(dbf, record, tlid, std::stod(edge.tlid));
      DBFWriteStringAttribute(dbf, record, mtfcc, edge.mtfcc);
      DBFWriteStringAttribute(dbf, record, fullName, edge.fullName);
      for (int i = 0; i < 4; ++i) DBFWriteStringAttribute(dbf, record, numbers[i], edge.numbers[i]);
      for (int i = 0; i < 2; ++i) DBFWriteStringAttribute(dbf, record, zips[i], edge.zips[i]);
    }
    SHPClose(shp);
    DBFClose(dbf);
  }

  // Rows of TLID, LFROMHN, LTOHN, RFROMHN, RTOHN, ZIPL, ZIPR (table only:
  // the reader joins on TLID).
  static void WriteAddressRanges(const std::filesystem::path& base, const std::vector<std::vector<const char*>>& rows) {
    DBFHandle dbf = DBFCreate(base.string().c_str());
    ASSERT_NE(dbf, nullptr);
    const char* fields[] = {"TLID", "LFROMHN", "LTOHN", "RFROMHN", "RTOHN", "ZIPL", "ZIPR"};
    for (const char* field : fields) DBFAddField(dbf, field, FTString, 12, 0);
    for (int record = 0; record < static_cast<int>(rows.size()); ++record) {
      for (int i = 0; i < 7; ++i)
        DBFWriteStringAttribute(dbf, record, i, rows[static_cast<std::size_t>(record)][static_cast<std::size_t>(i)]);
    }
    DBFClose(dbf);
  }

  std::filesystem::path folder_;
};

TEST_F(TigerFixture, ReadsRoadEdgesWithTheirRanges) {
  const RawStreets streets = ReadTigerEdges(folder_ / "edges.shp", folder_ / "addrfeat.shp");
  ASSERT_EQ(streets.Lines.size(), 3u);  // the railroad is not a road
  const StreetSegment& addison = streets.Lines[0];
  EXPECT_EQ(addison.Name, "W ADDISON ST");
  EXPECT_EQ(addison.Cfcc, "A41");
  EXPECT_EQ(addison.Low, 1000);
  EXPECT_EQ(addison.High, 1099);
  EXPECT_EQ(addison.Zip, 60613);
  EXPECT_EQ(addison.Points, (Line{At(-87.656, 41.947), At(-87.654, 41.947)}));

  const StreetSegment& kennedy = streets.Lines[1];
  EXPECT_EQ(kennedy.Cfcc, "A11");
  EXPECT_EQ(kennedy.Points.size(), 3u);
  EXPECT_EQ(kennedy.Low, 0);
  EXPECT_EQ(kennedy.High, 0);

  const StreetSegment& clark = streets.Lines[2];  // ranges from the address table only
  EXPECT_EQ(clark.Name, "N CLARK ST");
  EXPECT_EQ(clark.Low, 3500);
  EXPECT_EQ(clark.High, 3648);
  EXPECT_EQ(clark.Zip, 60657);
}

TEST_F(TigerFixture, ReadsEdgesAlone) {
  const RawStreets streets = ReadTigerEdges(folder_ / "edges");
  ASSERT_EQ(streets.Lines.size(), 3u);
  EXPECT_EQ(streets.Lines[2].Low, 0);
}

TEST_F(TigerFixture, ReportsMissingFilesAndOtherLayers) {
  EXPECT_THROW(ReadTigerEdges(folder_ / "nothing.shp"), IoError);
  std::filesystem::remove(folder_ / "edges.shx");
  EXPECT_THROW(ReadTigerEdges(folder_ / "edges.shp"), IoError);
  EXPECT_THROW(ReadTigerEdges(folder_ / "edges.shp", folder_ / "nothing.shp"), IoError);

  // A point layer, and a line layer without the EDGES fields.
  SHPHandle points = SHPCreate((folder_ / "points").string().c_str(), SHPT_POINT);
  SHPClose(points);
  DBFHandle table = DBFCreate((folder_ / "points").string().c_str());
  DBFAddField(table, "TLID", FTString, 10, 0);
  DBFClose(table);
  EXPECT_THROW(ReadTigerEdges(folder_ / "points.shp"), DataError);
  SHPHandle lines = SHPCreate((folder_ / "lines").string().c_str(), SHPT_ARC);
  SHPClose(lines);
  table = DBFCreate((folder_ / "lines").string().c_str());
  DBFAddField(table, "NAME", FTString, 10, 0);
  DBFClose(table);
  EXPECT_THROW(ReadTigerEdges(folder_ / "lines.shp"), DataError);
}

TEST_F(TigerFixture, TruncatedFilesGiveAnErrorOrFewerLinesNeverACrash) {
  for (const char* extension : {".shp", ".shx", ".dbf"}) {
    const std::filesystem::path file = folder_ / (std::string("edges") + extension);
    const std::string whole = ReadFileBytes(file);
    for (std::size_t size = 0; size < whole.size(); ++size) {
      std::ofstream(file, std::ios::binary | std::ios::trunc).write(whole.data(), static_cast<std::streamsize>(size));
      try {
        EXPECT_LE(ReadTigerEdges(folder_ / "edges.shp").Lines.size(), 3u) << extension << " " << size;
      } catch (const DataError&) {
      } catch (const IoError&) {
      }
    }
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(whole.data(), static_cast<std::streamsize>(whole.size()));
  }
}

// The fixture's files as bytes, for the reader of a layer in memory.
struct LayerFiles {
  std::string Shp, Shx, Dbf, AddressDbf;
  TigerLayerBytes Bytes(bool withRanges = true) const {
    return {Shp, Shx, Dbf, withRanges ? std::optional<std::string_view>(AddressDbf) : std::nullopt};
  }
};

LayerFiles ReadLayer(const std::filesystem::path& folder) {
  return {ReadFileBytes(folder / "edges.shp"), ReadFileBytes(folder / "edges.shx"), ReadFileBytes(folder / "edges.dbf"),
          ReadFileBytes(folder / "addrfeat.dbf")};
}

void ExpectSameLines(const RawStreets& actual, const RawStreets& expected) {
  ASSERT_EQ(actual.Lines.size(), expected.Lines.size());
  for (std::size_t i = 0; i < actual.Lines.size(); ++i) {
    const StreetSegment& a = actual.Lines[i];
    const StreetSegment& e = expected.Lines[i];
    EXPECT_EQ(a.Name, e.Name);
    EXPECT_EQ(a.Cfcc, e.Cfcc);
    EXPECT_EQ(a.Low, e.Low);
    EXPECT_EQ(a.High, e.High);
    EXPECT_EQ(a.Zip, e.Zip);
    EXPECT_EQ(a.Points, e.Points);
  }
}

TEST_F(TigerFixture, ReadsTheSameLayerFromMemory) {
  const LayerFiles files = ReadLayer(folder_);
  ExpectSameLines(ReadTigerEdges(files.Bytes()), ReadTigerEdges(folder_ / "edges.shp", folder_ / "addrfeat.shp"));
  ExpectSameLines(ReadTigerEdges(files.Bytes(false)), ReadTigerEdges(folder_ / "edges.shp"));
}

// The record count is bytes 4..7 of a dBASE header, little-endian.
std::string WithRecordCount(std::string dbf, std::uint32_t count) {
  for (int i = 0; i < 4; ++i) dbf[4 + static_cast<std::size_t>(i)] = static_cast<char>((count >> (8 * i)) & 0xFF);
  return dbf;
}

TEST_F(TigerFixture, ARecordCountTheTableCannotHoldIsADataError) {
  struct Case {
    const char* File;
    std::uint32_t Count;
    const char* Message;
  };
  // The fixture's EDGES table has 4 records of 174 bytes after 321 header
  // bytes (and an end-of-file byte): 1018 bytes.
  const Case cases[] = {
      {"edges.dbf", 5, "edges.dbf: the header gives 5 records of 174 bytes after 321 header bytes, but the file has 1018 bytes"},
      {"edges.dbf", 0xFFFFFFFF, "the header gives 4294967295 records"},
      {"addrfeat.dbf", 3, "addrfeat.dbf: the header gives 3 records"},
      {"addrfeat.dbf", 0x7FFFFFFF, "the header gives 2147483647 records"},
  };
  for (const Case& c : cases) {
    const std::filesystem::path file = folder_ / c.File;
    const std::string whole = ReadFileBytes(file);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << WithRecordCount(whole, c.Count);
    try {
      ReadTigerEdges(folder_ / "edges.shp", folder_ / "addrfeat.shp");
      ADD_FAILURE() << c.File << " with " << c.Count << " records was read";
    } catch (const DataError& error) {
      EXPECT_NE(std::string(error.what()).find(c.Message), std::string::npos) << error.what();
    }
    std::ofstream(file, std::ios::binary | std::ios::trunc) << whole;
  }
  EXPECT_EQ(ReadTigerEdges(folder_ / "edges.shp", folder_ / "addrfeat.shp").Lines.size(), 3u);
}

TEST_F(TigerFixture, TruncatedTablesAreDataErrors) {
  const LayerFiles files = ReadLayer(folder_);
  for (const bool edges : {true, false}) {
    const std::string& whole = edges ? files.Dbf : files.AddressDbf;
    // Every cut short of the last record; the end-of-file byte may go.
    for (std::size_t size = 0; size + 1 < whole.size(); ++size) {
      LayerFiles cut = files;
      (edges ? cut.Dbf : cut.AddressDbf) = whole.substr(0, size);
      EXPECT_THROW(ReadTigerEdges(cut.Bytes()), DataError) << (edges ? "edges" : "addrfeat") << " cut to " << size;
    }
    LayerFiles withoutEnd = files;
    (edges ? withoutEnd.Dbf : withoutEnd.AddressDbf) = whole.substr(0, whole.size() - 1);
    EXPECT_EQ(ReadTigerEdges(withoutEnd.Bytes()).Lines.size(), 3u);
  }
}

TEST_F(TigerFixture, TruncatedShapesInMemoryGiveAnErrorOrFewerLines) {
  const LayerFiles files = ReadLayer(folder_);
  for (const bool shp : {true, false}) {
    const std::string& whole = shp ? files.Shp : files.Shx;
    for (std::size_t size = 0; size < whole.size(); ++size) {
      LayerFiles cut = files;
      (shp ? cut.Shp : cut.Shx) = whole.substr(0, size);
      try {
        EXPECT_LE(ReadTigerEdges(cut.Bytes()).Lines.size(), 3u) << size;
      } catch (const DataError&) {
      }
    }
  }
}

}  // namespace
}  // namespace quelmar::builder
