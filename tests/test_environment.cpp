// Every test program starts with the locations the build knows: where the
// sources, the build and the fetched inputs are. A variable already set in
// the environment wins, so a test can be pointed elsewhere by hand.
//
// Each test process also runs in a working folder of its own, removed when
// it ends: a control keeps its configuration file and its autoload files in
// the working folder, and two tests running at once must not share them.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

std::string& OwnFolder() {
  static std::string folder;
  return folder;
}

void RemoveOwnFolder() {
  std::error_code ec;
  std::filesystem::current_path(std::filesystem::temp_directory_path(ec), ec);
  if (!OwnFolder().empty()) std::filesystem::remove_all(OwnFolder(), ec);
}

const bool kEnvironmentSet = [] {
  ::setenv("QUELMAR_TEST_SOURCE_DIR", QUELMAR_TEST_SOURCE_DIR, 0);
  ::setenv("QUELMAR_TEST_BINARY_DIR", QUELMAR_TEST_BINARY_DIR, 0);
  if (*QUELMAR_TEST_INPUTS) ::setenv("QUELMAR_INPUTS", QUELMAR_TEST_INPUTS, 0);
  std::error_code ec;
  std::string pattern = (std::filesystem::temp_directory_path(ec) / "quelmar-test-XXXXXX").string();
  if (!ec && ::mkdtemp(pattern.data()) && ::chdir(pattern.c_str()) == 0) {
    OwnFolder() = pattern;
    std::atexit(RemoveOwnFolder);
  }
  return true;
}();

}  // namespace
