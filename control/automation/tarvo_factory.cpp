#include "control/automation/tarvo_factory.h"

#include <new>

#include "control/automation/ttarvo.h"

namespace quelmar::automation {

com::HRESULT TarvoClassFactory::QueryInterface(const com::IID& iid, void** object) {
  if (!object) return com::E_POINTER;
  *object = nullptr;
  if (iid != com::IID_IUnknown && iid != com::IID_IClassFactory) return com::E_NOINTERFACE;
  *object = static_cast<com::IClassFactory*>(this);
  AddRef();
  return com::S_OK;
}

com::HRESULT TarvoClassFactory::CreateInstance(com::IUnknown* outer, const com::IID& iid, void** object) {
  if (!object) return com::E_POINTER;
  *object = nullptr;
  if (outer) return com::CLASS_E_NOAGGREGATION;
  TTarvo* control = nullptr;
  try {
    control = new TTarvo(lifetime_);
  } catch (const std::bad_alloc&) {
    return com::E_OUTOFMEMORY;
  } catch (...) {
    return com::E_FAIL;
  }
  const com::HRESULT hr = control->QueryInterface(iid, object);
  control->Release();  // the creation reference; the caller keeps the queried one
  return hr;
}

com::HRESULT TarvoClassFactory::LockServer(bool lock) {
  if (lock) {
    lifetime_.Lock();
  } else {
    lifetime_.Unlock();
  }
  return com::S_OK;
}

}  // namespace quelmar::automation
