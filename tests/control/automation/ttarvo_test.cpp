// The automation boundary: argument conversion, booleans and strings, the
// exception guard, FREEALL, the owner thread, design mode and events.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <thread>

#include "control/automation/tarvo_events.h"
#include "control_fixture.h"
#include "platform/com/dispatch_call.h"
#include "platform/com/error_info.h"
#include "platform/ui/headless_window.h"

namespace quelmar::testing {
namespace {

using com::Variant;

constexpr com::DISPID kPaintAfter = 2, kPaintBefore = 3, kStatus = 7;

using AutomationBoundary = ControlTest;

TEST_F(AutomationBoundary, BooleansCrossAsMinusOneAndZero) {
  EXPECT_EQ(Get("Grid").vt(), com::VT_BOOL);
  EXPECT_EQ(Get("Grid").boolVal(), 0);
  ASSERT_EQ(Put("Grid", Variant(true)).hr, com::S_OK);
  EXPECT_EQ(Get("Grid").boolVal(), -1);
  // Any non-zero number written is true.
  ASSERT_EQ(Put("Grid", Variant(0)).hr, com::S_OK);
  ASSERT_EQ(Put("EdgePan", Variant(7)).hr, com::S_OK);
  EXPECT_EQ(Get("EdgePan").boolVal(), -1);
}

TEST_F(AutomationBoundary, StringsAreCutAt255AndKeepWestern8BitText) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {std::string(300, 'a'), std::string(255, 'a')},
      {"Caf\xC3\xA9 \xE2\x82\xAC 5\xC2\xB0", "Caf\xC3\xA9 \xE2\x82\xAC 5\xC2\xB0"},  // é, €, ° survive
      {"map \xF0\x9F\x97\xBA", "map ?"},                                            // no 8-bit form
      {"", ""},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Put("Route", Variant(c.in)).hr, com::S_OK);
    EXPECT_EQ(Get("Route").bstr(), c.out);
  }
  // 300 characters that take two bytes each in UTF-8 still arrive as 255 characters.
  std::string accented;
  for (int i = 0; i < 300; ++i) accented += "\xC3\xA9";
  ASSERT_EQ(Put("Route", Variant(accented)).hr, com::S_OK);
  EXPECT_EQ(Get("Route").bstr(), accented.substr(0, 510));
}

TEST_F(AutomationBoundary, WrongArgumentTypesAreTypeMismatches) {
  struct Case {
    const char* member;
    std::vector<Variant> args;
    std::uint32_t argErr;  // position in the reversed argument array
  } cases[] = {
      {"ZoomPan", {Variant("east")}, 0},
      {"CenterView", {Variant(10), Variant("x")}, 0},
      {"CenterView", {Variant("x"), Variant(10)}, 1},
      {"Int2Lon", {Variant::Null()}, 0},
  };
  for (const Case& c : cases) {
    InvokeResult r = Call(c.member, c.args);
    EXPECT_EQ(r.hr, com::DISP_E_TYPEMISMATCH) << c.member;
    EXPECT_EQ(r.argErr, c.argErr) << c.member;
  }
  // Longitudes travel as variants; the member itself rejects text that is no number.
  InvokeResult r = Call("Distance", {Variant("abc"), Variant(41), Variant(-87), Variant(42)});
  EXPECT_EQ(r.MemberResult(), com::DISP_E_TYPEMISMATCH);
  EXPECT_NE(r.excep.bstrDescription.find("x1"), std::string::npos);
  // Numeric text is a number.
  EXPECT_EQ(Get("Distance", {Variant("-87"), Variant("41"), Variant(-87), Variant(42.0)}).i4(), 69115);
}

TEST_F(AutomationBoundary, CallShapeErrors) {
  EXPECT_EQ(Call("ZoomIn", {Variant(1)}).hr, com::DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call("Distance", {Variant(1)}).hr, com::DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Put("LonLeft", Variant(1.0)).hr, com::DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Call("NoSuchMember").hr, com::DISP_E_UNKNOWNNAME);
  EXPECT_EQ(Put("Coords", Variant(5)).MemberResult(), com::E_INVALIDARG);
  EXPECT_EQ(Put("Screen_Aspect", Variant(0.0)).MemberResult(), com::E_INVALIDARG);
  EXPECT_EQ(Put("Screen_Aspect", Variant(std::nan(""))).MemberResult(), com::E_INVALIDARG);
}

