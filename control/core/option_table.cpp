#include "control/core/option_table.h"

#include <algorithm>
#include <cmath>

#include "control/core/registries.h"
#include "control/core/settings_store.h"

namespace quelmar::core {

namespace {

// Thresholds are kept in miles per inch and exchanged in tenths.
std::int32_t Tenths(double miles) { return static_cast<std::int32_t>(std::lround(miles * 10)); }

std::uint8_t Byte(std::int32_t v) { return static_cast<std::uint8_t>(v & 0xFF); }

std::int32_t ExtensionLetters(const std::string& extension) {
  std::int32_t letters = 0;
  for (int i = 0; i < 3 && i + 1 < static_cast<int>(extension.size()); ++i) {
    letters |= static_cast<std::int32_t>(static_cast<unsigned char>(extension[i + 1])) << (8 * i);
  }
  return letters;
}

// The three letters of v as an extension; empty when a byte is no file-name letter.
std::string ExtensionOf(std::int32_t v) {
  std::string letters = ".";
  for (int i = 0; i < 3; ++i) {
    const char c = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
    if (c == '\0' || c == '/' || c == '\\') return {};
    letters += c;
  }
  return letters;
}

// The label switches 128..133 and 143.
std::int32_t LabelOption(SettingsStore& store, OptionAccess access, std::int32_t n, std::int32_t v) {
  const LabelSettings& l = store.Labels();
  if (access == OptionAccess::Read) {
    switch (n) {
      case 128: return Tenths(l.StreetLabelMiles);
      case 129: return Tenths(l.SecondLabelMiles);
      case 130: return l.ShowStreetNames;
      case 131: return l.SelectiveLabeling;
      case 132: return l.HideSuffixes;
      case 133: return l.SizeFactor;
      case 143: return l.LabelBoxes;
      default: return 0;
    }
  }
  store.Change(&ControlSettings::Labels, [&](LabelSettings& s) {
    switch (n) {
      case 128: s.StreetLabelMiles = v / 10.0; break;
      case 129: s.SecondLabelMiles = v / 10.0; break;
      case 130: s.ShowStreetNames = Byte(v); break;
      case 131: s.SelectiveLabeling = Byte(v); break;
      case 132: s.HideSuffixes = v; break;
      case 133: s.SizeFactor = std::clamp(v, 1, 10); break;
      case 143: s.LabelBoxes = Byte(v); break;
      default: break;
    }
  });
  return 0;
}

// 134 and 135: items and the toolbar's look.
std::int32_t ItemOption(SettingsStore& store, OptionAccess access, std::int32_t n, std::int32_t v) {
  if (access == OptionAccess::Read) return n == 134 ? store.Options().drawItems : store.Options().toolbarFlat;
  store.Change(&ControlSettings::Options, [&](OptionValues& o) {
    if (n == 134) o.drawItems = Byte(v);
    else o.toolbarFlat = v;
  });
  return 0;
}

// 65521..65523: the street archives' extension and data version.
std::int32_t ArchiveOption(SettingsStore& store, OptionAccess access, std::int32_t n, std::int32_t v) {
  if (access == OptionAccess::Read) return n == 65523 ? ExtensionLetters(store.Options().archiveExtension) : 0;
  if (n == 65523 && ExtensionOf(v).empty()) return 0;  // not a file-name extension: ignored
  store.Change(&ControlSettings::Options, [&](OptionValues& o) {
    if (n == 65521) {
      o.archiveExtension = ".ZPY";
      o.streetDataVersion = 400;
    } else if (n == 65522) {
      o.streetDataVersion = v;
    } else {
      o.archiveExtension = ExtensionOf(v);
    }
  });
  return 0;
}

}  // namespace

void RegisterControlOptions(OptionRegistry& options, SettingsStore& store, OptionSources sources) {
  constexpr const char* kControl = "control";
  for (const OptionRange& r : kColourSlotRanges) options.Reserve(r.first, r.last, kColourSlotsSubsystem);

  options.Register(1, 1, kControl, [&store](OptionAccess access, std::int32_t, std::int32_t v) -> std::int32_t {
    if (access == OptionAccess::Read) return static_cast<std::int32_t>(store.Look().Color);
    store.Change(&ControlSettings::Look, [v](Appearance& a) { a.Color = static_cast<gdi::COLORREF>(v) & 0xFFFFFF; });
    return 0;
  });
  options.Register(128, 133, kControl, [&store](OptionAccess a, std::int32_t n, std::int32_t v) {
    return LabelOption(store, a, n, v);
  });
  options.Register(143, 143, kControl, [&store](OptionAccess a, std::int32_t n, std::int32_t v) {
    return LabelOption(store, a, n, v);
  });
  options.Register(134, 135, kControl, [&store](OptionAccess a, std::int32_t n, std::int32_t v) {
    return ItemOption(store, a, n, v);
  });
  options.Register(61152, 61152, kControl, [&store](OptionAccess access, std::int32_t, std::int32_t) {
    if (access == OptionAccess::Write) return 0;  // read only
    store.Change(&ControlSettings::Options, [](OptionValues& o) { ++o.nameBufferReads; });
    return store.Options().largestNameBuffer;
  });
  options.Register(61153, 61153, kControl,
                   [handle = sources.baseBufferHandle](OptionAccess access, std::int32_t, std::int32_t) {
                     return access == OptionAccess::Read && handle ? handle() : 0;
                   });
  options.Register(61154, 61154, kControl,
                   [count = sources.problemCount, reset = sources.resetProblems](OptionAccess access, std::int32_t,
                                                                                 std::int32_t) {
                     if (access == OptionAccess::Read) return count ? count() : 0;
                     if (reset) reset();
                     return 0;
                   });
  options.Register(65521, 65523, kControl, [&store](OptionAccess a, std::int32_t n, std::int32_t v) {
    return ArchiveOption(store, a, n, v);
  });
  options.Register(65535, 65535, kControl, [&store](OptionAccess access, std::int32_t, std::int32_t v) {
    if (access == OptionAccess::Write) store.Change(&ControlSettings::Options, [v](OptionValues& o) { o.traceLog = Byte(v); });
    return 0;
  });
}

}  // namespace quelmar::core
