#include "host_doubles.h"

namespace quelmar::testing {

com::HRESULT RecordingSink::QueryInterface(const com::IID& iid, void** object) {
  if (!object) return com::E_POINTER;
  *object = nullptr;
  if (iid != com::IID_IUnknown && iid != com::IID_IDispatch) return com::E_NOINTERFACE;
  *object = static_cast<com::IDispatch*>(this);
  AddRef();
  return com::S_OK;
}

com::HRESULT RecordingSink::Invoke(com::DISPID dispid, const com::IID&, com::LCID, std::uint16_t,
                                   com::DISPPARAMS* params, com::Variant*, com::EXCEPINFO*, std::uint32_t*) {
  RecordedEvent e{dispid, {}};
  for (std::uint32_t i = params ? params->cArgs : 0; i-- > 0;) e.args.push_back(params->rgvarg[i]);
  events.push_back(e);
  if (onEvent) onEvent(e);
  return com::S_OK;
}

std::vector<com::DISPID> RecordingSink::Dispids() const {
  std::vector<com::DISPID> ids;
  for (const RecordedEvent& e : events) ids.push_back(e.dispid);
  return ids;
}

com::HRESULT AmbientSite::QueryInterface(const com::IID& iid, void** object) {
  if (!object) return com::E_POINTER;
  *object = nullptr;
  if (iid == com::IID_IUnknown || iid == com::IID_IOleClientSite) {
    *object = static_cast<com::IOleClientSite*>(this);
  } else if (iid == com::IID_IDispatch) {
    *object = static_cast<com::IDispatch*>(this);
  } else {
    return com::E_NOINTERFACE;
  }
  AddRef();
  return com::S_OK;
}

com::HRESULT AmbientSite::Invoke(com::DISPID dispid, const com::IID&, com::LCID, std::uint16_t flags,
                                 com::DISPPARAMS*, com::Variant* result, com::EXCEPINFO*, std::uint32_t*) {
  if (dispid != com::DISPID_AMBIENT_USERMODE || !(flags & com::DISPATCH_PROPERTYGET)) {
    return com::DISP_E_MEMBERNOTFOUND;
  }
  *result = com::Variant(userMode_);
  return com::S_OK;
}

}  // namespace quelmar::testing
