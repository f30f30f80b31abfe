#pragma once
// Text inside the engine is 8-bit Windows-1252; Cairo wants UTF-8.
#include <string>
#include <string_view>

namespace quelmar::gdi {

// Converts Windows-1252 bytes to UTF-8. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// value, as Windows itself converts them.
std::string AnsiToUtf8(std::string_view ansiText);

}  // namespace quelmar::gdi
