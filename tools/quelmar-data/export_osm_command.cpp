// export-osm INPUT [MEMBER...] -o OUT.osm: the road network of a drawing file
// or of archive members as OpenStreetMap XML. A drawing that cannot be read
// to its end is named on standard error and nothing is written: a partial
// network would route wrongly without saying so.
#include <iostream>
#include <memory>
#include <string>

#include "tools/quelmar-data/builder/output/osm_export.h"
#include "tools/quelmar-data/commands.h"

namespace quelmar::tools {

namespace {

int RunExport(const builder::OsmExportOptions& options) {
  try {
    const builder::OsmExportResult result = builder::ExportOsm(options);
    for (const std::string& problem : result.problems) {
      std::cerr << "quelmar-data export-osm: " << problem << "\n";
    }
    if (!result.problems.empty()) {
      std::cerr << "quelmar-data export-osm: " << options.output.string() << " not written\n";
      return 1;
    }
    std::cout << options.output.string() << ": " << result.ways << " ways, " << result.nodes << " nodes of "
              << result.drawings << (result.drawings == 1 ? " drawing\n" : " drawings\n");
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "quelmar-data export-osm: " << error.what() << "\n";
    return 1;
  }
}

}  // namespace

void AddExportOsmCommand(CLI::App& cli, int& exitCode) {
  auto options = std::make_shared<builder::OsmExportOptions>();
  CLI::App* command = cli.add_subcommand(
      "export-osm", "Write the road network of a drawing file (.DCM) or of archive members as OpenStreetMap XML");
  command->add_option("input", options->input, "A drawing file, layer archive or PKZIP file")->required();
  command->add_option("members", options->members,
                      "Members of the archive (names ignoring case, or the map's look-up key); all when none");
  command->add_option("-o,--output", options->output, "The OpenStreetMap XML file to write")->required();
  command->add_option("--street-version", options->streetVersion, "The street-data version street quads must have")
      ->capture_default_str();
  command->callback([options, &exitCode] { exitCode = RunExport(*options); });
}

}  // namespace quelmar::tools
