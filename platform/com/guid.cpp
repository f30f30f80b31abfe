#include "platform/com/guid.h"
#include "platform/com/type_info.h"

#include <cstdio>

#include "platform/com/unknown.h"

namespace quelmar::com {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads exactly `digits` hex digits from the front of `text`.
bool TakeHex(std::string_view& text, size_t digits, std::uint64_t* value) {
  if (text.size() < digits) return false;
  std::uint64_t v = 0;
  for (size_t i = 0; i < digits; ++i) {
    const int h = HexValue(text[i]);
    if (h < 0) return false;
    v = (v << 4) | static_cast<std::uint64_t>(h);
  }
  text.remove_prefix(digits);
  *value = v;
  return true;
}

bool TakeDash(std::string_view& text) {
  if (text.empty() || text.front() != '-') return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

std::string GuidToString(const GUID& g) {
  char text[39];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(g.Data1), static_cast<unsigned>(g.Data2),
                static_cast<unsigned>(g.Data3), g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3],
                g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  return text;
}

std::optional<GUID> GuidFromString(std::string_view text) {
  if (!text.empty() && text.front() == '{') {
    if (text.back() != '}') return std::nullopt;
    text = text.substr(1, text.size() - 2);
  }
  std::uint64_t d1, d2, d3, d4a, d4b;
  if (!TakeHex(text, 8, &d1) || !TakeDash(text) || !TakeHex(text, 4, &d2) || !TakeDash(text) ||
      !TakeHex(text, 4, &d3) || !TakeDash(text) || !TakeHex(text, 4, &d4a) || !TakeDash(text) ||
      !TakeHex(text, 12, &d4b) || !text.empty()) {
    return std::nullopt;
  }
  GUID g;
  g.Data1 = static_cast<std::uint32_t>(d1);
  g.Data2 = static_cast<std::uint16_t>(d2);
  g.Data3 = static_cast<std::uint16_t>(d3);
  g.Data4[0] = static_cast<std::uint8_t>(d4a >> 8);
  g.Data4[1] = static_cast<std::uint8_t>(d4a);
  for (int i = 0; i < 6; ++i) g.Data4[2 + i] = static_cast<std::uint8_t>(d4b >> (8 * (5 - i)));
  return g;
}

// The interface identifiers of the Windows object model, so that the numbers
// in registries and logs read the same as there.
constexpr std::array<std::uint8_t, 8> kOleTail{0xC0, 0, 0, 0, 0, 0, 0, 0x46};
const IID IID_IUnknown = MakeGuid(0x00000000, 0x0000, 0x0000, kOleTail);
const IID IID_IClassFactory = MakeGuid(0x00000001, 0x0000, 0x0000, kOleTail);
const IID IID_IOleObject = MakeGuid(0x00000112, 0x0000, 0x0000, kOleTail);
const IID IID_IOleInPlaceObject = MakeGuid(0x00000113, 0x0000, 0x0000, kOleTail);
const IID IID_IOleClientSite = MakeGuid(0x00000118, 0x0000, 0x0000, kOleTail);
const IID IID_IDispatch = MakeGuid(0x00020400, 0x0000, 0x0000, kOleTail);
const IID IID_ITypeInfo = MakeGuid(0x00020401, 0x0000, 0x0000, kOleTail);
const IID IID_ITypeLib = MakeGuid(0x00020402, 0x0000, 0x0000, kOleTail);
const IID IID_IConnectionPoint =
    MakeGuid(0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07});
const IID IID_IConnectionPointContainer =
    MakeGuid(0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07});
const IID IID_ISupportErrorInfo =
    MakeGuid(0xDF0B3D60, 0x548F, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19});

}  // namespace quelmar::com
