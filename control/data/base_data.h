#pragma once
// BuiltInBaseData: what INIT opens first — the base map from the archive
// built into the control ("TARVO.ZIP" → member "TARVO.DCM"), or a plain
// drawing file of the base-map name from the working folder when the name is
// not an archive's.
#include <string>

#include "control/core/engine_hooks.h"
#include "control/data/drawing.h"

namespace quelmar::data {

class BuiltInBaseData final : public core::BaseDataService {
 public:
  // Reads the base map. Failures beep and keep what was read: kLoadOk,
  // kLoadOutOfMemory or kLoadSourceNotOpened tell how it went.
  void OpenBaseData(const core::StartupSettings& settings) override;

  const Drawing& BaseMap() const { return baseMap_; }
  int LoadError() const { return loadError_; }
  const std::string& FailureText() const { return failure_; }

 private:
  Drawing baseMap_;
  int loadError_ = kLoadSourceNotOpened;
  std::string failure_;
};

}  // namespace quelmar::data
