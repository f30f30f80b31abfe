// Start-up through the automation interface: INIT, commands, data paths,
// options and the memory check.
#include <gtest/gtest.h>

#include "control_fixture.h"
#include "platform/ui/dialog_model.h"
#include "platform/ui/headless_window.h"

namespace quelmar::testing {
namespace {

using com::Variant;

class Startup : public ControlTest {
 protected:
  // A control that has been created and sited but not shown: INIT has not run.
  void SetUp() override {
    control_ = new automation::TTarvo(lifetime_);
    // As the fixture's other controls: no configuration file read or left behind.
    ASSERT_EQ(control_->put_AutoConfig(false), com::S_OK);
  }
};

TEST_F(Startup, InitRunsOnceAndOnlyForTheExactCommand) {
  struct CountingBaseData : core::BaseDataService {
    int opened = 0;
    void OpenBaseData(const core::BaseDataRequest&) override { ++opened; }
  };
  struct CountingStartup : core::StartupService {
    std::string configPath;
    void LoadConfiguration(const std::string& path) override { configPath = path; }
  };
  auto baseData = std::make_unique<CountingBaseData>();
  auto startup = std::make_unique<CountingStartup>();
  CountingBaseData* opened = baseData.get();
  CountingStartup* seen = startup.get();
  Panel()->hooks().baseData = std::move(baseData);
  Panel()->hooks().startup = std::move(startup);
  ASSERT_EQ(Put("AutoConfig", Variant(true)).hr, com::S_OK);  // INIT then loads the configuration

  EXPECT_EQ(Get("LonLeft").r8(), 0.0);  // nothing applied before INIT
  EXPECT_EQ(Call("ExecMethod", {Variant("init")}).hr, com::S_OK);
  EXPECT_FALSE(Panel()->Initialized());
  EXPECT_EQ(Call("ExecMethod", {Variant("INIT")}).hr, com::S_OK);
  EXPECT_TRUE(Panel()->Initialized());
  EXPECT_EQ(Call("Loaded").hr, com::S_OK);
  EXPECT_EQ(opened->opened, 1);
  EXPECT_EQ(seen->configPath, Panel()->startup().workingFolder + "Quelmar50.Cfg");
  EXPECT_NEAR(Get("LonLeft").r8(), -130, 30);  // the start view
  EXPECT_EQ(Get("TvParent").i4(), Get("Handle").i4());
}

// A view the host asks for between INIT and the first paint is the one the
// first paint shows (the map server sets its view before it ever paints).
TEST_F(Startup, AViewSetAfterInitSurvivesTheFirstPaint) {
  EXPECT_EQ(Call("Loaded").hr, com::S_OK);
  ASSERT_EQ(Call("ZoomWindow", {Variant(-88.0), Variant(42.0), Variant(-87.0), Variant(41.0)}).hr, com::S_OK);
  const double left = Get("LonLeft").r8();
  const com::RECT rect{0, 0, 400, 300};
  ASSERT_EQ(control_->SetObjectRects(rect, rect), com::S_OK);
  ASSERT_EQ(control_->DoVerb(com::OLEIVERB_SHOW), com::S_OK);
  EXPECT_TRUE(Panel()->FirstPaintDone());
  EXPECT_NEAR(Get("LonLeft").r8(), left, 0.5) << "not the start view again";
}

TEST_F(Startup, DesignModeNeverInitialises) {
  Panel()->SetDesignMode(true);
  EXPECT_EQ(Call("Loaded").hr, com::S_OK);
  EXPECT_FALSE(Panel()->Initialized());
}

TEST_F(Startup, CommandsOpenTheLayerAndDisplayDialogs) {
  std::vector<std::string> shown;
  ui::SetDialogRunner([&](ui::DialogModel& d) {
    shown.push_back(d.Caption());
    if (shown.size() == 2) {  // the display options: the grid on, street names off, suffixes shown
      d.Field("&Grid").checked = true;
      d.Field("Show Street &Names").checked = false;
      d.Field("Show Su&ffixes (i.e St, Ave)").checked = true;
    }
  });
  EXPECT_EQ(Call("ExecMethod", {Variant("LAYER")}).hr, com::S_OK);
  EXPECT_EQ(Call("ExecMethod", {Variant("DISPLAY")}).hr, com::S_OK);
  ui::SetDialogRunner({});
  EXPECT_EQ(shown.size(), 2u);
  EXPECT_TRUE(Panel()->layers().Grid) << "what the display dialog kept reaches the control";
  EXPECT_EQ(Get("SetOption", {Variant(0), Variant(130)}).i4(), 0) << "street names off";
  EXPECT_EQ(Get("SetOption", {Variant(0), Variant(132)}).i4(), 0) << "suffixes shown";
}

TEST_F(Startup, CommandsOpeningDialogsNotBuiltSaySo) {
  for (const char* command : {"GUBED", "DESIGN"}) {
    InvokeResult r = Call("ExecMethod", {Variant(command)});
    EXPECT_EQ(r.MemberResult(), com::E_NOTIMPL) << command;
    EXPECT_NE(r.excep.bstrDescription.find("dialog is not built"), std::string::npos) << command;
  }
  for (const char* command : {"FREERES", "HTAP", "nothing", ""}) {
    EXPECT_EQ(Call("ExecMethod", {Variant(command)}).hr, com::S_OK) << command;
  }
  EXPECT_TRUE(Panel()->startup().routeTrace);
}

TEST_F(Startup, DataPathsInvalidateOnlyWhenTheyChange) {
  Panel()->window().Show(true);
  Panel()->window().Update();
  ASSERT_FALSE(Panel()->window().HasInvalidRegion());
  ASSERT_EQ(Put("Path_states0", Get("Path_states0")).hr, com::S_OK);
  EXPECT_FALSE(Panel()->window().HasInvalidRegion());
  ASSERT_EQ(Put("Path_states0", Variant("/srv/map/States0")).hr, com::S_OK);
  EXPECT_TRUE(Panel()->window().HasInvalidRegion());
  EXPECT_EQ(Get("Path_states0").bstr(), "/srv/map/States0");
  EXPECT_EQ(Get("Path_data3").bstr(), "f:\\TARVO50\\Data3");
  EXPECT_EQ(Get("TitlePrint").bstr(), "Point to Point Directions");
  // A new control keeps its configuration file by default (this fixture turned it off).
  automation::TTarvo* fresh = new automation::TTarvo(lifetime_);
  com::VARIANT_BOOL autoConfig = 0;
  EXPECT_EQ(fresh->get_AutoConfig(&autoConfig), com::S_OK);
  EXPECT_EQ(autoConfig, com::VARIANT_TRUE);
  fresh->Release();
}

TEST_F(Startup, SetOptionThroughTheInterface) {
  EXPECT_EQ(Get("SetOption", {Variant(133), Variant(25)}).i4(), 0);
  EXPECT_EQ(Get("SetOption", {Variant(0), Variant(133)}).i4(), 10);
  EXPECT_EQ(Get("SetOption", {Variant(1), Variant(0x00FF00)}).i4(), 0);
  EXPECT_EQ(Get("Color").i4(), 0x00FF00);
  // The colour slots belong to the layer styles: state colours, the palette, the defaults.
  EXPECT_EQ(Call("SetOption", {Variant(48), Variant(0x123456)}).hr, com::S_OK);
  EXPECT_EQ(Get("SetOption", {Variant(0), Variant(48)}).i4(), 0x123456);
  EXPECT_EQ(Call("SetOption", {Variant(0), Variant(-1)}).hr, com::S_OK);
  EXPECT_NE(Get("SetOption", {Variant(0), Variant(48)}).i4(), 0x123456);
  EXPECT_EQ(Call("RoadOption", {Variant(17), Variant(9)}).hr, com::S_OK);
  EXPECT_EQ(Panel()->roadOptions().priority[1], 5);
}

TEST_F(Startup, TheMemoryCheckWarnsOnlyBelowTheAmount) {
  int warnings = 0;
  ui::SetDialogRunner([&](ui::DialogModel& d) {
    ++warnings;
    EXPECT_EQ(d.Caption(), "Warning!");
    d.Field("&Ignore Future Warning.").checked = true;
    d.Press("&AKNOWLEDGE");
  });
  Panel()->physicalMemory = [] { return std::uint64_t{16} << 20; };
  EXPECT_EQ(Get("ExecMem", {Variant(0)}).i4(), 16 << 20);
  EXPECT_EQ(warnings, 0);
  EXPECT_EQ(Get("ExecMem", {Variant(24 << 20)}).i4(), 16 << 20);
  EXPECT_EQ(warnings, 1);
  // Ignored from now on.
  EXPECT_EQ(Get("ExecMem", {Variant(24 << 20)}).i4(), 0);
  EXPECT_EQ(warnings, 1);
  ui::SetDialogRunner({});
  // More memory than 32 bits can count reads as the largest count.
  Panel()->SetStartup([](core::StartupSettings& s) { s.IgnoreMem = false; });
  Panel()->physicalMemory = [] { return std::uint64_t{24} << 30; };
  EXPECT_EQ(Get("ExecMem", {Variant(0)}).i4(), 0x7FFFFFFF);
}

}  // namespace
}  // namespace quelmar::testing
