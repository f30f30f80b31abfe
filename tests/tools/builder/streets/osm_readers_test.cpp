// The two OpenStreetMap readers: the editor's JSON graph and OSM XML/PBF
// files through libosmium. Both use the same tag rules (osm_tags.h).
#include <gtest/gtest.h>

#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <osmium/builder/attr.hpp>
#include <osmium/io/pbf_output.hpp>
#include <osmium/io/writer.hpp>
#include <set>
#include <string>

#include "control/core/errors.h"
#include "tools/builder/streets/street_test_support.h"
#include "tools/quelmar-data/builder/streets/editor_graph_reader.h"
#include "tools/quelmar-data/builder/streets/file_bytes.h"
#include "tools/quelmar-data/builder/streets/osm_file_reader.h"
#include "tools/quelmar-data/builder/streets/osm_tags.h"

namespace quelmar::builder {
namespace {

using street_testing::At;
using street_testing::StreetTestData;

std::size_t Named(const RawStreets& streets) {
  return static_cast<std::size_t>(std::count_if(streets.Lines.begin(), streets.Lines.end(),
                                                [](const StreetSegment& line) { return !line.Name.empty(); }));
}

const StreetSegment* Find(const RawStreets& streets, const std::string& name) {
  const auto found = std::find_if(streets.Lines.begin(), streets.Lines.end(),
                                  [&](const StreetSegment& line) { return line.Name == name; });
  return found == streets.Lines.end() ? nullptr : &*found;
}

TEST(OsmTagsTest, ReadsRoadAttributes) {
  const std::map<std::string, std::string> tags = {
      {"highway", "residential"}, {"name", "West 8th Street"}, {"oneway", "-1"},        {"bridge", "viaduct"},
      {"tiger:cfcc", "A45"},      {"tiger:zip_left", "94607"}, {"ref", "CA 61;US 101"},
  };
  const auto road = OsmRoadFromTags([&](std::string_view key) -> std::string_view {
    const auto found = tags.find(std::string(key));
    return found == tags.end() ? std::string_view{} : std::string_view(found->second);
  });
  ASSERT_TRUE(road.has_value());
  EXPECT_EQ(road->Attributes.Name, "W 8TH ST");
  EXPECT_EQ(road->Attributes.Cfcc, "A45");
  EXPECT_TRUE(road->Attributes.OneWay);
  EXPECT_TRUE(road->Reversed);
  EXPECT_TRUE(road->Attributes.Bridge);
  EXPECT_FALSE(road->Attributes.Tunnel);
  EXPECT_EQ(road->Attributes.Zip, 94607);
  EXPECT_EQ(road->Attributes.Ref, "CA 61;US 101");
}

TEST(OsmTagsTest, ReadsZipCodes) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"94607", 94607}, {"94607-1234", 94607}, {"94607;94608", 94607}, {"9460", 0}, {"946070", 0}, {"", 0}, {"MI", 0},
  };
  for (const auto& [text, zip] : cases) EXPECT_EQ(ZipFromText(text), zip) << text;
}

TEST(EditorGraphReaderTest, ReadsTheThreeRiversGraph) {
  const RawStreets streets = ReadEditorGraph(StreetTestData() / "three-rivers-mi.intro_graph.json");
  EXPECT_EQ(streets.Lines.size(), 329u);  // every highway way
  EXPECT_EQ(Named(streets), 106u);
  EXPECT_EQ(streets.Addresses.size(), 26u);
  for (const AddressPoint& address : streets.Addresses) {
    EXPECT_EQ(address.Zip, 49093);
    EXPECT_TRUE(address.Street == "MAIN ST" || address.Street == "MICHIGAN AVE" || address.Street == "SPRING ST")
        << address.Street;
  }
  const StreetSegment* michigan = Find(streets, "MICHIGAN AVE");
  ASSERT_NE(michigan, nullptr);
  EXPECT_EQ(michigan->Cfcc, "A21");
  const bool scidmore = std::any_of(streets.Landmarks.begin(), streets.Landmarks.end(), [](const Landmark& l) {
    return l.Name == "Scidmore Park" && l.Kind == LandmarkKind::Park && !l.Rings.empty();
  });
  EXPECT_TRUE(scidmore);
}

