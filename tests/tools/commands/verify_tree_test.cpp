#include "tools/quelmar-data/builder/output/verify_tree.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <sstream>

#include "platform/kernel/test_files.h"
#include "tools/commands/tree_fixture.h"

namespace quelmar::builder {
namespace {

namespace fs = std::filesystem;
using quelmar::testing::ReadText;
using quelmar::testing::TempDir;
using quelmar::testing::WriteText;
using testing::GoodTree;
using testing::kChicago;
using testing::QuadNameAt;
using testing::SampleDrawing;
using testing::StreetMember;
using testing::TreeContents;

struct Report {
  int status = 0;
  std::string text;
};

Report Verify(const fs::path& dir, const VerifyOptions& options = {}) {
  std::ostringstream out;
  Report report;
  report.status = VerifyTree(dir, options, out);
  report.text = out.str();
  return report;
}

void FlipBits(const fs::path& file, std::size_t offset, std::uint8_t mask) {
  std::string bytes = ReadText(file);
  ASSERT_LT(offset, bytes.size());
  bytes[offset] = static_cast<char>(bytes[offset] ^ mask);
  WriteText(file, bytes);
}

TEST(DisplayName, EscapesWhatIsNotPrintable) {
  EXPECT_EQ(DisplayName("MAIN ST"), "MAIN ST");
  EXPECT_EQ(DisplayName(std::string_view("\x10"
                                         "66\0",
                                         4)),
            "\\x1066\\x00");
  EXPECT_EQ(DisplayName("A\\B\x7F\xE9"), "A\\x5CB\\x7F\\xE9");
}

TEST(VerifyTree, ReadsAGoodTreeAndCountsItsObjects) {
  TempDir dir;
  GoodTree().Write(dir.path());
  const Report report = Verify(dir.path());
  EXPECT_EQ(report.status, 0) << report.text;
  const std::string street = StreetMember(1, 17);
  for (const std::string& line : {
           std::string("MAP.INI: Data1Path DATA1 Data2Path DATA2 Data3Path DATA3 StatesPath STATES0\n"),
           std::string("TARVO.ZIP: PKZIP archive, 1 member\n  TARVO.DCM: records 9"),
           std::string("STATES0/17.ZP5: layer archive, 2 members\n"),
           "  " + street +
               ": records 9, objects 6: polylines 1, segments 1, places 0, labels 0, name strings 1, name refs 1, "
               "index lists 1, group marks 1, blocks 0\n"
               "    names: 1 distinct: \"MAIN\"\n"
               "    extents: lon -87.630016 to -87.374016, lat 41.880000 to 42.136000\n",
           "DATA1/mstate.zpx: layer archive, 1 member\n  " + QuadNameAt(data::QuadGrid::Overview) + "95: ",
           std::string("DATA3: 0 files\n"),
           std::string("totals: 12 archives, 13 members, 117 records, 78 objects, 0 problems\n"),
       }) {
    EXPECT_NE(report.text.find(line), std::string::npos) << "missing: " << line << "\nin:\n" << report.text;
  }
  EXPECT_EQ(report.text.find("problem:"), std::string::npos) << report.text;
}

TEST(VerifyTree, FindsFoldersByAbsoluteOrBackslashedPathsInAnyCase) {
  TempDir dir;
  TreeContents tree = GoodTree();
  tree.mapIni = "[application interface]\nData1Path=" + (dir.path() / "DATA1").string() +
                "\\\nData2Path=.\\data2\\\nData3Path=Data3\nStatesPath=states0\\\n";
  tree.Write(dir.path());
  const Report report = Verify(dir.path());
  EXPECT_EQ(report.status, 0) << report.text;
  EXPECT_NE(report.text.find("totals: 12 archives, 13 members"), std::string::npos) << report.text;
}

// Every damage the verifier knows, each made to the good tree: before it is
// written (`contents`) or to its files (`files`).
struct Damage {
  const char* what;
  std::function<void(TreeContents&)> contents;
  std::function<void(const fs::path&)> files;
  std::string expected;  // in the report's list of problems
};

std::vector<std::uint8_t> WithInvalidOpcode() {
  std::vector<std::uint8_t> bytes = SampleDrawing(kChicago, false);
  bytes.push_back(0x0C);
  bytes.push_back(0x01);
  return bytes;
}

TEST(VerifyTree, ReportsEveryKindOfDamageAndExitsWithOne) {
  const std::string street = StreetMember(1, 17);
  const std::string overview = QuadNameAt(data::QuadGrid::Overview);
  const std::vector<Damage> damages = {
      {"a truncated member",
       [](TreeContents& t) { t.archives["STATES0/17.ZP5"].members[0].second = SampleDrawing(kChicago, false); },
       nullptr, "STATES0/17.ZP5: " + street + ": reading stopped after 8 records: "},
      {"an invalid opcode",
       [](TreeContents& t) { t.archives["STATES0/17.ZP5"].members[0].second = WithInvalidOpcode(); }, nullptr,
       "reading stopped after 8 records: invalid drawing record opcode 0x0C"},
      {"a corrupt archive index", nullptr,
       [](const fs::path& d) {
         FlipBits(d / "DATA1/Mcity.zpx", 1, 0x80);  // the entry count's sign
       },
       "DATA1/Mcity.zpx: the layer index has a negative count"},
      {"a missing archive", [](TreeContents& t) { t.archives.erase("DATA1/Mair.zpx"); }, nullptr,
       "DATA1/Mair.zpx: missing"},
      {"an index count cut to 0 over its members", nullptr,
       [](const fs::path& d) {
         std::string bytes = ReadText(d / "DATA1/Mcity.zpx");
         bytes[0] = bytes[1] = 0;
         WriteText(d / "DATA1/Mcity.zpx", bytes);
       },
       "DATA1/Mcity.zpx: the index lists no members, but members follow it"},
      {"a street archive that is a folder", nullptr,
       [](const fs::path& d) { fs::create_directory(d / "STATES0/06.ZP5"); },
       "STATES0/06.ZP5: is not a regular file"},
      {"a street archive that is a FIFO", nullptr,
       [](const fs::path& d) { ASSERT_EQ(::mkfifo((d / "STATES0/26.ZP5").c_str(), 0600), 0); },
       "STATES0/26.ZP5: is not a regular file"},
      {"a CRC mismatch", nullptr, [](const fs::path& d) { FlipBits(d / "HMAP.ZIP", 14, 0xFF); },
       "HMAP.ZIP: HTOTAL.DCM: CRC mismatch: the header says 0x"},
      // The uncompressed size, below 256, gains 256.
      {"a member shorter than its size", nullptr, [](const fs::path& d) { FlipBits(d / "TARVO.ZIP", 23, 0x01); },
       "TARVO.ZIP: TARVO.DCM: does not decompress: "},
      {"a refused street quad",
       [](TreeContents& t) { t.archives["STATES0/17.ZP5"].members[1].second = SampleDrawing(kChicago, true, 400); },
       nullptr, "refused: a street quad of data version 400 where 402 is expected"},
      {"a street member of another state",
       [](TreeContents& t) { t.archives["STATES0/17.ZP5"].members[0].first = StreetMember(1, 6); }, nullptr,
       StreetMember(1, 6) + ": state code 06 in the archive of state 17"},
      {"a quad member of another layer",
       [&](TreeContents& t) { t.archives["DATA1/mstate.zpx"].members[0].first = overview + "98"; }, nullptr,
       "DATA1/mstate.zpx: " + overview + "98: not a M quad name followed by 95"},
      {"a lower-case member name",
       [&](TreeContents& t) {
         t.archives["DATA1/mrte.zpx"].members[0].first = "g" + QuadNameAt(data::QuadGrid::Network).substr(1);
       },
       nullptr, "the name has lower-case letters"},
      {"two members under one look-up key",
       [&](TreeContents& t) {
         t.archives["STATES0/17.ZP5"].members.push_back({street + ".DCM", SampleDrawing()});
       },
       nullptr, street + ".DCM: the map cannot reach it: " + street + " has the same look-up key"},
      {"a built-in archive whose first member is another",
       [](TreeContents& t) {
         t.archives["TARVO.ZIP"].members.insert(t.archives["TARVO.ZIP"].members.begin(),
                                                {"README.DCM", SampleDrawing()});
       },
       nullptr, "TARVO.ZIP: the map reads its first stored or imploded member, README.DCM, not TARVO.DCM"},
      {"an unsorted layer index", nullptr,
       [](const fs::path& d) {
         // Swaps the two 8-character names of the index.
         std::string bytes = ReadText(d / "STATES0/17.ZP5");
         std::swap_ranges(bytes.begin() + 3, bytes.begin() + 11, bytes.begin() + 20);
         WriteText(d / "STATES0/17.ZP5", bytes);
       },
       "STATES0/17.ZP5: the index is not sorted"},
      {"MAP.INI without a key",
       [](TreeContents& t) {
         t.mapIni = "[Application Interface]\nData1Path=DATA1\nData2Path=DATA2\nData3Path=DATA3\n";
       },
       nullptr, "MAP.INI: has no StatesPath in [Application Interface]"},
      {"a folder MAP.INI names that is missing",
       [](TreeContents& t) {
         t.archives.erase("DATA2/Mland.zpx");
         t.folders.erase(std::find(t.folders.begin(), t.folders.end(), "DATA2"));
       },
       nullptr, "MAP.INI: Data2Path names DATA2, which is no folder"},
      {"no MAP.INI", nullptr, [](const fs::path& d) { fs::remove(d / "MAP.INI"); },
       "MAP.INI: missing, so the data folders are unknown"},
      {"no street archives",
       [](TreeContents& t) {
         t.archives.erase("STATES0/17.ZP5");
         t.archives.erase("STATES0/02.ZP5");
       },
       nullptr, "STATES0: holds no street archive (NN.ZP5)"},
      {"a street archive the map never reads",
       [](TreeContents& t) {
         t.archives["STATES0/99.ZP5"] = testing::LayerArchive({{StreetMember(1, 99), SampleDrawing()}});
       },
       nullptr, "STATES0/99.ZP5: the map reads no street archive of state code 99"},
  };
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.what);
    TempDir dir;
    TreeContents tree = GoodTree();
    if (damage.contents) damage.contents(tree);
    tree.Write(dir.path());
    if (damage.files) damage.files(dir.path());
    core::CountingProblemReporter reporter;
    VerifyOptions options;
    options.problems = &reporter;
    const Report report = Verify(dir.path(), options);
    EXPECT_EQ(report.status, 1);
    EXPECT_GT(reporter.Count(), 0) << "the problems reach the reporter too";
    EXPECT_NE(report.text.find("problems (" + std::to_string(reporter.Count()) + "):"), std::string::npos)
        << "each of them once";
    const std::size_t list = report.text.find("\nproblems (");
    ASSERT_NE(list, std::string::npos) << report.text;
    EXPECT_NE(report.text.find(damage.expected, list), std::string::npos)
        << "expected: " << damage.expected << "\nin:\n"
        << report.text;
  }
}

