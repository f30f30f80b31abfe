// dump FILE.DCM: every record of a drawing file as it is read, each followed
// by the objects it created, then the route labels and a summary. A file
// that cannot be read to its end record still shows everything before the
// failure; the failure goes to standard error and the exit status is 1.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "control/core/errors.h"
#include "control/data/drawing.h"
#include "control/data/drawing_reader.h"
#include "control/data/drawing_text.h"
#include "control/data/file_source.h"
#include "tools/quelmar-data/commands.h"

namespace quelmar::tools {
namespace {

struct DumpOptions {
  std::string path;
  bool routeLabels = false;
  std::int32_t streetVersion = data::kDefaultStreetVersion;
};

void PrintSummary(const data::Drawing& drawing) {
  const data::DrawingFile& file = drawing.File();
  std::printf("records %d, objects %d, data version %d (stored %d, marker %d)", file.Records, drawing.Count(),
              static_cast<int>(file.DataVersion), file.StoredVersion, file.Marker);
  if (file.Extents) {
    std::printf(", extents %s to %s", data::DescribePoint({file.Extents->X1, file.Extents->Y1}).c_str(),
                data::DescribePoint({file.Extents->X2, file.Extents->Y2}).c_str());
  }
  if (drawing.OutOfMemory()) std::printf(", out of memory (load error %d)", file.LoadError);
  std::printf("\n");
}

int RunDump(const DumpOptions& options) {
  data::Drawing drawing;
  data::ReadDrawingOptions read;
  read.RegistryName = std::filesystem::path(options.path).filename().string();
  read.ExpectedStreetVersion = options.streetVersion;
  read.CollectRouteLabels = options.routeLabels;
  std::int32_t printed = 0;  // objects printed so far
  read.OnRecord = [&](const data::DrawingRecord& record) {
    std::printf("%s\n", data::DescribeRecord(record, drawing).c_str());
    for (; printed < drawing.Count(); ++printed) {
      std::printf("  %s\n", data::DescribeObject(printed + 1, *drawing.ObjectAt(printed + 1)).c_str());
    }
  };

  std::optional<data::FileSource> source;
  try {
    source.emplace(options.path);
  } catch (const Error& error) {
    std::fprintf(stderr, "quelmar-data dump: %s\n", error.what());
    return 1;
  }

  int status = 0;
  try {
    data::ReadDrawing(*source, drawing, read);
  } catch (const Error& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "quelmar-data dump: %s: %s (after %d records)\n", options.path.c_str(), error.what(),
                 drawing.File().Records);
    status = 1;
  }
  // Objects no record created: the route labels appended at the end.
  for (; printed < drawing.Count(); ++printed) {
    std::printf("%s\n", data::DescribeObject(printed + 1, *drawing.ObjectAt(printed + 1)).c_str());
  }
  if (drawing.File().Refused) {
    std::printf("refused: a street quad of data version %d where %d is expected\n",
                static_cast<int>(drawing.File().DataVersion), options.streetVersion);
  }
  PrintSummary(drawing);
  return status;
}

}  // namespace

void AddDumpCommand(CLI::App& cli, int& exitCode) {
  auto options = std::make_shared<DumpOptions>();
  CLI::App* dump = cli.add_subcommand("dump", "Print the records and objects of a drawing file (.DCM)");
  dump->add_option("file", options->path, "The drawing file")->required();
  dump->add_flag("--route-labels", options->routeLabels, "Collect route labels as network quads and the base map do");
  dump->add_option("--street-version", options->streetVersion,
                   "The street-data version a street quad (a name beginning with Y) must have")
      ->capture_default_str();
  dump->callback([options, &exitCode] { exitCode = RunDump(*options); });
}

}  // namespace quelmar::tools
