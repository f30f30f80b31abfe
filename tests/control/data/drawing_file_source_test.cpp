// FileSource: drawing files read from disk through its fixed buffer.
#include "control/data/file_source.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "control/core/errors.h"
#include "control/data/archive_input.h"
#include "control/data/drawing_reader.h"
#include "control/data/drawing_test_support.h"

namespace quelmar::data {
namespace {

namespace fs = std::filesystem;

class DrawingFileSource : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quelmar_drawing_file_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  fs::path dir_;
};

TEST_F(DrawingFileSource, ReadsAFileLargerThanItsBufferAsMemoryWould) {
  DrawingWriter writer = testing::StartedWriter();
  for (int i = 0; writer.Bytes().size() < 3 * FileSource::kBufferSize + 17; ++i) {
    writer.NameString(std::string(1 + i % 250, static_cast<char>('A' + i % 26)));
    writer.Polyline(ObjectKind::Polyline14, AttributeCoding::None, PointCoding::Relative, {}, testing::kBase,
                    std::vector<TMapPoint>(i % 40, testing::kBase));
  }
  const std::vector<std::uint8_t> bytes = testing::Finished(writer);
  const std::string path = Write("BIG.DCM", bytes);

  FileSource source(path);
  EXPECT_EQ(source.Length(), bytes.size());
  Drawing fromFile;
  const std::int32_t records = ReadDrawing(source, fromFile);
  EXPECT_EQ(source.Position(), bytes.size());
  const Drawing fromMemory = testing::Read(bytes);
  EXPECT_EQ(records, fromMemory.File().Records);
  EXPECT_EQ(fromFile.Objects(), fromMemory.Objects());
}

TEST_F(DrawingFileSource, ReadsInPiecesOfAnySize) {
  std::vector<std::uint8_t> bytes(FileSource::kBufferSize * 2 + 5);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  FileSource source(Write("RAW.BIN", bytes));
  std::vector<std::uint8_t> read;
  std::uint8_t piece[1000];
  for (std::size_t want = 1; std::size_t n = source.Read(std::span(piece, want % 1000 + 1)); ++want) {
    read.insert(read.end(), piece, piece + n);
  }
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(source.Read(piece), 0u) << "0 at the end, again";
}

TEST_F(DrawingFileSource, FilesThatCannotBeReadThrowIoError) {
  EXPECT_THROW(FileSource((dir_ / "MISSING.DCM").string()), IoError);
  EXPECT_THROW(FileSource(dir_.string()), IoError) << "a folder";
}

// A FIFO, a device or a link to one is no drawing file or archive: both
// readers refuse it at once instead of waiting for a writer or reading forever.
TEST_F(DrawingFileSource, FifosAndDevicesAreRefusedWithoutWaiting) {
  ASSERT_EQ(::mkfifo((dir_ / "FIFO.DCM").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", dir_ / "ZERO.ZPX");
  for (const char* name : {"FIFO.DCM", "ZERO.ZPX"}) {
    EXPECT_THROW(FileSource((dir_ / name).string()), IoError) << name;
    EXPECT_THROW(FileArchiveInput(dir_ / name), IoError) << name;
  }
}

}  // namespace
}  // namespace quelmar::data