TEST(VerifyTree, AMissingTreeIsAProblem) {
  TempDir dir;
  const Report report = Verify(dir / "nowhere");
  EXPECT_EQ(report.status, 1);
  EXPECT_NE(report.text.find("nowhere: no such folder"), std::string::npos) << report.text;
}

// 25 members in 17.ZP5: five street quads of five members each.
TreeContents TreeWithLargeStateArchive() {
  TreeContents tree = GoodTree();
  auto& members = tree.archives["STATES0/17.ZP5"].members;
  members.clear();
  for (int quad = 0; quad < 5; ++quad) {
    const data::TMapPoint point{kChicago.X + quad * 5000, kChicago.Y};
    for (int sub = 0; sub <= 4; ++sub) members.push_back({StreetMember(sub, 17, point), SampleDrawing(point)});
  }
  return tree;
}

TEST(VerifyTree, SumsLargeArchivesUnlessAskedForEveryMember) {
  TempDir dir;
  TreeWithLargeStateArchive().Write(dir.path());
  struct Case {
    VerifyOptions::Detail detail;
    std::size_t memberLines;  // of 17.ZP5
    bool summed;
  };
  for (const Case& c : {Case{VerifyOptions::Detail::kAuto, 0, true}, Case{VerifyOptions::Detail::kSummary, 0, true},
                        Case{VerifyOptions::Detail::kMembers, 25, false}}) {
    SCOPED_TRACE(static_cast<int>(c.detail));
    VerifyOptions options;
    options.detail = c.detail;
    const Report report = Verify(dir.path(), options);
    EXPECT_EQ(report.status, 0) << report.text;
    std::size_t memberLines = 0;
    for (std::size_t at = report.text.find("\n  Y"); at != std::string::npos; at = report.text.find("\n  Y", at + 1)) {
      ++memberLines;
    }
    EXPECT_EQ(memberLines, c.memberLines);
    const std::size_t summed = report.text.find(
        "STATES0/17.ZP5: layer archive, 25 members\n  all 25 members: records 225, "
        "objects 150");
    EXPECT_EQ(summed != std::string::npos, c.summed) << report.text;
  }
  // Small archives are listed member by member unless a summary is asked for.
  VerifyOptions summary;
  summary.detail = VerifyOptions::Detail::kSummary;
  EXPECT_NE(Verify(dir.path(), summary).text.find("DATA1/mstate.zpx: layer archive, 1 member\n  1 member: "),
            std::string::npos);
}

