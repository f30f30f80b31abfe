#pragma once
// The class object of the control: makes TTarvo instances for hosts.
#include "platform/com/ref_counted.h"
#include "platform/com/unknown.h"

namespace quelmar::automation {

class TarvoClassFactory final : public com::RefCounted<com::IClassFactory> {
 public:
  // The factory is not counted as a live object: a host may keep it around
  // without keeping the library loaded (servers lock it for that).
  explicit TarvoClassFactory(com::ServerLifetime& lifetime) : lifetime_(lifetime) {}

  com::HRESULT QueryInterface(const com::IID& iid, void** object) override;
  com::HRESULT CreateInstance(com::IUnknown* outer, const com::IID& iid, void** object) override;
  com::HRESULT LockServer(bool lock) override;

 private:
  com::ServerLifetime& lifetime_;
};

}  // namespace quelmar::automation
