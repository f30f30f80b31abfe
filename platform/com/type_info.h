#pragma once
// Type information: what a type library tells a host about an object's
// interfaces, events and enumerations, so that hosts can list members and
// write declarations without a header. The shapes follow the Windows type
// library interfaces, reduced to what hosts here read.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/com/guid.h"
#include "platform/com/unknown.h"

namespace quelmar::com {

extern const IID IID_ITypeInfo;
extern const IID IID_ITypeLib;

enum TYPEKIND { TKIND_ENUM = 0, TKIND_DISPATCH = 4, TKIND_COCLASS = 5, TKIND_INTERFACE = 3 };
enum INVOKEKIND { INVOKE_FUNC = 1, INVOKE_PROPERTYGET = 2, INVOKE_PROPERTYPUT = 4 };

struct TYPEATTR {
  GUID guid;
  TYPEKIND typekind = TKIND_INTERFACE;
  std::string name;
  std::string help;
  std::uint32_t cFuncs = 0;  // members, one per slot (a property has a get and a put)
  std::uint32_t cVars = 0;   // enumeration values
  bool dual = false;
};

struct PARAMDESC {
  std::string name;
  std::string type;  // VARIANT, BSTR, int32, int16, double, VARIANT_BOOL, OLE_COLOR, IFontDisp or an enumeration
};

struct FUNCDESC {
  DISPID memid = 0;
  std::string name;
  INVOKEKIND invkind = INVOKE_FUNC;
  std::vector<PARAMDESC> params;
  std::string resultType;  // empty: no result
  bool hidden = false;
  std::int32_t vtableOffset = -1;  // byte offset in a 32-bit interface table; -1 for dispatch-only members
  std::string helpString;          // what the member gives, for members whose name does not say it; may be empty
};

struct VARDESC {
  std::string name;
  std::int32_t value = 0;
};

class ITypeLib;

class ITypeInfo : public IUnknown {
 public:
  virtual HRESULT GetTypeAttr(TYPEATTR* attr) = 0;
  virtual HRESULT GetFuncDesc(std::uint32_t index, FUNCDESC* desc) = 0;
  virtual HRESULT GetVarDesc(std::uint32_t index, VARDESC* desc) = 0;
  virtual HRESULT GetContainingTypeLib(ITypeLib** lib) = 0;

 protected:
  ~ITypeInfo() = default;
};

struct TLIBATTR {
  GUID guid;
  std::string name;
  std::string help;
  std::uint16_t majorVersion = 0, minorVersion = 0;
  LCID lcid = 0;
};

class ITypeLib : public IUnknown {
 public:
  virtual HRESULT GetLibAttr(TLIBATTR* attr) = 0;
  virtual std::uint32_t GetTypeInfoCount() = 0;
  virtual HRESULT GetTypeInfo(std::uint32_t index, ITypeInfo** info) = 0;

 protected:
  ~ITypeLib() = default;
};

}  // namespace quelmar::com
