#pragma once
// The load pass: before a new view is painted, drops the loaded drawings the
// view no longer needs and loads the street, national and overview quads it
// does, each from its archive in its data folder.
#include <string>

#include "control/core/map_folders.h"
#include "control/data/archive_catalogue.h"
#include "control/data/drawing_kind.h"
#include "control/data/loaded_drawings.h"
#include "control/data/map_box.h"

namespace quelmar::data {

// The four folders, as a load request names them.
using LoadFolders = core::MapFolders;

struct LoadPassInput {
  MapBox LoadRect;        // the view, or the square around it when the map is rotated
  double Scale = 0;       // pixels per map unit
  LoadFolders Folders;
  std::string StreetExtension = std::string(kDefaultStreetExtension);
  std::int32_t ExpectedStreetVersion = kDefaultStreetVersion;
  LoadSwitches Switches;
  RouteNameRules RouteNames;
  bool PaintDirectly = false;  // street quads load whatever the scale
  core::ProblemReporter* Problems = nullptr;  // told of archives that cannot be read; may be null
};

class LoadPass {
 public:
  // Runs the pass over `table`. `rules` gets the street threshold of this
  // view. A call while the pass runs returns at once.
  void Run(DrawingTable& table, const LoadPassInput& input, ScaleRules& rules);

  double LastSeconds() const { return lastSeconds_; }

 private:
  void DropUnneeded(DrawingTable& table, const LoadPassInput& input, const ScaleRules& rules);
  void LoadStreets(DrawingTable& table, const LoadPassInput& input, const ScaleRules& rules);
  void LoadOverview(DrawingTable& table, const LoadPassInput& input, const ScaleRules& rules);

  bool running_ = false;
  double lastSeconds_ = 0;
};

}  // namespace quelmar::data
