// export-geojson INPUT [MEMBER...] -o OUT.geojson [--layer L]...: the objects
// of a drawing file or of archive members as one GeoJSON FeatureCollection.
// Drawings that cannot be read to their end are written as far as they were
// read, named on standard error, and make the exit status 1.
#include <iostream>
#include <memory>
#include <string>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/output/geojson_export.h"
#include "tools/quelmar-data/commands.h"

namespace quelmar::tools {

namespace {

struct ExportArguments {
  std::string input;
  std::vector<std::string> members;
  std::string output;
  std::vector<int> layers;
  std::int32_t streetVersion = data::kDefaultStreetVersion;
};

int RunExport(const ExportArguments& arguments) {
  builder::GeoJsonOptions options;
  options.input = arguments.input;
  options.members = arguments.members;
  options.output = arguments.output;
  options.layers = arguments.layers;
  options.streetVersion = arguments.streetVersion;
  try {
    const builder::GeoJsonResult result = builder::ExportGeoJson(options);
    for (const std::string& problem : result.problems) {
      std::cerr << "quelmar-data export-geojson: " << problem << "\n";
    }
    std::cout << options.output.string() << ": " << result.features << " features of " << result.drawings
              << (result.drawings == 1 ? " drawing\n" : " drawings\n");
    return result.problems.empty() ? 0 : 1;
  } catch (const std::exception& error) {
    std::cerr << "quelmar-data export-geojson: " << error.what() << "\n";
    return 1;
  }
}

}  // namespace

void AddExportGeoJsonCommand(CLI::App& cli, int& exitCode) {
  auto arguments = std::make_shared<ExportArguments>();
  CLI::App* command = cli.add_subcommand("export-geojson",
                                         "Write the objects of a drawing file (.DCM) or of archive members as GeoJSON");
  command->add_option("input", arguments->input, "A drawing file, layer archive or PKZIP file")->required();
  command->add_option("members", arguments->members,
                      "Members of the archive (names ignoring case, or the map's look-up key); all when none");
  command->add_option("-o,--output", arguments->output, "The GeoJSON file to write")->required();
  command->add_option("--layer", arguments->layers, "Keep only objects on this layer (0..33); may be repeated")
      ->check(CLI::Range(0, 33))
      ->allow_extra_args(false);  // one layer per --layer, so members after it stay members
  command->add_option("--street-version", arguments->streetVersion, "The street-data version street quads must have")
      ->capture_default_str();
  command->callback([arguments, &exitCode] { exitCode = RunExport(*arguments); });
}

}  // namespace quelmar::tools
