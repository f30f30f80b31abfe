#include "control/automation/ttarvo.h"

#include <cmath>
#include <new>
#include <string>
#include <type_traits>

#include "control/automation/tarvo_dispatch.h"
#include "control/automation/type_library.h"
#include "control/automation/ttarvo_guard.h"
#include "control/automation/tarvo_ids.h"
#include "control/core/errors.h"
#include "control/dialogs/style_dialogs.h"
#include "control/render/map_model_attach.h"
#include "control/search/place_search.h"
#include "platform/com/ansi_text.h"
#include "platform/com/error_info.h"

namespace quelmar::automation {

using com::HRESULT;
using com::S_OK;
using com::Variant;

TTarvo::TTarvo(com::ServerLifetime& lifetime)
    : lifetime_(lifetime),
      owner_(std::this_thread::get_id()),
      context_(std::make_unique<core::ControlContext>()),
      events_(static_cast<com::IConnectionPointContainer&>(*this), DIID_ITarvoEvents,
              [this](com::IDispatch*) { EventSinkChanged(); }),
      raise_(events_) {
  lifetime_.ObjectCreated();
  // The subsystems attach in the order they depend on each other.
  model_ = &render::AttachMapModel(*context_);
  dialogs::AttachStyleDialogs(*context_, *model_);
  config_ = &dialogs::AttachConfiguration(*context_, *model_);
  placeSearch_ = &search::AttachPlaceSearch(*context_);
  streetSearch_ = &search::AttachStreetSearch(*context_);
  routes_ = &dialogs::AttachRouting(*context_);
  items_ = &items::AttachItems(*context_);
  routes_->Locate = [this](const std::string& caption) { return LocateForRoute(caption); };
  ConnectPanelEvents();
}

TTarvo::~TTarvo() {
  context_.reset();
  lifetime_.ObjectDestroyed();
}

// ---------------------------------------------------------------- call guard

void TTarvo::FreePanel() {
  freed_ = true;
  if (context_) {
    context_->Panel().events = PanelEvents{};
    context_->Panel().window().Show(false);  // nothing paints a freed panel
  }
  DestroyPanelIfIdle();
}

void TTarvo::DestroyPanelIfIdle() {
  if (freed_ && context_ && callDepth_ == 0 && !context_->Panel().InWindowCallback()) {
    model_ = nullptr;
    context_.reset();
  }
}

// ---------------------------------------------------------------- events

void TTarvo::ConnectPanelEvents() {
  // Each handler runs as a call of this object, so a FREEALL raised from the
  // host's handler waits until the panel is off the stack.
  auto guarded = [this](auto&& raise) {
    guard::KeepAlive alive(static_cast<ITarvo*>(this));
    CallScope scope(*this);
    if (!freed_) raise();
  };
  PanelEvents& e = context_->Panel().events;
  e.OnClick = [this, guarded] { guarded([&] { raise_.Click(); }); };
  e.OnDblClick = [this, guarded] { guarded([&] { raise_.DblClick(); }); };
  e.OnResize = [this, guarded] { guarded([&] { raise_.Resize(); }); };
  e.OnFind = [this, guarded] { guarded([&] { raise_.Find(); }); };
  e.OnFindPlace = [this, guarded] { guarded([&] { raise_.FindPlace(); }); };
  e.OnFindRte = [this, guarded] { guarded([&] { raise_.FindRte(); }); };
  e.OnFindDir = [this, guarded](const std::string& s) { guarded([&] { raise_.FindDir(guard::Utf8Result(s)); }); };
  e.OnStatus = [this, guarded](std::int32_t s) { guarded([&] { raise_.Status(s); }); };
  e.OnPaintBefore = [this, guarded](std::int32_t dc) { guarded([&] { raise_.PaintBefore(dc); }); };
  e.OnpaintAfter = [this, guarded](std::int32_t dc) { guarded([&] { raise_.PaintAfter(dc); }); };
  e.OndirectBefore = [this, guarded](std::int32_t dc) { guarded([&] { raise_.DirectBefore(dc); }); };
  e.OnDirect = [this, guarded](std::int32_t dc) { guarded([&] { raise_.Direct(dc); }); };
  e.OnMouseDown = [this, guarded](int b, std::uint32_t s, int x, int y) {
    guarded([&] { raise_.MouseDown(b, static_cast<std::int32_t>(s), x, y); });
  };
  e.OnMouseMove = [this, guarded](int b, std::uint32_t s, int x, int y) {
    guarded([&] { raise_.MouseMove(b, static_cast<std::int32_t>(s), x, y); });
  };
  e.OnMouseUp = [this, guarded](int b, std::uint32_t s, int x, int y) {
    guarded([&] { raise_.MouseUp(b, static_cast<std::int32_t>(s), x, y); });
  };
}

void TTarvo::EventSinkChanged() {
  if (context_ && !freed_) context_->Panel().SetDesignMode(DesignModeQuery());
}

// Design mode is on exactly when the container's ambient UserMode reads false.
bool TTarvo::DesignModeQuery() {
  try {
    if (!site_) return false;
    com::ComPtr<com::IDispatch> ambient;
    if (site_->QueryInterface(com::IID_IDispatch, ambient.PutVoid()) < 0 || !ambient) {
      return false;
    }
    com::DISPPARAMS none;
    Variant userMode;
    if (ambient->Invoke(com::DISPID_AMBIENT_USERMODE, com::GUID{}, 0, com::DISPATCH_PROPERTYGET, &none, &userMode,
                        nullptr, nullptr) < 0) {
      return false;
    }
    Variant v = userMode.Dereferenced();
    return v.vt() == com::VT_BOOL && v.boolVal() == com::VARIANT_FALSE;
  } catch (...) {
    return false;
  }
}

// ---------------------------------------------------------------- IUnknown

HRESULT TTarvo::QueryInterface(const com::IID& iid, void** object) {
  if (!object) return com::E_POINTER;
  *object = nullptr;
  if (iid == com::IID_IUnknown || iid == com::IID_IDispatch || iid == IID_ITarvo) {
    *object = static_cast<ITarvo*>(this);
  } else if (iid == com::IID_IConnectionPointContainer) {
    *object = static_cast<com::IConnectionPointContainer*>(this);
  } else if (iid == com::IID_IOleObject) {
    *object = static_cast<com::IOleObject*>(this);
  } else if (iid == com::IID_IOleInPlaceObject) {
    *object = static_cast<com::IOleInPlaceObject*>(this);
  } else if (iid == com::IID_ISupportErrorInfo) {
    *object = static_cast<com::ISupportErrorInfo*>(this);
  } else {
    return com::E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

com::ULONG TTarvo::AddRef() { return ++refs_; }

com::ULONG TTarvo::Release() {
  com::ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

// ---------------------------------------------------------------- IDispatch

HRESULT TTarvo::GetTypeInfoCount(std::uint32_t* count) {
  if (!count) return com::E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT TTarvo::GetTypeInfo(std::uint32_t index, com::LCID, com::ITypeInfo** info) {
  if (!info) return com::E_POINTER;
  *info = nullptr;
  if (index != 0) return com::DISP_E_BADINDEX;
  com::ITypeLib* lib = NewTarvoTypeLibrary();
  const HRESULT hr = lib->GetTypeInfo(kITarvoTypeIndex, info);
  lib->Release();  // the type keeps its library alive
  return hr;
}

HRESULT TTarvo::GetIDsOfNames(const com::IID&, const std::string* names, std::uint32_t count, com::LCID,
                              com::DISPID* dispids) {
  return TarvoGetIDsOfNames(names, count, dispids);
}

HRESULT TTarvo::Invoke(com::DISPID dispid, const com::IID&, com::LCID, std::uint16_t flags, com::DISPPARAMS* params,
                       Variant* result, com::EXCEPINFO* excepinfo, std::uint32_t* argErr) {
  return TarvoInvoke(this, dispid, flags, params, result, excepinfo, argErr);
}

// ---------------------------------------------------------------- container side

HRESULT TTarvo::FindConnectionPoint(const com::IID& iid, com::IConnectionPoint** point) {
  return events_.Lookup(iid, point);
}

HRESULT TTarvo::SetClientSite(com::IOleClientSite* site) {
  return Call("SetClientSite", [&](Ttvmap&) {
    site_ = com::ComPtr<com::IOleClientSite>(site);
    EventSinkChanged();
  });
}

HRESULT TTarvo::GetClientSite(com::IOleClientSite** site) {
  if (!site) return com::E_POINTER;
  *site = site_.Get();
  if (*site) (*site)->AddRef();
  return S_OK;
}

HRESULT TTarvo::DoVerb(std::int32_t verb) {
  return Call("DoVerb", [&](Ttvmap& p) -> HRESULT {
    switch (verb) {
      case com::OLEIVERB_SHOW:
      case com::OLEIVERB_INPLACEACTIVATE:
        p.window().Show(true);
        p.window().Update();  // the first paint applies the start view
        return S_OK;
      case com::OLEIVERB_HIDE:
        p.window().Show(false);
        return S_OK;
      default:
        return com::E_NOTIMPL;
    }
  });
}

HRESULT TTarvo::SetObjectRects(const com::RECT& position, const com::RECT&) {
  return Call("SetObjectRects", [&](Ttvmap& p) {
    const std::int64_t w = std::int64_t{position.right} - position.left;
    const std::int64_t h = std::int64_t{position.bottom} - position.top;
    if (w < 1 || h < 1 || w > 32767 || h > 32767) {
      throw ArgumentError("The control's size must be 1 to 32767 pixels each way");
    }
    p.window().SetSize(static_cast<int>(w), static_cast<int>(h));
  });
}

HRESULT TTarvo::InterfaceSupportsErrorInfo(const com::IID& iid) {
  return iid == IID_ITarvo ? S_OK : com::S_FALSE;
}

}  // namespace quelmar::automation