TEST_F(AutomationBoundary, ByReferenceArgumentsAreRead) {
  double lon = -87, lat1 = 41, lat2 = 42;
  Variant byRefLat(lat1);
  EXPECT_EQ(Get("Distance", {Variant::ByRef(&lon), Variant::ByRef(&byRefLat), Variant(-87), Variant::ByRef(&lat2)}).i4(),
            69115);
}

// Numbers that are no map coordinates are refused, never wrapped into a
// pixel, a junk text or an undefined integer.
TEST_F(AutomationBoundary, CoordinatesBeyondTheMapAreRefused) {
  struct Case {
    const char* member;
    std::vector<Variant> args;
  };
  const Case cases[] = {
      {"Distance", {Variant(1e308), Variant(0), Variant(-1e308), Variant(0)}},
      {"LL2Int", {Variant(1e308), Variant(0)}},
      {"Lon2Int", {Variant(-1e308)}},
      {"Lat2Int", {Variant(2e5)}},
      {"DMS", {Variant(1e308)}},
      {"LonLatStr", {Variant(0), Variant(1e300)}},
  };
  for (const Case& c : cases) {
    InvokeResult r = Call(c.member, c.args);
    EXPECT_EQ(r.MemberResult(), com::E_INVALIDARG) << c.member;
    EXPECT_NE(r.excep.bstrDescription.find("outside the range of map coordinates"), std::string::npos) << c.member;
  }
  EXPECT_EQ(Get("DMS", {Variant(-87.5)}).vt(), com::VT_BSTR) << "map coordinates still convert";
}

TEST_F(AutomationBoundary, AnExceptionInsideAMemberBecomesAFailureWithItsText) {
  struct ThrowingDrawer : core::MapDrawer {
    void DrawMap(gdi::Canvas&, const core::PaintRequest&) override { throw std::runtime_error("layer file unreadable"); }
  };
  Panel()->hooks().mapDrawer = std::make_unique<ThrowingDrawer>();
  InvokeResult r = Call("Redraw");
  EXPECT_EQ(r.hr, com::DISP_E_EXCEPTION);
  EXPECT_EQ(r.excep.scode, com::E_FAIL);
  EXPECT_NE(r.excep.bstrDescription.find("layer file unreadable"), std::string::npos);
  // The paint left nothing behind: not drawing, input enabled, and the next paint works.
  EXPECT_EQ(Get("IsDrawing").boolVal(), 0);
  EXPECT_EQ(Get("Enabled").boolVal(), -1);
  Panel()->hooks().mapDrawer = std::make_unique<core::MapDrawer>();
  EXPECT_EQ(Call("Redraw").hr, com::S_OK);
}

TEST_F(AutomationBoundary, MembersNotBuiltYetSayWhatIsMissing) {
  InvokeResult r = Call("ExecClosest");
  EXPECT_EQ(r.MemberResult(), com::E_NOTIMPL);
  EXPECT_NE(r.excep.bstrDescription.find("ExecClosest is not available yet"), std::string::npos);
  EXPECT_NE(r.excep.bstrDescription.find("closest features"), std::string::npos);
  // The reserved slots answer and do nothing.
  EXPECT_EQ(control_->Reserved1(), com::S_OK);
  EXPECT_EQ(control_->Reserved5(), com::S_OK);
}

TEST_F(AutomationBoundary, FreeAllEndsThePanelAndLaterCallsFailCleanly) {
  // Only the exact command frees; other spellings go to the command interpreter.
  Call("ExecMethod", {Variant("freeall")});
  EXPECT_NE(Panel(), nullptr);

  ASSERT_EQ(Call("ExecMethod", {Variant("FREEALL")}).hr, com::S_OK);
  EXPECT_EQ(Panel(), nullptr);
  for (const char* member : {"LonLeft", "Redraw", "ZoomIn"}) {
    InvokeResult r = Call(member);
    EXPECT_EQ(r.MemberResult(), com::E_UNEXPECTED) << member;
    EXPECT_NE(r.excep.bstrDescription.find("FREEALL"), std::string::npos);
  }
  std::int32_t handle = 0;
  EXPECT_EQ(control_->get_Handle(&handle), com::E_UNEXPECTED);
}

