#pragma once
// Type information of the control's interface, generated from the member
// table: one row per interface slot, with the invoker that late binding uses
// to reach the same slot.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "control/automation/arg_reader.h"
#include "control/automation/itarvo.h"

namespace quelmar::automation {

enum class MemberKind { Method, PropertyGet, PropertyPut, Reserved };

struct ParamInfo {
  const char* name = nullptr;
  const char* type = nullptr;  // the table's type token: VARIANT, BSTR, I4, ...
};

using MemberInvoker = com::HRESULT (*)(ITarvo* self, ArgReader& args, com::Variant* result);

inline constexpr int kMaxParams = 10;

struct MemberInfo {
  int offset = 0;  // byte offset of the slot in the 32-bit interface table
  com::DISPID dispid = 0;
  const char* name = nullptr;
  MemberKind kind = MemberKind::Method;
  bool hidden = false;
  const char* area = nullptr;        // subsystem carrying the behaviour
  const char* resultType = nullptr;  // nullptr: no result
  ParamInfo params[kMaxParams]{};
  int paramCount = 0;
  MemberInvoker invoke = nullptr;
};

struct EventInfo {
  com::DISPID dispid = 0;
  const char* name = nullptr;
  ParamInfo params[kMaxParams]{};
  int paramCount = 0;
};

// Every slot in slot order (a property contributes a get and a put row).
std::span<const MemberInfo> TarvoMembers();
std::span<const EventInfo> TarvoEvents();

// The slot row for a dispatch identifier and kind; nullptr when absent.
const MemberInfo* FindMember(com::DISPID dispid, MemberKind kind);
// Case-insensitive lookup of a member name (methods and properties).
std::optional<com::DISPID> DispIdOfName(std::string_view name);

// Wraps an out-parameter dispatch pointer (which carries a reference) as a result.
com::Variant DispatchResult(com::IDispatch* dispatch);

}  // namespace quelmar::automation
