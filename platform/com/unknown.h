#pragma once
// The object model of the automation runtime: reference-counted interfaces
// found by identifier, late binding by dispatch identifier, class factories
// and connection points. The shapes follow the Windows object model so that
// the same engine can later sit behind real in-process servers.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

namespace quelmar::com {

class Variant;

using DISPID = std::int32_t;
using LCID = std::uint32_t;
using ULONG = std::uint32_t;

constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_VALUE = 0;
constexpr DISPID DISPID_PROPERTYPUT = -3;
constexpr DISPID DISPID_AMBIENT_USERMODE = -709;

constexpr std::uint16_t DISPATCH_METHOD = 1;
constexpr std::uint16_t DISPATCH_PROPERTYGET = 2;
constexpr std::uint16_t DISPATCH_PROPERTYPUT = 4;
constexpr std::uint16_t DISPATCH_PROPERTYPUTREF = 8;

// The "no interface" identifier that IDispatch::Invoke takes as its riid.
inline constexpr IID IID_NULL{};
extern const IID IID_IUnknown;
extern const IID IID_IDispatch;
extern const IID IID_IClassFactory;
extern const IID IID_IConnectionPoint;
extern const IID IID_IConnectionPointContainer;
extern const IID IID_ISupportErrorInfo;
extern const IID IID_IOleObject;
extern const IID IID_IOleClientSite;
extern const IID IID_IOleInPlaceObject;

class IUnknown {
 public:
  virtual HRESULT QueryInterface(const IID& iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};

// Arguments of one late-bound call. As on Windows, positional arguments are
// stored in reverse order: args[0] is the last one. A property put passes its
// value as the only argument with the named identifier DISPID_PROPERTYPUT.
struct DISPPARAMS {
  Variant* rgvarg = nullptr;
  DISPID* rgdispidNamedArgs = nullptr;
  std::uint32_t cArgs = 0;
  std::uint32_t cNamedArgs = 0;
};

// Error details of a failed late-bound call (Invoke returns DISP_E_EXCEPTION).
struct EXCEPINFO {
  std::uint16_t wCode = 0;
  std::string bstrSource;       // UTF-8
  std::string bstrDescription;  // UTF-8
  std::string bstrHelpFile;
  std::uint32_t dwHelpContext = 0;
  HRESULT scode = S_OK;
};

class ITypeInfo;

class IDispatch : public IUnknown {
 public:
  virtual HRESULT GetTypeInfoCount(std::uint32_t* count) = 0;
  // The description of this object's members; objects without one keep the default.
  virtual HRESULT GetTypeInfo(std::uint32_t /*index*/, LCID /*lcid*/, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  // Names are matched without regard to letter case.
  virtual HRESULT GetIDsOfNames(const IID& riid, const std::string* names, std::uint32_t count,
                                LCID lcid, DISPID* dispids) = 0;
  virtual HRESULT Invoke(DISPID dispid, const IID& riid, LCID lcid, std::uint16_t flags,
                         DISPPARAMS* params, Variant* result, EXCEPINFO* excepinfo,
                         std::uint32_t* argErr) = 0;

 protected:
  ~IDispatch() = default;
};

class IClassFactory : public IUnknown {
 public:
  virtual HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) = 0;
  virtual HRESULT LockServer(bool lock) = 0;

 protected:
  ~IClassFactory() = default;
};

class ISupportErrorInfo : public IUnknown {
 public:
  virtual HRESULT InterfaceSupportsErrorInfo(const IID& iid) = 0;

 protected:
  ~ISupportErrorInfo() = default;
};

class IConnectionPointContainer;

class IConnectionPoint : public IUnknown {
 public:
  virtual HRESULT GetConnectionInterface(IID* iid) = 0;
  virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) = 0;
  virtual HRESULT Advise(IUnknown* sink, std::uint32_t* cookie) = 0;
  virtual HRESULT Unadvise(std::uint32_t cookie) = 0;

 protected:
  ~IConnectionPoint() = default;
};

class IConnectionPointContainer : public IUnknown {
 public:
  virtual HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) = 0;

 protected:
  ~IConnectionPointContainer() = default;
};

// The container side of an embedded control: the control asks it for the
// ambient properties (UserMode and the like) through IDispatch.
class IOleClientSite : public IUnknown {
 protected:
  ~IOleClientSite() = default;
};

constexpr std::int32_t OLEIVERB_SHOW = -1;
constexpr std::int32_t OLEIVERB_INPLACEACTIVATE = -5;
constexpr std::int32_t OLEIVERB_HIDE = -3;

class IOleObject : public IUnknown {
 public:
  virtual HRESULT SetClientSite(IOleClientSite* site) = 0;
  virtual HRESULT GetClientSite(IOleClientSite** site) = 0;
  // OLEIVERB_SHOW makes the control's window visible, which paints it.
  virtual HRESULT DoVerb(std::int32_t verb) = 0;

 protected:
  ~IOleObject() = default;
};

struct RECT {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const RECT&, const RECT&) = default;
};

class IOleInPlaceObject : public IUnknown {
 public:
  // Places the control's window inside the container: position and size.
  virtual HRESULT SetObjectRects(const RECT& position, const RECT& clip) = 0;

 protected:
  ~IOleInPlaceObject() = default;
};

}  // namespace quelmar::com
