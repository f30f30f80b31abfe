// build: the map's whole data tree (builder/output/map_tree.h) from the
// fetched public inputs, the real street samples, and any OpenStreetMap or
// TIGER/Line files the user brings.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "control/core/errors.h"
#include "tools/quelmar-data/builder/inputs/national_inputs.h"
#include "tools/quelmar-data/builder/output/geometry.h"
#include "tools/quelmar-data/builder/output/map_tree.h"
#include "tools/quelmar-data/builder/relief/relief_underlay.h"
#include "tools/quelmar-data/builder/streets/osm_file_reader.h"
#include "tools/quelmar-data/builder/streets/street_network.h"
#include "tools/quelmar-data/builder/streets/street_samples.h"
#include "tools/quelmar-data/builder/streets/synthetic_streets.h"
#include "tools/quelmar-data/builder/streets/tiger_reader.h"
#include "tools/quelmar-data/builder/zip_centroids.h"
#include "tools/quelmar-data/commands.h"
#include "tools/quelmar-data/input_folders.h"

namespace quelmar::tools {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct BuildArguments {
  std::string output;
  InputFolders folders;
  std::string streets;                // a folder laid out as the test data's streets folder
  std::vector<std::string> osm;       // FILE:STATE
  std::vector<std::string> tiger;     // EDGES.shp[,ADDRFEAT.dbf]:STATE
  bool synthetic = false;
};

class ProgressLog {
 public:
  void operator()(const std::string& step) const {
    const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    std::fprintf(stderr, "[%6.1f s] %s\n", seconds, step.c_str());
  }

 private:
  Clock::time_point start_ = Clock::now();
};

// "FILE:STATE" → the file and the state's FIPS number.
std::pair<std::string, int> FileAndState(const std::string& value, const char* option) {
  const auto colon = value.rfind(':');
  int state = 0;
  if (colon != std::string::npos) {
    try {
      state = std::stoi(value.substr(colon + 1));
    } catch (const std::exception&) {
      state = 0;
    }
  }
  if (colon == std::string::npos || state < 1 || state > 78) {
    throw ArgumentError(std::string(option) + " takes FILE:STATE with the state's FIPS number, not \"" + value + "\"");
  }
  return {value.substr(0, colon), state};
}

builder::StreetSample SampleOf(builder::RawStreets raw, int state, const std::string& source) {
  builder::StreetSample sample;
  sample.Source = source;
  sample.StateFips = state;
  sample.Segments = builder::BuildStreetNetwork(std::move(raw.Lines), raw.Labels);
  sample.Addresses = std::move(raw.Addresses);
  sample.Landmarks = std::move(raw.Landmarks);
  return sample;
}

int RunBuild(const BuildArguments& args) {
  const ProgressLog progress;
  const fs::path inputs = args.folders.Inputs();
  progress("reading the national inputs in " + inputs.string());
  builder::NationalInputs national = builder::LoadNationalInputs(inputs, args.folders.Reference());
  builder::DropEastOfAntimeridian(national);
  progress("reading and noding the street samples");
  const builder::StreetSampleFiles files =
      args.streets.empty() ? builder::SampleFilesInInputs(inputs) : builder::SampleFilesIn(args.streets);
  std::vector<builder::StreetSample> streets = builder::LoadStreetSamples(files);
  for (const std::string& value : args.osm) {
    const auto [file, state] = FileAndState(value, "--osm");
    progress("reading " + file);
    streets.push_back(SampleOf(builder::ReadOsmFile(file), state, file));
  }
  for (const std::string& value : args.tiger) {
    auto [files, state] = FileAndState(value, "--tiger");
    const auto comma = files.find(',');
    const std::string edges = files.substr(0, comma);
    const std::string ranges = comma == std::string::npos ? "" : files.substr(comma + 1);
    progress("reading " + edges);
    streets.push_back(SampleOf(builder::ReadTigerEdges(edges, ranges), state, edges));
  }
  if (args.synthetic) {
    progress("generating a synthetic street grid");
    builder::SyntheticStreetOptions options;
    options.StateFips = 20;  // the grid's default centre lies in Kansas
    streets.push_back(builder::MakeSyntheticStreets(options));
  }
  const builder::ZipCentroids zips = builder::ZipCentroids::Load(inputs / "npm" / "zipcodes");
  const builder::TreeReport report = builder::WriteMapTree(
      national, streets, zips, args.output, [&](const std::string& s) { progress("writing " + s); },
      [&](const fs::path& tree) {
        progress("writing UNDERLAY/usrelief.bmp");
        fs::create_directories(tree / "UNDERLAY");
        builder::WriteReliefUnderlay(inputs, tree / "UNDERLAY");
      });
  progress("done");

  std::printf("%-22s %12s %9s %10s\n", "file", "bytes", "members", "segments");
  std::printf("%-22s %12ju\n", builder::kBaseMapArchive, report.BaseMapBytes);
  std::printf("%-22s %12ju\n", builder::kNetworkArchive, report.NetworkBytes);
  for (const auto& a : report.Overview) {
    std::printf("%-22s %12ju %9zu\n", (a.Folder + "/" + a.Name).c_str(), a.Bytes, a.Members);
  }
  for (const auto& a : report.Streets) {
    std::printf("%-22s %12ju %9zu %10zu\n", ("STATES0/" + a.Name).c_str(), a.Bytes, a.Members, a.Segments);
  }
  std::printf("states %zu, counties %zu, places %zu, airports %zu, highway routes %zu\n", national.States.size(),
              national.Counties.size(), national.Places.size(), national.Airports.size(), national.Highways.size());
  for (const builder::StreetSample& s : streets) {
    std::printf("streets: %s (state %d): %zu segments%s\n", s.Source.c_str(), s.StateFips, s.Segments.size(),
                s.Synthetic ? ", synthetic" : "");
  }
  return 0;
}

}  // namespace

void AddBuildCommand(CLI::App& cli, int& exitCode) {
  static BuildArguments args;
  CLI::App* build = cli.add_subcommand("build", "Build the map's data tree from the fetched public inputs");
  build->add_option("-o,--output", args.output, "the tree's folder (replaced only when the build succeeds)")
      ->required();
  AddInputOptions(*build, args.folders);
  build->add_option("--streets", args.streets,
                    "a folder of street samples laid out as chicago-z13/, sanfrancisco-z15/, ... "
                    "(default: the same samples in the fetched inputs)");
  build->add_option("--osm", args.osm, "an OpenStreetMap XML or PBF file of one state, as FILE:STATE-FIPS (repeatable)");
  build->add_option("--tiger", args.tiger,
                    "TIGER/Line EDGES shapefile with its ADDRFEAT table, as EDGES.shp[,ADDRFEAT.dbf]:STATE-FIPS "
                    "(repeatable)");
  build->add_flag("--synthetic", args.synthetic, "add a synthetic street grid (for benchmarks; labelled synthetic)");
  build->callback([&exitCode] {
    try {
      exitCode = RunBuild(args);
    } catch (const std::exception& e) {
      std::cerr << "quelmar-data build: " << e.what() << "\n";
      exitCode = 1;
    }
  });
}

}  // namespace quelmar::tools
