#include "apps/quelmar/members_command.h"

#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

#include "apps/quelmar/control_host.h"
#include "platform/com/com_ptr.h"
#include "platform/com/type_info.h"

namespace quelmar::app {

namespace {

struct TypeView {
  com::TYPEATTR attr;
  com::ComPtr<com::ITypeInfo> info;
  com::FUNCDESC Func(std::uint32_t i) const {
    com::FUNCDESC d;
    info->GetFuncDesc(i, &d);
    return d;
  }
  com::VARDESC Var(std::uint32_t i) const {
    com::VARDESC d;
    info->GetVarDesc(i, &d);
    return d;
  }
};

std::vector<TypeView> Types(com::ITypeLib* lib) {
  std::vector<TypeView> types;
  for (std::uint32_t i = 0; i < lib->GetTypeInfoCount(); ++i) {
    TypeView t;
    if (lib->GetTypeInfo(i, t.info.Put()) < 0 || t.info->GetTypeAttr(&t.attr) < 0) continue;
    types.push_back(std::move(t));
  }
  return types;
}

const char* KindName(com::INVOKEKIND k) {
  switch (k) {
    case com::INVOKE_PROPERTYGET: return "get";
    case com::INVOKE_PROPERTYPUT: return "put";
    default: return "method";
  }
}

std::string Params(const com::FUNCDESC& d, bool idl) {
  std::string text;
  auto idlType = [](const std::string& t) {
    if (t == "int32") return std::string("long");
    if (t == "int16") return std::string("short");
    return t;
  };
  for (std::size_t i = 0; i < d.params.size(); ++i) {
    if (i) text += ", ";
    text += idl ? "[in] " + idlType(d.params[i].type) : d.params[i].type;
    text += " " + d.params[i].name;
  }
  if (idl && !d.resultType.empty()) {
    text += std::string(d.params.empty() ? "" : ", ") + "[out, retval] " + idlType(d.resultType) +
            (d.invkind == com::INVOKE_PROPERTYGET ? "* value" : "* retval");
  }
  return text;
}

void List(const std::vector<TypeView>& types, std::ostream& out) {
  for (const TypeView& t : types) {
    switch (t.attr.typekind) {
      case com::TKIND_INTERFACE:
      case com::TKIND_DISPATCH: {
        const bool events = t.attr.typekind == com::TKIND_DISPATCH;
        out << t.attr.name << (events ? " (events)" : " (dual interface)") << "\n";
        out << (events ? "  dispid  event\n" : "  offset  dispid  kind    member\n");
        for (std::uint32_t i = 0; i < t.attr.cFuncs; ++i) {
          const com::FUNCDESC d = t.Func(i);
          char head[40];
          if (events) {
            std::snprintf(head, sizeof head, "  %6d  ", d.memid);
          } else {
            std::snprintf(head, sizeof head, "  %6d  %6d  %-6s  ", d.vtableOffset, d.memid, KindName(d.invkind));
          }
          out << head << MemberSignature(d);
          if (IsReservedSlot(d)) {
            out << "  [reserved: not callable]";
          } else if (d.hidden) {
            out << "  [hidden]";
          }
          out << "\n";
          if (!d.helpString.empty()) out << "                          " << d.helpString << "\n";
        }
        out << "\n";
        break;
      }
      case com::TKIND_ENUM: {
        out << "enum " << t.attr.name << ":";
        for (std::uint32_t i = 0; i < t.attr.cVars; ++i) {
          const com::VARDESC v = t.Var(i);
          out << (i ? ", " : " ") << v.name << " = " << v.value;
        }
        out << "\n";
        break;
      }
      default:
        break;
    }
  }
}

void Idl(com::ITypeLib* lib, const std::vector<TypeView>& types, std::ostream& out) {
  com::TLIBATTR la;
  lib->GetLibAttr(&la);
  out << "[\n  uuid(" << com::GuidToString(la.guid).substr(1, 36) << "),\n  version(" << la.majorVersion << "."
      << la.minorVersion << "),\n  helpstring(\"" << la.help << "\")\n]\nlibrary " << la.name << "\n{\n";
  std::string defaultInterface, defaultSource, coclass;
  com::GUID coclassId;
  // Enumerations first: the interface's declarations use them.
  std::vector<const TypeView*> ordered;
  for (const TypeView& t : types) {
    if (t.attr.typekind == com::TKIND_ENUM) ordered.push_back(&t);
  }
  for (const TypeView& t : types) {
    if (t.attr.typekind != com::TKIND_ENUM) ordered.push_back(&t);
  }
  for (const TypeView* type : ordered) {
    const TypeView& t = *type;
    const std::string uuid = com::GuidToString(t.attr.guid).substr(1, 36);
    switch (t.attr.typekind) {
      case com::TKIND_ENUM:
        out << "  typedef [uuid(" << uuid << ")] enum " << t.attr.name << " {\n";
        for (std::uint32_t i = 0; i < t.attr.cVars; ++i) {
          const com::VARDESC v = t.Var(i);
          out << "    " << v.name << " = " << v.value << (i + 1 < t.attr.cVars ? "," : "") << "\n";
        }
        out << "  } " << t.attr.name << ";\n\n";
        break;
      case com::TKIND_INTERFACE:
        defaultInterface = t.attr.name;
        out << "  [uuid(" << uuid << "), dual, oleautomation, helpstring(\"" << t.attr.help << "\")]\n  interface "
            << t.attr.name << " : IDispatch {\n";
        for (std::uint32_t i = 0; i < t.attr.cFuncs; ++i) {
          const com::FUNCDESC d = t.Func(i);
          out << "    [id(" << d.memid << ")";
          if (d.invkind == com::INVOKE_PROPERTYGET) out << ", propget";
          if (d.invkind == com::INVOKE_PROPERTYPUT) out << ", propput";
          if (d.hidden) out << ", hidden";
          if (!d.helpString.empty()) out << ", helpstring(\"" << d.helpString << "\")";
          out << "] HRESULT " << d.name << "(" << Params(d, true) << ");\n";
        }
        out << "  };\n\n";
        break;
      case com::TKIND_DISPATCH:
        defaultSource = t.attr.name;
        out << "  [uuid(" << uuid << "), helpstring(\"" << t.attr.help << "\")]\n  dispinterface " << t.attr.name
            << " {\n    properties:\n    methods:\n";
        for (std::uint32_t i = 0; i < t.attr.cFuncs; ++i) {
          const com::FUNCDESC d = t.Func(i);
          out << "      [id(" << d.memid << ")] void " << d.name << "(" << Params(d, true) << ");\n";
        }
        out << "  };\n\n";
        break;
      case com::TKIND_COCLASS:
        coclass = t.attr.name;
        coclassId = t.attr.guid;
        break;
    }
  }
  out << "  [uuid(" << com::GuidToString(coclassId).substr(1, 36) << "), control]\n  coclass " << coclass << " {\n"
      << "    [default] interface " << defaultInterface << ";\n    [default, source] dispinterface " << defaultSource
      << ";\n  };\n};\n";
}

}  // namespace

std::string MemberSignature(const com::FUNCDESC& d) {
  std::string text = d.name + "(" + Params(d, false) + ")";
  if (!d.resultType.empty()) text += " -> " + d.resultType;
  return text;
}

bool IsReservedSlot(const com::FUNCDESC& d) { return d.memid == 0 && std::string_view(d.name).starts_with("Reserved"); }

int PrintMembers(com::IDispatch* control, bool idl, std::ostream& out, std::ostream& err) {
  com::ComPtr<com::ITypeInfo> info;
  com::ComPtr<com::ITypeLib> lib;
  com::HRESULT hr = control->GetTypeInfo(0, 0, info.Put());
  if (hr >= 0) hr = info->GetContainingTypeLib(lib.Put());
  if (hr < 0) {
    err << "quelmar members: the control gives no type information (" << HResultText(hr) << ")\n";
    return 1;
  }
  const std::vector<TypeView> types = Types(lib.Get());
  if (idl) {
    Idl(lib.Get(), types, out);
  } else {
    List(types, out);
  }
  return 0;
}

}  // namespace quelmar::app
