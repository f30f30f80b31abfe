#pragma once
// The --inputs and --reference options of the building subcommands.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <string>

namespace quelmar::tools {

struct InputFolders {
  std::string inputs;     // the fetched packages; default $QUELMAR_INPUTS, else ~/.cache/quelmar/inputs
  std::string reference;  // the reference tables; default the source tree's data/reference

  std::filesystem::path Inputs() const;
  std::filesystem::path Reference() const;
};

void AddInputOptions(CLI::App& command, InputFolders& folders);

}  // namespace quelmar::tools
