#include "platform/com/connection_point.h"

#include <algorithm>
#include <utility>

namespace quelmar::com {

ConnectionPoint::ConnectionPoint(IConnectionPointContainer& owner, const IID& eventIid,
                                 SinkChanged onSinkChanged)
    : owner_(owner), eventIid_(eventIid), onSinkChanged_(std::move(onSinkChanged)) {}

HRESULT ConnectionPoint::QueryInterface(const IID& iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = eventIid_;
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  owner_.AddRef();
  *container = &owner_;
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, std::uint32_t* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  if (sink_) return CONNECT_E_ADVISELIMIT;

  // The event interface is a dispatch interface, so what the sink returns for
  // it is an IDispatch.
  ComPtr<IDispatch> dispatch;
  if (Failed(sink->QueryInterface(eventIid_, dispatch.PutVoid())) &&
      Failed(sink->QueryInterface(IID_IDispatch, dispatch.PutVoid()))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  sink_ = std::move(dispatch);
  *cookie = kCookie;
  NotifySinkChanged();
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(std::uint32_t cookie) {
  if (cookie != kCookie || !sink_) return CONNECT_E_NOCONNECTION;
  // Keep the sink alive until the owner has heard it is gone.
  ComPtr<IDispatch> old = std::move(sink_);
  NotifySinkChanged();
  return S_OK;
}

HRESULT ConnectionPoint::Lookup(const IID& iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (iid != eventIid_) return CONNECT_E_NOCONNECTION;
  AddRef();
  *point = this;
  return S_OK;
}

HRESULT ConnectionPoint::FireEvent(DISPID dispid, std::vector<Variant> argsInCallOrder) {
  // A handler may disconnect the sink while it runs: hold our own reference.
  const ComPtr<IDispatch> sink = sink_;
  if (!sink) return S_OK;
  std::reverse(argsInCallOrder.begin(), argsInCallOrder.end());
  DISPPARAMS params;
  params.rgvarg = argsInCallOrder.data();
  params.cArgs = static_cast<std::uint32_t>(argsInCallOrder.size());
  Variant result;  // events return nothing; a host may still write here
  EXCEPINFO exception;
  std::uint32_t argError = 0;
  return sink->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &params, &result, &exception, &argError);
}

void ConnectionPoint::NotifySinkChanged() {
  if (!onSinkChanged_) return;
  // Advise and Unadvise are called by the host: nothing may escape to it.
  try {
    onSinkChanged_(sink_.Get());
  } catch (...) {
  }
}

}  // namespace quelmar::com