TEST(VerifyTree, ShowsTheFirstNamesAndCountsTheDistinctOnes) {
  TempDir dir;
  TreeContents tree = GoodTree();
  data::DrawingWriter w;
  w.Extents(kChicago.X, kChicago.X + 100, kChicago.Y, kChicago.Y + 100);
  for (const char* name : {"OAK", "ELM", "OAK",
                           "\x10"
                           "66",
                           "PINE"})
    w.NameString(name);
  w.End();
  tree.archives["STATES0/17.ZP5"].members[0].second = w.Bytes();
  tree.Write(dir.path());
  VerifyOptions options;
  options.names = 3;
  const Report report = Verify(dir.path(), options);
  EXPECT_EQ(report.status, 0) << report.text;
  EXPECT_NE(report.text.find("names: 4 distinct: \"OAK\", \"ELM\", \"US HWY 66\", ...\n"), std::string::npos)
      << report.text;
}

// Where the last member's data ends: the map needs nothing after it (the
// central directory), so only cuts before it must be problems.
std::uint64_t MembersEnd(const std::string& archive, bool layer) {
  data::MemoryArchiveInput input(std::span(reinterpret_cast<const std::uint8_t*>(archive.data()), archive.size()));
  std::vector<std::uint64_t> headers = {0};
  if (layer) {
    const data::LayerIndex index = data::LayerIndex::Read(input);
    headers.clear();
    for (std::size_t i = 0; i < index.Entries().size(); ++i) headers.push_back(index.LocalHeaderOffset(i));
  }
  std::uint64_t end = 0;
  for (const std::uint64_t offset : headers) end = std::max(end, data::ReadLocalHeader(input, offset)->DataEnd());
  return end;
}

// Every prefix of an archive gives a report, never a crash.
TEST(VerifyTree, SurvivesArchivesTruncatedAtEveryByte) {
  TempDir dir;
  GoodTree().Write(dir.path());
  for (const auto& [archive, layer] : {std::pair{"TARVO.ZIP", false}, std::pair{"STATES0/17.ZP5", true}}) {
    const fs::path file = dir / archive;
    const std::string whole = ReadText(file);
    const std::uint64_t membersEnd = MembersEnd(whole, layer);
    for (std::size_t size = 0; size < whole.size(); ++size) {
      WriteText(file, whole.substr(0, size));
      const Report report = Verify(dir.path());
      if (size < membersEnd) {
        EXPECT_EQ(report.status, 1) << archive << " cut at " << size;
      }
    }
    WriteText(file, whole);
    EXPECT_EQ(Verify(dir.path()).status, 0);
  }
}

}  // namespace
}  // namespace quelmar::builder
