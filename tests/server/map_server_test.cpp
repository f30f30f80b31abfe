// The map server's logic against a recording stand-in for the map control
// and the host's own objects: what it asks of the control for each member,
// what the host hears, and the edge cases of sizing, the white background,
// the overlay request and the special options.
#include "server/engine/map_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>

#include "apps/host_objects/host_form.h"
#include "apps/host_objects/host_picture.h"
#include "platform/com/ref_counted.h"
#include "platform/gdi/dc_handles.h"
#include "tests/platform/kernel/test_files.h"

namespace quelmar::server {
namespace {

using com::Variant;

// Answers every member name: puts are kept and read back, calls recorded;
// the view moves with ZoomWindow, and DirectDraw paints the rectangle red.
class FakeControl final : public com::RefCounted<com::IDispatch> {
 public:
  FakeControl() {
    values["Color"] = Variant(std::int32_t{0xAFFFFF});
    values["LonLeft"] = Variant(-125.0);
    values["LonRight"] = Variant(-66.0);
    values["LatTop"] = Variant(50.0);
    values["LatBottom"] = Variant(24.0);
  }
  com::HRESULT QueryInterface(const com::IID& iid, void** out) override {
    if (iid != com::IID_IUnknown && iid != com::IID_IDispatch) {
      *out = nullptr;
      return com::E_NOINTERFACE;
    }
    *out = static_cast<com::IDispatch*>(this);
    AddRef();
    return com::S_OK;
  }
  com::HRESULT GetTypeInfoCount(std::uint32_t* count) override {
    *count = 0;
    return com::S_OK;
  }
  com::HRESULT GetIDsOfNames(const com::IID&, const std::string* names, std::uint32_t, com::LCID,
                             com::DISPID* ids) override {
    const auto at = std::find(names_.begin(), names_.end(), names[0]);
    ids[0] = static_cast<com::DISPID>(at - names_.begin());
    if (at == names_.end()) names_.push_back(names[0]);
    return com::S_OK;
  }
  com::HRESULT Invoke(com::DISPID id, const com::IID&, com::LCID, std::uint16_t flags, com::DISPPARAMS* params,
                      Variant* result, com::EXCEPINFO*, std::uint32_t*) override {
    const std::string name = names_.at(static_cast<std::size_t>(id));
    std::vector<Variant> args;
    for (std::uint32_t i = params->cArgs; i-- > 0;) args.push_back(params->rgvarg[i].Dereferenced());
    if (flags & com::DISPATCH_PROPERTYPUT) {
      values[name] = args.back();
      calls.push_back(name + "=");
      return com::S_OK;
    }
    calls.push_back(name);
    if (name == "ZoomWindow") {
      values["LonLeft"] = Variant(std::min(args[0].r8(), args[2].r8()));
      values["LonRight"] = Variant(std::max(args[0].r8(), args[2].r8()));
      values["LatBottom"] = Variant(std::min(args[1].r8(), args[3].r8()));
      values["LatTop"] = Variant(std::max(args[1].r8(), args[3].r8()));
    } else if (name == "DirectDraw") {
      gdi::Canvas& canvas = *gdi::DcFromHandle(args[0].i4());
      canvas.FillRect({0, 0, args[3].i4(), args[4].i4()}, gdi::Brush::Solid(gdi::RGB(255, 0, 0)));
      lastMono = args[7].boolVal() != 0;
    } else if (name == "SetOption") {
      if (result) *result = values["Color"];
      return com::S_OK;
    }
    if (result && values.contains(name)) *result = values[name];
    return com::S_OK;
  }
  long Count(const std::string& call) const { return std::count(calls.begin(), calls.end(), call); }

  std::map<std::string, Variant> values;
  std::vector<std::string> calls;
  bool lastMono = false;

