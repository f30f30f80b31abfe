#include "control/core/trace_log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace quelmar::core {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TraceLog, AppendsLinesOnlyWhileOn) {
  const fs::path file = fs::temp_directory_path() / ("trace-" + std::to_string(::getpid()) + ".txt");
  TraceLog log;
  log.SetPath(file.string());
  EXPECT_TRUE(log.Write("-- Begin 2"));
  EXPECT_FALSE(fs::exists(file)) << "nothing is written while the switch is off";
  log.SetOn(true);
  EXPECT_TRUE(log.Write("-- Begin 2"));
  EXPECT_TRUE(log.Write("-- Print End"));
  EXPECT_EQ(Contents(file), "-- Begin 2\r\n-- Print End\r\n");
  fs::remove(file);
}

TEST(TraceLog, APathThatCannotBeWrittenIsReportedNotThrown) {
  TraceLog log;
  log.SetOn(true);
  log.SetPath("/nonexistent/folder/QUELMAR50.TXT");
  EXPECT_FALSE(log.Write("line"));
}

TEST(TraceLog, TheDefaultPathIsInTheWorkingFolderUnlessTheEnvironmentNamesOne) {
  ::unsetenv("QUELMAR_TRACE_LOG");
  EXPECT_EQ(TraceLog::DefaultPath("/work/"), "/work/QUELMAR50.TXT");
  ::setenv("QUELMAR_TRACE_LOG", "/tmp/mine.txt", 1);
  EXPECT_EQ(TraceLog::DefaultPath("/work/"), "/tmp/mine.txt");
  ::unsetenv("QUELMAR_TRACE_LOG");
}

}  // namespace
}  // namespace quelmar::core
