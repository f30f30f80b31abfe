#include "platform/com/connection_point.h"

#include <gtest/gtest.h>

#include "fake_dispatch.h"

namespace quelmar::com {
namespace {

using testing::FakeDispatch;

constexpr IID kEventsIid =
    MakeGuid(0x6E4A1C20, 0x1D2B, 0x4C3D, {0x9E, 0x8F, 0x70, 0x61, 0x52, 0x43, 0x34, 0x25});

// The object that owns the point: counts its references and every sink change.
class Owner final : public IConnectionPointContainer {
 public:
  long references = 1;
  std::vector<IDispatch*> sinkChanges;
  ConnectionPoint point{*this, kEventsIid, [this](IDispatch* sink) { sinkChanges.push_back(sink); }};

  HRESULT QueryInterface(const IID&, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return static_cast<ULONG>(++references); }
  ULONG Release() override { return static_cast<ULONG>(--references); }
  HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** found) override {
    return point.Lookup(iid, found);
  }
};

// An object with no dispatch interface at all.
class PlainUnknown final : public IUnknown {
 public:
  HRESULT QueryInterface(const IID& iid, void** object) override {
    *object = iid == IID_IUnknown ? this : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG AddRef() override { return 2; }
  ULONG Release() override { return 1; }
};

TEST(ComConnectionPointTest, HoldsOneSinkAndReportsEachChange) {
  FakeDispatch sink;
  FakeDispatch second;
  Owner owner;
  std::uint32_t cookie = 0;
  ASSERT_EQ(owner.point.Advise(&sink, &cookie), S_OK);
  EXPECT_EQ(cookie, 1u);
  EXPECT_EQ(owner.point.sink(), &sink);
  EXPECT_EQ(sink.references, 2);
  EXPECT_EQ(owner.sinkChanges, std::vector<IDispatch*>{&sink});

  std::uint32_t secondCookie = 7;
  EXPECT_EQ(owner.point.Advise(&second, &secondCookie), CONNECT_E_ADVISELIMIT);
  EXPECT_EQ(secondCookie, 0u);
  EXPECT_EQ(second.references, 1);
  EXPECT_EQ(owner.point.sink(), &sink);

  EXPECT_EQ(owner.point.Unadvise(2), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(owner.point.sink(), &sink);
  EXPECT_EQ(owner.point.Unadvise(cookie), S_OK);
  EXPECT_EQ(owner.point.sink(), nullptr);
  EXPECT_EQ(sink.references, 1);
  EXPECT_EQ(owner.sinkChanges, (std::vector<IDispatch*>{&sink, nullptr}));
  EXPECT_EQ(owner.point.Unadvise(cookie), CONNECT_E_NOCONNECTION);

  // Free again for the next sink.
  EXPECT_EQ(owner.point.Advise(&second, &secondCookie), S_OK);
  EXPECT_EQ(owner.point.Unadvise(secondCookie), S_OK);
}

TEST(ComConnectionPointTest, AsksTheSinkForTheEventInterfaceThenIDispatch) {
  struct Case {
    const char* name;
    bool answersEvents;
    bool answersDispatch;
    HRESULT hr;
  };
  const Case cases[] = {
      {"event interface only", true, false, S_OK},
      {"dispatch only", false, true, S_OK},
      {"neither", false, false, CONNECT_E_CANNOTCONNECT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDispatch sink;  // outlives the owner, which releases it last
    Owner owner;
    sink.answersDispatch = c.answersDispatch;
    if (c.answersEvents) sink.extraInterfaces.push_back(kEventsIid);
    std::uint32_t cookie = 0;
    EXPECT_EQ(owner.point.Advise(&sink, &cookie), c.hr);
    EXPECT_EQ(owner.sinkChanges.size(), Succeeded(c.hr) ? 1u : 0u);
    EXPECT_EQ(sink.references, Succeeded(c.hr) ? 2 : 1);
  }
  Owner owner;
  PlainUnknown plain;
  std::uint32_t cookie = 0;
  EXPECT_EQ(owner.point.Advise(&plain, &cookie), CONNECT_E_CANNOTCONNECT);
  EXPECT_EQ(owner.point.Advise(nullptr, &cookie), E_POINTER);
  EXPECT_EQ(owner.point.Advise(&plain, nullptr), E_POINTER);
}

TEST(ComConnectionPointTest, FiresEventsWithArgumentsReversed) {
  FakeDispatch sink;
  Owner owner;
  EXPECT_EQ(owner.point.FireEvent(10, {}), S_OK);  // no sink: nothing happens

  std::uint32_t cookie = 0;
  ASSERT_EQ(owner.point.Advise(&sink, &cookie), S_OK);
  // MouseDown(button, shift, x, y)
  EXPECT_EQ(owner.point.FireEvent(-605, {Variant(std::int16_t{1}), Variant(std::int16_t{2}), Variant(100), Variant(200)}),
            S_OK);
  ASSERT_EQ(sink.calls.size(), 1u);
  const FakeDispatch::Call& call = sink.calls[0];
  EXPECT_EQ(call.dispid, -605);
  EXPECT_EQ(call.riid, IID_NULL);
  EXPECT_EQ(call.flags, DISPATCH_METHOD);
  EXPECT_EQ(call.namedArgs, 0u);
  ASSERT_EQ(call.args.size(), 4u);
  EXPECT_EQ(call.args[0].i4(), 200);
  EXPECT_EQ(call.args[1].i4(), 100);
  EXPECT_EQ(call.args[2].i2(), 2);
  EXPECT_EQ(call.args[3].i2(), 1);

  sink.invokeResult = DISP_E_MEMBERNOTFOUND;  // the sink's answer comes back
  EXPECT_EQ(owner.point.FireEvent(4, {Variant("Main St")}), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(sink.calls[1].args[0].bstr(), "Main St");
}

TEST(ComConnectionPointTest, SinkMayDisconnectWhileHandlingAnEvent) {
  FakeDispatch sink;
  Owner owner;
  std::uint32_t cookie = 0;
  ASSERT_EQ(owner.point.Advise(&sink, &cookie), S_OK);
  long referencesDuringCall = 0;
  sink.duringInvoke = [&] {
    EXPECT_EQ(owner.point.Unadvise(cookie), S_OK);
    referencesDuringCall = sink.references;
  };
  EXPECT_EQ(owner.point.FireEvent(12, {}), S_OK);
  EXPECT_EQ(referencesDuringCall, 2);  // still held by the call in progress
  EXPECT_EQ(sink.references, 1);
  EXPECT_EQ(owner.point.FireEvent(12, {}), S_OK);
  EXPECT_EQ(sink.calls.size(), 1u);
}

TEST(ComConnectionPointTest, SharesItsOwnersLifetime) {
  Owner owner;
  IConnectionPoint* found = nullptr;
  ASSERT_EQ(owner.FindConnectionPoint(kEventsIid, &found), S_OK);
  EXPECT_EQ(found, &owner.point);
  EXPECT_EQ(owner.references, 2);  // the point's reference is the owner's

  IConnectionPointContainer* container = nullptr;
  ASSERT_EQ(found->GetConnectionPointContainer(&container), S_OK);
  EXPECT_EQ(container, &owner);
  EXPECT_EQ(owner.references, 3);
  container->Release();

  IID iid;
  EXPECT_EQ(found->GetConnectionInterface(&iid), S_OK);
  EXPECT_EQ(iid, kEventsIid);

  void* unknown = nullptr;
  EXPECT_EQ(found->QueryInterface(IID_IConnectionPoint, &unknown), S_OK);
  EXPECT_EQ(unknown, static_cast<IConnectionPoint*>(&owner.point));
  EXPECT_EQ(found->QueryInterface(IID_IDispatch, &unknown), E_NOINTERFACE);
  EXPECT_EQ(unknown, nullptr);
  found->Release();
  found->Release();
  EXPECT_EQ(owner.references, 1);

  EXPECT_EQ(owner.FindConnectionPoint(IID_IDispatch, &found), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(found, nullptr);
}

}  // namespace
}  // namespace quelmar::com