 private:
  std::vector<std::string> names_;
};

class MapServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    control_.Attach(new FakeControl());
    events_.Attach(new app::HostEvents([this](const std::string& name, const std::vector<Variant>& args) {
      heard_.push_back(name);
      if (name == "SignalInformation") information_ = args;
    }));
    form_.Attach(new app::HostForm());
    picture_.Attach(new app::HostPicture(120, 80));
    std::filesystem::create_directories(folder_.path() / "server");
    std::filesystem::create_directories(folder_.path() / "host" / "Maps");
  }
  MapServerSetup ServerSetup() {
    MapServerSetup setup;
    setup.ServerFolder = folder_.path() / "server";
    setup.HostProgramFolder = folder_.path() / "host";
    setup.MakeControl = [this] { return com::ComPtr<com::IDispatch>(static_cast<com::IDispatch*>(control_.Get())); };
    setup.LoadSettings = [this] { return settings_; };
    return setup;
  }
  com::IDispatch* Picture() { return picture_.Get(); }

  testing::TempDir folder_;
  com::ComPtr<FakeControl> control_;
  com::ComPtr<app::HostEvents> events_;
  com::ComPtr<app::HostForm> form_;
  com::ComPtr<app::HostPicture> picture_;
  AppliedSettings settings_;
  std::vector<std::string> heard_;
  std::vector<Variant> information_;
};

TEST_F(MapServerTest, BeforeInitializeTheHostHearsTheDefaultEdgesAndGetsAnEmptyPicture) {
  MapServer server(ServerSetup());
  EXPECT_TRUE(server.DrawMapFromCorners(Picture(), -88, 42, -87, 41));
  EXPECT_TRUE(control_->calls.empty()) << "no control is touched";
  EXPECT_TRUE(information_.empty()) << "no events object yet";
  server.Initialize("K1ABC", events_.Get(), form_.Get());
  EXPECT_TRUE(form_->Item(1).Visible);
  server.ZoomAll(Picture());
  EXPECT_FALSE(form_->Item(1).Visible) << "a render without a mile-marker line hides its menu item";
}

TEST_F(MapServerTest, DrawingByCornersSizesRendersAndReportsTheEdges) {
  MapServer server(ServerSetup());
  server.Initialize("K1ABC", events_.Get(), form_.Get());
  for (const char* call : {"AutoConfig=", "LoadConfig", "Overlay=", "Underlay=", "Refresh", "ZoomAll", "SaveConfig"}) {
    EXPECT_EQ(control_->Count(call), 1) << call;
  }
  control_->calls.clear();
  ASSERT_TRUE(server.DrawMapFromCorners(Picture(), -88, 42, -87, 41));
  EXPECT_EQ(control_->Count("ResizeCtl"), 1);
  EXPECT_EQ(control_->Count("ZoomWindow"), 1);
  EXPECT_EQ(control_->Count("DirectDraw"), 1);
  ASSERT_EQ(information_.size(), 5u);
  EXPECT_EQ(information_[0].r8(), -88);
  EXPECT_EQ(information_[1].r8(), -87);
  EXPECT_EQ(information_[2].r8(), 42);
  EXPECT_EQ(information_[3].r8(), 41);
  EXPECT_EQ(information_[4].bstr(), "Tarvo Mapping V5 Server");
  EXPECT_EQ(picture_->Picture().Pixel(60, 40), gdi::RGB(255, 0, 0)) << "the drawing became the lasting picture";
  std::ifstream view(folder_.path() / "host" / "Maps" / "!!TarvoServer.INF", std::ios::binary);
  std::string line;
  std::getline(view, line);
  EXPECT_EQ(line, "088.00.00W,42.00.00N\r");

  // The same size again: the control is not resized; a degenerate
  // rectangle shows the whole map.
  control_->calls.clear();
  server.ZoomIn(Picture());
  server.ZoomIn(Picture());
  EXPECT_EQ(control_->Count("ResizeCtl"), 0);
  EXPECT_EQ(control_->Count("ZoomIn"), 2);
  server.DrawMapFromCorners(Picture(), -88, 42, -88, 41);
  EXPECT_EQ(control_->Count("ZoomAll"), 1);
  EXPECT_EQ(control_->Count("ZoomWindow"), 0);
}

TEST_F(MapServerTest, TheWhiteBackgroundGivesBackTheColourTheControlHadAtInitialize) {
  settings_.WhiteBackground = true;  // the settings already ask for white
  MapServer server(ServerSetup());
  server.Initialize("", events_.Get(), form_.Get());
  EXPECT_EQ(control_->values["Color"].i4(), 0xFFFFFF);
  server.SetWhiteBackground(false);
  EXPECT_EQ(control_->values["Color"].i4(), 0xAFFFFF) << "the map colour read before switching to white";
}