TEST(EditorGraphReaderTest, KeepsToTheAreaAndCutsWaysLeavingIt) {
  const std::string graph = R"({
    "n1": {"id": "n1", "loc": [-85.60, 41.95]},
    "n2": {"id": "n2", "loc": [-85.61, 41.95]},
    "n3": {"id": "n3", "loc": [-86.00, 41.95]},
    "n4": {"id": "n4", "loc": [-85.62, 41.95]},
    "n5": {"id": "n5", "loc": [-85.63, 41.95]},
    "n6": {"id": "n6", "loc": [-85.62, 41.96], "tags": {"addr:housenumber": "12", "addr:street": "Elm Street"}},
    "w1": {"id": "w1", "nodes": ["n1", "n2", "n3", "n4", "n5"], "tags": {"highway": "residential", "name": "Elm Street", "oneway": "-1"}},
    "w2": {"id": "w2", "nodes": ["n1", "n9"], "tags": {"highway": "service"}},
    "w3": {"id": "w3", "nodes": ["n1", "n2"], "tags": {"building": "yes"}}
  })";
  const RawStreets all = ParseEditorGraph(graph);
  ASSERT_EQ(all.Lines.size(), 1u);                            // w2 names a node the graph lacks: one node left, no line
  EXPECT_EQ(all.Lines[0].Points.front(), At(-85.63, 41.95));  // oneway=-1 turns the way round
  EXPECT_TRUE(all.Lines[0].OneWay);
  ASSERT_EQ(all.Addresses.size(), 1u);
  EXPECT_EQ(all.Addresses[0].Number, "12");

  const RawStreets area = ParseEditorGraph(graph, GeoBox{-85.70, 41.90, -85.55, 42.00});
  ASSERT_EQ(area.Lines.size(), 2u);  // n3 lies outside: the way does not jump across it
  EXPECT_EQ(area.Lines[0].Points.size(), 2u);
  EXPECT_EQ(area.Lines[1].Points.size(), 2u);
}

TEST(EditorGraphReaderTest, RejectsWhatIsNotAGraph) {
  const char* cases[] = {
      "",
      "[1, 2]",
      R"({"n1": {"loc": "here"}})",
      R"({"n1": {"loc": [-85.6]}})",
      R"({"n1": {"loc": [-185.6, 41.9]}})",
      R"({"n1": 5})",
      R"({"w1": {"nodes": "n1 n2"}})",
      R"({"w1": {"nodes": [1, 2]}})",
      R"({"n1": {"loc": [-85.6, 41.9]}, "w1": {"nodes": ["n1")",
  };
  for (const char* text : cases) EXPECT_THROW(ParseEditorGraph(text), DataError) << text;
  EXPECT_THROW(ReadEditorGraph(StreetTestData() / "no-such-graph.json"), IoError);
}

TEST(OsmFileReaderTest, ReadsWestOakland) {
  const RawStreets streets = ReadOsmFile(StreetTestData() / "West-Oakland.osm.bz2");
  EXPECT_EQ(streets.Lines.size(), 31u);  // every highway way
  std::set<std::string> names;
  std::size_t withZip = 0;
  for (const StreetSegment& line : streets.Lines) {
    if (!line.Name.empty()) names.insert(line.Name);
    if (line.Zip != 0) ++withZip;
  }
  EXPECT_TRUE(names.count("7TH ST"));
  EXPECT_TRUE(names.count("WOOD ST"));
  EXPECT_EQ(withZip, 14u);
  const StreetSegment* wood = Find(streets, "WOOD ST");
  ASSERT_NE(wood, nullptr);
  EXPECT_EQ(wood->Cfcc, "A41");  // tiger:cfcc
  EXPECT_EQ(wood->Zip, 94608);
}

// Roads, an address and a park, with a way that names a node the file lacks.
const char* const kXml = R"(<?xml version='1.0' encoding='UTF-8'?>
<osm version="0.6">
  <node id="1" lat="37.80" lon="-122.29"/>
  <node id="2" lat="37.80" lon="-122.28"/>
  <node id="3" lat="37.81" lon="-122.28"/>
  <node id="4" lat="37.805" lon="-122.285">
    <tag k="addr:housenumber" v="1060"/><tag k="addr:street" v="Wood Street"/><tag k="addr:postcode" v="94607"/>
  </node>
  <way id="10"><nd ref="1"/><nd ref="2"/><nd ref="3"/>
    <tag k="highway" v="secondary"/><tag k="name" v="Wood Street"/><tag k="tunnel" v="yes"/>
  </way>
  <way id="11"><nd ref="1"/><nd ref="2"/><nd ref="3"/><nd ref="1"/>
    <tag k="leisure" v="park"/><tag k="name" v="Tiny Park"/>
  </way>
  <way id="12"><nd ref="1"/><nd ref="99"/><nd ref="3"/><tag k="highway" v="footway"/></way>
