// Every test program starts with the locations the build knows: where the
// sources, the build and the fetched inputs are. A variable already set in
// the environment wins, so a test can be pointed elsewhere by hand.
#include <cstdlib>

namespace {

const bool kEnvironmentSet = [] {
  ::setenv("QUELMAR_TEST_SOURCE_DIR", QUELMAR_TEST_SOURCE_DIR, 0);
  ::setenv("QUELMAR_TEST_BINARY_DIR", QUELMAR_TEST_BINARY_DIR, 0);
  if (*QUELMAR_TEST_INPUTS) ::setenv("QUELMAR_INPUTS", QUELMAR_TEST_INPUTS, 0);
  return true;
}();

}  // namespace
