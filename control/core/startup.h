#pragma once
// Start-up of the map panel: default folders, INIT, the command strings.
#include <cstdint>

#include "control/core/startup_settings.h"

namespace quelmar::core {

// The folders of a new panel: the working folder is the current directory,
// the application folder that of the host program.
StartupSettings DefaultStartupSettings();

// The machine's physical memory in bytes (0 when it cannot be read).
std::uint64_t TotalPhysicalMemory();

// The hover timer INIT creates (250 ms).
inline constexpr int kHoverTimerId = 1;
inline constexpr int kHoverTimerMs = 250;

}  // namespace quelmar::core
