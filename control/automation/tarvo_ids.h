#pragma once
// Identifiers of the control's type library, chosen once and never changed:
// hosts and the map server bind to the class by CLSID_Tarvo.
#include "platform/com/guid.h"

namespace quelmar::automation {

inline constexpr char kProgId[] = "Quelmar50.Tarvo";
inline constexpr char kTypeLibraryName[] = "Quelmar50";
inline constexpr char kTypeLibraryHelp[] = "Quelmar50 OCX Library (D)";
inline constexpr char kTypeLibraryVersion[] = "5.0";
inline constexpr unsigned kTypeLibraryLocale = 0x0409;
inline constexpr int kToolboxBitmap = 401;
// OLEMISC_SIMPLEFRAME | OLEMISC_ACTSLIKELABEL
inline constexpr unsigned kMiscStatus = 0x12000;

inline constexpr com::GUID LIBID_Quelmar50 =
    com::MakeGuid(0x5C3A7E10, 0x41D2, 0x4F6B, {0x9A, 0x13, 0x6E, 0x0B, 0x52, 0xC4, 0x71, 0x01});
inline constexpr com::GUID IID_ITarvo =
    com::MakeGuid(0x5C3A7E11, 0x41D2, 0x4F6B, {0x9A, 0x13, 0x6E, 0x0B, 0x52, 0xC4, 0x71, 0x01});
inline constexpr com::GUID DIID_ITarvoEvents =
    com::MakeGuid(0x5C3A7E12, 0x41D2, 0x4F6B, {0x9A, 0x13, 0x6E, 0x0B, 0x52, 0xC4, 0x71, 0x01});
inline constexpr com::GUID CLSID_Tarvo =
    com::MakeGuid(0x5C3A7E13, 0x41D2, 0x4F6B, {0x9A, 0x13, 0x6E, 0x0B, 0x52, 0xC4, 0x71, 0x01});
// The four property pages, in the order the control announces them.
inline constexpr com::GUID CLSID_ScreenPage =
    com::MakeGuid(0x5C3A7E20, 0x41D2, 0x4F6B, {0x9A, 0x13, 0x6E, 0x0B, 0x52, 0xC4, 0x71, 0x01});
inline constexpr com::GUID CLSID_DirectoriesPage =
    com::MakeGuid(0x5C3A7E21, 0x41D2, 0x4F6B, {0x9A, 0x13, 0x6E, 0x0B, 0x52, 0xC4, 0x71, 0x01});
inline constexpr com::GUID CLSID_OverlaysPage =
    com::MakeGuid(0x5C3A7E22, 0x41D2, 0x4F6B, {0x9A, 0x13, 0x6E, 0x0B, 0x52, 0xC4, 0x71, 0x01});
inline constexpr com::GUID CLSID_UnderlayPage =
    com::MakeGuid(0x5C3A7E23, 0x41D2, 0x4F6B, {0x9A, 0x13, 0x6E, 0x0B, 0x52, 0xC4, 0x71, 0x01});

}  // namespace quelmar::automation