TEST_F(AutomationBoundary, FreeAllFromInsideAPaintWaitsForThePaintToEnd) {
  // Once from a paint the host started (Redraw), once from one the window started.
  for (bool fromHostCall : {true, false}) {
    Create(true, 200, 100);
    sink_->onEvent = [this](const RecordedEvent& e) {
      if (e.dispid == kPaintBefore) {
        EXPECT_EQ(control_->ExecMethod("FREEALL"), com::S_OK);
      }
    };
    if (fromHostCall) {
      EXPECT_EQ(Call("Redraw").hr, com::S_OK);
    } else {
      ASSERT_EQ(Put("Grid", Variant(true)).hr, com::S_OK);  // invalidates; the paint comes from the loop
      ui::PumpMessages();
    }
    // The after-paint event of a freed panel is not delivered.
    EXPECT_EQ(sink_->Dispids(), (std::vector<com::DISPID>{kStatus, kPaintBefore}));
    EXPECT_EQ(Call("LonLeft").MemberResult(), com::E_UNEXPECTED);
    EXPECT_EQ(Panel(), nullptr);
    ui::PumpMessages();  // nothing left to paint
  }
}

TEST_F(AutomationBoundary, CallsFromAnotherThreadAreRefused) {
  std::int32_t result = 0;
  double lon = 0;
  std::thread other([&] { result = control_->get_LonLeft(&lon); });
  other.join();
  EXPECT_EQ(result, com::RPC_E_WRONG_THREAD);
}

TEST_F(AutomationBoundary, DesignModeComesFromTheAmbientUserMode) {
  Create(/*userMode=*/false, 200, 120);
  EXPECT_TRUE(Panel()->DesignMode());
  EXPECT_EQ(Get("result").bstr(), "Run Time");
  EXPECT_EQ(Get("Route").bstr(), "Run Time");
  EXPECT_EQ(Get("Xcord").r8(), 0.0);
  // The placeholder: a grey band with the caption over a grey checker pattern.
  const gdi::Bitmap& screen = ui::HeadlessWindow::FromHandle(Get("Handle").i4())->FrontBuffer();
  const gdi::COLORREF below = screen.Pixel(100, 80);
  EXPECT_TRUE(below == 0xC0C0C0 || below == 0x808080) << std::hex << below;
  EXPECT_NE(screen.Pixel(100, 80), screen.Pixel(101, 80));

  Create(/*userMode=*/true, 200, 120);
  EXPECT_FALSE(Panel()->DesignMode());
  EXPECT_EQ(Get("result").bstr(), "");
}

TEST_F(AutomationBoundary, PaintEventsInOrderAndNothingLostWithoutASink) {
  ASSERT_EQ(Call("Redraw").hr, com::S_OK);
  ASSERT_EQ(sink_->Dispids(), (std::vector<com::DISPID>{kStatus, kPaintBefore, kPaintAfter}));
  EXPECT_EQ(sink_->events[0].args[0].i4(), 1);
  // Both paint events carry the off-screen buffer's device context.
  EXPECT_EQ(sink_->events[1].args[0].i4(), sink_->events[2].args[0].i4());

  // A refresh reuses the buffer: no status, no before-paint.
  sink_->events.clear();
  ASSERT_EQ(Call("Refresh").hr, com::S_OK);
  EXPECT_EQ(sink_->Dispids(), (std::vector<com::DISPID>{kPaintAfter}));

  ASSERT_EQ(point_->Unadvise(cookie_), com::S_OK);
  sink_->events.clear();
  EXPECT_EQ(Call("ZoomIn").hr, com::S_OK);
  EXPECT_TRUE(sink_->events.empty());
  EXPECT_FALSE(Panel()->Dirty());
}

