#include "control/automation/tarvo_dispatch.h"

#include "control/automation/tarvo_type_info.h"
#include "platform/com/error_info.h"

namespace quelmar::automation {

using com::DISPID;
using com::HRESULT;

HRESULT TarvoGetIDsOfNames(const std::string* names, std::uint32_t count, com::DISPID* dispids) {
  if (count > 0 && (!names || !dispids)) return com::E_POINTER;
  HRESULT hr = com::S_OK;
  for (std::uint32_t i = 0; i < count; ++i) {
    // Only the member name itself can be resolved: parameter names are not named arguments here.
    std::optional<DISPID> id = i == 0 ? DispIdOfName(names[i]) : std::nullopt;
    dispids[i] = id ? *id : com::DISPID_UNKNOWN;
    if (!id) hr = com::DISP_E_UNKNOWNNAME;
  }
  return hr;
}

namespace {

// Picks the slot a call means: puts go to the put slot, gets and method
// calls to the get or method slot of the same identifier.
const MemberInfo* SelectSlot(DISPID dispid, std::uint16_t flags, HRESULT* why) {
  *why = com::DISP_E_MEMBERNOTFOUND;
  if (flags & (com::DISPATCH_PROPERTYPUT | com::DISPATCH_PROPERTYPUTREF)) {
    return FindMember(dispid, MemberKind::PropertyPut);
  }
  if (flags & com::DISPATCH_METHOD) {
    if (const MemberInfo* m = FindMember(dispid, MemberKind::Method)) return m;
  }
  if (flags & (com::DISPATCH_PROPERTYGET | com::DISPATCH_METHOD)) {
    if (const MemberInfo* m = FindMember(dispid, MemberKind::PropertyGet)) return m;
  }
  return nullptr;
}

}  // namespace

HRESULT TarvoInvoke(ITarvo* self, DISPID dispid, std::uint16_t flags, com::DISPPARAMS* params,
                    com::Variant* result, com::EXCEPINFO* excepinfo, std::uint32_t* argErr) {
  com::DISPPARAMS none;
  if (!params) params = &none;
  if (params->cArgs > 0 && !params->rgvarg) return com::E_POINTER;

  HRESULT why = com::S_OK;
  const MemberInfo* member = SelectSlot(dispid, flags, &why);
  if (!member) return why;

  const bool isPut = member->kind == MemberKind::PropertyPut;
  // A put names its value DISPID_PROPERTYPUT; nothing else takes named arguments.
  for (std::uint32_t i = 0; i < params->cNamedArgs; ++i) {
    if (!isPut || !params->rgdispidNamedArgs || params->rgdispidNamedArgs[i] != com::DISPID_PROPERTYPUT) {
      return com::DISP_E_NONAMEDARGS;
    }
  }
  if (params->cArgs != static_cast<std::uint32_t>(member->paramCount)) return com::DISP_E_BADPARAMCOUNT;

  com::ClearErrorInfo();
  ArgReader args(*params, argErr);
  com::Variant value;
  HRESULT hr = member->invoke(self, args, &value);
  if (args.ConversionFailed()) return hr;
  if (hr < 0) {
    if (!excepinfo) return hr;
    std::optional<com::ErrorInfo> info = com::GetErrorInfo();
    *excepinfo = com::EXCEPINFO{};
    excepinfo->scode = hr;
    excepinfo->bstrSource = info ? info->source : std::string(kProgId);
    excepinfo->bstrDescription = info ? info->description : std::string();
    return com::DISP_E_EXCEPTION;
  }
  if (result && member->resultType) *result = std::move(value);
  return hr;
}

}  // namespace quelmar::automation
