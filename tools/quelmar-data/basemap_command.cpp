// build-basemap: writes only the two built-in archives, TARVO.ZIP and
// HMAP.ZIP, which the control's library embeds.
#include <filesystem>
#include <iostream>

#include "tools/quelmar-data/builder/inputs/national_inputs.h"
#include "tools/quelmar-data/builder/output/geometry.h"
#include "tools/quelmar-data/builder/output/map_tree.h"
#include "tools/quelmar-data/commands.h"
#include "tools/quelmar-data/input_folders.h"

namespace quelmar::tools {

void AddBaseMapCommand(CLI::App& cli, int& exitCode) {
  static InputFolders folders;
  static std::string output;
  CLI::App* base = cli.add_subcommand("build-basemap", "Write only the built-in TARVO.ZIP and HMAP.ZIP");
  base->add_option("-o,--output", output, "folder for the two archives")->required();
  AddInputOptions(*base, folders);
  base->callback([&exitCode] {
    try {
      builder::NationalInputs national = builder::LoadNationalInputs(folders.Inputs(), folders.Reference());
      builder::DropEastOfAntimeridian(national);
      std::filesystem::create_directories(output);
      builder::TreeReport report;
      builder::WriteBuiltInArchives(national, output, report);
      std::cout << "TARVO.ZIP " << report.BaseMapBytes << " bytes, HMAP.ZIP " << report.NetworkBytes << " bytes\n";
    } catch (const std::exception& e) {
      std::cerr << "quelmar-data build-basemap: " << e.what() << "\n";
      exitCode = 1;
    }
  });
}

}  // namespace quelmar::tools
