#pragma once
// The numbered options of SetOption that the control answers itself: the
// background colour, the label switches, archive naming and the diagnostic
// switches. The colour-table slots belong to the layer styles, which
// register them when they attach; until then they are reserved for them.
#include <cstdint>
#include <functional>
#include <string>

namespace quelmar::core {

class OptionRegistry;
class SettingsStore;

// The options kept in the settings store that no other section holds.
struct OptionValues {
  std::uint8_t drawItems = 1;  // 134
  std::int32_t toolbarFlat = 1;  // 135
  std::int32_t largestNameBuffer = 0;  // 61152
  std::int32_t nameBufferReads = 0;
  std::string archiveExtension = ".ZP5";  // the dot and three letters of the street archives
  std::int32_t streetDataVersion = 402;  // the archive read size of 65521/65522
  std::uint8_t traceLog = 0;  // 65535
  friend bool operator==(const OptionValues&, const OptionValues&) = default;
};

// Read-only options whose values live outside the settings store.
struct OptionSources {
  std::function<std::int32_t()> baseBufferHandle;  // 61153: the bitmap handle of the base buffer
  std::function<std::int32_t()> problemCount;      // 61154: data problems reported so far
  std::function<void()> resetProblems;             // a write of 61154 starts the count again
};

// The option numbers of the layer styles' colour table (registered by them).
struct OptionRange {
  std::int32_t first, last;
};
inline constexpr OptionRange kColourSlotRanges[] = {{-1, 0}, {2, 3}, {16, 31}, {32, 107}};
inline constexpr const char* kColourSlotsSubsystem = "layer styles";

// Registers the control's own options in `options`, reading and writing
// `store`; reserves the colour slots for the layer styles.
void RegisterControlOptions(OptionRegistry& options, SettingsStore& store, OptionSources sources);

}  // namespace quelmar::core
