#include "server/engine/late_bound.h"

#include "platform/com/dispatch_call.h"

namespace quelmar::server {
namespace {

com::Variant Checked(com::IDispatch* object, const std::string& member, std::uint16_t flags,
                     const std::vector<com::Variant>& args) {
  if (!object) throw com::Fault(com::E_POINTER, member + ": there is no object to call");
  com::DispatchCall call = com::InvokeByName(object, member, flags, args);
  if (call.hr < 0) {
    const std::string why = call.hr == com::DISP_E_EXCEPTION ? call.excep.bstrDescription : com::FormatHResult(call.hr);
    throw com::Fault(call.MemberResult(), member + " failed: " + why);
  }
  return std::move(call.value);
}

}  // namespace

com::Variant Call(com::IDispatch* object, const std::string& member, const std::vector<com::Variant>& args) {
  return Checked(object, member, com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET, args);
}

com::Variant Get(com::IDispatch* object, const std::string& member, const std::vector<com::Variant>& args) {
  return Checked(object, member, com::DISPATCH_PROPERTYGET | com::DISPATCH_METHOD, args);
}

void Put(com::IDispatch* object, const std::string& member, const com::Variant& value) {
  Checked(object, member, com::DISPATCH_PROPERTYPUT, {value});
}

bool TryCall(com::IDispatch* object, const std::string& member, const std::vector<com::Variant>& args) {
  return object && com::InvokeByName(object, member, com::DISPATCH_METHOD, args).hr >= 0;
}

bool TryPut(com::IDispatch* object, const std::string& member, const com::Variant& value) {
  return object && com::InvokeByName(object, member, com::DISPATCH_PROPERTYPUT, {value}).hr >= 0;
}

double AsDouble(const com::Variant& value, const std::string& what) {
  double d = 0;
  if (value.ToDouble(&d) < 0) throw com::Fault(com::DISP_E_TYPEMISMATCH, what + " is not a number");
  return d;
}

std::int32_t AsInt(const com::Variant& value, const std::string& what) {
  std::int32_t i = 0;
  if (value.ToInt32(&i) < 0) throw com::Fault(com::DISP_E_TYPEMISMATCH, what + " is not a whole number");
  return i;
}

bool AsBool(const com::Variant& value, const std::string& what) {
  bool b = false;
  if (value.ToBool(&b) < 0) throw com::Fault(com::DISP_E_TYPEMISMATCH, what + " is not True or False");
  return b;
}

std::string AsText(const com::Variant& value, const std::string& what) {
  std::string s;
  if (value.ToString(&s) < 0) throw com::Fault(com::DISP_E_TYPEMISMATCH, what + " is not text");
  return s;
}

}  // namespace quelmar::server
