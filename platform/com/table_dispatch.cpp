#include "platform/com/table_dispatch.h"

#include "platform/kernel/ascii.h"

namespace quelmar::com {

HRESULT TableDispatch::QueryInterface(const IID& iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT TableDispatch::GetTypeInfoCount(std::uint32_t* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT TableDispatch::GetIDsOfNames(const IID&, const std::string* names, std::uint32_t count, LCID,
                                     DISPID* dispids) {
  if (!names || !dispids || count == 0) return E_INVALIDARG;
  HRESULT hr = S_OK;
  for (std::uint32_t i = 0; i < count; ++i) dispids[i] = DISPID_UNKNOWN;
  for (const Member& m : members_) {
    if (kernel::EqualsIgnoreCase(m.name, names[0])) {
      dispids[0] = m.id;
      break;
    }
  }
  if (dispids[0] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  if (count > 1) hr = DISP_E_UNKNOWNNAME;  // no named arguments
  return hr;
}

HRESULT TableDispatch::Invoke(DISPID dispid, const IID&, LCID, std::uint16_t flags, DISPPARAMS* params,
                              Variant* result, EXCEPINFO* excepinfo, std::uint32_t*) {
  const Member* m = Find(dispid);
  if (!m) return DISP_E_MEMBERNOTFOUND;
  Arguments args;
  if (params) {
    for (std::uint32_t i = params->cArgs; i-- > 0;) args.push_back(params->rgvarg[i]);  // by reference stays by reference
  }
  try {
    Variant value;
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
      if (!m->set) return DISP_E_MEMBERNOTFOUND;
      if (args.empty()) return DISP_E_BADPARAMCOUNT;
      m->set(args.back().Dereferenced());
    } else if (m->call) {
      value = m->call(args);
    } else if (m->get && (flags & DISPATCH_PROPERTYGET)) {
      value = m->get();
    } else {
      return DISP_E_MEMBERNOTFOUND;
    }
    if (result) *result = std::move(value);
    return S_OK;
  } catch (const std::exception& e) {
    const Fault* fault = dynamic_cast<const Fault*>(&e);
    if (excepinfo) {
      *excepinfo = EXCEPINFO{};
      excepinfo->bstrSource = source_;
      excepinfo->bstrDescription = e.what();
      excepinfo->scode = fault ? fault->code() : E_FAIL;
    }
    return DISP_E_EXCEPTION;
  }
}

void TableDispatch::Property(DISPID id, std::string name, Getter get, Setter set) {
  members_.push_back({id, std::move(name), std::move(get), std::move(set), {}});
}

void TableDispatch::Method(DISPID id, std::string name, Caller call) {
  members_.push_back({id, std::move(name), {}, {}, std::move(call)});
}

Variant& TableDispatch::Argument(Arguments& args, std::size_t index, const char* name) {
  if (index >= args.size()) throw Fault(DISP_E_PARAMNOTFOUND, std::string("the argument ") + name + " is missing");
  return args[index];
}

const TableDispatch::Member* TableDispatch::Find(DISPID id) const {
  for (const Member& m : members_) {
    if (m.id == id) return &m;
  }
  return nullptr;
}

}  // namespace quelmar::com
