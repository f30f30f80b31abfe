#include "control/automation/type_library.h"

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "control/automation/tarvo_ids.h"
#include "control/automation/tarvo_type_info.h"
#include "platform/com/ref_counted.h"

namespace quelmar::automation {

using com::HRESULT;

namespace {

// The help strings of members whose texts need saying.
std::string MemberHelp(std::string_view name) {
  if (name == "MatchInfo") {
    return "Read inside Find: how well the hit matches, as the precision (house, street, intersection, zip or "
           "city), a tab and a score from 0.00 to 1.00";
  }
  if (name == "SaveToPng") {
    return "Renders the view as SaveToBitmap does and writes it as a PNG file; \".png\" is appended to a name "
           "without a \".\"";
  }
  return {};
}


// The enumeration table and the C++ enumerations must agree value for value.
#define QM_ENUM_VALUE(E, N, V) static_assert(::quelmar::N == (V), #E "::" #N);
#include "control/core/tx_enums.def"
#undef QM_ENUM_VALUE

struct EnumValue {
  const char* enumeration;
  const char* name;
  std::int32_t value;
};
constexpr EnumValue kEnumValues[] = {
#define QM_ENUM_VALUE(E, N, V) {#E, #N, V},
#include "control/core/tx_enums.def"
#undef QM_ENUM_VALUE
};

// The interface's parameter types by the names a declaration uses.
std::string TypeName(const char* token) {
  const std::string t = token ? token : "";
  if (t == "I4") return "int32";
  if (t == "I2") return "int16";
  if (t == "R8") return "double";
  if (t == "BOOL") return "VARIANT_BOOL";
  if (t == "COLOR") return "OLE_COLOR";
  if (t == "FONT") return "IFontDisp";
  return t;  // VARIANT, BSTR and the enumerations keep their names
}

com::FUNCDESC FromMember(const MemberInfo& m) {
  com::FUNCDESC d;
  d.memid = m.dispid;
  d.name = m.name;
  d.hidden = m.hidden;
  d.vtableOffset = m.offset;
  switch (m.kind) {
    case MemberKind::PropertyGet: d.invkind = com::INVOKE_PROPERTYGET; break;
    case MemberKind::PropertyPut: d.invkind = com::INVOKE_PROPERTYPUT; break;
    default: d.invkind = com::INVOKE_FUNC; break;
  }
  for (int i = 0; i < m.paramCount; ++i) d.params.push_back({m.params[i].name, TypeName(m.params[i].type)});
  if (m.resultType) d.resultType = TypeName(m.resultType);
  d.helpString = MemberHelp(m.name);
  return d;
}

com::FUNCDESC FromEvent(const EventInfo& e) {
  com::FUNCDESC d;
  d.memid = e.dispid;
  d.name = e.name;
  for (int i = 0; i < e.paramCount; ++i) d.params.push_back({e.params[i].name, TypeName(e.params[i].type)});
  return d;
}

// One type of the library. It lives inside the library and shares its
// reference count, so a host that holds a type keeps the library alive.
class TypeEntry final : public com::ITypeInfo {
 public:
  TypeEntry(com::ITypeLib* lib, com::TYPEATTR attr, std::vector<com::FUNCDESC> funcs, std::vector<com::VARDESC> vars)
      : lib_(lib), attr_(std::move(attr)), funcs_(std::move(funcs)), vars_(std::move(vars)) {
    attr_.cFuncs = static_cast<std::uint32_t>(funcs_.size());
    attr_.cVars = static_cast<std::uint32_t>(vars_.size());
  }
  ~TypeEntry() = default;
  com::ULONG AddRef() override { return lib_->AddRef(); }
  com::ULONG Release() override { return lib_->Release(); }
  HRESULT QueryInterface(const com::IID& iid, void** object) override {
    if (!object) return com::E_POINTER;
    *object = nullptr;
    if (iid != com::IID_IUnknown && iid != com::IID_ITypeInfo) return com::E_NOINTERFACE;
    *object = static_cast<com::ITypeInfo*>(this);
    AddRef();
    return com::S_OK;
  }
  HRESULT GetTypeAttr(com::TYPEATTR* attr) override {
    if (!attr) return com::E_POINTER;
    *attr = attr_;
    return com::S_OK;
  }
  HRESULT GetFuncDesc(std::uint32_t index, com::FUNCDESC* desc) override {
    if (!desc) return com::E_POINTER;
    if (index >= funcs_.size()) return com::DISP_E_BADINDEX;
    *desc = funcs_[index];
    return com::S_OK;
  }
  HRESULT GetVarDesc(std::uint32_t index, com::VARDESC* desc) override {
    if (!desc) return com::E_POINTER;
    if (index >= vars_.size()) return com::DISP_E_BADINDEX;
    *desc = vars_[index];
    return com::S_OK;
  }
  HRESULT GetContainingTypeLib(com::ITypeLib** lib) override;