TEST_F(AutomationBoundary, HostHandlersMayRedrawAndZoomInsideAPaint) {
  int nested = 0;
  sink_->onEvent = [&](const RecordedEvent& e) {
    if (e.dispid == kPaintBefore && nested++ == 0) {
      EXPECT_EQ(control_->Redraw(), com::S_OK);  // re-enters the view lock
      EXPECT_EQ(control_->ZoomIn(), com::S_OK);
    }
  };
  const double before = Get("Miles").r8();
  ASSERT_EQ(Call("Redraw").hr, com::S_OK);
  ui::PumpMessages();  // the zoom made inside the paint is painted next
  EXPECT_NEAR(Get("Miles").r8(), before / 2, before * 0.01);
  EXPECT_FALSE(Panel()->Dirty());
  EXPECT_FALSE(Panel()->IsDrawing());
}

TEST_F(AutomationBoundary, FoundVtyStoresTheResultAndRaisesFindPlace) {
  ASSERT_EQ(Call("FoundVty", {Variant("Springfield, IL")}).hr, com::S_OK);
  EXPECT_EQ(Get("result").bstr(), "Springfield, IL");
  EXPECT_EQ(sink_->Dispids(), (std::vector<com::DISPID>{6}));
}

}  // namespace
}  // namespace quelmar::testing

namespace quelmar::testing {
namespace {

TEST_F(AutomationBoundary, TheFontIsAnObjectWhoseChangesReachTheControl) {
  com::Variant font = Get("Font");
  ASSERT_EQ(font.vt(), com::VT_DISPATCH);
  com::IDispatch* f = font.dispatch();
  auto get = [&](const char* name) { return com::InvokeByName(f, name, com::DISPATCH_PROPERTYGET, {}).value; };
  auto put = [&](const char* name, Variant v) {
    return com::InvokeByName(f, name, com::DISPATCH_PROPERTYPUT, {std::move(v)}).hr;
  };
  EXPECT_EQ(get("Name").bstr(), "Arial");
  EXPECT_DOUBLE_EQ(get("size").r8(), 9.0);  // 12 pixels at 96 pixels per inch
  ASSERT_EQ(put("Name", Variant("Liberation Serif")), com::S_OK);
  ASSERT_EQ(put("Bold", Variant(true)), com::S_OK);
  ASSERT_EQ(put("Size", Variant(18)), com::S_OK);
  EXPECT_EQ(Panel()->Font().face, "Liberation Serif");
  EXPECT_EQ(Panel()->Font().weight, 700);
  EXPECT_EQ(Panel()->Font().height, 24);
  EXPECT_EQ(put("Size", Variant(0)), com::E_INVALIDARG);

  // Writing a font object copies it: this control's font object given back to it.
  Panel()->SetFont(gdi::Font{});
  ASSERT_EQ(Put("Font", font).hr, com::S_OK);
  EXPECT_EQ(Panel()->Font().face, "Arial");
  EXPECT_EQ(Put("Font", Variant(5)).hr, com::DISP_E_TYPEMISMATCH);

  // The font object outlives a freed panel without touching it.
  ASSERT_EQ(Call("ExecMethod", {Variant("FREEALL")}).hr, com::S_OK);
  EXPECT_EQ(com::InvokeByName(f, "Name", com::DISPATCH_PROPERTYGET, {}).hr, com::E_UNEXPECTED);
}

}  // namespace
}  // namespace quelmar::testing

namespace quelmar::testing {
namespace {

TEST_F(AutomationBoundary, AnImpossibleSizeFailsAndTheControlGoesOn) {
  const com::RECT huge{0, 0, 30000, 30000};
  EXPECT_LT(control_->SetObjectRects(huge, huge), 0);
  EXPECT_EQ(control_->SetObjectRects({0, 0, -5, 10}, {}), com::E_INVALIDARG);
  EXPECT_EQ(Call("ResizeCtl", {Variant(0), Variant(10)}).MemberResult(), com::E_INVALIDARG);
  EXPECT_EQ(Call("Redraw").hr, com::S_OK);
  ASSERT_EQ(Call("ResizeCtl", {Variant(300), Variant(200)}).hr, com::S_OK);
  EXPECT_EQ(Panel()->window().ClientSize(), (gdi::Size{300, 200}));
}

}  // namespace
}  // namespace quelmar::testing
