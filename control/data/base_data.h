#pragma once
// INIT's base data: the built-in base map (or a drawing file of the working
// folder named instead of the archive) as entry 1 of the loaded drawings.
#include <string>

#include "control/core/problem_reporter.h"
#include "control/core/startup_settings.h"
#include "control/data/drawing.h"
#include "control/data/drawing_route_labels.h"
#include "control/data/loaded_drawings.h"

namespace quelmar::data {

class BuiltInBaseData {
 public:
  // The table and rules are borrowed: they outlive the service.
  BuiltInBaseData(DrawingTable& table, const RouteNameRules& routeNames) : table_(table), routeNames_(routeNames) {}

  // Drops every loaded drawing and reads the base map. A base map that cannot
  // be opened beeps and leaves the table empty; a damaged one keeps what was
  // read. LoadError tells how it went: kLoadOk, kLoadOutOfMemory or
  // kLoadSourceNotOpened. Damage goes to `problems` (may be null).
  void OpenBaseData(const core::StartupSettings& settings, core::ProblemReporter* problems = nullptr);

  // The base map's objects (empty when none is loaded).
  const Drawing& BaseMap() const;
  int LoadError() const { return loadError_; }
  const std::string& FailureText() const { return failure_; }

 private:
  DrawingTable& table_;
  const RouteNameRules& routeNames_;
  int loadError_ = kLoadSourceNotOpened;
  std::string failure_;
  Drawing empty_;
};

}  // namespace quelmar::data