</osm>)";

void ExpectTheXmlFixture(const RawStreets& streets) {
  ASSERT_EQ(streets.Lines.size(), 1u);  // the footway has one known node on each side of a gap
  EXPECT_EQ(streets.Lines[0].Cfcc, "A31");
  EXPECT_TRUE(streets.Lines[0].Tunnel);
  ASSERT_EQ(streets.Addresses.size(), 1u);
  EXPECT_EQ(streets.Addresses[0].Street, "WOOD ST");
  EXPECT_EQ(streets.Addresses[0].Zip, 94607);
  ASSERT_EQ(streets.Landmarks.size(), 1u);
  EXPECT_EQ(streets.Landmarks[0].Rings.size(), 1u);
}

TEST(OsmFileReaderTest, ReadsXmlWithAddressesAndLandmarks) {
  ExpectTheXmlFixture(ReadOsmData(kXml, "osm"));
}

TEST(OsmFileReaderTest, ReportsMissingAndDamagedFiles) {
  EXPECT_THROW(ReadOsmFile(StreetTestData() / "no-such.osm.bz2"), IoError);
  EXPECT_THROW(ReadOsmData("<osm><node id='1' lat='x'", "osm"), DataError);
  EXPECT_THROW(ReadOsmData("not bzip2 at all", "osm.bz2"), DataError);
  // libosmium scales a coordinate by its exponent without an overflow check:
  // the reader's arithmetic wraps (a wrong position or an error), it is never
  // undefined (the sanitizer build stops on that).
  for (const char* coordinate : {"3E707", "9E99999", "-1.5e30"}) {
    try {
      ReadOsmData(std::string("<osm version='0.6'><node id='1' lat='") + coordinate + "' lon='1'/></osm>", "osm");
    } catch (const DataError&) {
    }
  }
}

TEST(OsmFileReaderTest, TruncatedFileGivesAnErrorOrFewerLinesNeverACrash) {
  const std::string bytes = ReadFileBytes(StreetTestData() / "West-Oakland.osm.bz2");
  const std::size_t step = std::max<std::size_t>(1, bytes.size() / 150);
  for (std::size_t size = 0; size < bytes.size(); size += step) {
    try {
      EXPECT_LE(ReadOsmData(std::string_view(bytes).substr(0, size), "osm.bz2").Lines.size(), 31u) << size;
    } catch (const DataError&) {
    }
  }
}

// The objects of the XML fixture, built with libosmium and written as PBF
// with zlib blobs or raw ones. (Built, not parsed from the XML: this file
// then holds no copy of libosmium's XML decoder, so the reader's own copy,
// compiled as its CMakeLists says, is the one the tests run.)
std::string FixtureAsPbf(const char* compression) {
  using namespace osmium::builder::attr;
  osmium::memory::Buffer buffer{4096, osmium::memory::Buffer::auto_grow::yes};
  osmium::builder::add_node(buffer, _id(1), _version(1), _location(-122.29, 37.80));
  osmium::builder::add_node(buffer, _id(2), _version(1), _location(-122.28, 37.80));
  osmium::builder::add_node(buffer, _id(3), _version(1), _location(-122.28, 37.81));
  osmium::builder::add_node(buffer, _id(4), _version(1), _location(-122.285, 37.805),
                            _tag("addr:housenumber", "1060"), _tag("addr:street", "Wood Street"),
                            _tag("addr:postcode", "94607"));
  osmium::builder::add_way(buffer, _id(10), _version(1), _nodes({1, 2, 3}), _tag("highway", "secondary"),
                           _tag("name", "Wood Street"), _tag("tunnel", "yes"));
  osmium::builder::add_way(buffer, _id(11), _version(1), _nodes({1, 2, 3, 1}), _tag("leisure", "park"),
                           _tag("name", "Tiny Park"));
  osmium::builder::add_way(buffer, _id(12), _version(1), _nodes({1, 99, 3}), _tag("highway", "footway"));
  const std::filesystem::path file = std::filesystem::path(::testing::TempDir()) /
                                     ("quelmar-osm-" + std::to_string(::getpid()) + "-" + compression + ".osm.pbf");
  osmium::io::Writer writer{osmium::io::File(file.string(), std::string("pbf,pbf_compression=") + compression),
                            osmium::io::overwrite::allow};
  writer(std::move(buffer));
  writer.close();
  std::string bytes = ReadFileBytes(file);
  std::filesystem::remove(file);
  return bytes;
}