TEST_F(MapServerTest, SettingsReachTheControlAndTheMonoFlagReachesTheDrawing) {
  settings_.Data1 = "/maps/data1";
  settings_.ShadeCounties = false;
  settings_.Mono = true;
  MapServer server(ServerSetup());
  server.Initialize("", events_.Get(), form_.Get());
  EXPECT_EQ(control_->values["Path_data1"].bstr(), "/maps/data1");
  EXPECT_EQ(control_->values["Shade_Cnty"].boolVal(), 0);
  server.ZoomAll(Picture());
  EXPECT_TRUE(control_->lastMono);
}

TEST_F(MapServerTest, AnOverlayLoadsAtTheNextRenderAndIsZoomedToFromTheSecondOn) {
  const std::filesystem::path first = folder_.path() / "a.ovr", second = folder_.path() / "b.ovr";
  std::ofstream(first) << "x";
  std::ofstream(second) << "x";
  MapServer server(ServerSetup());
  server.Initialize("", events_.Get(), form_.Get());
  server.SetOverlayRequest(first.string());
  server.ZoomAll(Picture());
  EXPECT_EQ(control_->Count("OpenOverlay"), 1);
  EXPECT_EQ(control_->Count("ZoomOverlay"), 0) << "the first overlay is shown without zooming";
  EXPECT_TRUE(form_->Item(2).Enabled);
  server.SetOverlayRequest(second.string());
  server.ZoomAll(Picture());
  EXPECT_EQ(control_->Count("ZoomOverlay"), 1);
  // A file that is not there clears the overlay and disables the menu item.
  server.SetOverlayRequest((folder_.path() / "missing.ovr").string());
  server.ZoomAll(Picture());
  EXPECT_EQ(control_->values.contains("OpenOverlay"), false);
  EXPECT_FALSE(form_->Item(2).Enabled);
}

TEST_F(MapServerTest, SpecialOptionsAndSearchResults) {
  MapServer server(ServerSetup());
  server.Initialize("", events_.Get(), form_.Get());
  EXPECT_FALSE(server.SpecialMenuOption(Picture(), 1)) << "no mile-marker line: nothing happens";
  EXPECT_EQ(std::count(heard_.begin(), heard_.end(), "SignalSuspend"), 0);
  server.DrawMapFromCorners(Picture(), -90, 42, -86, 40);  // remembers the picture
  server.ZoomToSearchResult("I-80 mile 10", -90, 42, false, -86, 40, 41.0, true);
  EXPECT_EQ(heard_.back(), "SignalSpecialRedraw");
  EXPECT_TRUE(form_->Item(1).Visible) << "the line is drawn and can be hidden";
  EXPECT_FALSE(server.SpecialMenuOption(Picture(), 1));
  EXPECT_FALSE(form_->Item(1).Visible);
  EXPECT_FALSE(server.SpecialMenuOption(Picture(), 2));
  EXPECT_EQ(control_->Count("ZoomOverlay"), 1);
  EXPECT_FALSE(server.SpecialMenuOption(Picture(), 7));
  const SupportedFeatures f = server.Features("TarvoServer");
  EXPECT_EQ(f.SpecialOptionCaptions, (std::vector<std::string>{"Search", "Hide Mile Marker Line", "Zoom Overlay"}));
  EXPECT_EQ(f.ShortName, "TarvoServer");
  EXPECT_EQ(f.HelpTopic, 30);
}

TEST_F(MapServerTest, BadPicturesAndCornersAreClearErrors) {
  MapServer server(ServerSetup());
  server.Initialize("", events_.Get(), form_.Get());
  EXPECT_THROW(server.ZoomAll(nullptr), com::Fault);
  EXPECT_THROW(server.DrawMapFromCorners(Picture(), std::nan(""), 42, -87, 41), com::Fault);
  com::ComPtr<app::HostPicture> tiny;
  tiny.Attach(new app::HostPicture(1, 1));
  try {
    app::HostPicture zero(0, 10);
    ADD_FAILURE() << "a picture of no size was made";
  } catch (const std::invalid_argument&) {
  }
  EXPECT_TRUE(server.ZoomAll(tiny.Get()));
}

}  // namespace
}  // namespace quelmar::server
