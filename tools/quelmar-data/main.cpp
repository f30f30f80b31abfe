// quelmar-data: reads, writes and inspects the map's data formats.
#include "tools/quelmar-data/commands.h"

int main(int argc, char** argv) {
  CLI::App cli{"quelmar-data: reads, writes and inspects the map's data formats"};
  cli.require_subcommand(1);
  int exitCode = 0;
  quelmar::tools::AddArchiveCommands(cli, exitCode);
  quelmar::tools::AddDumpCommand(cli, exitCode);
  quelmar::tools::AddSampleCommand(cli, exitCode);
  quelmar::tools::AddVerifyCommand(cli, exitCode);
  quelmar::tools::AddExportGeoJsonCommand(cli, exitCode);
  quelmar::tools::AddExportOsmCommand(cli, exitCode);
  quelmar::tools::AddBuildCommand(cli, exitCode);
  quelmar::tools::AddBaseMapCommand(cli, exitCode);
  quelmar::tools::AddFindCommands(cli, exitCode);
  CLI11_PARSE(cli, argc, argv);
  return exitCode;
}
