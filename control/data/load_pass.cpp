#include "control/data/load_pass.h"

#include <chrono>
#include <cstdio>

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

bool Within(const ScaleBounds& b, double scale) { return b.Lower <= scale && scale < b.Upper; }

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
      table.LoadDrawing(kArchiveLoad, "02" + input.StreetExtension, QuadName(quad), false, national);
    }
  }
  if (!(input.Scale > rules.StreetThreshold || input.PaintDirectly)) return;
  const LoadContext streets = ContextFor(input.Folders.States0, input.Folders.States1, input, rules);
  const std::vector<Quad> quads = QuadsOf(QuadGrid::Street, input.LoadRect);
  for (std::string_view entry : kStateBoxEntries) {
    const auto state = ParseStateBoxEntry(entry);
    if (!state || !BoxesMeet(state->Box, input.LoadRect)) continue;
    char archive[8];
    std::snprintf(archive, sizeof archive, "%02d", state->State);
    const std::string archiveName = archive + input.StreetExtension;
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
  const LoadContext data1 = ContextFor(input.Folders.Data1, "", input, rules);
  const double r = input.Scale;
  auto load = [&](QuadGrid grid, const char* archive, const char* suffix, const LoadContext& context) {
    for (const Quad& quad : QuadsOf(grid, input.LoadRect)) {
      table.LoadDrawing(kArchiveLoad, archive, QuadName(quad) + suffix, false, context);
    }
  };
  const LoadSwitches& on = input.Switches;
  if (r >= BoundsOf("Q0000", 'Q', rules).Lower) load(QuadGrid::Extra, "MXtra.zpx", "00", data1);
  if (on.Highway && Within(BoundsOf("G0000", 'G', rules), r)) load(QuadGrid::Network, "mrte.zpx", "", data1);
  if (on.Hydro && Within(BoundsOf("M000094", 'M', rules), r)) load(QuadGrid::Overview, "mhydro.zpx", "94", data1);
  if (on.State && r >= BoundsOf("M000095", 'M', rules).Lower) load(QuadGrid::Overview, "mstate.zpx", "95", data1);
  if (on.City && r >= BoundsOf("M000098", 'M', rules).Lower) load(QuadGrid::Overview, "Mcity.zpx", "98", data1);
  if (on.Air && r >= BoundsOf("M000097", 'M', rules).Lower) load(QuadGrid::Overview, "Mair.zpx", "97", data1);
  if (on.County && r >= BoundsOf("M000093", 'M', rules).Lower) load(QuadGrid::Overview, "Mcnty.zpx", "93", data1);
  if (!input.Folders.Data2.empty() && on.Landmark && r >= BoundsOf("M000096", 'M', rules).Lower) {
    load(QuadGrid::Land, "Mland.zpx", "96", ContextFor(input.Folders.Data2, "", input, rules));
  }
}

}  // namespace quelmar::data
