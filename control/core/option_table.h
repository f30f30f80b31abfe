#pragma once
// The numbered options of SetOption: colours, label settings, archive
// naming and diagnostic switches that hosts reach without dedicated members.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace quelmar::core {

struct OptionValues {
  std::array<std::uint32_t, 256> colours{};  // the colour table; its defaults belong to the layer styles
  std::uint32_t colour2 = 0, colour3 = 0;
  double streetLabelMiles = 0.75;  // 128
  double secondLabelMiles = 0.5;   // 129
  std::uint8_t showStreetNames = 1;  // 130
  std::uint8_t selectiveLabeling = 0;  // 131
  std::int32_t hideSuffixes = 1;  // 132: suffixes are not shown by default
  std::int32_t labelSizeFactor = 5;  // 133, 1..10
  std::uint8_t drawItems = 1;  // 134
  std::int32_t toolbarFlat = 1;  // 135
  std::uint8_t labelBoxes = 0;  // 143: frame the rectangles labels take (a diagnostic)
  std::int32_t largestNameBuffer = 0;  // 61152
  std::int32_t nameBufferReads = 0;
  std::string archiveExtension = ".ZP5";  // the dot and three letters
  std::int32_t streetDataVersion = 402;  // the archive read size of 65521/65522
  std::uint8_t traceLog = 0;  // 65535
};

// What the option table needs from the rest of the control.
struct OptionHooks {
  std::function<std::uint32_t()> getColor;
  std::function<void(std::uint32_t)> setColor;
  std::function<void()> recreatePalette;
};

// SetOption(n, v): n = 0 reads option v, any other n writes v into option n
// (result 0). Options outside the table do nothing and give 0. Options whose
// subsystem is not built give nullopt (the caller reports them as not available).
std::optional<std::int32_t> SetOption(OptionValues& values, const OptionHooks& hooks, std::int32_t n, std::int32_t v);

}  // namespace quelmar::core
