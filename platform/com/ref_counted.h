#pragma once
// Helpers for objects that implement interfaces.
//
// ServerLifetime counts a library's live objects and server locks, which its
// DllCanUnloadNow answers from. Each library owns one instance of its own
// (a static object in one of its translation units): the count belongs to
// that library, never to the platform.
//
// RefCounted<Interfaces...> supplies AddRef and Release for a class that
// implements one or more interfaces; the class writes QueryInterface:
//
//   class Sink final : public RefCounted<IDispatch> {
//    public:
//     explicit Sink(ServerLifetime* server) : RefCounted(server) {}
//     HRESULT QueryInterface(const IID& iid, void** out) override { ... }
//     ...
//   };
//   ComPtr<Sink> sink = AdoptRef(new Sink(&g_server));
//
// A new object is born with one reference, owned by whoever called new.
#include <atomic>

#include "platform/com/hresult.h"
#include "platform/com/unknown.h"

namespace quelmar::com {

class ServerLifetime {
 public:
  ServerLifetime() = default;
  ServerLifetime(const ServerLifetime&) = delete;
  ServerLifetime& operator=(const ServerLifetime&) = delete;

  void ObjectCreated() { ++objects_; }
  void ObjectDestroyed() { --objects_; }
  // IClassFactory::LockServer(true / false).
  void Lock() { ++locks_; }
  void Unlock() { --locks_; }

  long ObjectCount() const { return objects_; }
  long LockCount() const { return locks_; }
  // DllCanUnloadNow: S_OK when nothing is alive or locked, S_FALSE otherwise.
  HRESULT CanUnloadNow() const { return objects_ == 0 && locks_ == 0 ? S_OK : S_FALSE; }

 private:
  std::atomic<long> objects_{0};
  std::atomic<long> locks_{0};
};

template <class... Interfaces>
class RefCounted : public Interfaces... {
 public:
  RefCounted(const RefCounted&) = delete;
  RefCounted& operator=(const RefCounted&) = delete;

  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  // `server`, when given, counts this object while it lives.
  explicit RefCounted(ServerLifetime* server = nullptr) : server_(server) {
    if (server_) server_->ObjectCreated();
  }
  virtual ~RefCounted() {
    if (server_) server_->ObjectDestroyed();
  }

 private:
  std::atomic<ULONG> references_{1};
  ServerLifetime* server_;
};

}  // namespace quelmar::com
