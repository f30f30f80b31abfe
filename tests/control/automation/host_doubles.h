#pragma once
// Stand-ins for what a host gives the control: a client site that answers the
// ambient UserMode, and an event sink that records every event it receives.
#include <functional>
#include <string>
#include <vector>

#include "platform/com/nameless_dispatch.h"
#include "platform/com/variant.h"

namespace quelmar::testing {

struct RecordedEvent {
  com::DISPID dispid;
  std::vector<com::Variant> args;  // call order
};

class RecordingSink final : public com::NamelessDispatch<> {
 public:
  std::vector<RecordedEvent> events;
  // Runs inside the event, before it returns to the control.
  std::function<void(const RecordedEvent&)> onEvent;

  com::HRESULT QueryInterface(const com::IID& iid, void** object) override;
  com::HRESULT Invoke(com::DISPID dispid, const com::IID&, com::LCID, std::uint16_t, com::DISPPARAMS* params,
                      com::Variant*, com::EXCEPINFO*, std::uint32_t*) override;

  std::vector<com::DISPID> Dispids() const;
};

class AmbientSite final : public com::NamelessDispatch<com::IOleClientSite> {
 public:
  explicit AmbientSite(bool userMode) : userMode_(userMode) {}
  com::HRESULT QueryInterface(const com::IID& iid, void** object) override;
  com::HRESULT Invoke(com::DISPID dispid, const com::IID&, com::LCID, std::uint16_t flags, com::DISPPARAMS*,
                      com::Variant* result, com::EXCEPINFO*, std::uint32_t*) override;

 private:
  bool userMode_;
};

}  // namespace quelmar::testing
