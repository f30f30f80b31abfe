#pragma once
// Little-endian integers appended to a byte string, as BMP and GIF store them.
#include <cstdint>
#include <string>

namespace quelmar::image_export {

inline void PutU16(std::string& out, std::uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

inline void PutU32(std::string& out, std::uint32_t v) {
  PutU16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  PutU16(out, static_cast<std::uint16_t>(v >> 16));
}

}  // namespace quelmar::image_export
