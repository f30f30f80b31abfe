#pragma once
// TableDispatch: a dispatch object whose members are a table of names,
// identifiers and handlers, for the small automation objects of servers and
// hosts (a map server's class, a host's events object, form, menu items and
// picture boxes). Names are matched without regard to letter case; it
// publishes no type information.
//
//   class Picture final : public TableDispatch {
//    public:
//     Picture() {
//       Property(1, "ScaleWidth", [this] { return Variant(width_); }, {});
//       Method(2, "Cls", [this](Arguments&) { Clear(); return Variant(); });
//     }
//   };
//
// Handlers get the arguments in call order (by-reference arguments stay by
// reference, so a handler may write through them) and return the result. A
// handler that throws std::exception fails the call with DISP_E_EXCEPTION and
// the exception's text; com::Fault gives its own code.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/com/ref_counted.h"
#include "platform/com/variant.h"

namespace quelmar::com {

// An error with its result code, for handlers.
class Fault : public std::runtime_error {
 public:
  Fault(HRESULT code, const std::string& message) : std::runtime_error(message), code_(code) {}
  HRESULT code() const { return code_; }

 private:
  HRESULT code_;
};

class TableDispatch : public RefCounted<IDispatch> {
 public:
  using Arguments = std::vector<Variant>;
  using Getter = std::function<Variant()>;
  using Setter = std::function<void(const Variant&)>;
  using Caller = std::function<Variant(Arguments&)>;

  HRESULT QueryInterface(const IID& iid, void** object) override;
  HRESULT GetTypeInfoCount(std::uint32_t* count) override;
  HRESULT GetIDsOfNames(const IID& riid, const std::string* names, std::uint32_t count, LCID lcid,
                        DISPID* dispids) override;
  HRESULT Invoke(DISPID dispid, const IID& riid, LCID lcid, std::uint16_t flags, DISPPARAMS* params,
                 Variant* result, EXCEPINFO* excepinfo, std::uint32_t* argErr) override;

 protected:
  // `source` names the object in error texts ("TarvoServer.clsMapServ").
  explicit TableDispatch(std::string source, ServerLifetime* server = nullptr)
      : RefCounted(server), source_(std::move(source)) {}

  // A property: read with the getter, written with the setter (either may be
  // empty: read-only or write-only).
  void Property(DISPID id, std::string name, Getter get, Setter set);
  // A method; a read of it by a host that calls without parentheses also runs it.
  void Method(DISPID id, std::string name, Caller call);

  // The argument at `index` (call order), or a Fault naming what is missing.
  static Variant& Argument(Arguments& args, std::size_t index, const char* name);

 private:
  struct Member {
    DISPID id = 0;
    std::string name;
    Getter get;
    Setter set;
    Caller call;
  };
  const Member* Find(DISPID id) const;

  std::string source_;
  std::vector<Member> members_;
};

}  // namespace quelmar::com