TEST(OsmFileReaderTest, ReadsPbfAsItReadsXml) {
  for (const char* compression : {"zlib", "none"}) {
    SCOPED_TRACE(compression);
    ExpectTheXmlFixture(ReadOsmData(FixtureAsPbf(compression), "pbf"));
  }
  // From a file, whose framing is checked blob by blob from the disk.
  const std::filesystem::path file =
      std::filesystem::path(::testing::TempDir()) / ("quelmar-osm-" + std::to_string(::getpid()) + ".osm.pbf");
  std::ofstream(file, std::ios::binary) << FixtureAsPbf("zlib");
  ExpectTheXmlFixture(ReadOsmFile(file));
  std::filesystem::remove(file);
}

// Protobuf and blob framing, for PBF files made by hand.
std::string Varint(std::uint64_t value) {
  std::string out;
  for (; value >= 0x80; value >>= 7) out.push_back(static_cast<char>((value & 0x7F) | 0x80));
  out.push_back(static_cast<char>(value));
  return out;
}
std::string VarintField(int number, std::uint64_t value) { return Varint(static_cast<std::uint64_t>(number) << 3) + Varint(value); }
std::string BytesField(int number, const std::string& bytes) {
  return Varint((static_cast<std::uint64_t>(number) << 3) | 2) + Varint(bytes.size()) + bytes;
}
std::string BigEndian(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
          static_cast<char>(value)};
}
// A blob with its header: the 4-byte length, the BlobHeader, the Blob.
std::string Framed(const std::string& type, const std::string& blob) {
  const std::string header = BytesField(1, type) + VarintField(3, blob.size());
  return BigEndian(static_cast<std::uint32_t>(header.size())) + header + blob;
}
std::string Zlib(const std::string& bytes) {
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  std::string out(size, '\0');
  EXPECT_EQ(compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
                     static_cast<uLong>(bytes.size())),
            Z_OK);
  out.resize(size);
  return out;
}

