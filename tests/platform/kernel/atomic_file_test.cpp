#include "platform/kernel/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

#include "platform/kernel/test_files.h"

namespace quelmar::kernel {
namespace {

using quelmar::testing::FileCount;
using quelmar::testing::ReadText;
using quelmar::testing::ScopedFileSizeLimit;
using quelmar::testing::TempDir;
using quelmar::testing::WriteText;

TEST(KernelAtomicFileTest, WritesNewAndReplacesOldFiles) {
  TempDir dir;
  const auto path = dir / "user.dat";
  ASSERT_TRUE(WriteFileAtomically(path, "first"));
  EXPECT_EQ(ReadText(path), "first");
  ASSERT_TRUE(WriteFileAtomically(path, std::string("second\0with nul", 15)));
  EXPECT_EQ(ReadText(path), std::string("second\0with nul", 15));
  EXPECT_EQ(FileCount(dir.path()), 1u);  // no temporary file left behind
}

TEST(KernelAtomicFileTest, KeepsPermissionBitsOfTheOldFile) {
  TempDir dir;
  const auto path = dir / "private.ini";
  WriteText(path, "old");
  ASSERT_EQ(chmod(path.c_str(), 0600), 0);
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(KernelAtomicFileTest, ReplacesTheTargetOfASymbolicLink) {
  TempDir dir;
  const auto target = dir / "real.ini";
  const auto link = dir / "link.ini";
  WriteText(target, "old");
  std::filesystem::create_symlink(target, link);
  ASSERT_TRUE(WriteFileAtomically(link, "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadText(target), "new");
}

// Whatever step fails, the old file stays whole and no temporary remains.
TEST(KernelAtomicFileTest, FailedWriteKeepsTheOldFile) {
  TempDir dir;
  const auto path = dir / "user.dat";
  WriteText(path, "precious");
  bool saved = true;
  std::error_code error;
  {
    ScopedFileSizeLimit limit(4);  // the new text cannot be written
    saved = WriteFileAtomically(path, std::string(100, 'x'), &error);
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(error, std::errc::file_too_large);
  EXPECT_EQ(ReadText(path), "precious");
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

TEST(KernelAtomicFileTest, UnwritableFolderKeepsTheOldFile) {
  TempDir dir;
  const auto path = dir / "user.dat";
  WriteText(path, "precious");
  ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
  if (access(dir.path().c_str(), W_OK) == 0) GTEST_SKIP() << "permission bits do not bind this process";
  std::error_code error;
  EXPECT_FALSE(WriteFileAtomically(path, "replacement", &error));
  EXPECT_EQ(error, std::errc::permission_denied);
  EXPECT_EQ(ReadText(path), "precious");
}

TEST(KernelAtomicFileTest, MissingFolderFails) {
  TempDir dir;
  std::error_code error;
  EXPECT_FALSE(WriteFileAtomically(dir / "no/such/folder/file", "x", &error));
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

TEST(KernelAtomicFileTest, ReadWholeFileReportsWhyItFailed) {
  TempDir dir;
  std::string text = "unchanged";
  std::error_code error;
  EXPECT_FALSE(ReadWholeFile(dir / "absent", &text, &error));
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
  EXPECT_FALSE(ReadWholeFile(dir.path(), &text, &error));
  EXPECT_EQ(error, std::errc::is_a_directory);
  EXPECT_EQ(text, "unchanged");

  WriteText(dir / "f", "abc");
  EXPECT_TRUE(ReadWholeFile(dir / "f", &text));
  EXPECT_EQ(text, "abc");
}

// Only a regular file is replaced by a rename: a character device is written
// straight and stays what it is, a FIFO is written into for its reader, and
// a folder is refused.
TEST(KernelAtomicFileTest, SpecialFilesAreWrittenIntoOrRefusedNeverReplaced) {
  TempDir dir;
  std::filesystem::create_symlink("/dev/null", dir / "null");
  EXPECT_TRUE(WriteFileAtomically(dir / "null", "discarded"));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null")) << "the device is still a device";
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "null"));

  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = ReadText(dir / "fifo"); });
  // ReadWholeFile refuses FIFOs; the reader reads it as a stream.
  EXPECT_TRUE(WriteFileAtomically(dir / "fifo", "through the pipe"));
  reader.join();
  EXPECT_EQ(received, "through the pipe");
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "fifo"));

  std::filesystem::create_directory(dir / "folder");
  std::error_code error;
  EXPECT_FALSE(WriteFileAtomically(dir / "folder", "x", &error));
  EXPECT_EQ(error, std::errc::is_a_directory);
}

// Only regular files are read: a FIFO is refused at once (no wait for a
// writer), and a link to an endless device never grows the text.
TEST(KernelAtomicFileTest, ReadWholeFileRefusesFifosAndDevices) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir / "zero");
  for (const char* name : {"fifo", "zero"}) {
    std::string text = "unchanged";
    std::error_code error;
    EXPECT_FALSE(ReadWholeFile(dir / name, &text, &error)) << name;
    EXPECT_EQ(error, std::errc::invalid_argument) << name;
    EXPECT_EQ(text, "unchanged") << name;
  }
}

}  // namespace
}  // namespace quelmar::kernel
