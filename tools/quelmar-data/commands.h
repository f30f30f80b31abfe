#pragma once
// The subcommands of quelmar-data. Each Add function declares its options on
// the program and sets `exitCode` when the subcommand runs.
#include <CLI/CLI.hpp>

namespace quelmar::tools {

// list ARCHIVE, cat ARCHIVE MEMBER, pack [--implode] -o ARCHIVE FILE...
void AddArchiveCommands(CLI::App& cli, int& exitCode);
// dump FILE.DCM
void AddDumpCommand(CLI::App& cli, int& exitCode);
// sample-basemap -o DIR
void AddSampleCommand(CLI::App& cli, int& exitCode);
// verify DIR [--names N] [--summary | --members]
void AddVerifyCommand(CLI::App& cli, int& exitCode);
// export-geojson INPUT [MEMBER...] -o OUT.geojson [--layer L]...
void AddExportGeoJsonCommand(CLI::App& cli, int& exitCode);
// export-osm INPUT [MEMBER...] -o OUT.osm
void AddExportOsmCommand(CLI::App& cli, int& exitCode);
// build -o DIR [--streets DIR] [--osm FILE:STATE] [--tiger EDGES[,ADDRFEAT]:STATE] [--synthetic]
void AddBuildCommand(CLI::App& cli, int& exitCode);
// build-basemap -o DIR: the two built-in archives from the public inputs
void AddBaseMapCommand(CLI::App& cli, int& exitCode);
// find-zip TREE ZIP, find-city TREE PLACE, find-phone TREE NUMBER
void AddFindCommands(CLI::App& cli, int& exitCode);

}  // namespace quelmar::tools
