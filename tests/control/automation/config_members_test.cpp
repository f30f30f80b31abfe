// The configuration file of a live control: what LoadConfig reads reaches
// the map and the settings, SaveConfig writes what the control holds, INIT
// reads the working folder's file and the control's end writes it (with
// AutoConfig), and the Configure dialog stores the data paths it was given.
// Each test process runs in a working folder of its own (test_environment).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "control_fixture.h"
#include "control/config/config_file.h"
#include "control/dialogs/configure_dialog.h"
#include "control/dialogs/folder_dialog.h"
#include "platform/com/dispatch_call.h"
#include "platform/gdi/recording_canvas.h"
#include "platform/kernel/beep.h"
#include "platform/ui/dialog_model.h"
#include "platform/ui/headless_window.h"

namespace quelmar::testing {
namespace {

namespace fs = std::filesystem;
using com::Variant;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The file without its LWIND= line (two controls never show the same view).
std::string WithoutView(std::string text) {
  const std::size_t at = text.find("LWIND=");
  if (at != std::string::npos) text.erase(at, text.find('\n', at) + 1 - at);
  return text;
}

class ConfigMembers : public ControlTest {
 protected:
  void SetUp() override {
    folder_ = fs::current_path() / ("config-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(folder_);
    ControlTest::SetUp();
  }
  void TearDown() override {
    ui::SetDialogRunner({});
    ControlTest::TearDown();
    fs::remove_all(folder_);
  }
  // Another control, sized and shown as a host does (which runs INIT and the
  // first paint), with AutoConfig as given before that; the caller releases it.
  automation::TTarvo* Started(bool autoConfig = true, bool designMode = false) {
    auto* control = new automation::TTarvo(lifetime_);
    if (!autoConfig) {
      EXPECT_EQ(Put(control, "AutoConfig", Variant(false)), com::S_OK);
    }
    control->Panel()->SetDesignMode(designMode);
    const com::RECT rect{0, 0, 400, 300};
    EXPECT_EQ(control->SetObjectRects(rect, rect), com::S_OK);
    EXPECT_EQ(control->DoVerb(com::OLEIVERB_SHOW), com::S_OK);
    ui::PumpMessages();
    return control;
  }
  static com::HRESULT CallOn(automation::TTarvo* control, const char* member, const std::string& path) {
    return com::InvokeByName(static_cast<automation::ITarvo*>(control), member, com::DISPATCH_METHOD, {Variant(path)})
        .hr;
  }
  static com::HRESULT Put(automation::TTarvo* control, const char* member, Variant value) {
    return com::InvokeByName(static_cast<automation::ITarvo*>(control), member, com::DISPATCH_PROPERTYPUT, {value}).hr;
  }
  using ControlTest::Put;
  fs::path folder_;
};

TEST_F(ConfigMembers, WhatOneControlSavesAnotherLoadsAndSavesAlike) {
  Put("Shade_State", Variant(false));
  Put("Load_Hydro", Variant(false));
  Put("Path_data2", Variant(std::string("/maps/data2")));
  Put("LLmode", Variant(std::int32_t{TmSMALL}));
  render::StyleEngine& styles = control_->Model()->Styles();
  styles.UserLayers().SetVisible(7, false);
  styles.Landmarks().SetVisible(12, false);
  styles.Colours().SetPaletteEntry(3, 0x00ABCDEF);
  // A first read settles the one value a read always sets (BRATIO= reads as 4).
  ASSERT_EQ(Call("SaveConfig", {Variant((folder_ / "a.Cfg").string())}).hr, com::S_OK);
  ASSERT_EQ(Call("LoadConfig", {Variant((folder_ / "a.Cfg").string())}).hr, com::S_OK);
  ASSERT_EQ(Call("SaveConfig", {Variant((folder_ / "a.Cfg").string())}).hr, com::S_OK);

  automation::TTarvo* other = Started(/*autoConfig=*/false);
  ASSERT_EQ(CallOn(other, "LoadConfig", (folder_ / "a.Cfg").string()), com::S_OK);
  ASSERT_EQ(CallOn(other, "SaveConfig", (folder_ / "b.Cfg").string()), com::S_OK);
  const std::string first = ReadAll(folder_ / "a.Cfg");
  EXPECT_EQ(WithoutView(ReadAll(folder_ / "b.Cfg")), WithoutView(first));
  EXPECT_NE(first.find("PALSHD=3,$00ABCDEF\r\n"), std::string::npos);
  EXPECT_NE(first.find("LAYER=7,0\r\n"), std::string::npos);

  // What the second control holds now, where the map and the loads read it.
  core::Ttvmap& p = *other->Panel();
  EXPECT_FALSE(p.layers().Shading.State);
  EXPECT_FALSE(p.layers().Load_Hydro);
  EXPECT_EQ(p.startup().Path_data2, "/maps/data2");
  EXPECT_EQ(p.options().LLmode, TmSMALL);
  render::StyleEngine& loaded = other->Model()->Styles();
  EXPECT_FALSE(loaded.UserLayers().Visible(7));
  EXPECT_TRUE(loaded.UserLayers().Visible(8));
  EXPECT_FALSE(loaded.Landmarks().Visible(12));
  EXPECT_EQ(loaded.Colours().PaletteEntry(3), 0x00ABCDEFu);
  other->Release();
}

// The colour table a file gives is the one the states are filled with.
TEST_F(ConfigMembers, LoadedStateColoursFillTheStates) {
  std::string text = "STATEON=TRUE\r\nLVIEW=FALSE\r\n";
  for (int i = 1; i <= 56; ++i) text += "STSHD=" + std::to_string(i) + ",$00123456\r\n";
  WriteAll(folder_ / "states.Cfg", text);
  ASSERT_EQ(Call("LoadConfig", {Variant((folder_ / "states.Cfg").string())}).hr, com::S_OK);
  Call("ZoomWindow", {Variant(-91.6), Variant(42.6), Variant(-87.0), Variant(36.9)});  // Illinois
  gdi::RecordingCanvas canvas({400, 300});
  control_->Model()->Paint(canvas, Panel()->MakePaintRequest(core::OutputKind::Screen));
  const auto filled = [&](gdi::COLORREF colour) {
    return std::count_if(canvas.Records().begin(), canvas.Records().end(), [&](const gdi::DrawRecord& r) {
      return r.kind == gdi::DrawKind::Polygon && r.state.brush.style != gdi::BrushStyle::Null &&
             r.state.brush.color == colour;
    });
  };
  if (std::none_of(canvas.Records().begin(), canvas.Records().end(),
                   [](const gdi::DrawRecord& r) { return r.kind == gdi::DrawKind::Polygon; })) {
    GTEST_SKIP() << "the stand-in base map has no state areas (the public inputs are not fetched)";
  }
  EXPECT_GT(filled(0x123456), 0);
}

// A read that cannot open its file changes nothing; a missing file is no
// error for the host (a first run has written none yet), an unreadable one is.
TEST_F(ConfigMembers, AReadThatFailsChangesNothing) {
  Put("Shade_State", Variant(false));
  const long beeps = kernel::BeepCount();
  EXPECT_EQ(Call("LoadConfig", {Variant((folder_ / "none.Cfg").string())}).hr, com::S_OK);
  EXPECT_EQ(kernel::BeepCount(), beeps + 1);
  InvokeResult unreadable = Call("LoadConfig", {Variant(folder_.string())});  // a folder, not a file
  EXPECT_EQ(unreadable.MemberResult(), com::E_FAIL);
  EXPECT_NE(unreadable.excep.bstrDescription.find(folder_.string()), std::string::npos);
  EXPECT_EQ(Get("Shade_State").boolVal(), 0);
  EXPECT_TRUE(Panel()->startup().SaveView) << "not cleared by a read that did not happen";

  InvokeResult unwritable = Call("SaveConfig", {Variant((folder_ / "no" / "such" / "x.Cfg").string())});
  EXPECT_EQ(unwritable.MemberResult(), com::E_FAIL);
  EXPECT_NE(unwritable.excep.bstrDescription.find("cannot be written"), std::string::npos);
}

// An empty path names the control's own file in the working folder.
TEST_F(ConfigMembers, AnEmptyPathIsTheControlsOwnFile) {
  const fs::path own = Panel()->ConfigurationPath();
  EXPECT_EQ(own, fs::current_path() / "Quelmar50.Cfg");
  ASSERT_EQ(Call("SaveConfig", {Variant(std::string())}).hr, com::S_OK);
  EXPECT_TRUE(fs::exists(own));
  ASSERT_EQ(Call("SaveConfig", {Variant(std::string())}).hr, com::S_OK);
  EXPECT_TRUE(fs::exists(fs::current_path() / "Quelmar50.Cfb")) << "the previous file is the backup";
  fs::remove(own);
  fs::remove(fs::current_path() / "Quelmar50.Cfb");
}

// With AutoConfig, INIT reads the working folder's file (its start window is
// the first view) and the control's end writes it; without, neither happens.
TEST_F(ConfigMembers, AutoConfigReadsAtInitAndWritesAtTheEnd) {
  const fs::path own = fs::current_path() / "Quelmar50.Cfg";
  const std::string written =
      "LVIEW=TRUE\r\nLWIND=-90.000000,40.000000,-86.000000,43.000000\r\nSTATEON=FALSE\r\nTITLE=Kept\r\n";
  WriteAll(own, written);

  automation::TTarvo* off = Started(/*autoConfig=*/false);
  ASSERT_TRUE(off->Panel()->Initialized());
  EXPECT_TRUE(off->Panel()->layers().Shading.State);
  off->Release();
  EXPECT_EQ(ReadAll(own), written) << "nothing was written";

  automation::TTarvo* on = Started();
  ASSERT_TRUE(on->Panel()->Initialized());
  EXPECT_FALSE(on->Panel()->layers().Shading.State);
  EXPECT_NEAR(on->Panel()->view().LonLeft(), -90, 1.5);
  EXPECT_NEAR(on->Panel()->view().LatTop(), 43, 1.5);
  on->Release();
  const std::string saved = ReadAll(own);
  EXPECT_NE(saved.find("STATEON=FALSE\r\n"), std::string::npos);
  EXPECT_NE(saved.find("TITLE=Kept\r\n"), std::string::npos) << "values the file only carries come back";
  EXPECT_NE(saved.find("[Directories]\r\n"), std::string::npos) << "the control wrote the whole file";
  EXPECT_TRUE(fs::exists(fs::current_path() / "Quelmar50.Cfb"));
  fs::remove(own);
  fs::remove(fs::current_path() / "Quelmar50.Cfb");
}

// A control that never ran INIT (a designer's) never writes over the file.
TEST_F(ConfigMembers, AControlThatNeverStartedWritesNothing) {
  const fs::path own = fs::current_path() / "Quelmar50.Cfg";
  WriteAll(own, "STATEON=FALSE\r\n");
  automation::TTarvo* designer = Started(/*autoConfig=*/true, /*designMode=*/true);
  EXPECT_FALSE(designer->Panel()->Initialized());
  designer->Release();
  EXPECT_EQ(ReadAll(own), "STATEON=FALSE\r\n");
  fs::remove(own);
}

// " Configure": the folder buttons open the chooser from the edit's path,
// OK stores the five paths and saves the file (AutoConfig is on).
TEST_F(ConfigMembers, TheConfigureDialogStoresThePathsItWasGiven) {
  fs::create_directories(folder_ / "maps" / "overlays");
  Put("AutoConfig", Variant(true));
  Put("Path_data1", Variant((folder_ / "maps").string()));
  std::vector<std::string> captions;
  ui::SetDialogRunner([&](ui::DialogModel& d) {
    captions.push_back(d.Caption());
    if (d.Caption() == dialogs::kFolderDialogCaption) {
      EXPECT_EQ(d.Field(dialogs::kFolderCurrent).text, (folder_ / "maps").string());
      d.Change(dialogs::kFolderList, "overlays");
      d.Press(dialogs::kFolderSetPath);
      return;
    }
    EXPECT_EQ(d.Field("Data1:").text, (folder_ / "maps").string()) << "the edits show the current paths";
    d.Press(dialogs::BrowseButtonOf("Data1:"));
    d.Field("States0:").text = "/srv/states";
    d.Press(dialogs::kConfigureOk);
  });
  ASSERT_EQ(Call("ExecMethod", {Variant("CONFIG")}).hr, com::S_OK);
  EXPECT_EQ(captions, (std::vector<std::string>{dialogs::kConfigureCaption, dialogs::kFolderDialogCaption}));
  EXPECT_EQ(Get("Path_data1").bstr(), (folder_ / "maps" / "overlays").string());
  EXPECT_EQ(Get("Path_states0").bstr(), "/srv/states");
  const std::string saved = ReadAll(Panel()->ConfigurationPath());
  EXPECT_NE(saved.find("CDSTATE=/srv/states\r\n"), std::string::npos);

  // Cancel keeps the paths; "Set Default Paths" fills the edits.
  ui::SetDialogRunner([](ui::DialogModel& d) {
    d.Press(dialogs::kConfigureDefaults);
    EXPECT_EQ(d.Field("Data3:").text, "D:\\TARVO50\\data3");
    d.Press(dialogs::kConfigureCancel);
  });
  ASSERT_EQ(Call("ExecMethod", {Variant("CONFIG")}).hr, com::S_OK);
  EXPECT_EQ(Get("Path_states0").bstr(), "/srv/states");
  fs::remove(Panel()->ConfigurationPath());
  fs::remove(config::BackupPath(Panel()->ConfigurationPath()));
}

}  // namespace
}  // namespace quelmar::testing
