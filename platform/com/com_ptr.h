#pragma once
// ComPtr<T>: owns one reference to an interface and releases it when it goes.
//
//   ComPtr<IDispatch> control;
//   HRESULT hr = activator.CreateInstance(clsid, IID_IDispatch, control.PutVoid());
//   ComPtr<IConnectionPointContainer> points =
//       control.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
//
// Constructing from a raw pointer or copying adds a reference; Attach takes
// over a reference the caller already owns (a new object, an out parameter),
// Detach hands it back without releasing.
#include <cstddef>
#include <type_traits>
#include <utility>

#include "platform/com/unknown.h"

namespace quelmar::com {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  explicit ComPtr(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  // From a pointer to a derived interface or class.
  template <class U>
    requires std::is_convertible_v<U*, T*>
  ComPtr(const ComPtr<U>& other) : ComPtr(other.Get()) {}
  ComPtr& operator=(const ComPtr& other) {
    ComPtr(other).Swap(*this);  // add before release: safe for self-assignment
    return *this;
  }
  ComPtr& operator=(ComPtr&& other) noexcept {
    ComPtr(std::move(other)).Swap(*this);
    return *this;
  }
  ComPtr& operator=(std::nullptr_t) {
    Reset();
    return *this;
  }
  ~ComPtr() { Reset(); }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }

  void Reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  void Attach(T* p) {
    Reset();
    p_ = p;
  }
  [[nodiscard]] T* Detach() { return std::exchange(p_, nullptr); }
  void Swap(ComPtr& other) noexcept { std::swap(p_, other.p_); }

  // For out parameters: releases what is held and gives the slot's address.
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  // QueryInterface: an empty pointer when the object lacks the interface.
  template <class U>
  ComPtr<U> As(const IID& iid) const {
    ComPtr<U> result;
    As(iid, &result);
    return result;
  }
  template <class U>
  HRESULT As(const IID& iid, ComPtr<U>* out) const {
    if (!p_) return E_POINTER;
    return p_->QueryInterface(iid, out->PutVoid());
  }

  friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.p_ == b.p_; }
  friend bool operator==(const ComPtr& a, std::nullptr_t) { return a.p_ == nullptr; }

 private:
  T* p_ = nullptr;
};

// Takes over the reference a new object is born with.
template <class T>
ComPtr<T> AdoptRef(T* p) {
  ComPtr<T> ptr;
  ptr.Attach(p);
  return ptr;
}

}  // namespace quelmar::com