TEST(OsmFileReaderTest, DamagedPbfFramingIsADataError) {
  const std::string header = Framed("OSMHeader", BytesField(1, BytesField(4, "OsmSchema-V0.6")));
  // A block whose string table holds "highway" and a string with a zero byte.
  const std::string nulBlock = BytesField(1, BytesField(1, "") + BytesField(1, "highway") + BytesField(1, std::string("a\0b", 3)));
  const std::string block = BytesField(1, BytesField(1, "") + BytesField(1, "highway"));
  const std::string headerOfOneByte = BigEndian(1) + "\x08";
  struct Case {
    const char* Label;
    std::string Bytes;
    std::string Message;
  };
  const Case cases[] = {
      {"Empty", "", "OSM data: no OSMHeader blob"},
      {"LengthCutShort", header + std::string(3, '\0'), "blob 1 at byte " + std::to_string(header.size()) + ": the header length is cut short"},
      {"HeaderOfNoBytes", BigEndian(0) + header, "blob 0 at byte 0: a header of 0 bytes is not 1..65536"},
      {"HeaderTooLong", BigEndian(65537) + std::string(65537, '\0'), "a header of 65537 bytes"},
      {"HeaderPastTheEnd", BigEndian(40) + std::string(39, '\0'), "the header runs past the end of the file"},
      {"DataBlobFirst", Framed("OSMData", BytesField(1, block)), "type \"OSMData\" where OSMHeader belongs"},
      {"SecondHeaderBlob", header + header, "blob 1 at byte"},
      {"NoType", BigEndian(2) + VarintField(3, 2) + BytesField(1, ""), "header: no type"},
      {"NoDatasize", BigEndian(11) + BytesField(1, "OSMHeader"), "header: no datasize"},
      {"DatasizeZero", BigEndian(13) + BytesField(1, "OSMHeader") + VarintField(3, 0), "datasize 0 is not 1..33554432"},
      {"DatasizeTooLarge", BigEndian(16) + BytesField(1, "OSMHeader") + VarintField(3, 33554433), "datasize 33554433"},
      {"DatasizeNegative", BigEndian(22) + BytesField(1, "OSMHeader") + VarintField(3, ~std::uint64_t{0}), "datasize -1"},
      {"DatasizePastTheEnd", BigEndian(14) + BytesField(1, "OSMHeader") + VarintField(3, 200) + std::string(199, '\0'),
       "200 bytes of data run past the end of the file"},
      {"HeaderFieldPastItsEnd", BigEndian(3) + "\x0a\x09O", "header: a field runs past the end of the message"},
      {"HeaderNumberCutShort", BigEndian(2) + "\x18\x80", "header: a number cut short"},
      {"HeaderGroupField", BigEndian(1) + "\x0b", "header: a field of wire type 3"},
      {"BlobWithoutData", header + Framed("OSMData", VarintField(2, 10)), ": no data"},
      {"TwoDataFields", header + Framed("OSMData", BytesField(1, block) + BytesField(1, block)), "more than one data field"},
      {"RawSizeZero", header + Framed("OSMData", VarintField(2, 0) + BytesField(3, Zlib(block))), "raw_size 0 is not"},
      {"RawSizeTooLarge", header + Framed("OSMData", VarintField(2, 33554433) + BytesField(3, Zlib(block))),
       "raw_size 33554433"},
      {"ZlibWithoutRawSize", header + Framed("OSMData", BytesField(3, Zlib(block))), "compressed data without its raw_size"},
      {"Lzma", header + Framed("OSMData", VarintField(2, 10) + BytesField(4, "lzma")), "compressed other than with zlib (field 4)"},
      {"ZlibDamaged", header + Framed("OSMData", VarintField(2, 100) + BytesField(3, "not zlib")), "does not inflate"},
      {"ZlibLongerThanRawSize",
       header + Framed("OSMData", VarintField(2, block.size() - 1) + BytesField(3, Zlib(block))), "does not inflate"},
      {"ZeroByteInRawStrings", header + Framed("OSMData", BytesField(1, nulBlock)), "string table: string 2 holds a zero byte"},
      {"ZeroByteInZlibStrings", header + Framed("OSMData", VarintField(2, nulBlock.size()) + BytesField(3, Zlib(nulBlock))),
       "string 2 holds a zero byte"},
      {"StringTablePastItsEnd", header + Framed("OSMData", BytesField(1, "\x0a\x05\x0a\x09highway")),
       "string table: a field runs past the end of the message"},
  };
  for (const Case& c : cases) {
    try {
      ReadOsmData(c.Bytes, "pbf");
      ADD_FAILURE() << c.Label << " was read";
    } catch (const DataError& error) {
      EXPECT_NE(std::string(error.what()).find(c.Message), std::string::npos) << c.Label << ": " << error.what();
    }
  }
  // A well-framed file of the same pieces is read.
  EXPECT_TRUE(ReadOsmData(header + Framed("OSMData", BytesField(1, block)), "pbf").Lines.empty());
  EXPECT_TRUE(
      ReadOsmData(header + Framed("OSMData", VarintField(2, block.size()) + BytesField(3, Zlib(block))), "pbf").Lines.empty());

  // A file is checked the same way, its name in the message.
  const std::filesystem::path file =
      std::filesystem::path(::testing::TempDir()) / ("quelmar-damaged-" + std::to_string(::getpid()) + ".osm.pbf");
  std::ofstream(file, std::ios::binary) << header + Framed("OSMData", BytesField(1, nulBlock));
  try {
    ReadOsmFile(file);
    ADD_FAILURE() << "a damaged file was read";
  } catch (const DataError& error) {
    EXPECT_EQ(std::string(error.what()).rfind(file.string() + ": blob 1 at byte", 0), 0u) << error.what();
  }
  std::filesystem::remove(file);
}

TEST(OsmFileReaderTest, TruncatedPbfGivesAnErrorOrFewerLines) {
  for (const char* compression : {"zlib", "none"}) {
    const std::string bytes = FixtureAsPbf(compression);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
      try {
        EXPECT_LE(ReadOsmData(std::string_view(bytes).substr(0, size), "pbf").Lines.size(), 1u) << size;
      } catch (const DataError&) {
      }
    }
  }
}

}  // namespace
}  // namespace quelmar::builder
