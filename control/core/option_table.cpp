#include "control/core/option_table.h"

#include <algorithm>
#include <cmath>

namespace quelmar::core {

namespace {

constexpr std::int32_t kReadOption = 0;

bool IsDirectColourEntry(std::int32_t n) { return (n >= 32 && n <= 93) || (n >= 103 && n <= 107); }

// Thresholds are kept in miles per inch and exchanged in tenths.
std::int32_t Tenths(double miles) { return static_cast<std::int32_t>(std::lround(miles * 10)); }

std::int32_t ExtensionLetters(const std::string& extension) {
  std::int32_t letters = 0;
  for (int i = 0; i < 3 && i + 1 < static_cast<int>(extension.size()); ++i) {
    letters |= static_cast<std::int32_t>(static_cast<unsigned char>(extension[i + 1])) << (8 * i);
  }
  return letters;
}

std::optional<std::int32_t> Read(OptionValues& o, const OptionHooks& hooks, std::int32_t v) {
  if (v == 0) {
    if (hooks.recreatePalette) hooks.recreatePalette();
    return 0;
  }
  if (v == 1) return static_cast<std::int32_t>(hooks.getColor ? hooks.getColor() : 0);
  if (v == 2) return static_cast<std::int32_t>(o.colour2);
  if (v == 3) return static_cast<std::int32_t>(o.colour3);
  if (v >= 16 && v <= 31) return static_cast<std::int32_t>(o.colours[v]);
  if (IsDirectColourEntry(v)) return static_cast<std::int32_t>(o.colours[v + 8]);
  if (v >= 94 && v <= 102) return std::nullopt;  // entries chosen through the layer styles
  switch (v) {
    case 128: return Tenths(o.streetLabelMiles);
    case 129: return Tenths(o.secondLabelMiles);
    case 130: return o.showStreetNames;
    case 131: return o.selectiveLabeling;
    case 132: return o.hideSuffixes;
    case 133: return o.labelSizeFactor;
    case 134: return o.drawItems;
    case 135: return o.toolbarFlat;
    case 143: return o.labelBoxes;
    case 61152: ++o.nameBufferReads; return o.largestNameBuffer;
    case 61153: return std::nullopt;  // bitmap handles come with host bitmaps
    case 65523: return ExtensionLetters(o.archiveExtension);
    case -1: return std::nullopt;  // default colours belong to the layer styles
    default: return 0;
  }
}

std::optional<std::int32_t> Write(OptionValues& o, const OptionHooks& hooks, std::int32_t n, std::int32_t v) {
  const auto byte = [v] { return static_cast<std::uint8_t>(v & 0xFF); };
  if (n == 1) {
    if (hooks.setColor) hooks.setColor(static_cast<std::uint32_t>(v));
  } else if (n == 2 || n == 3) {
    // Mirrored into entries 32 and 33 of the colour table.
    (n == 2 ? o.colour2 : o.colour3) = static_cast<std::uint32_t>(v);
    o.colours[n + 30] = static_cast<std::uint32_t>(v);
  } else if (n >= 16 && n <= 31) {
    o.colours[n] = static_cast<std::uint32_t>(v);
  } else if (IsDirectColourEntry(n)) {
    o.colours[n + 8] = static_cast<std::uint32_t>(v);
  } else if (n >= 94 && n <= 102) {
    return std::nullopt;
  } else {
    switch (n) {
      case 128: o.streetLabelMiles = v / 10.0; break;
      case 129: o.secondLabelMiles = v / 10.0; break;
      case 130: o.showStreetNames = byte(); break;
      case 131: o.selectiveLabeling = byte(); break;
      case 132: o.hideSuffixes = v; break;
      case 133: o.labelSizeFactor = std::clamp(v, 1, 10); break;
      case 134: o.drawItems = byte(); break;
      case 135: o.toolbarFlat = v; break;
      case 143: o.labelBoxes = byte(); break;
      case 65521:
        o.archiveExtension = ".ZPY";
        o.streetDataVersion = 400;
        break;
      case 65522: o.streetDataVersion = v; break;
      case 65523: {
        std::string letters = ".";
        for (int i = 0; i < 3; ++i) {
          const char c = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
          if (c == '\0' || c == '/' || c == '\\') return 0;  // not a file-name extension: ignored
          letters += c;
        }
        o.archiveExtension = letters;
        break;
      }
      case 65535: o.traceLog = byte(); break;
      default: break;
    }
  }
  return 0;
}

}  // namespace

std::optional<std::int32_t> SetOption(OptionValues& values, const OptionHooks& hooks, std::int32_t n, std::int32_t v) {
  return n == kReadOption ? Read(values, hooks, v) : Write(values, hooks, n, v);
}

}  // namespace quelmar::core
