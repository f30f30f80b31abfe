#pragma once
// Calls by member name on the objects the server works with: the map
// control, and the host's events object, form, menu items and pictures.
// Call, Get and Put throw com::Fault with the member's own code and text when
// the call fails; the Try forms report failure by their result only, for
// host objects whose members are optional (an events object that does not
// answer a signal is not an error).
#include <string>
#include <vector>

#include "platform/com/table_dispatch.h"
#include "platform/com/unknown.h"
#include "platform/com/variant.h"

namespace quelmar::server {

com::Variant Call(com::IDispatch* object, const std::string& member, const std::vector<com::Variant>& args = {});
com::Variant Get(com::IDispatch* object, const std::string& member, const std::vector<com::Variant>& args = {});
void Put(com::IDispatch* object, const std::string& member, const com::Variant& value);
bool TryCall(com::IDispatch* object, const std::string& member, const std::vector<com::Variant>& args = {});
bool TryPut(com::IDispatch* object, const std::string& member, const com::Variant& value);

// Conversions of results that must be of a kind (Fault otherwise).
double AsDouble(const com::Variant& value, const std::string& what);
std::int32_t AsInt(const com::Variant& value, const std::string& what);
bool AsBool(const com::Variant& value, const std::string& what);
std::string AsText(const com::Variant& value, const std::string& what);

}  // namespace quelmar::server