 private:
  com::ITypeLib* lib_;
  com::TYPEATTR attr_;
  std::vector<com::FUNCDESC> funcs_;
  std::vector<com::VARDESC> vars_;
};

class TarvoTypeLib final : public com::RefCounted<com::ITypeLib> {
 public:
  TarvoTypeLib() {
    std::vector<com::FUNCDESC> members;
    for (const MemberInfo& m : TarvoMembers()) members.push_back(FromMember(m));
    Add(com::TKIND_INTERFACE, IID_ITarvo, "ITarvo", "Quelmar50 map control", std::move(members), {}, true);
    std::vector<com::FUNCDESC> events;
    for (const EventInfo& e : TarvoEvents()) events.push_back(FromEvent(e));
    Add(com::TKIND_DISPATCH, DIID_ITarvoEvents, "ITarvoEvents", "Events of the map control", std::move(events), {});
    Add(com::TKIND_COCLASS, CLSID_Tarvo, "Tarvo", "Mapping Control", {}, {});
    // The enumerations, in table order; each has an identifier of its own.
    std::uint32_t n = 0;
    for (std::size_t i = 0; i < std::size(kEnumValues);) {
      const std::string name = kEnumValues[i].enumeration;
      std::vector<com::VARDESC> values;
      for (; i < std::size(kEnumValues) && name == kEnumValues[i].enumeration; ++i) {
        values.push_back({kEnumValues[i].name, kEnumValues[i].value});
      }
      com::GUID id = LIBID_Quelmar50;
      id.Data1 = 0x5C3A7E40 + n++;
      Add(com::TKIND_ENUM, id, name, "", {}, std::move(values));
    }
  }
  HRESULT QueryInterface(const com::IID& iid, void** object) override {
    if (!object) return com::E_POINTER;
    *object = nullptr;
    if (iid != com::IID_IUnknown && iid != com::IID_ITypeLib) return com::E_NOINTERFACE;
    *object = static_cast<com::ITypeLib*>(this);
    AddRef();
    return com::S_OK;
  }
  HRESULT GetLibAttr(com::TLIBATTR* attr) override {
    if (!attr) return com::E_POINTER;
    *attr = {LIBID_Quelmar50, kTypeLibraryName, kTypeLibraryHelp, 5, 0, kTypeLibraryLocale};
    return com::S_OK;
  }
  std::uint32_t GetTypeInfoCount() override { return static_cast<std::uint32_t>(entries_.size()); }
  HRESULT GetTypeInfo(std::uint32_t index, com::ITypeInfo** info) override {
    if (!info) return com::E_POINTER;
    *info = nullptr;
    if (index >= entries_.size()) return com::DISP_E_BADINDEX;
    *info = entries_[index].get();
    (*info)->AddRef();
    return com::S_OK;
  }

 private:
  void Add(com::TYPEKIND kind, const com::GUID& guid, std::string name, std::string help,
           std::vector<com::FUNCDESC> funcs, std::vector<com::VARDESC> vars, bool dual = false) {
    com::TYPEATTR attr;
    attr.guid = guid;
    attr.typekind = kind;
    attr.name = std::move(name);
    attr.help = std::move(help);
    attr.dual = dual;
    entries_.push_back(std::make_unique<TypeEntry>(this, std::move(attr), std::move(funcs), std::move(vars)));
  }
  std::vector<std::unique_ptr<TypeEntry>> entries_;
};

HRESULT TypeEntry::GetContainingTypeLib(com::ITypeLib** lib) {
  if (!lib) return com::E_POINTER;
  lib_->AddRef();
  *lib = lib_;
  return com::S_OK;
}

}  // namespace

com::ITypeLib* NewTarvoTypeLibrary() { return new TarvoTypeLib(); }

}  // namespace quelmar::automation
