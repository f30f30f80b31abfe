#include "apps/quelmar/render_command.h"

#include <iostream>

#include "apps/quelmar/control_host.h"
#include "apps/quelmar/data_tree.h"
#include "apps/quelmar/front_buffer.h"
#include "apps/quelmar/script_parser.h"
#include "apps/quelmar/script_runner.h"
#include "control/automation/tarvo_ids.h"

namespace quelmar::app {

using com::Variant;

// More than the whole continent needs; a larger scale is a typing slip.
constexpr double kMaxMilesPerInch = 100000;

int RenderCommand(com::Activator& activator, const RenderOptions& options) {
  if (!options.corners.empty() && !options.center.empty()) {
    std::cerr << "quelmar render: give either --corners or --center, not both\n";
    return 2;
  }
  if (options.corners.size() == 4 &&
      (options.corners[0] == options.corners[2] || options.corners[1] == options.corners[3])) {
    std::cerr << "quelmar render: --corners must span an area: the two longitudes and the two latitudes must differ\n";
    return 2;
  }
  if (options.milesPerInch && options.center.empty()) {
    std::cerr << "quelmar render: --miles needs --center\n";
    return 2;
  }
  if (options.milesPerInch && !(*options.milesPerInch > 0 && *options.milesPerInch <= kMaxMilesPerInch)) {
    std::cerr << "quelmar render: --miles must be a number of miles per inch above 0 and at most "
              << kMaxMilesPerInch << "\n";
    return 2;
  }
  HostOptions hostOptions;
  hostOptions.width = options.width;
  hostOptions.height = options.height;
  ControlHost host(activator, hostOptions, {});
  std::string error;
  if (!host.Create(automation::kProgId, &error)) {
    std::cerr << "quelmar render: " << error << "\n";
    return 1;
  }
  auto check = [](const CallResult& r, const char* what) {
    if (r.hr >= 0) return true;
    std::cerr << "quelmar render: " << what << " failed: " << HResultText(r.hr) << ": " << r.description << "\n";
    return false;
  };
  // The image is the map alone, without the panel's bevel.
  if (!check(host.Put("BevelOuter", Variant(0)), "BevelOuter")) return 1;
  if (std::string error; !UseDataTree(host, options.data, &error)) {
    std::cerr << "quelmar render: " << error << "\n";
    return 1;
  }
  if (options.corners.size() == 4) {
    const auto& c = options.corners;
    if (!check(host.Call("ZoomWindow", {Variant(c[0]), Variant(c[1]), Variant(c[2]), Variant(c[3])}), "ZoomWindow")) {
      return 1;
    }
  } else if (options.center.size() == 2) {
    if (options.milesPerInch && !check(host.Put("Miles", Variant(*options.milesPerInch)), "Miles")) return 1;
    if (!check(host.Call("GotoPoint", {Variant(options.center[0]), Variant(options.center[1])}), "GotoPoint")) {
      return 1;
    }
  } else {
    if (!check(host.Call("Redraw", {}), "Redraw")) return 1;
  }
  for (const std::string& text : options.calls) {
    ParseResult parsed = ParseScriptLine(text);
    if (!parsed.error.empty()) {
      std::cerr << "quelmar render: --call \"" << text << "\": " << parsed.error << "\n";
      return 2;
    }
    if (!parsed.line) continue;
    if (!RunScriptLine(host, *parsed.line, std::cout)) return 1;
  }
  const gdi::Bitmap* image = FrontBufferOf(host, &error);
  if (!image) {
    std::cerr << "quelmar render: " << error << "\n";
    return 1;
  }
  if (!image->SavePng(options.output)) {
    std::cerr << "quelmar render: cannot write " << options.output << "\n";
    return 1;
  }
  std::cout << "wrote " << options.output << " (" << options.width << " x " << options.height << ")\n";
  return 0;
}

}  // namespace quelmar::app
