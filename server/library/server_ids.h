#pragma once
// Identifiers of the map server's class, chosen once and never changed.
#include "platform/com/guid.h"

namespace quelmar::server {

inline constexpr char kServerProgId[] = "TarvoServer.clsMapServ";
inline constexpr char kServerFileStem[] = "TarvoServer";

inline constexpr com::GUID LIBID_TarvoServer =
    com::MakeGuid(0x5C3A7E40, 0x41D2, 0x4F6B, {0x9A, 0x13, 0x6E, 0x0B, 0x52, 0xC4, 0x71, 0x01});
inline constexpr com::GUID IID_clsMapServ =
    com::MakeGuid(0x5C3A7E41, 0x41D2, 0x4F6B, {0x9A, 0x13, 0x6E, 0x0B, 0x52, 0xC4, 0x71, 0x01});
inline constexpr com::GUID CLSID_clsMapServ =
    com::MakeGuid(0x5C3A7E42, 0x41D2, 0x4F6B, {0x9A, 0x13, 0x6E, 0x0B, 0x52, 0xC4, 0x71, 0x01});

}  // namespace quelmar::server
