#include "control/data/load_pass.h"

#include <chrono>

#include "control/data/quad.h"
#include "control/data/state_table.h"

namespace quelmar::data {
namespace {

constexpr int kArchiveLoad = kLoadFromArchive | 1;

std::vector<Quad> QuadsOf(QuadGrid grid, const MapBox& rect) {
  const auto range = QuadsOfView(grid, {rect.Left, rect.Bottom}, {rect.Right, rect.Top});
  return range ? ListQuads(*range) : std::vector<Quad>{};
}

LoadContext ContextFor(const std::string& folder, const std::string& fallback, const LoadPassInput& input,
                       const ScaleRules& rules) {
  LoadContext context;
  context.DataFolder = folder;
  context.FallbackFolder = fallback;
  context.ExpectedStreetVersion = input.ExpectedStreetVersion;
  context.RouteNames = input.RouteNames;
  context.Rules = &rules;
  context.Problems = input.Problems;
  return context;
}

const std::string& FolderOf(ArchiveFolder folder, const LoadFolders& folders) {
  switch (folder) {
    case ArchiveFolder::Data1: return folders.Data1;
    case ArchiveFolder::Data2: return folders.Data2;
    case ArchiveFolder::States: break;
  }
  return folders.States0;
}

// Whether the archive's layer is due at `scale` by its catalogue bounds.
bool ScaleLoads(const LayerArchiveEntry& archive, double scale, const ScaleRules& rules) {
  const ScaleBounds b = BoundsOf(archive.BoundsName, archive.BoundsKind, rules);
  return scale >= b.Lower && (!archive.UpperBounded || scale < b.Upper);
}

}  // namespace

void LoadPass::Run(DrawingTable& table, const LoadPassInput& input, ScaleRules& rules) {
  if (running_) return;
  running_ = true;
  const auto start = std::chrono::steady_clock::now();
  try {
    rules.StreetThreshold = rules.Miles(rules.DetailMiles);
    DropUnneeded(table, input, rules);
    LoadStreets(table, input, rules);
    if (!input.Folders.Data1.empty()) LoadOverview(table, input, rules);
  } catch (...) {
    running_ = false;
    throw;
  }
  lastSeconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  running_ = false;
}

void LoadPass::DropUnneeded(DrawingTable& table, const LoadPassInput& input, const ScaleRules& rules) {
  for (int i = table.Count(); i >= 2; --i) {
    LoadedDrawing& d = table.At(i);
    if (d.Locked()) continue;
    d.Bounds = BoundsOf(d.Name, d.Kind, rules);
    const bool meets = d.ExtentsUnknown() || BoxesMeet(d.Extents, input.LoadRect);
    if (d.Hidden() || !meets || input.Scale >= d.Bounds.Upper || input.Scale < d.Bounds.Lower) {
      table.UnloadDrawing(i);
    }
  }
}

void LoadPass::LoadStreets(DrawingTable& table, const LoadPassInput& input, const ScaleRules& rules) {
  const LoadContext national = ContextFor(input.Folders.States0, "", input, rules);
  if (input.Scale > rules.Miles(16)) {
    for (const Quad& quad : QuadsOf(QuadGrid::National, input.LoadRect)) {
      table.LoadDrawing(kArchiveLoad, StreetArchiveName(kNationalStreetArchive, input.StreetExtension), QuadName(quad),
                        false, national);
    }
  }
  if (!(input.Scale > rules.StreetThreshold || input.PaintDirectly)) return;
  const LoadContext streets = ContextFor(input.Folders.States0, input.Folders.States1, input, rules);
  const std::vector<Quad> quads = QuadsOf(QuadGrid::Street, input.LoadRect);
  for (std::string_view entry : kStateBoxEntries) {
    const auto state = ParseStateBoxEntry(entry);
    if (!state || !BoxesMeet(state->Box, input.LoadRect)) continue;
    const std::string archiveName = StreetArchiveName(state->State, input.StreetExtension);
    for (const Quad& quad : quads) {
      for (int sub = 1; sub <= 4; ++sub) {
        const auto box = SubQuadBox(quad, sub);
        if (box && BoxesMeet(*box, input.LoadRect)) {
          table.LoadDrawing(kArchiveLoad, archiveName, StreetMemberName({quad, sub, state->State}), true, streets);
        }
      }
      table.LoadDrawing(kArchiveLoad, archiveName, StreetMemberName({quad, 0, state->State}), true, streets);
    }
  }
}

void LoadPass::LoadOverview(DrawingTable& table, const LoadPassInput& input, const ScaleRules& rules) {
  for (const LayerArchiveEntry& archive : kLayerArchives) {
    const std::string& folder = FolderOf(archive.Folder, input.Folders);
    if (folder.empty() || !SwitchOn(archive.Switch, input.Switches)) continue;
    if (!ScaleLoads(archive, input.Scale, rules)) continue;
    const LoadContext context = ContextFor(folder, "", input, rules);
    for (const Quad& quad : QuadsOf(archive.Grid, input.LoadRect)) {
      table.LoadDrawing(kArchiveLoad, archive.Name, LayerMemberName(archive, quad), false, context);
    }
  }
}

}  // namespace quelmar::data
