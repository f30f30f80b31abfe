#pragma once
// `quelmar render`: hosts the control at the image size, sets the view and
// writes what the control shows to a PNG file.
#include <optional>
#include <string>
#include <vector>

#include "platform/com/activation.h"

namespace quelmar::app {

struct RenderOptions {
  std::vector<double> corners;  // LON1, LAT1, LON2, LAT2
  std::vector<double> center;   // LON, LAT
  std::optional<double> milesPerInch;  // with center; none keeps the current scale
  std::string size = "800x600";
  int width = 800;
  int height = 600;
  std::string output;
  std::vector<std::string> calls;  // script lines run after the view is set
  std::string data;                // the data tree's folder; "" for the default tree
};

// Returns the process exit status; prints what went wrong on standard error.
int RenderCommand(com::Activator& activator, const RenderOptions& options);

}  // namespace quelmar::app
