#pragma once
// ConnectionPoint: the outgoing event interface of one object, with room for
// a single sink (a control raises its events to one host).
//
// The point lives inside the object that hands it out and shares that
// object's reference count, so a host that holds the point keeps the object
// alive. The owner answers FindConnectionPoint with Lookup:
//
//   class Control final : public RefCounted<IDispatch, IConnectionPointContainer> {
//     ConnectionPoint events_{*this, kEventsIid, [this](IDispatch* sink) { OnSinkChanged(sink); }};
//     HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) override {
//       return events_.Lookup(iid, point);
//     }
//     void RaiseClick() { events_.FireEvent(10, {}); }
//   };
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/com/unknown.h"
#include "platform/com/variant.h"

namespace quelmar::com {

class ConnectionPoint final : public IConnectionPoint {
 public:
  // Called after a sink connects (with it) and after it disconnects (nullptr).
  using SinkChanged = std::function<void(IDispatch* sinkOrNull)>;
  static constexpr std::uint32_t kCookie = 1;

  // `eventIid` is the event dispatch interface: a sink is asked for it first,
  // then for IDispatch.
  ConnectionPoint(IConnectionPointContainer& owner, const IID& eventIid,
                  SinkChanged onSinkChanged = {});
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;
  ~ConnectionPoint() = default;

  // IUnknown: identity of its own, reference count of the owner.
  HRESULT QueryInterface(const IID& iid, void** object) override;
  ULONG AddRef() override { return owner_.AddRef(); }
  ULONG Release() override { return owner_.Release(); }

  // IConnectionPoint. Advise returns CONNECT_E_ADVISELIMIT while a sink is
  // connected and CONNECT_E_CANNOTCONNECT for a sink that has neither
  // interface; Unadvise with any cookie but the one given returns
  // CONNECT_E_NOCONNECTION.
  HRESULT GetConnectionInterface(IID* iid) override;
  HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) override;
  HRESULT Advise(IUnknown* sink, std::uint32_t* cookie) override;
  HRESULT Unadvise(std::uint32_t cookie) override;

  // FindConnectionPoint for an owner with this one point: this point for the
  // event interface, CONNECT_E_NOCONNECTION for any other.
  HRESULT Lookup(const IID& iid, IConnectionPoint** point);

  IDispatch* sink() const { return sink_.Get(); }
  const IID& eventIid() const { return eventIid_; }

  // Calls the sink's Invoke as a method with the arguments given in call
  // order (Invoke receives them reversed, as DISPPARAMS keeps them) and
  // returns its result. With no sink connected, does nothing and returns S_OK.
  HRESULT FireEvent(DISPID dispid, std::vector<Variant> argsInCallOrder);

 private:
  IConnectionPointContainer& owner_;
  IID eventIid_;
  SinkChanged onSinkChanged_;
  ComPtr<IDispatch> sink_;

  void NotifySinkChanged();
};

}  // namespace quelmar::com
