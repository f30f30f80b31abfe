// The seed corpus of the drawing reader's fuzz target: small files made by
// the writer, kept in tests/fuzz/corpus/drawing_reader_fuzz. The test checks
// that each seed still reads to its end record and is what the writer makes
// today; with QUELMAR_WRITE_DRAWING_SEEDS=1 in the environment it rewrites them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "control/data/drawing_reader.h"
#include "control/data/drawing_test_support.h"
#include "control/data/drawing_writer.h"

namespace quelmar::data {
namespace {

using testing::Finished;
using testing::kBase;
using testing::StartedWriter;

std::vector<std::uint8_t> RouteLabelSeed() {
  DrawingWriter w = StartedWriter();
  w.NameString("\x1D" "\x0F" "55/N \x10" "12/MAIN");
  w.NameString("A-3/CARRETERA 15");
  w.NameRef(1);
  w.Polyline(ObjectKind::Polyline14, AttributeCoding::None, PointCoding::Absolute, {}, kBase,
             std::vector<TMapPoint>{{kBase.X + 5, kBase.Y}, {kBase.X + 9, kBase.Y - 3}});
  w.Segment(AttributeCoding::None, PointCoding::Relative, {kBase, 4, 4, {}});
  w.GroupMark();
  w.NameRef(2);
  w.FeatureCode(3);
  w.Polyline(ObjectKind::Polyline15, AttributeCoding::None, PointCoding::Relative, {}, kBase,
             std::vector<TMapPoint>{{kBase.X + 200, kBase.Y}, {kBase.X + 300, kBase.Y}});
  w.FeatureCode(77);
  w.Polyline(ObjectKind::Polyline13, AttributeCoding::None, PointCoding::Relative, {}, kBase,
             std::vector<TMapPoint>{{kBase.X + 200, kBase.Y}});
  return Finished(w);
}

std::vector<std::uint8_t> BuiltInStyleSeed() {
  DrawingWriter w(400);
  w.Header({.Scaled = 1});
  w.Extents(kBase.X, kBase.X + 5000, kBase.Y, kBase.Y + 5000);
  w.FeatureCode(14);
  for (const ObjectKind kind : {ObjectKind::Polyline13, ObjectKind::Polyline14}) {
    for (const AttributeCoding coding : {AttributeCoding::None, AttributeCoding::Long}) {
      w.Polyline(kind, coding, PointCoding::Absolute, {}, kBase,
                 std::vector<TMapPoint>{{kBase.X + 32, kBase.Y - 64}, {kBase.X + 96, kBase.Y - 64}});
    }
  }
  w.Label(0x57, kBase, "/0");
  return Finished(w);
}

std::vector<std::uint8_t> SectionsSeed() {
  DrawingWriter w = StartedWriter();
  for (const std::uint8_t code : {2, 5, 6, 7}) {
    w.FeatureCode(code);
    w.Label(0x57, {0, kBase.Y}, "NAME");
  }
  w.NameString("OAK");
  w.NameRef(w.Objects());
  w.IndexList(std::vector<std::int32_t>(256, 1));  // skipped
  w.IndexList(std::vector<std::int32_t>{60601});
  w.Extents(kBase.X + 10, kBase.X, kBase.Y, kBase.Y + 10);
  w.NameString("ELM");
  w.ShortNameRef(1);
  w.SectionHeader('T');
  w.SectionHeader('S', 1, 2);
  w.Block(9, 1, 2, 3, 4, 5);
  w.Block(9, 0, 2, 3, 4, 5);
  w.NameRef(-1);
  return Finished(w);
}

std::vector<std::pair<std::string, std::vector<std::uint8_t>>> Seeds() {
  return {
      {"minimal.dcm", Finished(DrawingWriter())},
      {"every_kind.dcm", testing::EveryKindFile()},
      {"route_labels.dcm", RouteLabelSeed()},
      {"built_in_style.dcm", BuiltInStyleSeed()},
      {"sections.dcm", SectionsSeed()},
  };
}

TEST(DrawingSeeds, CorpusReadsToItsEndAndMatchesTheWriter) {
  const char* sourceDir = std::getenv("QUELMAR_TEST_SOURCE_DIR");
  if (sourceDir == nullptr) GTEST_SKIP() << "QUELMAR_TEST_SOURCE_DIR is not set";
  const std::filesystem::path dir = std::filesystem::path(sourceDir) / "tests/fuzz/corpus/drawing_reader_fuzz";
  const bool write = std::getenv("QUELMAR_WRITE_DRAWING_SEEDS") != nullptr;
  if (write) std::filesystem::create_directories(dir);

  for (const auto& [name, bytes] : Seeds()) {
    SCOPED_TRACE(name);
    std::vector<DrawingRecord> records;
    ReadDrawingOptions options;
    options.CollectRouteLabels = true;
    options.OnRecord = [&](const DrawingRecord& record) { records.push_back(record); };
    EXPECT_NO_THROW(testing::Read(bytes, options));
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().Opcode, 0x01);

    const std::filesystem::path path = dir / name;
    if (write) {
      std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<std::streamsize>(bytes.size()));
    }
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> stored{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(stored, bytes) << "rewrite the seeds with QUELMAR_WRITE_DRAWING_SEEDS=1";
  }
}

}  // namespace
}  // namespace quelmar::data
