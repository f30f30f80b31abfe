// ComPtr, RefCounted and ServerLifetime working together.
#include "platform/com/ref_counted.h"

#include <gtest/gtest.h>

#include "platform/com/com_ptr.h"

namespace quelmar::com {
namespace {

// An object with two interfaces that records its destruction.
class Widget final : public RefCounted<IDispatch, ISupportErrorInfo> {
 public:
  Widget(ServerLifetime* server, bool* destroyed) : RefCounted(server), destroyed_(destroyed) {}
  ~Widget() override { *destroyed_ = true; }

  HRESULT QueryInterface(const IID& iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *object = static_cast<IDispatch*>(this);
    } else if (iid == IID_ISupportErrorInfo) {
      *object = static_cast<ISupportErrorInfo*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  HRESULT GetTypeInfoCount(std::uint32_t* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT GetIDsOfNames(const IID&, const std::string*, std::uint32_t, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT Invoke(DISPID, const IID&, LCID, std::uint16_t, DISPPARAMS*, Variant*, EXCEPINFO*,
                 std::uint32_t*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT InterfaceSupportsErrorInfo(const IID& iid) override { return iid == IID_IDispatch ? S_OK : S_FALSE; }

 private:
  bool* destroyed_;
};

TEST(ComRefCountedTest, LastReleaseDeletesAndServerCountFollows) {
  ServerLifetime server;
  bool destroyed = false;
  Widget* raw = new Widget(&server, &destroyed);  // born with one reference
  EXPECT_EQ(server.ObjectCount(), 1);
  EXPECT_EQ(server.CanUnloadNow(), S_FALSE);
  EXPECT_EQ(raw->AddRef(), 2u);
  EXPECT_EQ(raw->Release(), 1u);
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(raw->Release(), 0u);
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(server.ObjectCount(), 0);
  EXPECT_EQ(server.CanUnloadNow(), S_OK);
}

TEST(ComRefCountedTest, ServerLocksKeepTheLibraryLoaded) {
  ServerLifetime server;
  server.Lock();
  EXPECT_EQ(server.LockCount(), 1);
  EXPECT_EQ(server.CanUnloadNow(), S_FALSE);
  server.Unlock();
  EXPECT_EQ(server.CanUnloadNow(), S_OK);
}

TEST(ComPtrTest, OwnsExactlyOneReference) {
  bool destroyed = false;
  {
    ComPtr<Widget> widget = AdoptRef(new Widget(nullptr, &destroyed));
    ComPtr<Widget> copy = widget;  // +1
    ComPtr<Widget> moved = std::move(copy);
    EXPECT_FALSE(copy);
    EXPECT_EQ(moved, widget);

    ComPtr<IDispatch> base = widget;  // derived to interface: +1
    ComPtr<IDispatch> raw(base.Get());  // from a raw pointer: +1
    raw = nullptr;
    base.Reset();
    moved = widget;  // self-equal assignment
    EXPECT_EQ(widget->AddRef(), 3u);  // widget + moved + this call
    widget->Release();
  }
  EXPECT_TRUE(destroyed);
}

TEST(ComPtrTest, AttachDetachAndOutParameters) {
  bool destroyed = false;
  Widget* raw = new Widget(nullptr, &destroyed);
  ComPtr<Widget> owner;
  owner.Attach(raw);  // takes the birth reference
  Widget* back = owner.Detach();
  EXPECT_EQ(back, raw);
  EXPECT_FALSE(owner);
  EXPECT_FALSE(destroyed);

  ComPtr<IDispatch> out;
  ASSERT_EQ(raw->QueryInterface(IID_IDispatch, out.PutVoid()), S_OK);
  raw->Release();  // now only `out` holds it
  EXPECT_FALSE(destroyed);
  out.PutVoid();  // releases what it held before being filled again
  EXPECT_TRUE(destroyed);
}

TEST(ComPtrTest, AsQueriesForAnotherInterface) {
  bool destroyed = false;
  ComPtr<IDispatch> dispatch = AdoptRef<IDispatch>(new Widget(nullptr, &destroyed));
  ComPtr<ISupportErrorInfo> errors = dispatch.As<ISupportErrorInfo>(IID_ISupportErrorInfo);
  ASSERT_TRUE(errors);
  EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IDispatch), S_OK);

  ComPtr<IConnectionPointContainer> none;
  EXPECT_EQ(dispatch.As(IID_IConnectionPointContainer, &none), E_NOINTERFACE);
  EXPECT_FALSE(none);
  EXPECT_EQ(ComPtr<IDispatch>().As(IID_IDispatch, &dispatch), E_POINTER);

  dispatch.Reset();
  EXPECT_FALSE(destroyed);
  errors.Reset();
  EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace quelmar::com
