#pragma once
// The control's type library as type information objects: the dual
// interface ITarvo, the event interface ITarvoEvents, the coclass Tarvo and
// the fourteen enumerations, generated from the member, event and
// enumeration tables. Hosts reach it through IDispatch::GetTypeInfo.
#include "platform/com/type_info.h"

namespace quelmar::automation {

// A new reference to the library (the caller releases it).
com::ITypeLib* NewTarvoTypeLibrary();

// Index of ITarvo's type information within the library.
inline constexpr std::uint32_t kITarvoTypeIndex = 0;

}  // namespace quelmar::automation
