#include "tools/quelmar-data/input_folders.h"

#include <cstdlib>

namespace quelmar::tools {

std::filesystem::path InputFolders::Inputs() const {
  if (!inputs.empty()) return inputs;
  if (const char* env = std::getenv("QUELMAR_INPUTS"); env && *env) return env;
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home ? home : ".") / ".cache" / "quelmar" / "inputs";
}

std::filesystem::path InputFolders::Reference() const {
  if (!reference.empty()) return reference;
  return std::filesystem::path(QUELMAR_SOURCE_DIR) / "data" / "reference";
}

void AddInputOptions(CLI::App& command, InputFolders& folders) {
  command.add_option("--inputs", folders.inputs,
                     "the fetched input packages (default $QUELMAR_INPUTS, else ~/.cache/quelmar/inputs)");
  command.add_option("--reference", folders.reference,
                     "the reference tables (default the source tree's data/reference)");
}

}  // namespace quelmar::tools
